#include <QStringList>

#include <gtest/gtest.h>

#include "Tb14.h"
#include "fake_engine_fixture.h"

using reporting::TLanguageType;
using reporting::TPropYesNo;
using reporting::TTb14_;

namespace {

class Tb14Test : public FakeEngineTest {
protected:
    // Function names of the calls after `from` (the first call of that name), with the marks the event
    // handlers left, e.g. "TbPrintFields" or "Fields".
    QStringList trace(const QString &from = QStringLiteral("TbPrintWithBoxStartA")) const
    {
        static const QStringList kept = {"TbPrint",
                                         "TbPrintFields",
                                         "TbPrintFieldsEnd",
                                         "TbPrintEnd",
                                         "TbPrintSetBoxTextA",
                                         "TbPreviewDisplayA",
                                         "TbPreviewDeleteFilesA",
                                         "TbPrintOptionsDialogA",
                                         "TbPrintDeclareChartRow",
                                         "Vars",
                                         "Fields"};
        QStringList out;
        bool started = false;
        for (const QString &call : fake_->calls) {
            const QString name = call.section(u'(', 0, 0);
            started = started || name == from;
            if (started && kept.contains(name))
                out << name;
        }
        return out;
    }

    // Handlers giving `records` rows; each marks its call in the fake's call list.
    void giveRows(TTb14_ &tb, int records)
    {
        rows_ = 0;
        tb.OnDefineVariables = [this](QObject *, int, bool design, int &, bool &, intptr_t &) {
            if (!design)
                fake_->calls.push_back(QStringLiteral("Vars()"));
        };
        tb.OnDefineFields = [this, records](QObject *, int, bool design, int &percent, bool &last,
                                            intptr_t &) {
            if (design)
                return;
            fake_->calls.push_back(QStringLiteral("Fields()"));
            ++rows_;
            percent = rows_ * 100 / records;
            last = rows_ >= records;
        };
    }

    void openRange(int job) { fake_->printOptions[{job, tb::popt::LastPage}] = tb::TB_PAGE_OPEN; }

    int listPrint(TTb14_ &tb, int flags = tb::TB_PRINT_EXPORT, bool optionsDialog = false)
    {
        return tb.Print(0, tb::TB_OBJECT_LIST, QStringLiteral("Export.lst"), false, flags, tb::TB_BOX_EXPORT,
                        nullptr, QStringLiteral("Exportiere..."), optionsDialog, QString());
    }

