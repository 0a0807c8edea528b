#pragma once

#include <memory>

#include <QImage>
#include <QString>

#include "ui/Seam.h"

namespace ui {

// Text and pictures on the desktop's clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
    // Formatted text: the plain form for every program and the rich form
    // (HTML) for those that keep fonts and alignment; html() is empty when
    // the clipboard holds no rich form.
    virtual void setRichText(const QString &text, const QString &html) = 0;
    virtual QString html() const = 0;
    virtual QImage image() const = 0;
    virtual void setImage(const QImage &image) = 0;
};

inline Clipboard &clipboard()
{
    return Seam<Clipboard>::current();
}

class SystemClipboard : public Clipboard {
public:
    QString text() const override;
    void setText(const QString &text) override;
    void setRichText(const QString &text, const QString &html) override;
    QString html() const override;
    QImage image() const override;
    void setImage(const QImage &image) override;
};

template <> std::unique_ptr<Clipboard> makeProductionService<Clipboard>();

} // namespace ui
