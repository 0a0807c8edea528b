// The value search of the table definitions: which way it takes (key seek,
// indexed seek, scan of the engine cursor or of the data set), seen by where
// the data set ends up and what the search answers.
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>

#include "extender_fixture.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/gemeinsam/NavExceptions.h"
#include "navigation/suche/ClockGlyph.h"
#include "navigation/suche/SearchClock.h"
#include "temp_dir.h"
#include "ui/ScreenCursor.h"

using namespace nav;

namespace {

class SearchPath : public ExtenderFixture {
protected:
    SearchPath()
    {
        // Code-point order: A1 A2 A3 A4 AB-123 B5 ÄX-1 ß9.
        for (const char *nr : {"AB-123", "ÄX-1", "ß9"}) {
            stamm->Append();
            stamm->FieldByName("KfzNr")->SetAsString(QString::fromUtf8(nr));
            stamm->Post();
        }
        defs = ext->TableDefsOf(source.get());
    }

    void goTo(const char *nr) { ASSERT_TRUE(stamm->Locate("KfzNr", QString::fromUtf8(nr))); }
    // Escape typed while the search runs: the search's first event pass (the
    // hourglass) posts it, the abort check after a record takes it.
    void pressEscapeDuringSearch()
    {
        ext->ShowSearchClock = false;
        QTimer::singleShot(0, editNr, [this] {
            QCoreApplication::postEvent(editNr,
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        });
    }

    TTableDefs *defs = nullptr;
};

struct PathCase {
    const char *name;
    const char *field;
    const char *text;
    bool ignoreCase, incremental, fromStart;
    const char *start;
    bool found;
    const char *end;
};

} // namespace

// Without a sink the clock shows as the screen cursor, each phase its own
// picture, whether a navigator was made before or not (first in this file, so
// that it runs before any is).
TEST(SearchClock, ShowsItsPicturesAsTheScreenCursor)
{
    for (int phase : {0, 5, 12}) {
        ShowClockCursor(phase);
        ASSERT_TRUE(QGuiApplication::overrideCursor());
        EXPECT_EQ(QGuiApplication::overrideCursor()->pixmap().toImage(), clockGlyph(phase).toImage())
            << phase;
    }
    ui::setScreenCursor(ui::cursor::Default);
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}

TEST_F(SearchPath, EachTextTakesItsWay)
{
    const PathCase cases[] = {
        // FindKey on the primary index.
        {"exact key", "KfzNr", "A3", false, false, true, "B5", true, "A3"},
        {"exact key, none", "KfzNr", "A9", false, false, true, "B5", false, "B5"},
        {"empty text in the leading index field", "KfzNr", "", true, false, true, "B5", true, "A1"},
        // From the last record only a seek can find "A..".
        {"\"A..\" in the leading index field", "KfzNr", "A..", false, true, false, "ß9", true, "A1"},
        {"\"..\" in the leading index field", "KfzNr", "..", false, true, false, "ß9", true, "A1"},
        // Lower case on upper-case data: the scan finds it where a seek would land behind "AB-123".
        {"\"ab..\" on upper-case data", "KfzNr", "ab..", true, true, true, "B5", true, "AB-123"},
        {"\"ab-..\" from the current record", "KfzNr", "ab-..", true, true, false, "A1", true, "AB-123"},
        // Scans go on from the current record only.
        {"\"..3\" scans onward", "KfzNr", "..3", false, true, false, "A1", true, "A3"},
        {"\"..3\" finds nothing behind", "KfzNr", "..3", false, true, false, "B5", false, "B5"},
        {"\"A..3\" scans", "KfzNr", "A..3", false, true, false, "A4", true, "AB-123"},
        {"umlaut before \"..\" scans", "KfzNr", "Ä..", false, true, false, "ß9", false, "ß9"},
        {"field not leading the index", "Gruppe", "Li..", false, true, false, "A3", false, "A3"},
        {"field not leading the index, from the start", "Gruppe", "Li..", false, true, true, "A3", true,
         "A1"},
        {"only wildcards match every text", "Gruppe", "....", false, false, true, "B5", true, "A1"},
    };
    for (const PathCase &c : cases) {
        goTo(c.start);
        const bool found = defs->SearchValue(QString::fromUtf8(c.field), QString::fromUtf8(c.text),
                                             !c.incremental, c.fromStart, c.incremental, true, c.ignoreCase);
        EXPECT_EQ(found, c.found) << c.name;
        EXPECT_EQ(current(*stamm), QString::fromUtf8(c.end)) << c.name;
    }
}

TEST_F(SearchPath, AnotherIndexMakesItsFieldSeekable)
{
    goTo("A3");
    EXPECT_FALSE(defs->SearchValue("Gruppe", "Li..", false, false, true, true, false));
    ext->SetTableIndex(stamm.get(), QStringLiteral("ByGruppe"));
    goTo("A3"); // "lkw", the last in this order: a scan finds nothing behind it
    EXPECT_FALSE(defs->SearchValue("Gruppe", "Lie..", false, false, false, true, false));
    EXPECT_TRUE(defs->SearchValue("Gruppe", "Lie..", false, false, true, true, false));
    EXPECT_EQ(current(*stamm), "A1");
}

TEST_F(SearchPath, PicturesAreNeverSearched)
{
    goTo("A3");
    EXPECT_FALSE(defs->SearchValue("Bild", "", false, true, false, true, true));
    EXPECT_EQ(current(*stamm), "A3"); // not even moved to the first record
}

TEST_F(SearchPath, MemosCompareTheirFirst64000Bytes)
{
    goTo("A4");
    stamm->Edit();
    stamm->FieldByName("Bemerkung")->SetAsString(QString(64000, QLatin1Char('x')) + QStringLiteral("ENDE"));
    stamm->Post();
    for (bool engine : {true, false}) {
        ext->ExactBOF_EOF = engine;
        goTo("A1");
        EXPECT_FALSE(defs->SearchValue("Bemerkung", "..ENDE", true, true, false, true, true)) << engine;
        EXPECT_TRUE(defs->SearchValue("Bemerkung", "xxx..", true, true, false, true, true)) << engine;
        EXPECT_EQ(current(*stamm), "A4") << engine;
    }
}

TEST_F(SearchPath, NextAndReverseKeepTheDirection)
{
    ASSERT_TRUE(defs->SearchValue("KfzNr", "A..", true, true, false, true, false));
    EXPECT_EQ(current(*stamm), "A1");
    EXPECT_TRUE(defs->SearchNext());
    EXPECT_TRUE(defs->SearchNext());
    EXPECT_EQ(current(*stamm), "A3");
    EXPECT_TRUE(defs->SearchNextReverse(false));
    EXPECT_EQ(current(*stamm), "A2");
    EXPECT_TRUE(defs->SearchDown());
    EXPECT_TRUE(defs->SearchNext());
    EXPECT_EQ(current(*stamm), "A3");
}

TEST_F(SearchPath, EscapeInTheDataSetScanStopsThereAndSaysSo)
{
    ext->ExactBOF_EOF = false; // the data set's own walk
    ASSERT_TRUE(defs->SearchValue("KfzNr", "..1", true, true, false, true, false));
    EXPECT_EQ(current(*stamm), "A1");
    focus(editGruppe);
    pressEscapeDuringSearch();
    ext->HandleNBBtn(nbSearchNext, 0, 0);
    EXPECT_EQ(current(*stamm), "A3"); // A2 compared, then the abort on the way to A3
    EXPECT_EQ(message->text(), QStringLiteral("Operation abgebrochen"));
}

TEST_F(SearchPath, EscapeInTheEngineSearchIsANotFound)
{
    ASSERT_TRUE(defs->SearchValue("KfzNr", "..1", true, true, false, true, false));
    focus(editGruppe);
    pressEscapeDuringSearch();
    ext->HandleNBBtn(nbSearchNext, 0, 0);
    EXPECT_EQ(current(*stamm), "A1");
    EXPECT_EQ(message->text(), QStringLiteral("\"..1\" nicht weiter gefunden."));
}

TEST_F(SearchPath, TextFilesAreScannedAsADataSet)
{
    testsupport::writeFile(dir / "karte.sch", "[KARTE]\nFILETYPE = VARYING\nSEPARATOR = ;\nDELIMITER = \"\n"
                                              "Field1 = Nr,CHAR,10,00,00\nField2 = Ort,CHAR,20,00,00\n");
    testsupport::writeFile(dir / "karte.txt", "\"A1\";\"Bonn\"\n\"B2\";\"Koeln\"\n\"C3\";\"Ulm\"\n");
    auto file = table("karte.txt");
    TTableDefs *fileDefs = ext->TableDefsOf(file.get());
    EXPECT_TRUE(fileDefs->IndexCaptions().isEmpty());
    file->Last();
    // Its first field would lead an index; a text file has none, so no seek.
    EXPECT_FALSE(fileDefs->SearchValue("Nr", "A..", false, false, true, true, false));
    EXPECT_EQ(file->FieldByName("Nr")->AsString(), "C3");
    EXPECT_TRUE(fileDefs->SearchValue("Nr", "B..", false, true, true, true, false));
    EXPECT_EQ(file->FieldByName("Nr")->AsString(), "B2");
    // An abort reaches the caller: only the data set's walk does that.
    pressEscapeDuringSearch();
    EXPECT_THROW(fileDefs->SearchValue("Ort", "..x", true, true, false, true, false), EUserAbort);
}

TEST_F(SearchPath, AHitSelectsTheFoundTextInTheEdit)
{
    focus(editNr);
    ASSERT_TRUE(ext->SearchInDataSet(stamm.get(), "KfzNr", true, true, true, "ab.."));
    EXPECT_EQ(editNr->text(), "AB-123");
    EXPECT_EQ(editNr->selectedText(), "AB");

    ext->MatchSelect = false;
    editNr->deselect();
    ASSERT_TRUE(ext->SearchInDataSet(stamm.get(), "KfzNr", true, true, false, "A3"));
    EXPECT_EQ(editNr->text(), "A3");
    EXPECT_TRUE(editNr->selectedText().isEmpty());
}

TEST_F(SearchPath, SearchesKeepKeysAwayWhileTheyRun)
{
    int depthSeen = -1;
    stamm->AfterScroll = [&](dbe::TDataSet &) { depthSeen = std::max(depthSeen, ext->SearchDepth()); };
    ASSERT_TRUE(ext->SearchInDataSet(stamm.get(), "Gruppe", true, true, true, "bus.."));
    EXPECT_EQ(depthSeen, 1);
    depthSeen = -1;
    ext->HandleNBBtn(nbSearchNext, 0, 0);
    ext->HandleNBBtn(nbSearchNext, ssCtrl, 0);
    EXPECT_EQ(ext->SearchDepth(), 0);
    ASSERT_TRUE(ext->SearchInDataSet(stamm.get(), "KfzNr", true, true, true, "A.."));
    depthSeen = -1;
    ext->HandleNBBtn(nbSearchNext, 0, 0);
    EXPECT_EQ(current(*stamm), "A2");
    EXPECT_EQ(depthSeen, 1);
}

TEST(SearchClock, PhasesFollowTheSequenceNumberOrTheRecordsVisited)
{
    struct Case {
        int seq, visited, total, phase;
    } cases[] = {{1, 0, 30, 0}, {3, 2, 30, 1},  {30, 29, 30, 10}, {12, 0, 12, 12},
                 {0, 0, 24, 0}, {0, 1, 24, 1},  {0, 23, 24, 12},  {0, 0, 1, 12},
                 {13, 0, 1, 1}, {25, 0, 12, 1}, {100, 0, 100, 11}};
    for (const Case &c : cases)
        EXPECT_EQ(DataSetClockPhase(c.seq, c.visited, c.total), c.phase)
            << c.seq << " " << c.visited << " " << c.total;
}

TEST_F(SearchPath, TheClockTurnsOnlyOnAPhaseChange)
{
    for (int i = 10; i < 40; ++i) {
        stamm->Append();
        stamm->FieldByName("KfzNr")->SetAsString(QStringLiteral("Z%1").arg(i));
        stamm->Post();
    }
    ASSERT_EQ(stamm->RecordCount(), 38);
    QList<int> shown;
    ExchangeClockCursorSink([&](int number) { shown << number; });
    ext->ExactBOF_EOF = false;
    EXPECT_FALSE(defs->SearchValue("Gruppe", "nirgends", true, true, false, true, true));
    ExchangeClockCursorSink({});
    // 38 records, 4 per phase: record n shows phase n div 4, once each.
    QList<int> expected;
    for (int phase = 0; phase <= 9; ++phase)
        expected << 27324 + phase;
    EXPECT_EQ(shown, expected);
}
