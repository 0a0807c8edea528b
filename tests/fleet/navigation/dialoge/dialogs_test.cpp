// The extender's dialogs, driven while they are modal.
#include <functional>
#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "extender_fixture.h"
#include "navigation/dialoge/BookmarkDialog.h"
#include "navigation/dialoge/FilterDialog.h"
#include "navigation/dialoge/IndexDialog.h"
#include "navigation/dialoge/MemoDialog.h"
#include "navigation/dialoge/SearchDialog.h"
#include "navigation/erweiterung/SelectFoundText.h"
#include "navigation/erweiterung/TableDefs.h"

using namespace nav;

namespace {

// Runs act on the next modal dialog once it is shown (and saves its picture).
template <class Dialog> void whenModal(const char *shot, std::function<void(Dialog &)> act)
{
    auto *poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, shot, act] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            if (++*tries > 200) {
                ADD_FAILURE() << "no modal dialog";
                poll->deleteLater();
                poll->stop();
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        if (shot)
            dialog->grab().save(QStringLiteral("/tmp/nav2_%1.png").arg(QLatin1String(shot)));
        act(*dialog);
    });
    poll->start(1);
}

} // namespace

using DialogsTest = ExtenderFixture;

TEST_F(DialogsTest, SearchDialogFindsAndReportsMisses)
{
    focus(editGruppe);
    QStringList fields;
    whenModal<TSrchForm>("search_dialog", [&](TSrchForm &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Wertsuche [Stamm.db]"));
        for (int i = 0; i < d.FieldListBox->count(); ++i)
            fields << d.FieldListBox->itemText(i);
        EXPECT_EQ(d.FieldListBox->currentText(), QStringLiteral("Gruppe"));
        d.SrchEdit->setText(QStringLiteral("bus"));
        d.SrchBtn->click();
    });
    ext->HandleNBBtn(nbSearch, 0, 0);
    EXPECT_FALSE(fields.contains(QStringLiteral("Bild"))); // pictures are never searched
    EXPECT_TRUE(fields.contains(QStringLiteral("Bemerkung")));
    EXPECT_EQ(current(*stamm), "B5"); // case ignored unless asked for

    whenModal<TSrchForm>(nullptr, [](TSrchForm &d) {
        EXPECT_EQ(d.SrchEdit->text(), QStringLiteral("bus")); // the last search of this field
        d.SrchEdit->setText(QStringLiteral("Bus"));
        d.RegardCaseCheck->setChecked(true);
        d.SearchDown->setChecked(false);
        d.SrchNextBtn->click();
    });
    ext->HandleNBBtn(nbSearch, 0, 0);
    EXPECT_EQ(current(*stamm), "B5");
    EXPECT_EQ(message->text(), QStringLiteral("\"Bus\" nicht gefunden."));

    // The application may suppress the dialog.
    ext->OnSpecialForm = [](TDBVexarion &, TFormEventRec &r) { r.Show = r.FormType != sfSearch; };
    ext->HandleNBBtn(nbSearch, 0, 0);
}

TEST_F(DialogsTest, IndexDialogSetsTheChosenIndex)
{
    QString changed;
    ext->OnTblIndexChanged = [&](TDBVexarion &, dbe::TDataSet *ds) {
        changed = static_cast<dbe::TTable *>(ds)->IndexName();
    };
    QStringList items;
    whenModal<TIdxDlg>("index_dialog", [&](TIdxDlg &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Indexwahl [Stamm.db]"));
        for (int i = 0; i < d.IdxList->count(); ++i)
            items << d.IdxList->item(i)->text();
        EXPECT_EQ(d.IdxList->currentRow(), 0);
        d.IdxList->setCurrentRow(static_cast<int>(items.indexOf(QStringLiteral("ByGruppe"))));
        d.OKBtn->click();
    });
    ext->HandleNBBtn(nbIndexSelect, 0, 0);
    EXPECT_TRUE(items.contains(QStringLiteral("ByGruppe"))) << items.join(',').toStdString();
    EXPECT_EQ(stamm->IndexName(), QStringLiteral("ByGruppe"));
    EXPECT_EQ(changed, QStringLiteral("ByGruppe"));
    EXPECT_EQ(vehicles(*stamm).first(), "A4"); // the blank Gruppe sorts first
}