    int rows_ = 0;
};

TEST_F(Tb14Test, CreationOpensTwiceAndSendsItsValues)
{
    TTb14_ tb;
    // MaxRTFVersion 1025 is a change from nothing: the first job is closed and a new one opened after
    // the global option 44.
    const QStringList opens = [&] {
        QStringList out;
        for (const QString &c : fake_->calls)
            if (c.startsWith(QStringLiteral("TbJobOpen")) || c.startsWith(QStringLiteral("TbJobClose")) ||
                c.startsWith(QStringLiteral("TbSetOption(-1, 44")))
                out << c;
        return out;
    }();
    EXPECT_EQ(opens,
              (QStringList{"TbJobOpen(-1)", "TbJobClose(1)", "TbSetOption(-1, 44, 1025)", "TbJobOpen(-1)"}));
    const int job = tb.hTbJob();
    EXPECT_EQ(job, 2);
    const auto options = optionsOf(job);
    const std::map<int, intptr_t> expected = {
        {135, 0},  {20, 1},         {54, 2},
        {55, 3},   {56, 164},       {66, 1},
        {10, 1},   {2, 0},          {33, 1},
        {99, 2},   {78, 0},         {79, 1},
        {81, 0},   {8, 1},          {40, 1},
        {46, 1},   {51, 1},         {50, 1},
        {0, 1},    {48, 1},         {23, 182},
        {11, 1},   {9, 1},          {30, 1},
        {15, 247}, {19, 0},         {21, 0},
        {47, 0},   {49, 0},         {32, 0},
        {1, 0},    {41, 0},         {5, 0},
        {43, 0},   {13, 0},         {22, 0},
        {106, 0},  {6, 0x7E000000}, {7, reinterpret_cast<intptr_t>(&tb)}};
    for (const auto &[number, value] : expected)
        EXPECT_EQ(options.count(number) ? options.at(number) : -12345, value) << "option " << number;
    // Office 2003: base mode 10 (as Office 97), no 3D buttons, no bitmaps.
    EXPECT_EQ(fake_->dialogMode, 10 | 0x2000);
    EXPECT_EQ(fake_->callbacks[job], &TTb14_::NotificationDispatcher);
}

TEST_F(Tb14Test, OpenTriesEveryLanguageWhateverTheFailure)
{
    fake_->openAnswers = {{-1, -5}, {0, -101}, {1, -3}};
    TTb14_ tb;
    EXPECT_GE(tb.hTbJob(), 0);
    EXPECT_EQ(tb.Language(), TLanguageType(3)); // language 2 opened
}

TEST_F(Tb14Test, LanguageAndRtfVersionReopenKeepingEveryProperty)
{
    TTb14_ tb;
    tb.SetMultipleTableLines(TPropYesNo::No);
    tb.SetPhantomspaceRepresentationCode(7);
    tb.SetInterCharSpacing(TPropYesNo::Yes);
    tb.SetUseChartFields(TPropYesNo::Yes);
    tb.SetIncrementalPreview(3);
    tb.SetUnitSystem(reporting::TPropUnitSystem::HiMetric);
    tb.SetDelayTableHeader(TPropYesNo::Yes);
    tb.SetDialogBoxMode(reporting::TDialogboxMode::OfficeXP);
    tb.SetButtons3D(TPropYesNo::Yes);
    tb.SetProjectPassword(QStringLiteral("geheim"));
    tb.SetEMFResolution(600);
    tb.SetDebugMode(2);
    auto before = optionsOf(tb.hTbJob());
    const int dialogMode = fake_->dialogMode;

    fake_->clearCalls();
    tb.SetMaxRTFVersion(1025); // unchanged: nothing happens
    EXPECT_TRUE(fake_->calls.empty());

    for (auto language : {TLanguageType::English, TLanguageType::Deutsch}) {
        const int oldJob = tb.hTbJob();
        fake_->clearCalls();
        tb.SetLanguage(language);
        ASSERT_NE(tb.hTbJob(), oldJob);
        EXPECT_EQ(fake_->calls[0], QStringLiteral("TbJobClose(%1)").arg(oldJob));
        EXPECT_EQ(fake_->calls[1], QStringLiteral("TbSetOption(-1, 44, 1025)"));
        EXPECT_EQ(fake_->calls[2], QStringLiteral("TbJobOpen(%1)").arg(int(language) - 1));
        auto after = optionsOf(tb.hTbJob());
        EXPECT_EQ(after.count(49), 0u); // the picture resolution is not sent again
        after[49] = before[49];
        after[7] = before[7];
        EXPECT_EQ(after, before);
        EXPECT_EQ(fake_->dialogMode, dialogMode);
        EXPECT_EQ(fake_->debug, 2);
        EXPECT_TRUE(
            fake_->calls.back().startsWith(QStringLiteral("TbSetOption(%1, 106, 0)").arg(tb.hTbJob())));
        EXPECT_TRUE(
            fake_->callsStartingWith(QStringLiteral("TbSetOptionStringA(%1, 33, geheim)").arg(tb.hTbJob()))
                .size() == 1);
    }
    EXPECT_EQ(tb.UnitSystem(), reporting::TPropUnitSystem::HiMetric);
    EXPECT_EQ(before.at(99), 1);

    fake_->clearCalls();
    tb.SetMaxRTFVersion(1100);
    EXPECT_EQ(fake_->calls[1], QStringLiteral("TbSetOption(-1, 44, 1100)"));
}

TEST_F(Tb14Test, ListLoopRepeatsAFullRowWithoutNewFields)
{
    struct Case {
        const char *what;
        int records;
        std::deque<int> fields;
        QStringList expected;
    };
    const Case cases[] = {
        {"row 2 on the next page",
         3,
         {0, -998, 0, 0},
         {"Vars", "TbPrint", "Fields", "TbPrintSetBoxTextA", "TbPrintFields", "Fields", "TbPrintSetBoxTextA",
          "TbPrintFields", "Vars", "TbPrint", "TbPrintSetBoxTextA", "TbPrintFields", "Fields",
          "TbPrintSetBoxTextA", "TbPrintFields", "TbPrintFieldsEnd", "TbPrintFieldsEnd", "TbPrintEnd"}},
        {"the last record hits a full page and is still printed",
         2,
         {0, -998, 0},
         {"Vars", "TbPrint", "Fields", "TbPrintSetBoxTextA", "TbPrintFields", "Fields", "TbPrintSetBoxTextA",
          "TbPrintFields", "Vars", "TbPrint", "TbPrintSetBoxTextA", "TbPrintFields", "TbPrintFieldsEnd",
          "TbPrintFieldsEnd", "TbPrintEnd"}},
    };
    for (const Case &c : cases) {
        TTb14_ tb;
        tb.SetBoxTextInterval(std::chrono::milliseconds(0)); // the box at every record
        giveRows(tb, c.records);
        openRange(tb.hTbJob());
        fake_->clearCalls();
        fake_->results[QStringLiteral("TbPrintFields")] = c.fields;
        fake_->results[QStringLiteral("TbPrintFieldsEnd")] = {-998, 0};
        EXPECT_EQ(listPrint(tb), 0) << c.what;
        EXPECT_EQ(trace(), c.expected) << c.what;
        // The header waits for the first row during the run and is released afterwards.
        const QStringList delays =
            fake_->callsStartingWith(QStringLiteral("TbSetOption(%1, 47,").arg(tb.hTbJob()));
        EXPECT_EQ(delays, (QStringList{QStringLiteral("TbSetOption(%1, 47, 1)").arg(tb.hTbJob()),
                                       QStringLiteral("TbSetOption(%1, 47, 0)").arg(tb.hTbJob())}))
            << c.what;
    }
}

TEST_F(Tb14Test, CancelInTheBoxEndsTheRun)
{
    for (const bool delayed : {false, true}) {
        TTb14_ tb;
        tb.SetBoxTextInterval(std::chrono::milliseconds(0)); // Cancel is asked at every record
        tb.SetDelayTableHeader(delayed ? TPropYesNo::Yes : TPropYesNo::No);
        giveRows(tb, 5);
        openRange(tb.hTbJob());
        fake_->clearCalls();
        fake_->results[QStringLiteral("TbPrintSetBoxTextA")] = {0, -99};
        EXPECT_EQ(listPrint(tb), -99);
        EXPECT_EQ(trace().last(), QStringLiteral("TbPrintEnd"));
        EXPECT_EQ(trace().count(QStringLiteral("TbPrintFields")), 1);
        EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbPrintEnd")),
                  QStringList{QStringLiteral("TbPrintEnd(%1, 0)").arg(tb.hTbJob())});
        EXPECT_EQ(fake_->TbGetOption(tb.hTbJob(), 47), delayed ? 1 : 0) << delayed;
        EXPECT_FALSE(tb.Printing());
    }
}

