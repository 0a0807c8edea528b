// The dialogs the extender opens for its commands: value search, index
// choice and pop-up, memo and picture views and bookmark list.
#include <memory>

#include <QApplication>
#include <QBuffer>
#include <QCursor>
#include <QMenu>

#include "navigation/dialoge/BookmarkDialog.h"
#include "navigation/dialoge/FilterDialog.h"
#include "navigation/dialoge/GraphicDialog.h"
#include "navigation/dialoge/IndexDialog.h"
#include "navigation/dialoge/MemoDialog.h"
#include "navigation/dialoge/SearchDialog.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/gemeinsam/NavExceptions.h"
#include "navigation/suche/RecordSearch.h"
#include "ui/DBMemo.h"

namespace nav {

bool TDBVexarion::announceDialog(TFormEventRec &record)
{
    record.Show = true;
    if (OnSpecialForm)
        OnSpecialForm(*this, record);
    return record.Show;
}

void TDBVexarion::prepareDialog(NavDialogBase &dialog)
{
    if (HideBtnGlyphs)
        dialog.SetPlainButtons();
    dialog.ShowRelay = [this](QWidget *form, int type) {
        if (OnSpecialFormShow)
            OnSpecialFormShow(form, type);
    };
    dialog.CloseQueryRelay = [this](QWidget *form, int type, bool &canClose) {
        if (OnSpecialFormCloseQuery)
            OnSpecialFormCloseQuery(form, type, canClose);
    };
    QApplication::processEvents();
}

void TDBVexarion::ShowSearchDialog(dbe::TDataSet *dataSet, dbe::TField *field)
{
    if (!dataSet)
        return;
    ++searchDepth_;
    struct DepthGuard {
        int &depth;
        ~DepthGuard() { --depth; }
    } depthGuard{searchDepth_};
    TTableDefs *defs = TableDefsOf(dataSet);
    TFormEventRec record;
    record.FormType = sfSearch;
    record.DataSet = dataSet;
    record.Field = field;
    if (!announceDialog(record))
        return;
    auto owned = std::make_unique<TSrchForm>(form_, record.UserButton);
    TSrchForm &dialog = *owned;
    prepareDialog(dialog);
    QString caption;
    GetTableCaption(dataSet, caption);
    dialog.setWindowTitle(QStringLiteral("Wertsuche [%1]").arg(caption));

    QStringList names;
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        dbe::TField *f = dataSet->Fields(i);
        if (!IsSearchableFieldType(f->DataType()) || (!UseNonVisFields && !f->Visible()))
            continue;
        dialog.FieldListBox->addItem(f->DisplayLabel());
        names << f->FieldName();
    }
    int selected = 0;
    if (field && IsSearchableFieldType(field->DataType()))
        selected = std::max(0, static_cast<int>(names.indexOf(field->FieldName())));
    dialog.FieldListBox->setCurrentIndex(selected);
    const QString selectedName = names.value(selected);
    if (!defs->SearchField().isEmpty() && defs->SearchField() == selectedName)
        dialog.SrchEdit->setText(defs->Pattern().text());
    dialog.RegardCaseCheck->setChecked(!defs->Pattern().ignoreCase() && !defs->SearchField().isEmpty());
    dialog.SearchDown->setChecked(defs->SearchDown());

    const int result = dialog.showModal();
    if (result != ui::mrOk && result != kSearchNextResult)
        return;
    const QString text = dialog.SrchEdit->text();
    const QString name = names.value(dialog.FieldListBox->currentIndex());
    if (name.isEmpty())
        return;
    const bool newSearch = result == ui::mrOk;
    const bool down = dialog.SearchDown->isChecked();
    const bool ignoreCase = !dialog.RegardCaseCheck->isChecked();
    // Gone before the search, so that the focus returning to the form does
    // not clear the search's message.
    owned.reset();
    if (defs->SearchValue(name, text, true, newSearch, false, down, ignoreCase))
        ClearMessage();
    else
        DisplayMessage(QStringLiteral("\"%1\" nicht gefunden.").arg(text), ui::MsgType::Information);
}

