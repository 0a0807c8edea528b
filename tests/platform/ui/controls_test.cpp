#include <memory>

#include <QApplication>
#include <QCalendarWidget>
#include <QCompleter>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Connect.h"
#include "ui/DatePicker.h"
#include "ui/FormBase.h"
#include "ui/PageControl.h"
#include "ui/PopupMenu.h"
#include "ui/RadioGroup.h"
#include "ui/StylePixmaps.h"
#include "ui/testing/ScriptedMessages.h"
#include "ui_test_main.h"

using namespace ui;
using ui::testing::ScriptedMessages;

namespace {

QPoint tabCentre(QTabBar *bar, int index)
{
    return bar->tabRect(index).center();
}

// What an editable box shows of itself and of its drop-down, as text; with
// its completer, unless it has not made it yet.
QString editableBoxState(QComboBox &box, bool withCompleter = true)
{
    QStringList s;
    QLineEdit *editor = box.lineEdit();
    s << QString::number(box.isEditable()) << QString::number(box.focusPolicy())
      << QString::number(box.testAttribute(Qt::WA_Resized)) << QString::number(box.width())
      << QString::number(box.height()) << QString::number(editor->hasFrame())
      << QString::number(editor->focusProxy() == &box) << editor->palette().color(QPalette::Base).name()
      << QString::number(editor->geometry().width());
    if (withCompleter) {
        const QCompleter *completer = editor->completer();
        if (!completer)
            return QStringLiteral("no completer");
        s << QString::number(completer->completionMode()) << QString::number(completer->caseSensitivity())
          << QString::number(completer->completionColumn())
          << QString::number(completer->model() == box.model())
          << QString::number(completer->widget() == &box) << QString::number(completer->parent() == editor);
    }
    QAbstractItemView *view = box.view();
    QWidget *dropDown = view->parentWidget();
    s << QString::fromLatin1(view->metaObject()->className())
      << QString::fromLatin1(box.itemDelegate()->metaObject()->className())
      << QString::number(view->verticalScrollBarPolicy()) << QString::number(view->hasMouseTracking())
      << QString::number(view->textElideMode()) << dropDown->palette().color(QPalette::Base).name()
      << QString::number(dropDown->contentsMargins().top()) << QString::number(int(dropDown->windowFlags()));
    return s.join(QLatin1Char(' '));
}

} // namespace

class ControlsTest : public QObject {
    Q_OBJECT
private slots:
    // The program's style reads the standard icons it defers when they are
    // first drawn: they look exactly as the base style's.
    void standardIconsLookAsTheBaseStylesWhetherDeferredOrNot()
    {
        auto *programStyle = qobject_cast<QProxyStyle *>(QApplication::style());
        QVERIFY(programStyle);
        std::unique_ptr<QStyle> base(QStyleFactory::create(programStyle->baseStyle()->name()));
        QVERIFY(base);
        for (const QStyle::StandardPixmap pixmap :
             {QStyle::SP_ArrowLeft, QStyle::SP_ArrowRight, QStyle::SP_ToolBarHorizontalExtensionButton,
              QStyle::SP_ComputerIcon, QStyle::SP_DialogOkButton}) {
            const QIcon icon = QApplication::style()->standardIcon(pixmap);
            const QIcon expected = base->standardIcon(pixmap);
            QVERIFY(!icon.isNull());
            for (const int size : {16, 48}) {
                QCOMPARE(icon.actualSize(QSize(size, size)), expected.actualSize(QSize(size, size)));
                QCOMPARE(icon.pixmap(size, size).toImage(), expected.pixmap(size, size).toImage());
            }
        }
    }

    // The style's pictures read ahead are the very pixmaps the style's own
    // loading then finds, so its first painting reads no file.
    void stylePixmapsReadAheadAreWhatTheStyleLoads()
    {
        QPixmapCache::clear();
        const std::vector<StylePixmap> read = preloadStylePixmaps();
        QVERIFY(!read.empty());
        for (const StylePixmap &picture : read) {
            QVERIFY(!picture.pixmap.isNull());
            QCOMPARE(QPixmap(picture.path).cacheKey(), picture.pixmap.cacheKey());
        }
    }