// At its default pace the box follows a run at most ten times a second: a quick run of many records
// tells it once, at the first record, and Cancel given there still ends the run before any row.
TEST_F(Tb14Test, TheBoxFollowsAQuickRunOfManyRecordsOnce)
{
    TTb14_ tb;
    EXPECT_EQ(tb.BoxTextInterval(), std::chrono::milliseconds(100));
    giveRows(tb, 500);
    openRange(tb.hTbJob());
    fake_->clearCalls();
    EXPECT_EQ(listPrint(tb), 0);
    EXPECT_EQ(trace().count(QStringLiteral("TbPrintFields")), 500);
    EXPECT_EQ(trace().count(QStringLiteral("TbPrintSetBoxTextA")), 1);

    giveRows(tb, 500);
    fake_->clearCalls();
    fake_->results[QStringLiteral("TbPrintSetBoxTextA")] = {-99};
    EXPECT_EQ(listPrint(tb), -99);
    EXPECT_EQ(trace().count(QStringLiteral("TbPrintFields")), 0);
    EXPECT_EQ(trace().last(), QStringLiteral("TbPrintEnd"));
}

TEST_F(Tb14Test, PreviewShownUnlessThePrintOptionsSuppressIt)
{
    for (const bool suppress : {false, true}) {
        TTb14_ tb;
        giveRows(tb, 1);
        tb.OnSetPrintOptions = [suppress](QObject *, int &flags) { flags = suppress ? 1 : 0; };
        openRange(tb.hTbJob());
        fake_->printOptions[{tb.hTbJob(), tb::popt::Destination}] = tb::TB_DEST_PREVIEW;
        fake_->clearCalls();
        EXPECT_EQ(listPrint(tb, tb::TB_PRINT_PREVIEW), 0);
        const QStringList t = trace();
        EXPECT_EQ(t.contains(QStringLiteral("TbPreviewDisplayA")), !suppress);
        EXPECT_EQ(t.contains(QStringLiteral("TbPreviewDeleteFilesA")), !suppress);
    }
    // A preview that fails is the result, and nothing is deleted.
    TTb14_ tb;
    giveRows(tb, 1);
    openRange(tb.hTbJob());
    fake_->printOptions[{tb.hTbJob(), tb::popt::Destination}] = tb::TB_DEST_PREVIEW;
    fake_->results[QStringLiteral("TbPreviewDisplayA")] = {-7};
    fake_->clearCalls();
    EXPECT_EQ(listPrint(tb, tb::TB_PRINT_PREVIEW), -7);
    EXPECT_FALSE(trace().contains(QStringLiteral("TbPreviewDeleteFilesA")));
}