void TDBVexarion::ShowIndexDialog(dbe::TTable *table)
{
    if (!table)
        return;
    TFormEventRec record;
    record.FormType = sfIndex;
    record.DataSet = table;
    if (!announceDialog(record))
        return;
    TTableDefs *defs = TableDefsOf(table);
    defs->ReadDefinitions();
    if (defs->IndexCaptions().isEmpty())
        return;
    auto owned = std::make_unique<TIdxDlg>(form_, record.UserButton);
    TIdxDlg &dialog = *owned;
    prepareDialog(dialog);
    QString caption;
    GetTableCaption(table, caption);
    dialog.setWindowTitle(QStringLiteral("Indexwahl [%1]").arg(caption));
    dialog.IdxList->addItems(defs->IndexCaptions());
    dialog.IdxList->setCurrentRow(std::max(0, defs->CurrentIndexEntry()));
    if (dialog.showModal() != ui::mrOk || dialog.IdxList->currentRow() < 0)
        return;
    const int chosen = dialog.IdxList->currentRow();
    owned.reset();
    SetTableIndex(table, defs->IndexNames().value(chosen));
}

void TDBVexarion::ShowMemoView(dbe::TField *field, bool readOnly)
{
    if (!field || field->DataType() != dbe::TFieldType::ftMemo || !field->DataSet())
        return;
    TFormEventRec record;
    record.FormType = sfMemo;
    record.Field = field;
    record.BorderStyle = BorderStyleMemo;
    if (!announceDialog(record))
        return;
    auto owned = std::make_unique<TMemoForm>(form_, readOnly, record.UserButton);
    TMemoForm &dialog = *owned;
    ApplyDialogBorder(&dialog, record.BorderStyle);
    prepareDialog(dialog);
    dialog.setWindowTitle(
        (readOnly ? QStringLiteral("Ansicht Memofeld %1") : QStringLiteral("Bearbeite Memofeld %1"))
            .arg(field->DisplayLabel()));
    // A focused memo of the same field shows its lines as they are on screen.
    QString text = field->AsString();
    if (auto *memo = qobject_cast<ui::DBMemo *>(activeControl());
        memo && memo->dataSource() && memo->dataSource()->DataSet() == field->DataSet() &&
        field->DataSet()->FindField(memo->dataField()) == field)
        text = memo->toPlainText();
    dialog.Memo->setPlainText(text);
    if (dialog.showModal() != ui::mrOk || readOnly)
        return;
    const QString edited = dialog.Memo->toPlainText();
    owned.reset();
    field->DataSet()->Edit();
    field->SetAsString(edited);
}

void TDBVexarion::ShowGraphicView(dbe::TField *field, bool readOnly)
{
    if (!field || field->DataType() != dbe::TFieldType::ftGraphic || !field->DataSet())
        return;
    TFormEventRec record;
    record.FormType = sfGraphic;
    record.Field = field;
    record.BorderStyle = BorderStyleGraphic;
    if (!announceDialog(record))
        return;
    auto owned = std::make_unique<TGraphicForm>(form_, readOnly, record.UserButton, field);
    TGraphicForm &dialog = *owned;
    ApplyDialogBorder(&dialog, record.BorderStyle);
    prepareDialog(dialog);
    if (!field->IsNull()) {
        QImage picture;
        picture.loadFromData(field->AsBytes());
        dialog.SetPicture(picture);
    }
    if (dialog.showModal() != ui::mrOk || readOnly)
        return;
    const QImage picture = dialog.Picture();
    owned.reset();
    field->DataSet()->Edit();
    if (picture.isNull()) {
        field->Clear();
        return;
    }
    // Stored as a bitmap file, which the picture controls read.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    field->SetAsBytes(bytes);
}