    // Setting a radio group's item or a check box in code fires the click
    // handler (only on a change); setting a combo box's item or a date
    // picker's date in code does not fire the change handler.
    void eventMappingOfCodeChanges()
    {
        RadioGroup radio;
        radio.setItems({"Alle", "Monat", "Jahr"});
        int radioClicks = 0;
        on(&radio, &RadioGroup::onClick, &radio, [&] { ++radioClicks; });
        radio.setItemIndex(0);
        QCOMPARE(radioClicks, 1);
        radio.setItemIndex(0); // already chosen
        QCOMPARE(radioClicks, 1);
        radio.setItemIndex(2);
        QCOMPARE(radioClicks, 2);
        QCOMPARE(radio.itemIndex(), 2);
        radio.setItemIndex(-1); // no item: nothing fires
        QCOMPARE(radioClicks, 2);
        QCOMPARE(radio.itemIndex(), -1);

        CheckBox check;
        int checkClicks = 0;
        on(&check, &CheckBox::onClick, &check, [&] { ++checkClicks; });
        check.setChecked(true);
        check.setChecked(true);
        check.setChecked(false);
        QCOMPARE(checkClicks, 2);

        ComboBox combo;
        combo.addItems({"Januar", "Februar", "März"});
        int comboChanges = 0;
        on(&combo, &ComboBox::onChange, &combo, [&] { ++comboChanges; });
        combo.setItemIndex(2);
        combo.setText(QStringLiteral("Februar"));
        QCOMPARE(combo.itemIndex(), 1);
        QCOMPARE(comboChanges, 0);

        DatePicker picker;
        int pickerChanges = 0;
        on(&picker, &DatePicker::onChange, &picker, [&] { ++pickerChanges; });
        picker.setValue(base::encodeDate(2024, 2, 29));
        picker.setDate(QDate(2023, 1, 1));
        QCOMPARE(pickerChanges, 0);
        QCOMPARE(picker.text(), QStringLiteral("01.01.2023"));
    }

    void eventMappingOfUserChanges()
    {
        QWidget form;
        auto *layout = new QVBoxLayout(&form);
        auto *radio = new RadioGroup;
        radio->setItems({"Diesen Fahrer", "Alle Fahrer"});
        auto *combo = new ComboBox;
        combo->addItems({"Januar", "Februar"});
        auto *picker = new DatePicker;
        picker->setValue(base::encodeDate(2024, 5, 10));
        for (QWidget *w :
             {static_cast<QWidget *>(radio), static_cast<QWidget *>(combo), static_cast<QWidget *>(picker)})
            layout->addWidget(w);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        int radioClicks = 0, comboChanges = 0, pickerChanges = 0;
        on(radio, &RadioGroup::onClick, radio, [&] { ++radioClicks; });
        on(combo, &ComboBox::onChange, combo, [&] { ++comboChanges; });
        on(picker, &DatePicker::onChange, picker, [&] { ++pickerChanges; });

        QTest::mouseClick(radio->button(1), Qt::LeftButton);
        QCOMPARE(radioClicks, 1);
        QCOMPARE(radio->itemIndex(), 1);

        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down); // the user picks the next month
        QCOMPARE(combo->itemIndex(), 1);
        QCOMPARE(comboChanges, 1);

        picker->setFocus();
        picker->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(picker, Qt::Key_Up);
        QCOMPARE(pickerChanges, 1);
        QCOMPARE(picker->value(), base::encodeDate(2024, 5, 11));