TEST_F(Tb14Test, StartFailuresDialogCancelAndRunErrorsAreReturned)
{
    {
        TTb14_ tb;
        const int live = reporting::tbxLiveReferences();
        fake_->results[QStringLiteral("TbPrintWithBoxStartA")] = {-23};
        EXPECT_EQ(listPrint(tb), -23);
        EXPECT_EQ(reporting::tbxLiveReferences(), live);
        EXPECT_EQ(fake_->TbGetOption(tb.hTbJob(), 53), 0);
        EXPECT_FALSE(tb.Printing());
    }
    {
        TTb14_ tb;
        giveRows(tb, 3);
        openRange(tb.hTbJob());
        fake_->clearCalls();
        fake_->results[QStringLiteral("TbPrintOptionsDialogA")] = {-99};
        EXPECT_EQ(listPrint(tb, tb::TB_PRINT_PRINTER, true), -99);
        EXPECT_EQ(trace(), (QStringList{"TbPrintOptionsDialogA", "TbPrintEnd"}));
        EXPECT_EQ(fake_->printOptions[std::make_pair(tb.hTbJob(), tb::popt::ShowRange)], 1);
    }
    {
        // The page range chosen in the dialog is kept; an unset first page becomes 1.
        for (const int chosen : {3, tb::TB_PAGE_UNSET}) {
            TTb14_ tb;
            giveRows(tb, 1);
            openRange(tb.hTbJob());
            fake_->results.clear();
            fake_->onPrintOptionsDialog = [this, chosen](int job) {
                fake_->printOptions[std::make_pair(job, tb::popt::FirstPage)] = chosen;
            };
            EXPECT_EQ(listPrint(tb, tb::TB_PRINT_PRINTER, true), 0);
            EXPECT_EQ(fake_->printOptions[std::make_pair(tb.hTbJob(), tb::popt::FirstPage)],
                      chosen == tb::TB_PAGE_UNSET ? 1 : chosen);
        }
        fake_->onPrintOptionsDialog = nullptr;
    }
    {
        // A row the engine refuses is not turned into success by the end of the run.
        TTb14_ tb;
        giveRows(tb, 3);
        openRange(tb.hTbJob());
        fake_->results[QStringLiteral("TbPrintFields")] = {-3};
        EXPECT_EQ(listPrint(tb), -3);
    }
}

TEST_F(Tb14Test, CardLoopPrintsEachRecordInEveryCopy)
{
    TTb14_ tb;
    int records = 0;
    tb.OnDefineVariables = [&](QObject *, int, bool design, int &, bool &last, intptr_t &) {
        if (design)
            return;
        fake_->calls.push_back(QStringLiteral("Vars()"));
        last = ++records == 2;
    };
    openRange(tb.hTbJob());
    fake_->printOptions[{tb.hTbJob(), tb::popt::Copies}] = 2;
    fake_->results[QStringLiteral("TbPrint")] = {0, -998, 0, 0, 0};
    fake_->clearCalls();
    EXPECT_EQ(tb.Print(0, tb::TB_OBJECT_CARD, QStringLiteral("Karte.crd"), false, tb::TB_PRINT_PRINTER,
                       tb::TB_BOX_PROGRESS, nullptr, QStringLiteral("Drucke..."), false, QString()),
              0);
    EXPECT_EQ(trace(), (QStringList{"Vars", "TbPrintSetBoxTextA", "TbPrint", "TbPrint", "TbPrint", "Vars",
                                    "TbPrintSetBoxTextA", "TbPrint", "TbPrint", "TbPrintEnd"}));
    EXPECT_EQ(fake_->printOptions[std::make_pair(tb.hTbJob(), tb::popt::Copies)], 1);
    EXPECT_TRUE(fake_->callsStartingWith(QStringLiteral("TbDefineFieldStart")).isEmpty());
}

