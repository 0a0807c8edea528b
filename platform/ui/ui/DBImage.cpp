#include "ui/DBImage.h"

#include <QPixmap>

#include "dbe/Field.h"

namespace ui {

DBImage::DBImage(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setMinimumSize(1, 1);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored); // the picture follows the control
    link_.onDataChange = [this] { showValue(); };
}

bool DBImage::loadFromFile(const QString &path)
{
    picture_ = path.isEmpty() ? QImage() : QImage(path);
    showPicture();
    return !picture_.isNull();
}

void DBImage::clearPicture()
{
    picture_ = QImage();
    showPicture();
}

void DBImage::setStretch(bool stretch)
{
    stretch_ = stretch;
    showPicture();
}

void DBImage::showValue()
{
    dbe::TField *field = link_.field();
    if (!field || field->IsNull()) {
        clearPicture();
        return;
    }
    if (field->IsBlob() && field->DataType() != dbe::TFieldType::ftMemo) {
        picture_ = QImage::fromData(field->AsBytes());
        showPicture();
    } else {
        loadFromFile(field->AsString());
    }
}

void DBImage::showPicture()
{
    if (picture_.isNull()) {
        clear();
        return;
    }
    QPixmap pixmap = QPixmap::fromImage(picture_);
    if (stretch_ && width() > 1 && height() > 1)
        pixmap = pixmap.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    setPixmap(pixmap);
}

void DBImage::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    if (stretch_)
        showPicture();
}

} // namespace ui
