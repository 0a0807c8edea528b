#pragma once

#include <QLabel>

#include "ui/FieldLink.h"

namespace ui {

// The field's display text as a label.
class DBText : public QLabel, public DataAwareControl {
    Q_OBJECT
    Q_PROPERTY(dbe::TDataSource *dataSource READ dataSource WRITE setDataSource)
    Q_PROPERTY(QString dataField READ dataField WRITE setDataField)
    Q_PROPERTY(bool readOnly READ dataReadOnly WRITE setDataReadOnly)
public:
    explicit DBText(QWidget *parent = nullptr);
};

} // namespace ui