TEST_F(Tb14Test, APageFooterOrCardThatNeverFitsEndsTheRunAfterTheSecondTry)
{
    const struct {
        const char *name;
        int objekt;
        const char *funktion;
    } faelle[] = {{"Fuss", tb::TB_OBJECT_LIST, "TbPrintFieldsEnd"},
                  {"Seite", tb::TB_OBJECT_LIST, "TbPrint"},
                  {"Karte", tb::TB_OBJECT_CARD, "TbPrint"}};
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        TTb14_ tb;
        giveRows(tb, 2);
        openRange(tb.hTbJob());
        fake_->results.clear();
        fake_->results[QString::fromLatin1(fall.funktion)] = std::deque<int>(50, tb::TB_WRN_REPEAT_DATA);
        fake_->clearCalls();
        EXPECT_EQ(tb.Print(0, fall.objekt, QStringLiteral("Export.lst"), false, tb::TB_PRINT_PRINTER,
                           tb::TB_BOX_PROGRESS, nullptr, QStringLiteral("Drucke..."), false, QString()),
                  tb::TB_WRN_REPEAT_DATA);
        EXPECT_EQ(fake_->callsStartingWith(QString::fromLatin1(fall.funktion) + u'(').size(), 2);
        EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbPrintEnd")).size(), 1);
    }
}

TEST_F(Tb14Test, CardWithoutAVariablesHandlerPrintsOneCard)
{
    TTb14_ tb;
    openRange(tb.hTbJob());
    fake_->clearCalls();
    EXPECT_EQ(tb.Print(0, tb::TB_OBJECT_CARD, QStringLiteral("Karte.crd"), false, tb::TB_PRINT_PRINTER,
                       tb::TB_BOX_PROGRESS, nullptr, QStringLiteral("Drucke..."), false, QString()),
              0);
    EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbPrint(")).size(), 1);
}

TEST_F(Tb14Test, DesignRegistersActionsAndRestrictionsAroundTheDesigner)
{
    TTb14_ tb;
    const int job = tb.hTbJob();
    reporting::TDesignerAction save;
    save.MenuText = QStringLiteral("Sichern");
    save.ShortCut = 0x4000 | 0x2000 | 'S'; // Ctrl+Shift+S
    save.Bit29 = true;
    int executed = 0;
    save.OnExecute = [&] { ++executed; };
    save.OnState = [] { return 1; };
    reporting::TDesignerAction other;
    other.MenuText = QStringLiteral("Prüfen");
    other.ShortCut = 0x8000 | 'P';
    other.Bit0 = true;
    tb.DesignerActions() = {save, other};
    tb.DesignerWorkspace().ProhibitedActions = {QStringLiteral("501")};
    tb.DesignerWorkspace().ProhibitedFunctions = {QStringLiteral("Now")};
    tb.DesignerWorkspace().ReadOnlyObjects = {QStringLiteral("Titel")};
    tb.OnDefineFields = [&](QObject *, int, bool design, int &, bool &, intptr_t &) {
        EXPECT_TRUE(design);
        tb.DefineFieldExt(QStringLiteral("KfzNr"), QStringLiteral("B-X 1"), tb::TB_FIELD_TEXT);
    };
    fake_->results[QStringLiteral("TbSelectFileDlgTitleExA")] = {0};
    fake_->clearCalls();
    const int live = reporting::tbxLiveReferences();
    EXPECT_EQ(tb.Design(0, nullptr, QStringLiteral("Title"), tb::TB_OBJECT_LIST, QStringLiteral("Export.lst"),
                        true, false),
              0);
    QStringList calls;
    for (const QString &c : fake_->calls)
        if (!c.startsWith(QStringLiteral("TbGetOption")))
            calls << c.section(u'(', 0, 0) +
                         (c.contains(QStringLiteral(", 53, ")) ? QStringLiteral(" 53") : QString());
    EXPECT_EQ(calls, (QStringList{"TbSelectFileDlgTitleExA", "TbDefineVariableStart",
                                  "TbDefineChartFieldStart", "TbDefineFieldStart", "TbDefineFieldExtA",
                                  "TbSetOption 53", "TbDesignerAddActionA", "TbDesignerAddActionA",
                                  "TbDesignerProhibitAction", "TbDesignerProhibitFunctionA",
                                  "TbDesignerProhibitEditingObjectA", "TbDefineLayoutA", "TbSetOption 53"}));
    EXPECT_EQ(fake_->calls[0],
              QStringLiteral("TbSelectFileDlgTitleExA(%1, , %2, Export.lst, 1023, 0)").arg(job).arg(2));
    EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbDesignerAddActionA")),
              (QStringList{QStringLiteral("TbDesignerAddActionA(%1, 10100, %2, Sichern, , , )")
                               .arg(job)
                               .arg(0x80000 | 'S' | 0x10000 | 0x20000 | (1 << 29)),
                           QStringLiteral("TbDesignerAddActionA(%1, 10101, %2, Prüfen, , , )")
                               .arg(job)
                               .arg(0x80000 | 'P' | 0x40000 | 1)}));
    EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbDesignerProhibitAction")),
              QStringList{QStringLiteral("TbDesignerProhibitAction(%1, 501)").arg(job)});
    EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbDefineLayoutA")),
              QStringList{QStringLiteral("TbDefineLayoutA(%1, Title, 2, Export.lst)").arg(job)});
    EXPECT_EQ(fake_->TbGetOption(job, 53), 0);
    EXPECT_EQ(reporting::tbxLiveReferences(), live);

    // The designer's menu messages reach the actions by their ids.
    EXPECT_EQ(fake_->notify(job, 33, 10100), 0);
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(fake_->notify(job, 64, 10100 << 16), 2);
    EXPECT_EQ(fake_->notify(job, 64, 10101 << 16), 1);
    EXPECT_EQ(fake_->notify(job, 64, 10102 << 16), 0);

    // A cancelled file selection ends the design before anything else.
    fake_->clearCalls();
    fake_->results[QStringLiteral("TbSelectFileDlgTitleExA")] = {-99};
    EXPECT_EQ(tb.Design(0, nullptr, QStringLiteral("Title"), tb::TB_OBJECT_LIST, QStringLiteral("Export.lst"),
                        true, true),
              -99);
    EXPECT_EQ(fake_->calls.size(), 1u);
    EXPECT_TRUE(fake_->calls[0].contains(QStringLiteral(", %1, Export.lst").arg(0x8002)));
}