void TDBVexarion::ShowBookmarkDialog(dbe::TDataSet *dataSet)
{
    if (!dataSet)
        return;
    TTableDefs *defs = TableDefsOf(dataSet);
    TFormEventRec record;
    record.FormType = sfBookmarks;
    record.DataSet = dataSet;
    record.BookMarks = &defs->Bookmarks();
    record.BorderStyle = BorderStyleBookmark;
    if (!announceDialog(record))
        return;
    QString caption;
    GetTableCaption(dataSet, caption);
    if (defs->Bookmarks().Count() == 0) {
        ui::messages().information(QStringLiteral("Keine Lesezeichen für Tabelle %1 definiert").arg(caption));
        return;
    }
    auto owned = std::make_unique<TBMForm>(form_, record.UserButton, defs->Bookmarks());
    TBMForm &dialog = *owned;
    ApplyDialogBorder(&dialog, record.BorderStyle);
    prepareDialog(dialog);
    dialog.setWindowTitle(QStringLiteral("Lesezeichen [%1]").arg(caption));
    if (dialog.showModal() != ui::mrOk)
        return;
    const int number = dialog.SelectedNumber();
    owned.reset();
    if (number)
        gotoBookmarkWithWarning(*defs, number);
}

void TDBVexarion::EditFilter(dbe::TDataSet *dataSet, dbe::TField *field)
{
    if (!dataSet)
        throw EDBVFilter(QStringLiteral("Tabelle für Filter undefiniert."));
    TTableDefs *defs = TableDefsOf(dataSet);
    TFormEventRec record;
    record.FormType = sfFilter;
    record.DataSet = dataSet;
    record.Field = field;
    if (!announceDialog(record))
        return;
    auto owned = std::make_unique<TFilterForm>(form_, record.UserButton, dataSet);
    TFilterForm &dialog = *owned;
    prepareDialog(dialog);
    QString caption;
    GetTableCaption(dataSet, caption);
    dialog.setWindowTitle(QStringLiteral("Filterdefinition [%1]").arg(caption));
    QStringList labels, names;
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        dbe::TField *f = dataSet->Fields(i);
        if (!IsSearchableFieldType(f->DataType()) || f->DataType() == dbe::TFieldType::ftMemo ||
            f->FieldKind() != dbe::TFieldKind::fkData || (!UseNonVisFields && !f->Visible()))
            continue;
        labels << f->DisplayLabel();
        names << f->FieldName();
    }
    dialog.SetFields(labels, names);
    if (defs->Filter().Added()) {
        TFilterDefinition rows{};
        int count = 0;
        defs->ReadFilterDef(rows, count);
        dialog.ShowDefinition(rows, count);
    } else if (field && labels.contains(field->DisplayLabel())) {
        dialog.ChooseField(0, field->DisplayLabel());
    }
    if (dialog.showModal() != ui::mrOk)
        return;
    const TFilterDefinition rows = dialog.Rows();
    const int count = dialog.RowCount();
    owned.reset();
    defs->ClearFilter();
    if (count > 0)
        defs->InstallFilterDef(rows, count, true);
}

// ------------------------------------------------------------ dialogs

void TDBVexarion::ApplyDialogBorder(QWidget *dialog, TFormBorderStyle style)
{
    ui::applyBorderStyle(dialog, style);
}

void TDBVexarion::ShowIndexPopup(dbe::TTable *table)
{
    TTableDefs *defs = TableDefsOf(table);
    defs->ReadDefinitions();
    if (defs->IndexCaptions().isEmpty())
        return;
    QMenu menu(form_);
    const int current = std::max(0, defs->CurrentIndexEntry());
    for (int i = 0; i < defs->IndexCaptions().size(); ++i) {
        QAction *action = menu.addAction(defs->IndexCaptions()[i]);
        action->setCheckable(true);
        action->setChecked(i == current);
        action->setData(defs->IndexNames()[i]);
    }
    if (QAction *chosen = menu.exec(QCursor::pos()))
        SetTableIndex(table, chosen->data().toString());
}

} // namespace nav
