#pragma once

class QDialog;
class QDialogButtonBox;
class QLabel;
class QWidget;

namespace tb {

// "OK" and "Abbrechen" for the designer's dialogs; with `acceptsItself`, OK accepts the dialog.
QDialogButtonBox *okCancelButtons(QDialog *dialog, bool acceptsItself = true);
// The red line a dialog tells a refused entry in.
QLabel *refusalLabel(QWidget *parent);

} // namespace tb