TEST_F(Tb14Test, DictionaryTranslatesNamesAndFeedsTheEngineOutsideRuns)
{
    TTb14_ tb;
    const int job = tb.hTbJob();
    auto &d = tb.Dictionary();
    d.Tables().Add(QStringLiteral("KfzStamm"), QStringLiteral("Fahrzeuge"));
    fake_->clearCalls();
    d.Fields().Add(QStringLiteral("KfzNr"), QStringLiteral("Kennzeichen"));
    d.Fields().Add(QStringLiteral("Info"), QString());
    EXPECT_EQ(fake_->calls,
              (std::vector<QString>{QStringLiteral("TbSetOption(%1, 77, 1)").arg(job),
                                    QStringLiteral("TbSetOptionStringA(%1, 21, Kennzeichen=KfzNr)").arg(job),
                                    QStringLiteral("TbSetOptionStringA(%1, 21, =Info)").arg(job)}));
    const std::pair<QString, QString> cases[] = {
        {"KfzNr", "Kennzeichen"},
        {"Info", "Info"}, // empty translation: the name itself
        {"KfzStamm.KfzNr", "Fahrzeuge.Kennzeichen"},
        {"KfzStamm:KfzNr", "Fahrzeuge:Kennzeichen"},
        {"KfzStamm:KfzStamm:KfzStamm.KfzNr", "Fahrzeuge:Fahrzeuge:Fahrzeuge.Kennzeichen"},
        {"KfzStamm.KfzNr@KfzStamm.Info:KfzNr", "Fahrzeuge.Kennzeichen@Fahrzeuge.Info:Kennzeichen"},
    };
    for (const auto &[name, translated] : cases)
        EXPECT_EQ(name.contains(u'@') || name.contains(u':') ? d.TranslateExpression(name)
                  : name.contains(u'.')                      ? d.TranslateQualifiedName(name)
                                                             : d.TranslateName(name, 2),
                  translated)
            << name.toStdString();

    fake_->clearCalls();
    tb.DefineFieldExt(QStringLiteral("KfzStamm.KfzNr"), QStringLiteral("B-X 1"), tb::TB_FIELD_TEXT);
    EXPECT_EQ(fake_->calls,
              (std::vector<QString>{
                  QStringLiteral("TbSetOptionStringA(%1, 21, Fahrzeuge.Kennzeichen=KfzStamm.KfzNr)").arg(job),
                  QStringLiteral("TbDefineFieldExtA(%1, KfzStamm.KfzNr, B-X 1, %2, 0)")
                      .arg(job)
                      .arg(tb::TB_FIELD_TEXT)}));
    // During a run the dictionary is left alone.
    tb.PrintWithBoxStart(tb::TB_OBJECT_LIST, QStringLiteral("x.lst"), tb::TB_PRINT_EXPORT, 2, nullptr,
                         QString());
    fake_->clearCalls();
    tb.DefineFieldExt(QStringLiteral("KfzNr"), QStringLiteral("B-X 1"), tb::TB_FIELD_TEXT);
    EXPECT_EQ(fake_->calls.size(), 1u);
    tb.PrintEnd(0);
}

