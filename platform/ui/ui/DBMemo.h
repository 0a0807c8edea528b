#pragma once

#include <QPlainTextEdit>

#include "ui/FieldLink.h"

namespace ui {

// A multi-line edit of a text or memo field; writes like DBEdit.
class DBMemo : public QPlainTextEdit, public DataAwareControl {
    Q_OBJECT
    Q_PROPERTY(dbe::TDataSource *dataSource READ dataSource WRITE setDataSource)
    Q_PROPERTY(QString dataField READ dataField WRITE setDataField)
    Q_PROPERTY(bool readOnly READ dataReadOnly WRITE setDataReadOnly)
public:
    explicit DBMemo(QWidget *parent = nullptr);

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showValue();
    bool loading_ = false;
};

} // namespace ui
