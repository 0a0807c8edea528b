#pragma once

#include <memory>

#include <QStringList>

#include "ui/ComboBox.h"
#include "ui/FieldLink.h"

class QStandardItemModel;
class QTableView;

namespace ui {

// A combo box whose list comes from another dataset (listSource): its rows
// show the listField columns ("KfzNr;Info;Gruppe"), and choosing a row
// writes that row's keyField value into the data field. A text that is in
// no row may be typed as well and is written as it stands (the lookup tables
// grow from it). The list is read when the user first comes to it (drops it
// down, enters the box, turns the wheel over it) or a value is written, and
// again only after the list dataset changed (opened, closed, posted,
// refreshed, filtered) or the list's fields were set anew. Until then the box
// shows the text of the data field's row by a keyed lookup in the list
// dataset (none when the shown column is the key itself).
class DBLookupComboBox : public ComboBox, public DataAwareControl {
    Q_OBJECT
    Q_PROPERTY(dbe::TDataSource *dataSource READ dataSource WRITE setDataSource)
    Q_PROPERTY(QString dataField READ dataField WRITE setDataField)
    Q_PROPERTY(bool readOnly READ dataReadOnly WRITE setDataReadOnly)
public:
    explicit DBLookupComboBox(QWidget *parent = nullptr);
    ~DBLookupComboBox() override;

    dbe::TDataSource *listSource() const;
    void setListSource(dbe::TDataSource *source);
    QString keyField() const { return keyField_; }
    void setKeyField(const QString &name);
    QString listField() const { return listFields_.join(QLatin1Char(';')); }
    void setListField(const QString &names);
    // Reads the list rows from the list dataset now.
    void refreshList();
    // Whether the list must be read before it is used (it was never read, or
    // its dataset or fields changed since).
    bool listOutdated() const { return listOutdated_; }
    // The key value of the chosen row, or the typed text.
    QString keyValue() const;
    // Positioning mode, for a list without a data field of its own: choosing
    // a row makes that row of the list dataset its current record.
    bool positionsListSource() const { return positions_; }
    void setPositionsListSource(bool positions) { positions_ = positions; }

    void showPopup() override;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    class ListLink;
    void listChanged() { listOutdated_ = true; }
    // Reads the list when it is outdated.
    void readListIfOutdated();
    void showValue();
    // The text shown for `key` while the list is not read.
    QString lookedUpText(const QString &key) const;
    void userChanged();
    void positionListSource(int row);

    std::unique_ptr<ListLink> listLink_;
    bool listOutdated_ = true;
    QString keyField_;
    QStringList listFields_;
    QStandardItemModel *rows_;
    QTableView *table_ = nullptr;
    bool positions_ = false;
};

} // namespace ui
