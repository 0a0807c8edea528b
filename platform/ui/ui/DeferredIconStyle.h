#pragma once

#include <QProxyStyle>

namespace ui {

// The application's style with its standard icons read when they are first
// drawn or measured, not when a widget asks for them. Menu bars and calendars
// ask for theirs when they are made (the menu bar's overflow arrow, the
// calendar's month arrows) and most never draw them; reading the first one
// loads the image readers. Everything else is the base style's.
class DeferredIconStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit DeferredIconStyle(const QString &baseKey);

    QIcon standardIcon(StandardPixmap pixmap, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

} // namespace ui