TEST_F(DialogsTest, MemoViewEditsTheField)
{
    auto *memoEdit = ui::make<ui::DBEdit>(form.get(), "EditBemerkung", form.get());
    memoEdit->setDataSource(source.get());
    memoEdit->setDataField(QStringLiteral("Bemerkung"));
    focus(memoEdit);
    ASSERT_TRUE(ext->Possible()[nbMemoView]);
    whenModal<TMemoForm>("memo_dialog", [](TMemoForm &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Bearbeite Memofeld Bemerkung"));
        EXPECT_EQ(d.Memo->toPlainText(), QStringLiteral("Notiz Lieferung"));
        EXPECT_TRUE(d.CancelBtn->isVisibleTo(&d));
        d.Memo->setPlainText(QStringLiteral("Zeile 1\nZeile 2"));
        d.OKBtn->click();
    });
    ext->HandleNBBtn(nbMemoView, 0, 0);
    EXPECT_EQ(stamm->State(), dbe::TDataSetState::dsEdit);
    EXPECT_EQ(stamm->FieldByName("Bemerkung")->AsString(), QStringLiteral("Zeile 1\nZeile 2"));
    stamm->Cancel();

    // Read-only: a view without Cancel that changes nothing.
    memoEdit->setProperty("readOnly", true);
    whenModal<TMemoForm>(nullptr, [](TMemoForm &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Ansicht Memofeld Bemerkung"));
        EXPECT_TRUE(d.Memo->isReadOnly());
        EXPECT_FALSE(d.CancelBtn->isVisibleTo(&d));
        d.OKBtn->click();
    });
    ext->HandleNBBtn(nbMemoView, 0, 0);
    EXPECT_EQ(stamm->State(), dbe::TDataSetState::dsBrowse);
}

TEST(SelectFoundText, SelectsTheMatchInEditsAndEditableComboBoxes)
{
    QLineEdit edit(QStringLiteral("Lindau"));
    SelectFoundText(&edit, QStringLiteral("..nd.."), true);
    EXPECT_EQ(edit.selectionStart(), 2);
    EXPECT_EQ(edit.selectedText(), QStringLiteral("nd"));

    // Case matters only when asked for; a miss leaves the selection alone.
    SelectFoundText(&edit, QStringLiteral("LI.."), true);
    EXPECT_EQ(edit.selectedText(), QStringLiteral("nd"));
    SelectFoundText(&edit, QStringLiteral("LI.."), false);
    EXPECT_EQ(edit.selectedText(), QStringLiteral("Li"));

    QComboBox combo;
    combo.setEditable(true);
    combo.setEditText(QStringLiteral("Müller"));
    SelectFoundText(&combo, QStringLiteral("..ll.."), true);
    EXPECT_EQ(combo.lineEdit()->selectedText(), QStringLiteral("ll"));

    QComboBox fixedList; // no text to select in: nothing happens
    fixedList.addItem(QStringLiteral("Müller"));
    SelectFoundText(&fixedList, QStringLiteral("Müller"), true);
    SelectFoundText(nullptr, QStringLiteral("x"), true);
}

TEST(BookmarkRowMove, DraggedRowsBecomeNumbers)
{
    struct Case {
        std::vector<int> numbers;
        int from, to, oldNumber, newNumber;
    };
    const Case cases[] = {
        {{1, 2, 3}, 1, 3, 1, 3}, // down to the last row
        {{1, 5, 9}, 1, 2, 1, 8}, // down: just before the number below
        {{1, 2, 3}, 3, 1, 3, 1}, // up to the first row
        {{2, 5, 9}, 3, 2, 9, 3}, // up: just after the number above
    };
    for (const Case &c : cases) {
        const BookmarkMove m = bookmarkRowMove(c.numbers, c.from, c.to);
        EXPECT_EQ(m.oldNumber, c.oldNumber) << c.from << "->" << c.to;
        EXPECT_EQ(m.newNumber, c.newNumber) << c.from << "->" << c.to;
    }
}

