#include "ui/DeferredIconStyle.h"

#include <QPointer>
#include <QWidget>

#include "ui/DeferredIcon.h"

namespace ui {

DeferredIconStyle::DeferredIconStyle(const QString &baseKey) : QProxyStyle(baseKey) {}

QIcon DeferredIconStyle::standardIcon(StandardPixmap pixmap, const QStyleOption *option,
                                      const QWidget *widget) const
{
    switch (pixmap) {
    case SP_ToolBarHorizontalExtensionButton:
    case SP_ToolBarVerticalExtensionButton:
    case SP_ArrowLeft:
    case SP_ArrowRight:
        // Icons the base style always has, asked for without an option.
        if (!option)
            return deferredIcon([style = QPointer<QStyle>(baseStyle()), pixmap,
                                 owner = QPointer<QWidget>(const_cast<QWidget *>(widget))] {
                return style ? style->standardIcon(pixmap, nullptr, owner) : QIcon();
            });
        break;
    default:
        break;
    }
    return QProxyStyle::standardIcon(pixmap, option, widget);
}

} // namespace ui