TEST_F(Tb14Test, NotificationsReachTheirEvents)
{
    TTb14_ tb;
    const int job = tb.hTbJob();
    // Preview buttons: engine ids to ordinals 1..14.
    const int ids[] = {104, 105, 103, 100, 101, 108, 112, 113, 114, 115, 116, 117, 16496, 16497};
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(TTb14_::viewerButton(ids[i]), i + 1);
    EXPECT_EQ(TTb14_::viewerButton(102), 0);

    struct StateCase {
        int engineState, expectedIn, handlerSets, result;
    };
    const StateCase states[] = {{2, 3, 3, 0},  {-1, 0, 0, 0}, {5, 2, 2, 0},
                                {2, 3, 0, -1}, {0, 2, 3, 2},  {2, 3, 2, 1}};
    for (const auto &s : states) {
        int seenButton = 0, seenState = -100;
        tb.OnGetViewerButtonState = [&](QObject *, int button, int &state) {
            seenButton = button;
            seenState = state;
            state = s.handlerSets;
        };
        EXPECT_EQ(fake_->notify(job, 34, (114 << 16) | (s.engineState & 0xFFFF)), s.result) << s.engineState;
        EXPECT_EQ(seenButton, 9);
        EXPECT_EQ(seenState, s.expectedIn);
    }
    tb.OnViewerButtonClicked = [](QObject *, int button, bool &perform) { perform = button != 11; };
    EXPECT_EQ(fake_->notify(job, 38, 116), 1);
    EXPECT_EQ(fake_->notify(job, 38, 115), 0);

    tb.OnVarHelpText = [](QObject *, const QString &name, QString &text) {
        text = name + QString(2000, u'x');
    };
    const QString name = QStringLiteral("KfzNr");
    const auto *text =
        reinterpret_cast<const QString *>(fake_->notify(job, 35, reinterpret_cast<intptr_t>(&name)));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->size(), 1023);
    EXPECT_TRUE(text->startsWith(name));

    int help = 0;
    tb.OnHelp = [&](QObject *, int command, int context, intptr_t &result) {
        help = command * 1000 + context;
        result = 7;
    };
    EXPECT_EQ(fake_->notify(job, 30 | 0x10000, (3 << 16) | 42), 7);
    EXPECT_EQ(help, 3042);
    int filtered = 0;
    tb.OnFailsFilter = [&](QObject *) { ++filtered; };
    fake_->notify(job, 1000, 0);
    EXPECT_EQ(filtered, 1);
    EXPECT_EQ(fake_->notify(job, 999, 0), 0);
}

TEST_F(Tb14Test, OwnedByAComponentTheJobIsACopy)
{
    TTb14_ owner;
    owner.OnFailsFilter = [](QObject *) {};
    owner.SetDebugMode(4);
    fake_->clearCalls();
    {
        TTb14_ child(&owner);
        EXPECT_EQ(fake_->calls,
                  (std::vector<QString>{QStringLiteral("TbJobOpenCopy(%1)").arg(owner.hTbJob())}));
        EXPECT_EQ(&child.ExtensionObjects(), &owner.ExtensionObjects());
        EXPECT_EQ(child.DebugMode(), 4);
        EXPECT_FALSE(bool(child.OnFailsFilter)); // only the slots from table field to save file name
    }
    EXPECT_EQ(fake_->calls.back(), QStringLiteral("TbJobClose(%1)").arg(owner.hTbJob() + 1));
}

} // namespace