        // The calendar is made when it first drops down; each closing is a close-up,
        // a day chosen in it a change.
        QVERIFY(!picker->findChild<QCalendarWidget *>());
        int closeUps = 0;
        on(picker, &DatePicker::onCloseUp, picker, [&] { ++closeUps; });
        for (int round = 1; round <= 2; ++round) {
            QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->width() - 6, picker->height() / 2));
            auto *calendar = picker->findChild<QCalendarWidget *>();
            QVERIFY(calendar);
            QTRY_VERIFY(calendar->window()->isVisible());
            QCOMPARE(calendar->selectedDate(), QDate(2024, 5, 10 + round));
            QCOMPARE(closeUps, round - 1);
            calendar->setSelectedDate(QDate(2024, 5, 11 + round));
            emit calendar->activated(calendar->selectedDate()); // chosen: the popup closes
            QTRY_COMPARE(closeUps, round);
            QCOMPARE(picker->value(), base::encodeDate(2024, 5, 11 + round));
            QCOMPARE(pickerChanges, 1 + round);
        }
    }

    // A date or time typed after a click into the field is taken as typed,
    // wherever the cursor was; text that is no date keeps the value and says so.
    void typedTextIsTakenAsTyped_data()
    {
        QTest::addColumn<bool>("isTime");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("finish"); // the key that ends the typing
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        const int enter = Qt::Key_Return, tab = Qt::Key_Tab, esc = Qt::Key_Escape;
        QTest::newRow("whole date") << false << "10.03.2026" << enter << "10.03.2026"
                                    << "";
        QTest::newRow("short date") << false << "1.3.26" << tab << "01.03.2026"
                                    << "";
        QTest::newRow("day only") << false << "7" << enter << "07.05.2024"
                                  << "";
        QTest::newRow("day and month") << false << "24.12." << enter << "24.12.2024"
                                       << "";
        QTest::newRow("no such day") << false << "31.02.2026" << enter << "10.05.2024"
                                     << "'31.02.2026' ist kein gültiges Datum";
        QTest::newRow("escape drops") << false << "10.03.2026" << esc << "10.05.2024"
                                      << "";
        QTest::newRow("time") << true << "8:30" << enter << "08:30:00"
                              << "";
        QTest::newRow("hour only") << true << "17" << tab << "17:00:00"
                                   << "";
        QTest::newRow("no such time") << true << "25:00" << enter << "12:00:00"
                                      << "'25:00' ist keine gültige Zeit";
    }

    void typedTextIsTakenAsTyped()
    {
        QFETCH(bool, isTime);
        QFETCH(QString, typed);
        QFETCH(int, finish);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        ScriptedMessages boxes;
        if (!message.isEmpty())
            boxes.expectError(message);
        QWidget form;
        auto *layout = new QVBoxLayout(&form);
        auto *picker = new DatePicker(isTime ? DatePicker::Kind::Time : DatePicker::Kind::Date);
        picker->setValue(isTime ? base::encodeTime(12, 0, 0) : base::encodeDate(2024, 5, 10));
        layout->addWidget(picker);
        layout->addWidget(new QLineEdit); // somewhere for Tab to go
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        int changes = 0;
        on(picker, &DatePicker::onChange, picker, [&] { ++changes; });

        // A click puts the cursor into some section, as a user's click does.
        picker->setFocus();
        QTest::mouseClick(picker->findChild<QLineEdit *>(), Qt::LeftButton, {}, QPoint(12, 5));
        QTest::keyClicks(picker, typed);
        QCOMPARE(picker->findChild<QLineEdit *>()->text(), typed);
        QTest::keyClick(picker, Qt::Key(finish));
        QCOMPARE(picker->text(), shown);
        QVERIFY(boxes.verifyDone());
        QCOMPARE(changes, message.isEmpty() && finish != Qt::Key_Escape ? 1 : 0);
    }

    // The user picks a tab: the veto runs while the old page is active and
    // can keep it; changing the page in code runs no handler.
    void pageChangeVetoAndChangeEvent()
    {
        ScriptedMessages boxes;
        PageControl pages;
        TabSheet *master = pages.addPage(QStringLiteral("TabStammDaten"), QStringLiteral("Stammdaten"));
        TabSheet *tours = pages.addPage(QStringLiteral("TabTouren"), QStringLiteral("Touren"));
        TabSheet *costs = pages.addPage(QStringLiteral("TabKosten"), QStringLiteral(" Var. Kosten"));
        pages.resize(500, 300);
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));

        bool refuse = true;
        QStringList log;
        on(&pages, &PageControl::onChanging, &pages, [&](bool &allowChange) {
            log << QStringLiteral("changing:") + pages.activePage()->objectName();
            if (refuse) {
                messages().warning(QStringLiteral("Bitte speichern Sie zunächst das neue Fahrzeug ab"));
                allowChange = false;
            }
        });
        on(&pages, &PageControl::onChange, &pages,
           [&] { log << QStringLiteral("change:") + pages.activePage()->objectName(); });

        boxes.expectWarning(QStringLiteral("Bitte speichern Sie zunächst das neue Fahrzeug ab"));
        QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, tabCentre(pages.tabBar(), 1));
        QCOMPARE(pages.activePage(), master);
        QCOMPARE(pages.tabBar()->currentIndex(), 0);
        QCOMPARE(log, QStringList{"changing:TabStammDaten"});

        refuse = false;
        QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, tabCentre(pages.tabBar(), 1));
        QCOMPARE(pages.activePage(), tours);
        QCOMPARE(log, (QStringList{"changing:TabStammDaten", "changing:TabStammDaten", "change:TabTouren"}));

        log.clear();
        pages.setActivePage(costs);
        QCOMPARE(pages.activePage(), costs);
        QCOMPARE(pages.tabBar()->currentIndex(), 2);
        QVERIFY(log.isEmpty());

        // Ctrl+Tab from a control on the page is the user's change too.
        auto *edit = new QLineEdit(costs);
        edit->show();
        QTest::keyClick(edit, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(pages.activePage(), master);
        QCOMPARE(log, (QStringList{"changing:TabKosten", "change:TabStammDaten"}));
        QTest::keyClick(&pages, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(pages.activePage(), costs);
    }

    // Sized by the active page, the pages ask for that page's room only, and
    // the window grows when a page that needs more becomes active; otherwise
    // the largest page counts, as in Qt.
    void sizedByActivePage()
    {
        for (const bool byActivePage : {false, true}) {
            PageControl pages;
            pages.addPage(QStringLiteral("TabKlein"), QStringLiteral("Klein"));
            TabSheet *large = pages.addPage(QStringLiteral("TabGross"), QStringLiteral("Groß"));
            auto *inhalt = new QVBoxLayout(large);
            auto *block = new QWidget;
            block->setMinimumSize(600, 400);
            inhalt->addWidget(block);
            pages.setSizedByActivePage(byActivePage);
            pages.resize(300, 200);
            pages.show();
            QVERIFY(QTest::qWaitForWindowExposed(&pages));
            QCOMPARE(pages.minimumSizeHint().width() >= 600, !byActivePage);
            QCOMPARE(pages.width() >= 600, !byActivePage);

            pages.setActivePage(large);
            QTRY_VERIFY(pages.width() >= 600 && pages.height() >= 400);
            QVERIFY(pages.minimumSizeHint().width() >= 600);
            QCOMPARE(block->size().expandedTo(QSize(600, 400)), block->size());
        }
    }

    void hiddenTabsAndDisabledPages()
    {
        PageControl pages;
        TabSheet *first = pages.addPage(QStringLiteral("TabA"), QStringLiteral("A"));
        TabSheet *second = pages.addPage(QStringLiteral("TabB"), QStringLiteral("B"));
        TabSheet *third = pages.addPage(QStringLiteral("TabC"), QStringLiteral("C"));
        auto *edit = new QLineEdit(third);
        int events = 0;
        on(&pages, &PageControl::onChange, &pages, [&] { ++events; });

        second->setTabVisible(false);
        QVERIFY(!pages.tabBar()->isTabVisible(1));
        pages.setActivePage(second); // a page without tab is not shown
        QCOMPARE(pages.activePage(), first);

        third->setEnabled(false);
        pages.setActivePage(third); // a disabled page can be shown, its controls are disabled
        QCOMPARE(pages.activePage(), third);
        QVERIFY(!edit->isEnabled());

        third->setTabVisible(false); // hiding the active page's tab shows another page
        QVERIFY(pages.activePage() != third);
        QCOMPARE(pages.activePage(), pages.page(pages.tabBar()->currentIndex()));
        QCOMPARE(events, 0);

        second->setCaption(QStringLiteral("Bneu"));
        second->setTabVisible(true);
        QCOMPARE(pages.tabBar()->tabText(1), QStringLiteral("Bneu"));
    }

    void modalResultsCloseQueryAndCloseBox()
    {
        FormBase form(QStringLiteral("TerminInfoDlg"));
        auto *abort = make<QPushButton>(&form, "BitBtnTerminInfoAbbruch", QStringLiteral("&Abbrechen"));
        auto *ok = make<QPushButton>(&form, "BitBtnOk", QStringLiteral("OK"));
        auto *layout = new QVBoxLayout(&form);
        layout->addWidget(abort);
        layout->addWidget(ok);
        form.setButtonResult(abort, mrAbort);
        form.setButtonResult(ok, mrOk);
        QCOMPARE(form.objectName(), QStringLiteral("TerminInfoDlg"));
        QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("BitBtnOk")), ok);

        bool mayClose = true;
        int shows = 0, closes = 0;
        on(&form, &FormBase::formShow, &form, [&] { ++shows; });
        on(&form, &FormBase::formCloseQuery, &form, [&](bool &canClose) { canClose = mayClose; });
        on(&form, &FormBase::formClose, &form, [&](CloseAction &) { ++closes; });

        QTimer::singleShot(0, abort, [abort] { abort->click(); });
        QCOMPARE(form.showModal(), int(mrAbort));

        QTimer::singleShot(0, &form, [&form] { form.close(); }); // the close box
        QCOMPARE(form.showModal(), int(mrCancel));

        // A refused close query keeps the form open and forgets the result.
        QTimer::singleShot(0, ok, [&] {
            mayClose = false;
            ok->click();
            QVERIFY(form.isVisible());
            QCOMPARE(form.modalResult(), int(mrNone));
            mayClose = true;
            ok->click();
        });
        QCOMPARE(form.showModal(), int(mrOk));
        QCOMPARE(shows, 3);
        QCOMPARE(closes, 3);
    }

    void closeActionNoneKeepsAModelessFormOpen()
    {
        FormBase form(QStringLiteral("HilfeFormular"));
        CloseAction wanted = CloseAction::None;
        on(&form, &FormBase::formClose, &form, [&](CloseAction &action) { action = wanted; });
        form.show();
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        wanted = CloseAction::Hide;
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
    }

    void activationEventsAndFormsMadeOnFirstUse()
    {
        FormBase first(QStringLiteral("HauptFormular"));
        FormBase second(QStringLiteral("FahrerStammdatenFormular"));
        QStringList log;
        for (FormBase *form : {&first, &second}) {
            on(form, &FormBase::formActivate, form, [&log, form] { log << "an:" + form->objectName(); });
            on(form, &FormBase::formDeactivate, form, [&log, form] { log << "aus:" + form->objectName(); });
        }
        first.show();
        first.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&first));
        second.show();
        second.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&second));
        QCOMPARE(log, (QStringList{"an:HauptFormular", "aus:HauptFormular", "an:FahrerStammdatenFormular"}));
        first.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&first));
        QCOMPARE(log.mid(3), (QStringList{"aus:FahrerStammdatenFormular", "an:HauptFormular"}));

        // A message box of the form is no other form: showing it does not
        // deactivate the form, and the form taking the activation back after
        // it is no new activation (a window manager gives it back).
        bool boxAktiv = false;
        QTimer::singleShot(0, [&] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                boxAktiv = QTest::qWaitForWindowActive(box);
                box->close();
            }
        });
        QMessageBox::information(&first, QStringLiteral("Hinweis"), QStringLiteral("Gespeichert"));
        QVERIFY(boxAktiv);
        first.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&first));
        QCOMPARE(log.size(), 5);

        FormOnFirstUse<FormBase> later;
        QVERIFY(!later.created());
        FormBase &made = later.get(QStringLiteral("DispoFFFormular"));
        QVERIFY(later.created());
        QCOMPARE(&later.get(QStringLiteral("anders")), &made); // made once
        QCOMPARE(made.objectName(), QStringLiteral("DispoFFFormular"));
    }

    // A box becomes editable without making its drop-down, which it makes
    // when first asked for: the box and its drop-down come out as the ones
    // QComboBox makes as it becomes editable, before and after the first
    // opening, with the list of its own or with a table put in.
    void anEditableBoxIsTheSameWithItsDropDownMadeLater()
    {
        for (const bool table : {false, true}) {
            QWidget form;
            auto *layout = new QVBoxLayout(&form);
            auto *ours = new ComboBox(&form);
            auto *qts = new QComboBox(&form);
            for (QComboBox *box : {static_cast<QComboBox *>(ours), qts}) {
                box->addItems(
                    {QStringLiteral("Kombi"), QStringLiteral("Transporter"), QStringLiteral("Bus")});
                layout->addWidget(box);
            }
            QPalette yellow = form.palette();
            yellow.setColor(QPalette::Base, Qt::yellow);
            ours->setEditable(true);
            qts->setEditable(true);
            QVERIFY(ours->findChildren<QFrame *>(QString(), Qt::FindDirectChildrenOnly).isEmpty());
            ours->setPalette(yellow);
            qts->setPalette(yellow);
            if (table) {
                ours->setView(new QTableView);
                qts->setView(new QTableView);
            }
            QCOMPARE(editableBoxState(*ours, false), editableBoxState(*qts, false));
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            for (QComboBox *box : {static_cast<QComboBox *>(ours), qts}) {
                box->showPopup();
                box->hidePopup();
            }
            QCOMPARE(editableBoxState(*ours, false), editableBoxState(*qts, false));
            for (QComboBox *box : {static_cast<QComboBox *>(ours), qts}) {
                box->setFocus(); // the completer works in the box the user is in
                QTRY_VERIFY(box->hasFocus());
                box->setEditText(QString());
                QTest::keyClicks(box, QStringLiteral("Tr"));
                QCOMPARE(box->currentText(), QStringLiteral("Transporter")); // completes inline
            }
            QCOMPARE(editableBoxState(*ours), editableBoxState(*qts));
        }
    }

    // Keys typed into a box or straight into its editor before the box ever
    // had the focus find the completer Qt's box has.
    void typingIntoAnEditorNeverFocusedCompletes()
    {
        for (const bool intoEditor : {false, true}) {
            ComboBox ours;
            QComboBox qts;
            for (QComboBox *box : {static_cast<QComboBox *>(&ours), &qts})
                box->addItems({QStringLiteral("Kombi"), QStringLiteral("Transporter")});
            ours.setEditable(true);
            qts.setEditable(true);
            QCOMPARE(editableBoxState(ours), QStringLiteral("no completer"));
            for (QComboBox *box : {static_cast<QComboBox *>(&ours), &qts}) {
                box->setEditText(QString());
                QTest::keyClicks(intoEditor ? static_cast<QWidget *>(box->lineEdit()) : box,
                                 QStringLiteral("tr"));
            }
            QCOMPARE(ours.currentText(), qts.currentText());
            QCOMPARE(editableBoxState(ours), editableBoxState(qts));
        }
        // A box no longer editable has lost its editor; coming to it again is harmless.
        ComboBox box;
        box.addItems({QStringLiteral("Kombi"), QStringLiteral("Transporter")});
        box.setEditable(true);
        box.setEditable(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::keyClick(&box, Qt::Key_Down);
        QCOMPARE(box.currentText(), QStringLiteral("Transporter"));
        box.setEditable(true);
        QVERIFY(box.lineEdit());
    }

    void popupMenuKnowsTheControlItWasOpenedOn()
    {
        QWidget form;
        auto *edit = new QLineEdit(&form);
        PopupMenu menu(&form);
        QAction *roll = menu.addItem("NchstenTermin1", QStringLiteral("Termin fortschreiben"));
        menu.addItem("Abbrechen1", QStringLiteral("Abbrechen"));
        menu.attachTo(edit);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget *component = nullptr;
        on(roll, &QAction::triggered, &menu, [&] { component = menu.popupComponent(); });
        emit edit->customContextMenuRequested(QPoint(2, 2));
        QVERIFY(menu.isVisible());
        roll->trigger();
        menu.close();
        QCOMPARE(component, edit);
        QCOMPARE(roll->objectName(), QStringLiteral("NchstenTermin1"));
    }
};

UI_TEST_MAIN(ControlsTest)
#include "controls_test.moc"
