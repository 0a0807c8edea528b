#include "ui/BorderStyle.h"

#include <QWidget>

namespace ui {

bool isResizable(TFormBorderStyle style)
{
    return style == TFormBorderStyle::bsSizeable || style == TFormBorderStyle::bsSizeToolWin;
}

void applyBorderStyle(QWidget *form, TFormBorderStyle style)
{
    if (!form)
        return;
    Qt::WindowFlags flags = form->windowFlags();
    flags.setFlag(Qt::FramelessWindowHint, style == TFormBorderStyle::bsNone);
    const bool tool = style == TFormBorderStyle::bsToolWindow || style == TFormBorderStyle::bsSizeToolWin;
    flags &= ~Qt::WindowType_Mask;
    flags |= tool ? Qt::Tool : Qt::Dialog;
    flags.setFlag(Qt::WindowMaximizeButtonHint, isResizable(style));
    form->setWindowFlags(flags);
    if (isResizable(style)) {
        form->setMinimumSize(0, 0);
        form->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        form->setFixedSize(form->testAttribute(Qt::WA_Resized) ? form->size() : form->sizeHint());
    }
}

} // namespace ui
