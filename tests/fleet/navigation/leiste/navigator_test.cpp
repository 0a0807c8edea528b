// The navigator bar on the extender's form: clicks, states, hints, auto-repeat.
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTimer>
#include <QTransform>

#include "extender_fixture.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/leiste/NavGlyphs.h"

using namespace nav;

using NavigatorTest = ExtenderFixture;

namespace {

void mouse(QWidget *w, QEvent::Type type)
{
    QMouseEvent event(type, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

} // namespace

TEST_F(NavigatorTest, ClickRunsTheCommandWithTheExtendersEvents)
{
    QList<int> seen;
    ext->BeforeHandleNBBtn = [&](TDBVexarion &, TDBVNavigateBtn &b, TShiftState &, int &) { seen << b; };
    ext->AfterHandleNBBtn = [&](TDBVexarion &, TDBVNavigateBtn &b, TShiftState &, int &) { seen << 100 + b; };
    bar->Button(nbLast)->click();
    EXPECT_EQ(current(*stamm), "B5");
    EXPECT_EQ(seen, QList<int>({nbLast, 100 + nbLast}));
    EXPECT_FALSE(bar->Button(nbNext)->isEnabled());
    EXPECT_TRUE(bar->Button(nbFirst)->isEnabled());

    // OnClick may change the command.
    bar->OnClick = [](TDBVNavigator &, TDBVNavigateBtn &b, TShiftState &) { b = nbFirst; };
    bar->ClickNavButton(nbPrior);
    EXPECT_EQ(current(*stamm), "A1");

    // The user button fires its own event and the extender's Before event only.
    int userClicks = 0;
    bar->OnClick = nullptr;
    bar->OnUserBtnClick = [&](TDBVNavigator &) { ++userClicks; };
    seen.clear();
    bar->ClickNavButton(nbUserBtn);
    EXPECT_EQ(userClicks, 1);
    EXPECT_EQ(seen, QList<int>({nbUserBtn}));

    // A closed data set: the click reaches nothing, and only the user button stays enabled.
    stamm->Close();
    seen.clear();
    bar->ClickNavButton(nbFirst);
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_FALSE(bar->Button(nbFirst)->isEnabled());
    EXPECT_TRUE(bar->Button(nbUserBtn)->isEnabled());
}

TEST_F(NavigatorTest, ToggleButtonsShowSearchFilterAndEditState)
{
    bar->ClickNavButton(nbSearchInc);
    EXPECT_TRUE(ext->IncSearchOn());
    EXPECT_TRUE(bar->Button(nbSearchInc)->isChecked());
    EXPECT_FALSE(bar->Button(nbInsert)->isEnabled());
    bar->ClickNavButton(nbSearchInc);
    EXPECT_FALSE(bar->Button(nbSearchInc)->isChecked());

    // A filter: defined and switched on, then off again through the button.
    TFilterDefinition rows{};
    rows[0].FeldName = QStringLiteral("Gruppe");
    rows[0].Operator = 3;
    rows[0].Wert = QStringLiteral("Li..");
    ext->ApplyTableFilterDef(stamm.get(), rows, 1, true);
    EXPECT_EQ(ext->FilterState(), kFilterActive);
    EXPECT_EQ(vehicles(*stamm), QStringList({"A1", "A2"}));
    EXPECT_TRUE(bar->Button(nbActiveFilter)->isChecked());
    EXPECT_TRUE(bar->FilterClearItem()->isEnabled());
    EXPECT_EQ(status->text(), QStringLiteral("1 [Stamm.db]"));
    bar->ClickNavButton(nbActiveFilter);
    EXPECT_EQ(ext->FilterState(), kFilterDefined);
    EXPECT_FALSE(bar->Button(nbActiveFilter)->isChecked());
    EXPECT_EQ(stamm->RecordCount(), 5);
    bar->FilterClearItem()->trigger();
    EXPECT_EQ(ext->FilterState(), 1);
    EXPECT_FALSE(bar->FilterClearItem()->isEnabled());
}

TEST_F(NavigatorTest, FilterSaveAndLoadGoThroughTheFileDialogs)
{
    ui::testing::FakeDialogs dialogs;
    TFilterDefinition rows{};
    rows[0].FeldName = QStringLiteral("Gruppe");
    rows[0].Operator = 3;
    rows[0].Wert = QStringLiteral("Bus");
    ext->ApplyTableFilterDef(stamm.get(), rows, 1, true);
    const QString file = QString::fromStdString((dir / "bus.TFD").string());
    dialogs.answerFile(file);
    bar->SaveFilter();
    ASSERT_EQ(dialogs.fileRequests.size(), 1);
    EXPECT_EQ(dialogs.fileRequests[0].title, QStringLiteral("Speichere Filter für [Stamm.db]"));
    EXPECT_EQ(dialogs.fileRequests[0].filter, QStringLiteral("Filterdefinitionen (*.TFD)|*.TFD"));
    ext->ClearTableFilter(stamm.get());
    EXPECT_EQ(stamm->RecordCount(), 5);
    dialogs.answerFile(file);
    bar->LoadFilter();
    EXPECT_EQ(dialogs.fileRequests[1].title, QStringLiteral("Lade Filter für [Stamm.db]"));
    EXPECT_EQ(vehicles(*stamm), QStringList({"B5"}));
    EXPECT_EQ(ext->FilterState(), kFilterActive);
}

TEST_F(NavigatorTest, HintsCarryShortcutsWhileTheyAreInForce)
{
    EXPECT_EQ(bar->Button(nbNext)->toolTip(), QStringLiteral("Nächster Datensatz [Bild ab]"));
    bar->SetHints({QString(), QString(), QString(), QString(), QStringLiteral("Lesezeichenverwaltung")});
    EXPECT_EQ(bar->Button(nbGotoBookmark)->toolTip(), QStringLiteral("Lesezeichenverwaltung [Strg+Q]"));
    EXPECT_EQ(bar->Button(nbSearch)->toolTip(), QStringLiteral("Feldwert suchen [Strg+S]"));
    ext->SetInterfacesNormal(ieNavbars | ieDisplay);
    EXPECT_EQ(bar->Button(nbNext)->toolTip(), QStringLiteral("Nächster Datensatz"));
    ext->SetInterfacesNormal(ieDisplay);
    EXPECT_FALSE(bar->Button(nbNext)->isEnabled());
}

TEST_F(NavigatorTest, HeldRepeatButtonClicksOnPressThenByTimer)
{
    TDBVNavButton *next = bar->Button(nbNext);
    form->show();
    mouse(next, QEvent::MouseButtonPress);
    EXPECT_EQ(current(*stamm), "A2");
    ASSERT_NE(next->RepeatTimer(), nullptr);
    EXPECT_EQ(next->RepeatTimer()->interval(), 400);
    next->RepeatTick();
    EXPECT_EQ(current(*stamm), "A3");
    EXPECT_EQ(next->RepeatTimer()->interval(), 100);
    next->RepeatTick();
    EXPECT_EQ(current(*stamm), "A4");
    mouse(next, QEvent::MouseButtonRelease);
    EXPECT_FALSE(next->RepeatTimer()->isActive());
    EXPECT_EQ(current(*stamm), "A4"); // the release adds no click
}

TEST_F(NavigatorTest, StaticBarLaysItselfOutAndScreenshot)
{
    bar->SetVisibleButtons(defaultVisibleButtons());
    form->resize(900, 300);
    form->show();
    const QSize size = bar->size();
    EXPECT_EQ(size, staticBarSize(bar->Geometry()));
    EXPECT_EQ(size.width(), 27 * 25 + 30);
    stamm->Next();
    const QImage shot = bar->grab().toImage();
    EXPECT_EQ(shot.size(), size);
    shot.save(QStringLiteral("/tmp/nav2_navigator_bar.png"));
}

TEST_F(NavigatorTest, IncrementalSearchBoxShowsTheSearchText)
{
    ext->SetUseTextIncSrchBtn(true);
    auto *box = dynamic_cast<TDBVNavIncSrch *>(bar->Button(nbSearchInc));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(bar->size().width(), staticBarSize(bar->Geometry()).width());
    focus(editGruppe);
    bar->ClickNavButton(nbSearchInc);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(press(Qt::Key_L, Qt::NoModifier, QStringLiteral("l")));
    EXPECT_EQ(box->Text, QStringLiteral("l"));
    EXPECT_EQ(status->text(), QStringLiteral("1 von 5 [Stamm.db] Suchmodus"));
    form->show();
    bar->grab().save(QStringLiteral("/tmp/nav2_navigator_incsearch.png"));

    // A scrolling bar has no box.
    bar->SetNavStyle(TNavStyle::nsScrollLeftRight);
    EXPECT_EQ(dynamic_cast<TDBVNavIncSrch *>(bar->Button(nbSearchInc)), nullptr);
    bar->SetUseNISBtn(true);
    EXPECT_FALSE(bar->UseNISBtn());
}

// The button images are drawn when first shown: a vertical bar's move images
// are the horizontal ones turned a quarter, and the disabled image is the
// icon's own greyed one.
TEST(NavGlyphs, VerticalImagesTurnAndDisabledOnesAreGreyed)
{
    const QImage next = nav::navGlyph(QStringLiteral("NEXT")).pixmap(16, 16).toImage();
    const QImage turned = nav::navGlyph(QStringLiteral("NEXT"), true).pixmap(16, 16).toImage();
    ASSERT_FALSE(next.isNull());
    EXPECT_NE(next, QImage(next.size(), next.format())); // something is drawn
    EXPECT_EQ(turned, next.transformed(QTransform().rotate(90)));
    // Images that do not turn stay as they are on a vertical bar.
    EXPECT_EQ(nav::navGlyph(QStringLiteral("SEARCH"), true).pixmap(16, 16).toImage(),
              nav::navGlyph(QStringLiteral("SEARCH")).pixmap(16, 16).toImage());
    const QIcon icon = nav::navGlyph(QStringLiteral("NEXT"));
    EXPECT_NE(icon.pixmap(16, 16, QIcon::Disabled).toImage(), icon.pixmap(16, 16).toImage());
}
