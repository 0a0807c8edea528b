#include "ui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ui {

QString SystemClipboard::text() const
{
    return QGuiApplication::clipboard()->text();
}

void SystemClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

void SystemClipboard::setRichText(const QString &text, const QString &html)
{
    auto *data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(data);
}

QString SystemClipboard::html() const
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasHtml() ? data->html() : QString();
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
