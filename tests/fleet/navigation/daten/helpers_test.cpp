#include <QCoreApplication>
#include <QKeyEvent>

#include "base/GermanFormat.h"
#include "dbe/EngineCursor.h"
#include "nav_db_fixture.h"
#include "navigation/daten/DataSetHelpers.h"
#include "navigation/daten/EngineRecordValues.h"
#include "navigation/daten/FieldCopy.h"
#include "navigation/gemeinsam/NavExceptions.h"
#include "navigation/gemeinsam/TextHelpers.h"
#include "navigation/gemeinsam/UserFeedback.h"
#include "navigation/suche/RecordSearch.h"
#include "ui/Hourglass.h"
#include "ui/ScreenCursor.h"

using namespace nav;

namespace {

class Helpers : public NavDbFixture {};

QCoreApplication &app()
{
    static int argc = 1;
    static char name[] = "test";
    static char *argv[] = {name, nullptr};
    // Kept to the end of the process: its teardown would race the services' statics.
    static auto *instance = new QCoreApplication(argc, argv);
    return *instance;
}

// Counts the key presses that reach it.
class KeyCounter : public QObject {
public:
    int keys = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::KeyPress)
            ++keys;
        return QObject::event(e);
    }
};

SearchMatcher prefix(const char *pattern)
{
    const QString p = QString::fromUtf8(pattern);
    return SearchMatcher{p, [p](const QString &text) { return text.startsWith(p, Qt::CaseInsensitive); }};
}

} // namespace

TEST(TextHelpers, SmallRoutines)
{
    EXPECT_EQ(SplitFieldList(QStringLiteral(";KfzNr;;Datum;"), false), (QStringList{"KfzNr", "Datum"}));
    EXPECT_EQ(SplitFieldList(QStringLiteral("kfznr;Datum"), true), (QStringList{"KFZNR", "DATUM"}));
    int value = 0;
    TShiftState flags = 0;
    DecodeFlagWord(0x6053, value, flags);
    EXPECT_EQ(value, 0x53);
    EXPECT_EQ(flags, ssShift | ssCtrl);
    DecodeFlagWord(0x8041, value, flags);
    EXPECT_EQ(flags, ssAlt);
    QString f, t;
    BooleanTexts(QString(), f, t);
    EXPECT_EQ(f, QStringLiteral("Falsch"));
    EXPECT_EQ(t, QStringLiteral("Wahr"));
    BooleanTexts(QStringLiteral("Ja;Nein"), f, t);
    EXPECT_EQ(f, QStringLiteral("Nein"));
    EXPECT_EQ(t, QStringLiteral("Ja"));
    EXPECT_EQ(IntToStrWidth(7, 3), QStringLiteral("  7"));
    EXPECT_EQ(IntToStrWidth(1234, 0), QStringLiteral("1234"));
    EXPECT_EQ(FirstNonEmpty(QString(), QStringLiteral("b")), QStringLiteral("b"));
}

