#pragma once

#include <functional>

#include <QMetaType>
#include <QString>

#include "dbe/DataSource.h"

namespace dbe {
class TField;
}

// The data source a data-aware control shows, as a Qt property value: the
// navigation set finds controls by their "dataSource", "dataField" and
// "readOnly" properties.
Q_DECLARE_METATYPE(dbe::TDataSource *)

namespace ui {

// The connection of one data-aware control to one field of a data source.
// The control is told when to show the field again (the record changed, the
// dataset opened or closed) and when to write its pending value (before a
// post, or when it loses the focus).
class FieldLink : public dbe::TDataLink {
public:
    FieldLink() = default;

    void setSource(dbe::TDataSource *source);
    QString fieldName() const { return fieldName_; }
    void setFieldName(const QString &name);
    // Source and field at once: the control is shown the field once, not
    // first without a field and then with it.
    void bind(dbe::TDataSource *source, const QString &fieldName);
    // The field while the dataset is open; null otherwise or when there is none of that name.
    dbe::TField *field() const { return field_; }

    // Whether the control may change the field now (dataset open and
    // modifiable, field writable, control not read-only).
    bool canModify() const;
    // Puts the dataset into edit state for a change the user is making;
    // false when that is not possible (the change must then be undone).
    bool startEditing();
    // The control's value differs from the field's; written at the next post
    // or when the control is left.
    void setModified() { modified_ = true; }
    bool modified() const { return modified_; }
    // Writes a pending value now.
    void updateRecord();
    // Drops a pending value and shows the field again.
    void reset();

    std::function<void()> onDataChange;  // show the field's value
    std::function<void()> onStateChange; // active or editing changed
    std::function<void()> onWriteValue;  // write the control's value into the field
    // onDataChange shows the state as well (read-only or not): when both
    // change at once, as the dataset opens or closes, it alone is called.
    bool dataChangeShowsState = false;

protected:
    void ActiveChanged() override;
    void LayoutChanged() override;
    void EditingChanged() override;
    void RecordChanged(dbe::TField *field) override;
    void UpdateData() override;

private:
    void resolveField();
    void showField();

    QString fieldName_;
    dbe::TField *field_ = nullptr;
    bool modified_ = false;
    bool enteringEdit_ = false;
};

// The accessors behind the Qt properties "dataSource", "dataField" and
// "readOnly" that every single-field control declares.
class DataAwareControl {
public:
    dbe::TDataSource *dataSource() const { return link_.DataSource(); }
    void setDataSource(dbe::TDataSource *source) { link_.setSource(source); }
    QString dataField() const { return link_.fieldName(); }
    void setDataField(const QString &name) { link_.setFieldName(name); }
    void setDataBinding(dbe::TDataSource *source, const QString &name) { link_.bind(source, name); }
    bool dataReadOnly() const { return link_.ReadOnly(); }
    void setDataReadOnly(bool readOnly)
    {
        link_.SetReadOnly(readOnly);
        if (link_.onStateChange)
            link_.onStateChange();
    }
    dbe::TField *field() const { return link_.field(); }

protected:
    FieldLink link_;
};

// The longest text a control may take for the field: a text field's size,
// otherwise Qt's default. Controls set it so the user sees the limit while
// typing; the field would cut the rest on posting.
int maxTextLength(const dbe::TField &field);

} // namespace ui
