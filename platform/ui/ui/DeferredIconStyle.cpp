#include "ui/DeferredIconStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace ui {

namespace {

// A standard icon of the base style, read on first use.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(const QStyle *style, QStyle::StandardPixmap pixmap, const QWidget *widget)
        // (QPointer takes no pointer to const.)
        : style_(const_cast<QStyle *>(style)), pixmap_(pixmap), widget_(const_cast<QWidget *>(widget))
    {
    }

    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    bool isNull() override { return false; } // only icons the style has are deferred

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }

private:
    const QIcon &icon()
    {
        if (!read_) {
            read_ = true;
            if (style_)
                icon_ = style_->standardIcon(pixmap_, nullptr, widget_);
        }
        return icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap pixmap_;
    QPointer<QWidget> widget_;
    bool read_ = false;
    QIcon icon_;
};

} // namespace

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
            return QIcon(new DeferredIconEngine(baseStyle(), pixmap, widget));
        break;
    default:
        break;
    }
    return QProxyStyle::standardIcon(pixmap, option, widget);
}

} // namespace ui