TEST(UserAbort, KeysAreConsumedAndOnlyEscapeAborts)
{
    app();
    KeyCounter target;
    QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    EXPECT_NO_THROW(CheckUserAbort());
    QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    try {
        CheckUserAbort();
        ADD_FAILURE() << "no abort";
    } catch (const EUserAbort &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Operation abgebrochen"));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(target.keys, 0);
    EXPECT_NO_THROW(CheckUserAbort());
}

TEST_F(Helpers, ClonesRecordNumbersAndCaptions)
{
    auto t = table("Stamm.db");
    t->SetIndexName(QStringLiteral("ByGruppe"));
    ASSERT_TRUE(t->Locate("KfzNr", QStringLiteral("A2")));
    auto clone = CloneTable(*t, true, true, true);
    EXPECT_EQ(clone->IndexName(), QStringLiteral("ByGruppe"));
    EXPECT_TRUE(clone->ReadOnly());
    EXPECT_EQ(current(*clone), QStringLiteral("A2"));
    EXPECT_EQ(DataSetCaption(t.get()), QStringLiteral("Stamm.db"));
    EXPECT_EQ(DataSetCaption(nullptr), QString());

    t->SetIndexName(QString());
    t->First();
    t->Next();
    EXPECT_EQ(EngineRecordNumber(t.get()), 2);
    EXPECT_EQ(EngineRecordTotal(t.get()), 5);
    t->Insert();
    EXPECT_EQ(EngineRecordNumber(t.get()), 0);
    t->Cancel();
    EXPECT_EQ(EngineRecordNumber(nullptr), 0);
    t->Close();
    EXPECT_EQ(EngineRecordTotal(t.get()), 0);
}

TEST_F(Helpers, IndexFieldQuestions)
{
    auto t = table("Stamm.db");
    t->SetIndexFieldNames(QStringLiteral("Gruppe;Km"));
    EXPECT_EQ(FirstIndexFieldName(*t), QStringLiteral("Gruppe"));
    EXPECT_TRUE(StartsWithIndexFields(*t, QStringLiteral("Gruppe;Km;Achsen")));
    EXPECT_FALSE(StartsWithIndexFields(*t, QStringLiteral("Gruppe")));
    t->SetIndexFieldNames(QString());
    t->SetIndexName(QStringLiteral("ByGruppe"));
    EXPECT_EQ(FirstIndexFieldName(*t), QStringLiteral("Gruppe"));
    EXPECT_TRUE(StartsWithIndexFields(*t, QStringLiteral("Gruppe")));
    t->SetIndexName(QString());
    EXPECT_EQ(FirstIndexFieldName(*t), QStringLiteral("KfzNr"));
    EXPECT_TRUE(StartsWithIndexFields(*t, QStringLiteral("KfzNr")));
    t->FieldByName("Km")->SetDisplayLabel(QStringLiteral("Kilometer"));
    EXPECT_EQ(FieldNameOfLabel(*t, QStringLiteral("Kilometer")), QStringLiteral("Km"));
    EXPECT_EQ(FieldNameOfLabel(*t, QStringLiteral("kilometer")), QString());
    EXPECT_EQ(EngineCursorText(*t, CursorText::DriverName), QStringLiteral("PARADOX"));
}

TEST_F(Helpers, SearchRecordsFromTheCurrentRecord)
{
    auto t = table("Stamm.db");
    auto searchCursor = t->Handle()->Clone();
    int afterScroll = 0;
    t->AfterScroll = [&](dbe::TDataSet &) { ++afterScroll; };
    struct Case {
        const char *start;
        bool skipCurrent, restart, backward;
        const char *pattern;
        const char *field;
        bool found;
        const char *end;
    };
    const Case cases[] = {
        {"A2", false, false, false, "Li", "Gruppe", true, "A2"}, // the current record is compared first
        {"A2", true, false, false, "Li", "Gruppe", false, "A2"}, // a miss stays put
        {"A2", true, false, true, "Li", "Gruppe", true, "A1"},   // backward
        {"B5", false, true, false, "Li", "Gruppe", true, "A1"},  // restart from the beginning
        {"A1", false, true, true, "L", "Gruppe", true, "A3"},    // restart from the end
        {"A1", false, false, false, "", "Gruppe", true, "A1"},   // an empty pattern takes any text
        {"A1", false, false, false, "Notiz B", "Bemerkung", true, "B5"},
        {"A1", false, false, false, "7000", "Km", true, "B5"},
        {"A1", false, false, false, "01.03.2025", "Datum", true, "B5"},
        {"A1", false, false, false, "x", "Bild", false, "A1"}, // pictures are not searched
        {"A1", false, false, false, "x", "Fehlt", false, "A1"},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(t->Locate("KfzNr", QString::fromUtf8(c.start)));
        afterScroll = 0;
        const bool found = SearchRecords(*t, *searchCursor, false, true, c.skipCurrent, c.restart, c.backward,
                                         prefix(c.pattern), QString::fromUtf8(c.field));
        EXPECT_EQ(found, c.found) << c.start << " " << c.pattern;
        EXPECT_EQ(current(*t), QString::fromUtf8(c.end)) << c.start << " " << c.pattern;
        EXPECT_EQ(afterScroll > 0, c.found) << c.start << " " << c.pattern;
    }
    EXPECT_EQ(ui::hourglassDepth(), 0);
}

TEST_F(Helpers, BlankValuesMatchOnlyAnEmptyPattern)
{
    auto t = table("Stamm.db");
    auto searchCursor = t->Handle()->Clone();
    const SearchMatcher nothing{QString(), [](const QString &) { return false; }};
    ASSERT_TRUE(SearchRecords(*t, *searchCursor, false, false, false, false, false, nothing, "Gruppe"));
    EXPECT_EQ(current(*t), QStringLiteral("A4"));
    t->First();
    const SearchMatcher other{QStringLiteral("zz"), [](const QString &) { return false; }};
    EXPECT_FALSE(SearchRecords(*t, *searchCursor, false, false, false, false, false, other, "Gruppe"));
    EXPECT_EQ(current(*t), QStringLiteral("A1"));
}

TEST_F(Helpers, SearchCanBeAbortedWithEscape)
{
    app();
    auto t = table("Stamm.db");
    auto searchCursor = t->Handle()->Clone();
    KeyCounter target;
    // Escape arrives while the search runs, after the first record.
    int compared = 0;
    const SearchMatcher pressEscape{
        QStringLiteral("Bus"), [&](const QString &) {
            if (++compared == 1)
                QCoreApplication::postEvent(&target,
                                            new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            return false;
        }};
    EXPECT_THROW(SearchRecords(*t, *searchCursor, true, false, false, false, false, pressEscape, "Gruppe"),
                 EUserAbort);
    EXPECT_EQ(compared, 1);
    EXPECT_EQ(target.keys, 0);
    EXPECT_EQ(current(*t), QStringLiteral("A1"));
    EXPECT_EQ(ui::hourglassDepth(), 0);
}

TEST(SearchClock, StepsThroughTwelfths)
{
    struct Case {
        int n, total, step;
    };
    const Case cases[] = {{0, 24, 0}, {1, 24, 1}, {23, 24, 12}, {0, 5, 2}, {4, 5, 12}, {5, 5, 2}, {0, 1, 12}};
    for (const Case &c : cases)
        EXPECT_EQ(SearchClockStep(c.n, c.total), c.step) << c.n << "/" << c.total;
}

TEST_F(Helpers, RecordNumberFallsBackWithoutSequenceNumbers)
{
    testsupport::writeFile(dir / "TANK.SCH", "[TANK]\r\nFILETYPE = FIXED\r\nCHARSET = ascii\r\n"
                                             "Field1 = Satzart,CHAR,2,00,00\r\n");
    testsupport::writeFile(dir / "tank.txt", "01\r\n02\r\n03\r\n");
    dbe::TTable text(session.get());
    text.SetDatabaseName(QString::fromStdString(dir.str()));
    text.SetTableName(QStringLiteral("tank.txt"));
    text.Open();
    text.Last();
    EXPECT_EQ(EngineRecordNumber(&text), 3);
    EXPECT_EQ(EngineCursorText(text, CursorText::DriverName), QStringLiteral("ASCIIDRV"));
}

TEST_F(Helpers, PostOrCancelEditFinishesPendingEdits)
{
    auto t = table("Stamm.db");
    t->Edit();
    PostOrCancelEdit(*t); // nothing changed: cancelled
    EXPECT_EQ(t->State(), dbe::TDataSetState::dsBrowse);
    t->Edit();
    t->FieldByName("Km")->SetAsInteger(1234);
    PostOrCancelEdit(*t);
    EXPECT_EQ(t->State(), dbe::TDataSetState::dsBrowse);
    auto check = table("Stamm.db");
    EXPECT_EQ(check->FieldByName("Km")->AsInteger(), 1234);
    t->Close();
    try {
        PostOrCancelEdit(*t);
        ADD_FAILURE() << "closed data set accepted";
    } catch (const dbe::EDatabaseError &e) {
        EXPECT_EQ(e.Message(), dbe::Msg::DataSetClosed);
    }
}

TEST_F(Helpers, FieldDefinitionsAndPropertiesCopy)
{
    auto source = table("Stamm.db", false);
    source->AddField("KfzNr");
    dbe::TField *km = source->AddField("Km");
    source->AddCalculatedField("Doppelt", dbe::TFieldType::ftInteger);
    km->SetDisplayLabel(QStringLiteral("Kilometer"));
    km->SetDisplayFormat(QStringLiteral("#,##0"));
    km->SetVisible(false);
    source->Open();

    auto all = table("Stamm.db", false);
    CopyFieldDefs(*source, *all, false);
    ASSERT_EQ(all->FieldCount(), 2); // the calculated field stays behind
    EXPECT_EQ(all->FieldByName("Km")->DisplayLabel(), QStringLiteral("Kilometer"));
    EXPECT_EQ(all->FieldByName("Km")->DisplayFormat(), QStringLiteral("#,##0"));
    EXPECT_FALSE(all->FieldByName("Km")->Visible());

    auto fromDefs = table("Stamm.db", false);
    CopyFieldDefs(*source, *fromDefs, true);
    EXPECT_EQ(fromDefs->FieldCount(), 11); // every physical field
    EXPECT_TRUE(fromDefs->FieldByName("Km")->Visible());
    EXPECT_EQ(fromDefs->FieldByName("Km")->DisplayLabel(), QStringLiteral("Kilometer"));
    fromDefs->Open();
    EXPECT_EQ(fromDefs->FieldByName("Gruppe")->AsString(), QStringLiteral("Lieferung"));
}

TEST_F(Helpers, LongMemosAreComparedByTheirFirst64000Bytes)
{
    auto t = table("Stamm.db");
    t->Edit();
    t->FieldByName("Bemerkung")
        ->SetAsString(QString(63997, QLatin1Char('x')) + QStringLiteral("Anfang") +
                      QString(36000, QLatin1Char('x')) + QStringLiteral("Ende"));
    t->Post();
    auto searchCursor = t->Handle()->Clone();
    auto contains = [](const char *word) {
        const QString w = QString::fromUtf8(word);
        return SearchMatcher{w, [w](const QString &text) { return text.contains(w); }};
    };
    EXPECT_TRUE(
        SearchRecords(*t, *searchCursor, false, false, false, true, false, contains("Anf"), "Bemerkung"));
    EXPECT_FALSE(
        SearchRecords(*t, *searchCursor, false, false, false, true, false, contains("Anfang"), "Bemerkung"));
    EXPECT_FALSE(
        SearchRecords(*t, *searchCursor, false, false, false, true, false, contains("Ende"), "Bemerkung"));
}

TEST_F(Helpers, EngineValuesAsDisplayTexts)
{
    auto t = table("Stamm.db");
    dbe::TField *aktiv = t->FieldByName("Aktiv");
    EXPECT_EQ(FieldBufferToText(true, *aktiv), QStringLiteral("Ja"));
    aktiv->SetDisplayValues(QString());
    EXPECT_EQ(FieldBufferToText(false, *aktiv), QStringLiteral("Falsch"));
    EXPECT_EQ(FieldBufferToText(2.5, *t->FieldByName("Preis")), QStringLiteral("2,5"));
    EXPECT_EQ(FieldBufferToText(QDate(2024, 12, 31), *t->FieldByName("Datum")), QStringLiteral("31.12.2024"));
    EXPECT_EQ(FieldBufferToText(base::encodeDateTime(2024, 12, 31, 8, 5), *t->FieldByName("Stempel")),
              QStringLiteral("31.12.2024 08:05:00"));
}

TEST_F(Helpers, SearchShowsTheClockUnderTheHourglass)
{
    auto t = table("Stamm.db");
    auto searchCursor = t->Handle()->Clone();
    std::vector<int> cursors;
    std::vector<int> depths;
    const SearchMatcher watch{QStringLiteral("x"), [&](const QString &) {
                                  cursors.push_back(ui::screenCursor());
                                  depths.push_back(ui::hourglassDepth());
                                  return false;
                              }};
    const int before = ui::screenCursor();
    EXPECT_FALSE(SearchRecords(*t, *searchCursor, false, true, false, false, false, watch, "Gruppe"));
    // Five records: ((n + 1) × 12) / 5 for n = 0..4; A4 is blank and not compared.
    EXPECT_EQ(cursors, (std::vector<int>{27326, 27328, 27331, 27336}));
    EXPECT_EQ(depths, (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(ui::screenCursor(), before);
}

TEST_F(Helpers, EngineRecordsCopyIntoFields)
{
    auto t = table("Stamm.db");
    auto cursor = t->Handle()->Clone();
    cursor->SetToBegin();
    cursor->GetNextRecord();
    cursor->GetNextRecord(); // A2
    auto target = table("Stamm.db");
    target->Insert();
    for (int i = 0; i < target->FieldCount(); ++i)
        ReadRecordFieldValue(*cursor, *target->Fields(i));
    EXPECT_EQ(target->FieldByName("KfzNr")->AsString(), QStringLiteral("A2"));
    EXPECT_EQ(target->FieldByName("Gruppe")->AsString(), QStringLiteral("Linie"));
    EXPECT_EQ(target->FieldByName("Achsen")->AsInteger(), 3);
    EXPECT_FALSE(target->FieldByName("Aktiv")->AsBoolean());
    EXPECT_DOUBLE_EQ(target->FieldByName("Preis")->AsFloat(), 2.5);
    EXPECT_EQ(target->FieldByName("Datum")->AsString(), QStringLiteral("15.06.2024"));
    EXPECT_EQ(target->FieldByName("Stempel")->AsDateTime(), *base::de::parseDateTime("15.06.2024 12:30:00"));
    EXPECT_TRUE(target->FieldByName("Bild")->IsNull());
    EXPECT_EQ(ReadBlobText(*cursor, target->FieldByName("Bemerkung")->FieldNo()),
              QStringLiteral("Notiz Linie"));
    target->Cancel();
}
