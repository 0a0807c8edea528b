#pragma once

#include <QImage>
#include <QLabel>

#include "ui/FieldLink.h"

namespace ui {

// A picture (JPEG or BMP, told apart by its content): from a blob field, from
// the file whose path a text field holds, or loaded directly from a file
// when the control has no data source. Stretched to the control's size,
// keeping its proportions, unless stretch is off.
class DBImage : public QLabel, public DataAwareControl {
    Q_OBJECT
    Q_PROPERTY(dbe::TDataSource *dataSource READ dataSource WRITE setDataSource)
    Q_PROPERTY(QString dataField READ dataField WRITE setDataField)
    Q_PROPERTY(bool readOnly READ dataReadOnly WRITE setDataReadOnly)
public:
    explicit DBImage(QWidget *parent = nullptr);

    const QImage &picture() const { return picture_; }
    // False (and an empty picture) when the file is missing or no picture.
    bool loadFromFile(const QString &path);
    void clearPicture();
    void setStretch(bool stretch);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showValue();
    void showPicture();

    QImage picture_;
    bool stretch_ = true;
};

} // namespace ui
