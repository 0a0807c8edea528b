#pragma once

class QWidget;

namespace ui {

// A form's border as the system names it. Dialog, single and tool window
// keep the form's size; sizeable and the sizeable tool window let the user
// resize it; none has no frame (and keeps its size).
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// Whether the user may resize a form with this border.
bool isResizable(TFormBorderStyle style);
// Gives a top-level form the border: its present size is kept fixed unless
// the style is resizable. Call before the form is shown.
void applyBorderStyle(QWidget *form, TFormBorderStyle style);

} // namespace ui