TEST_F(DialogsTest, BookmarkDialogRenumbersDeletesAndJumps)
{
    TTableDefs *defs = ext->TableDefsOf(source.get());
    // Without bookmarks: the dialog command does nothing, the direct call informs.
    ext->HandleNBBtn(nbGotoBookmark, 0, 0);
    messages.expectInformation(QStringLiteral("Keine Lesezeichen für Tabelle Stamm.db definiert"));
    ext->ShowBookmarkDialog(stamm.get());
    EXPECT_TRUE(messages.verifyDone());

    for (int i = 1; i <= 3; ++i) {
        ext->HandleNBBtn(nbSetBookmark, 0, 0);
        stamm->Next();
    }
    ASSERT_EQ(defs->Bookmarks().Count(), 3);
    whenModal<TBMForm>("bookmark_dialog", [](TBMForm &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Lesezeichen [Stamm.db]"));
        EXPECT_EQ(d.BMGrid->horizontalHeaderItem(0)->text(), QStringLiteral("Nr"));
        EXPECT_EQ(d.BMGrid->rowCount(), 3);
        d.BMGridRowMoved(1, 3); // A1's bookmark goes last
        EXPECT_EQ(d.BMGrid->item(2, 0)->text(), QStringLiteral("3"));
        EXPECT_EQ(d.BMGrid->item(2, 1)->text(), QStringLiteral("A1"));
        d.BMGrid->selectRow(0);
        d.DelBtnClick(); // A2's bookmark, now number 1
        EXPECT_EQ(d.BMGrid->rowCount(), 2);
        d.BMGrid->selectRow(1);
        d.OKBtn->click();
    });
    ext->HandleNBBtn(nbGotoBookmark, 0, 0);
    EXPECT_EQ(current(*stamm), "A1");
    EXPECT_EQ(defs->Bookmarks().Count(), 2);
}

TEST_F(DialogsTest, FilterDialogChecksRowsAndFilters)
{
    focus(editGruppe);
    whenModal<TFilterForm>("filter_dialog", [this](TFilterForm &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Filterdefinition [Stamm.db]"));
        // The focused field is chosen in the first row.
        EXPECT_EQ(d.Feld[0]->currentText(), QStringLiteral("Gruppe"));
        EXPECT_EQ(d.Operator[0]->currentText(), QStringLiteral("Gleich"));
        EXPECT_TRUE(d.Operant[0]->isEnabled());
        EXPECT_EQ(d.Verkn[0]->currentText(), QStringLiteral("Und"));
        EXPECT_TRUE(d.Feld[1]->isEnabled());
        EXPECT_EQ(d.Feld[0]->findText(QStringLiteral("Bemerkung")), -1); // no memo fields

        d.Operant[0]->setText(QStringLiteral(".."));
        messages.expectError(QStringLiteral("Vor dem Wildcard muß wenigstens ein Zeichen stehen !"));
        d.OKBtn->click();
        EXPECT_TRUE(d.isVisible());

        d.ChooseField(1, QStringLiteral("Datum"));
        d.Operant[1]->setText(QStringLiteral("kein Datum"));
        d.Operant[0]->setText(QStringLiteral("li.."));
        messages.expectError(QStringLiteral("Eingabe nicht vom erwarteten Typ !"));
        d.OKBtn->click();
        EXPECT_TRUE(d.isVisible());

        d.Operator[1]->setCurrentText(QStringLiteral("Nicht leer"));
        emit d.Operator[1]->activated(d.Operator[1]->currentIndex());
        EXPECT_FALSE(d.Operant[1]->isEnabled());
        d.OKBtn->click();
    });
    ext->HandleNBBtn(nbTblFilter, 0, 0);
    EXPECT_TRUE(messages.verifyDone());
    EXPECT_EQ(ext->FilterState(), kFilterActive);
    EXPECT_EQ(vehicles(*stamm), QStringList({"A1", "A2"})); // "li.." ignores case, A4 has no date

    // Opened again it shows the rows as entered; OK without rows removes the filter.
    whenModal<TFilterForm>(nullptr, [](TFilterForm &d) {
        EXPECT_EQ(d.Feld[0]->currentText(), QStringLiteral("Gruppe"));
        EXPECT_EQ(d.Operant[0]->text(), QStringLiteral("li.."));
        EXPECT_EQ(d.Feld[1]->currentText(), QStringLiteral("Datum"));
        EXPECT_EQ(d.Operator[1]->currentText(), QStringLiteral("Nicht leer"));
        EXPECT_EQ(d.Verkn[0]->currentText(), QStringLiteral("Und"));
        d.DeleteRow(0);
        d.DeleteRow(1);
        d.OKBtn->click();
    });
    ext->HandleNBBtn(nbTblFilter, 0, 0);
    EXPECT_EQ(stamm->RecordCount(), 5);
    EXPECT_EQ(ext->FilterState(), 1);
}
