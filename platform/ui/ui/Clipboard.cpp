#include "ui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ui {

QString SystemClipboard::text() const
{
    return QGuiApplication::clipboard()->text();
}

void SystemClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

QImage SystemClipboard::image() const
{
    return QGuiApplication::clipboard()->image();
}

void SystemClipboard::setImage(const QImage &image)
{
    QGuiApplication::clipboard()->setImage(image);
}

template <> std::unique_ptr<Clipboard> makeProductionService<Clipboard>()
{
    return std::make_unique<SystemClipboard>();
}

} // namespace ui
