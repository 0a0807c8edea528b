#include <gtest/gtest.h>

#include "Tb6.h"
#include "fake_engine_fixture.h"

using reporting::TLanguageType;
using reporting::TPropYesNo;
using reporting::TTb6_;

namespace {

class Tb6Test : public FakeEngineTest {};

TEST_F(Tb6Test, OpenRetriesExplicitLanguagesOnlyAfterMinusOne)
{
    fake_->openAnswers = {{-1, -1}, {0, -1}, {1, -1}, {2, -1}};
    TTb6_ component;
    EXPECT_GE(component.hTbJob(), 0);
    EXPECT_EQ(component.Language(), TLanguageType(4)); // language 3 opened
    EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbJobOpen(")),
              (QStringList{"TbJobOpen(-1)", "TbJobOpen(0)", "TbJobOpen(1)", "TbJobOpen(2)", "TbJobOpen(3)"}));
    EXPECT_EQ(fake_->callbacks[component.hTbJob()], &TTb6_::NotificationDispatcher);
    EXPECT_EQ(fake_->TbGetOption(component.hTbJob(), 7), reinterpret_cast<intptr_t>(&component));
}

TEST_F(Tb6Test, OpenFailureOtherThanMinusOneIsNotRetried)
{
    for (int code : {-5, -101}) {
        fake_->clearCalls();
        fake_->openAnswers = {{-1, code}};
        messages_.expectInformation(QStringLiteral("Can't find the Tabulon default language file."));
        TTb6_ component;
        EXPECT_EQ(component.hTbJob(), code);
        EXPECT_EQ(component.Language(), TLanguageType::DefaultLang);
        EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbJobOpen(")).size(), 1);
        // The wrappers pass the bad handle on; the engine answers, nothing crashes.
        EXPECT_EQ(component.PrintFields(), 0);
        EXPECT_EQ(fake_->calls.back(), QStringLiteral("TbPrintFields(%1)").arg(code));
    }
}

TEST_F(Tb6Test, CreationValuesReachTheEngine)
{
    TTb6_ component;
    const auto options = optionsOf(component.hTbJob());
    const std::map<int, intptr_t> expected = {
        {0, 1},  {1, 0},  {2, 0},  {5, 0},  {8, 1},    {9, 1},  {10, 0}, {11, 1}, {13, 0}, {15, 247},
        {19, 0}, {20, 0}, {21, 0}, {22, 0}, {23, 182}, {30, 1}, {32, 0}, {33, 0}, {40, 1}, {41, 0},
        {42, 1}, {43, 0}, {46, 1}, {47, 0}, {48, 1},   {49, 0}, {50, 1}, {51, 1}};
    for (const auto &[number, value] : expected)
        EXPECT_EQ(options.count(number) ? options.at(number) : -12345, value) << "option " << number;
    EXPECT_EQ(fake_->dialogMode, (int(reporting::TDialogboxMode::Win95) + 1) | 0x8000 | 0x2000);
}

TEST_F(Tb6Test, LanguageSwitchKeepsEveryOption)
{
    TTb6_ component;
    component.SetDebugMode(3);
    component.SetNewExpressions(reporting::TExpressionMode::Old);
    component.SetOnlyOneTable(true);
    component.SetMultipleTableLines(TPropYesNo::Yes);
    component.SetAddVarsToFields(TPropYesNo::Yes);
    component.SetSupervisor(TPropYesNo::Yes);
    component.SetTabStops(reporting::TTabMode::Expand);
    component.SetConvertCRLF(TPropYesNo::Yes);
    component.SetTabRepresentationCode(9);
    component.SetRetRepresentationCode(13);
    component.SetHelpAvailable(TPropYesNo::No);
    component.SetAutoMultipage(TPropYesNo::No);
    component.SetDelayTableHeader(TPropYesNo::Yes);
    component.SetOfnDialogExplorer(TPropYesNo::No);
    component.SetRealTime(TPropYesNo::Yes);
    component.SetSpaceOptimization(TPropYesNo::No);
    component.SetUseBarcodeSizes(TPropYesNo::Yes);
    component.SetVarsCaseSensitive(TPropYesNo::No);
    component.SetWizFileNew(TPropYesNo::Yes);
    component.SetSupportPageBreak(TPropYesNo::Yes);
    component.SetSortVariables(TPropYesNo::No);
    component.SetShowPredefVars(TPropYesNo::No);
    component.SetUnitSystem(reporting::TPropUnitSystem::Inch);
    component.SetCompressStorage(TPropYesNo::Yes);
    component.SetNoParameterCheck(TPropYesNo::Yes);
    component.SetNoNoTableCheck(TPropYesNo::Yes);
    component.SetDialogBoxMode(reporting::TDialogboxMode::Office97);
    component.SetButtons3D(TPropYesNo::No);
    component.SetXlatVarNames(TPropYesNo::No);
    component.SetCreateInfo(TPropYesNo::No);
    component.SetEnablePageEvent(true);
    component.SetEnableHelpCallbackEvent(true);
    component.SetEnableHostPrinterEvent(true);
    component.SetEnableDlgExprVarBtnEvent(true);
    component.SetEnableTableFieldEvent(true); // switches the colouring to user-defined
    component.SetEnableFailsFilterEvent(true);
    component.SetEMFResolution(600);
    component.PreviewAppearance().SetZoomPerc(150);
    component.PreviewAppearance().SetLeft(20);
    component.SetMaxRTFVersion(300);

    const int oldJob = component.hTbJob();
    auto before = optionsOf(oldJob);
    const int dialogMode = fake_->dialogMode;
    fake_->clearCalls();

    component.SetLanguage(TLanguageType::English);
    const int newJob = component.hTbJob();
    ASSERT_NE(newJob, oldJob);
    EXPECT_EQ(fake_->calls.front(), QStringLiteral("TbJobClose(%1)").arg(oldJob));
    EXPECT_EQ(fake_->calls[1], QStringLiteral("TbJobOpen(1)"));
    EXPECT_EQ(component.Language(), TLanguageType::English);

    auto after = optionsOf(newJob);
    // EMFResolution and the preview values are not sent again; the user value names the component.
    for (int number : {49, 25, 26, 27, 28, 29}) {
        EXPECT_EQ(after.count(number), 0u) << number;
        before.erase(number);
    }
    EXPECT_EQ(after, before);
    EXPECT_EQ(fake_->dialogMode, dialogMode);
    EXPECT_EQ(fake_->debug, 3);
    EXPECT_EQ(component.MaxRTFVersion(), 300);
    EXPECT_EQ(component.DialogBoxMode(), reporting::TDialogboxMode::Office97);
    EXPECT_TRUE(component.Enabled().Page && component.Enabled().TableField &&
                component.Enabled().FailsFilter);
    EXPECT_EQ(component.TableColoringMode(), reporting::TPropTableColoring::Userdefined);
    EXPECT_EQ(component.PreviewAppearance().job(), newJob);
    EXPECT_EQ(fake_->callbacks[newJob], &TTb6_::NotificationDispatcher);
}

TEST_F(Tb6Test, PreviewAppearanceGating)
{
    struct Case {
        const char *what;
        int job;
        void (reporting::TPrvAppearance::*set)(int);
        int (reporting::TPrvAppearance::*get)() const;
        int value;
        int stored; // value read back afterwards
        int option; // option expected to be sent, 0 = none
    };
    using P = reporting::TPrvAppearance;
    const Case cases[] = {
        {"no job", -1, &P::SetZoomPerc, &P::ZoomPerc, 50, 100, 0},
        {"below -1", 1, &P::SetLeft, &P::Left, -2, -1, 0},
        {"zoom 0", 1, &P::SetZoomPerc, &P::ZoomPerc, 0, 0, 0},
        {"zoom 80", 1, &P::SetZoomPerc, &P::ZoomPerc, 80, 80, 25},
        {"width 0", 1, &P::SetWidth, &P::Width, 0, 0, 0},
        {"height 300", 1, &P::SetHeight, &P::Height, 300, 300, 29},
        {"left 0", 1, &P::SetLeft, &P::Left, 0, 0, 26},
        {"top -1", 1, &P::SetTop, &P::Top, -1, -1, 0},
        {"top 5", 1, &P::SetTop, &P::Top, 5, 5, 27},
    };
    for (const auto &c : cases) {
        P appearance;
        appearance.setJob(c.job);
        fake_->clearCalls();
        (appearance.*c.set)(c.value);
        EXPECT_EQ((appearance.*c.get)(), c.stored) << c.what;
        if (c.option)
            EXPECT_EQ(fake_->calls,
                      (std::vector<QString>{
                          QStringLiteral("TbSetOption(%1, %2, %3)").arg(c.job).arg(c.option).arg(c.value)}))
                << c.what;
        else
            EXPECT_TRUE(fake_->calls.empty()) << c.what;
    }
}

TEST_F(Tb6Test, StorageSystemAndCompression)
{
    TTb6_ component;
    const int job = component.hTbJob();
    component.SetCompressStorage(TPropYesNo::Yes);
    EXPECT_EQ(fake_->TbGetOption(job, 31), 1);
    component.SetStorageSystem(reporting::TPropStgSystem::Compat4);
    EXPECT_EQ(fake_->TbGetOption(job, 30), 0);
    EXPECT_EQ(fake_->TbGetOption(job, 31), 0);
    EXPECT_EQ(component.CompressStorage(), TPropYesNo::No);
    component.SetCompressStorage(TPropYesNo::Yes);
    EXPECT_EQ(fake_->TbGetOption(job, 31), 0);
}

TEST_F(Tb6Test, CallbackMaskFlagsTouchOnlyTheirBit)
{
    TTb6_ component;
    const int job = component.hTbJob();
    fake_->TbSetOption(job, 6, 0x5);
    struct Case {
        void (TTb6_::*set)(bool);
        intptr_t bit;
    };
    const Case cases[] = {{&TTb6_::SetEnablePageEvent, 0x40000000},
                          {&TTb6_::SetEnableProjectEvent, 0x20000000},
                          {&TTb6_::SetEnableObjectEvent, 0x10000000},
                          {&TTb6_::SetEnableHelpCallbackEvent, 0x08000000}};
    intptr_t mask = 0x5;
    for (const auto &c : cases) {
        (component.*c.set)(true);
        mask |= c.bit;
        EXPECT_EQ(fake_->TbGetOption(job, 6), mask);
    }
    for (const auto &c : cases) {
        (component.*c.set)(false);
        mask &= ~c.bit;
        EXPECT_EQ(fake_->TbGetOption(job, 6), mask);
    }
    EXPECT_EQ(mask, 0x5);
    component.SetEnableHostPrinterEvent(true);
    component.SetEnableDlgExprVarBtnEvent(true);
    EXPECT_EQ(fake_->TbGetOption(job, 13), 1);
    EXPECT_EQ(fake_->TbGetOption(job, 39), 1);
}

TEST_F(Tb6Test, DispatcherRoutesEachMessageToItsEvent)
{
    TTb6_ component;
    const int job = component.hTbJob();
    QStringList fired;
    int record = 0;
    const intptr_t recordPtr = reinterpret_cast<intptr_t>(&record);
    auto recordEvent = [&](const char *name) {
        return [&fired, name, &record](QObject *, void *r) {
            EXPECT_EQ(r, &record);
            fired << QString::fromLatin1(name);
        };
    };
    auto resultEvent = [&](const char *name, intptr_t result) {
        return [&fired, name, result](QObject *, void *, intptr_t &lResult) {
            fired << QStringLiteral("%1:%2").arg(QLatin1String(name)).arg(lResult);
            lResult = result;
        };
    };
    component.OnDrawUserobj = recordEvent("DrawUserobj");
    component.OnEditUserobj = recordEvent("EditUserobj");
    component.OnTableLine = recordEvent("TableLine");
    component.OnTableField = recordEvent("TableField");
    component.OnExtFct = recordEvent("ExtFct");
    component.OnPage = recordEvent("Page");
    component.OnProject = recordEvent("Project");
    component.OnNtfyProgress = recordEvent("NtfyProgress");
    component.OnObject = resultEvent("Object", 7);
    component.OnGroupBegin = resultEvent("GroupBegin", 8);
    component.OnGroupEnd = resultEvent("GroupEnd", 9);
    component.OnGroupLine = resultEvent("GroupLine", 10);
    component.OnDlgExprVarBtn = resultEvent("DlgExprVarBtn", 11);
    component.OnHostPrinter = resultEvent("HostPrinter", 12);
    component.OnHelp = [&](QObject *, int command, int context, intptr_t &r) {
        fired << QStringLiteral("Help:%1/%2").arg(command).arg(context);
        r = 13;
    };
    component.OnEnableMenu = [&](QObject *, intptr_t h) { fired << QStringLiteral("EnableMenu:%1").arg(h); };
    component.OnModifyMenu = [&](QObject *, intptr_t h) { fired << QStringLiteral("ModifyMenu:%1").arg(h); };
    component.OnSelectMenu = [&](QObject *, int id, intptr_t &r) {
        fired << QStringLiteral("SelectMenu:%1").arg(id);
        r = 14;
    };
    component.OnGetViewerButtonState = [&](QObject *, int id, int state, intptr_t &r) {
        fired << QStringLiteral("ButtonState:%1/%2").arg(id).arg(state);
        r = 15;
    };
    component.OnVarHelpText = [&](QObject *, const QString &name, QString *&text) {
        fired << QStringLiteral("VarHelp:%1").arg(name);
        *text = QStringLiteral("Hilfe zu ") + name;
    };
    component.OnViewerButtonClicked = [&](QObject *, int id, intptr_t &r) {
        fired << QStringLiteral("ButtonClicked:%1").arg(id);
        r = 16;
    };
    component.OnFailsFilter = [&](QObject *) { fired << QStringLiteral("FailsFilter"); };

    const QString varName = QStringLiteral("KfzNr");
    struct Case {
        unsigned message;
        intptr_t parameter;
        void (TTb6_::*enable)(bool);
        intptr_t result;      // with flag and handler
        intptr_t withoutFlag; // with handler, flag off
        const char *fired;
    };
    const Case cases[] = {
        {0, recordPtr, &TTb6_::SetEnableDrawUserobjEvent, 0, 0, "DrawUserobj"},
        {1, recordPtr, &TTb6_::SetEnableEditUserobjEvent, 0, 0, "EditUserobj"},
        {10, recordPtr, &TTb6_::SetEnableTableLineEvent, 0, 0, "TableLine"},
        {11, recordPtr, &TTb6_::SetEnableTableFieldEvent, 0, 0, "TableField"},
        {12, recordPtr, &TTb6_::SetEnableExtFctEvent, 0, 0, "ExtFct"},
        {20, recordPtr, &TTb6_::SetEnableObjectEvent, 7, 0, "Object:0"},
        {21, recordPtr, &TTb6_::SetEnablePageEvent, 0, 0, "Page"},
        {22, recordPtr, &TTb6_::SetEnableProjectEvent, 0, 0, "Project"},
        {23, recordPtr, &TTb6_::SetEnableGroupBeginEvent, 8, 2, "GroupBegin:2"},
        {24, recordPtr, &TTb6_::SetEnableGroupEndEvent, 9, 0, "GroupEnd:0"},
        {25, recordPtr, &TTb6_::SetEnableGroupLineEvent, 10, 2, "GroupLine:2"},
        {30, (3 << 16) | 42, &TTb6_::SetEnableHelpCallbackEvent, 13, 0, "Help:3/42"},
        {31, 77, &TTb6_::SetEnableEnableMenuEvent, 0, 0, "EnableMenu:77"},
        {32, 78, &TTb6_::SetEnableModifyMenuEvent, 0, 0, "ModifyMenu:78"},
        {33, 10100, &TTb6_::SetEnableSelectMenuEvent, 14, 0, "SelectMenu:10100"},
        {34, (104 << 16) | 2, &TTb6_::SetEnableGetViewerButtonStateEvent, 15, 0, "ButtonState:104/2"},
        {37, recordPtr, &TTb6_::SetEnableNtfyProgressEvent, 0, 0, "NtfyProgress"},
        {38, (5 << 16) | 116, &TTb6_::SetEnableViewerButtonClickedEvent, 16, 0, "ButtonClicked:116"},
        {39, recordPtr, &TTb6_::SetEnableDlgExprVarBtnEvent, 11, 0, "DlgExprVarBtn:0"},
        {40, recordPtr, &TTb6_::SetEnableHostPrinterEvent, 12, 0, "HostPrinter:0"},
        {1000, 0, &TTb6_::SetEnableFailsFilterEvent, 0, 0, "FailsFilter"},
    };
    for (const auto &c : cases) {
        fired.clear();
        (component.*c.enable)(false);
        EXPECT_EQ(fake_->notify(job, c.message, c.parameter), c.withoutFlag) << c.message;
        EXPECT_TRUE(fired.isEmpty()) << c.message;
        (component.*c.enable)(true);
        // The engine's message argument carries flags above the low 16 bits.
        EXPECT_EQ(fake_->notify(job, c.message | 0x10000, c.parameter), c.result) << c.message;
        EXPECT_EQ(fired, QStringList{QString::fromLatin1(c.fired)}) << c.message;
    }

    // Message 35 answers a pointer to the help text.
    component.SetEnableVarHelpTextEvent(true);
    const intptr_t answer = fake_->notify(job, 35, reinterpret_cast<intptr_t>(&varName));
    ASSERT_NE(answer, 0);
    EXPECT_EQ(*reinterpret_cast<const QString *>(answer), QStringLiteral("Hilfe zu KfzNr"));
    component.SetEnableVarHelpTextEvent(false);
    EXPECT_EQ(fake_->notify(job, 35, reinterpret_cast<intptr_t>(&varName)), 0);

    // Unknown messages, and handlers without their flag or flags without handlers, answer 0.
    fired.clear();
    EXPECT_EQ(fake_->notify(job, 51, 0), 0);
    EXPECT_EQ(fake_->notify(job, 999, 0), 0);
    component.OnGroupBegin = nullptr;
    EXPECT_EQ(fake_->notify(job, 23, recordPtr), 2);
    EXPECT_TRUE(fired.isEmpty());
}

TEST_F(Tb6Test, WrappersPassTheJobAndReturnTheEngineCodes)
{
    TTb6_ component;
    const QString job = QString::number(component.hTbJob());
    fake_->clearCalls();
    fake_->results[QStringLiteral("TbPrintFields")] = {-998};
    fake_->results[QStringLiteral("TbPrintWithBoxStartA")] = {-23};
    fake_->results[QStringLiteral("TbPrintOptionsDialogA")] = {-99};
    EXPECT_EQ(component.PrintWithBoxStart(2, QStringLiteral("Touren.lst"), 512, 1, nullptr,
                                          QStringLiteral("Drucke...")),
              -23);
    EXPECT_EQ(component.PrintOptionsDialog(nullptr, QStringLiteral("Drucke")), -99);
    EXPECT_EQ(component.PrintFields(), -998);
    component.DefineVariable(QStringLiteral("A"), QStringLiteral("1"));
    component.DefineField(QStringLiteral("B"), QStringLiteral("2"));
    component.PrintPage();
    component.PrintEnd(0);
    EXPECT_EQ(fake_->calls,
              (std::vector<QString>{
                  QStringLiteral("TbPrintWithBoxStartA(%1, 2, Touren.lst, 512, 1, Drucke...)").arg(job),
                  QStringLiteral("TbPrintOptionsDialogA(%1, Drucke)").arg(job),
                  QStringLiteral("TbPrintFields(%1)").arg(job),
                  QStringLiteral("TbDefineVariableA(%1, A, 1)").arg(job),
                  QStringLiteral("TbDefineFieldA(%1, B, 2)").arg(job),
                  QStringLiteral("TbPrint(%1)").arg(job),
                  QStringLiteral("TbPrintEnd(%1, 0)").arg(job),
              }));
}

} // namespace

namespace {

TEST_F(Tb6Test, LanguageThatCannotOpenFallsBackToTheDefault)
{
    struct Case {
        int code;
        const char *message;
    };
    for (const Case &c :
         {Case{-101, "Tabulon Language file not found."}, Case{-4, "Can't open the Tabulon job."}}) {
        TTb6_ component;
        component.SetDelayTableHeader(TPropYesNo::Yes);
        fake_->openAnswers = {{1, c.code}};
        messages_.expectInformation(QString::fromUtf8(c.message));
        component.SetLanguage(TLanguageType::English);
        EXPECT_GE(component.hTbJob(), 0);
        EXPECT_EQ(component.Language(), TLanguageType::DefaultLang);
        EXPECT_EQ(fake_->TbGetOption(component.hTbJob(), 47), 1); // still carried over
        EXPECT_EQ(fake_->callbacks[component.hTbJob()], &TTb6_::NotificationDispatcher);
    }
}

} // namespace

namespace {

TEST_F(Tb6Test, TableColouringRulesAtRunTime)
{
    TTb6_ component;
    component.SetEnableTableLineEvent(true);
    EXPECT_EQ(component.TableColoringMode(), reporting::TPropTableColoring::Normal);
    component.SetEnableTableFieldEvent(true);
    EXPECT_EQ(component.TableColoringMode(), reporting::TPropTableColoring::Userdefined);
    EXPECT_EQ(fake_->TbGetOption(component.hTbJob(), 2), 1);
    // A mode chosen on purpose stays.
    component.SetTableColoringMode(reporting::TPropTableColoring::Designer);
    component.SetEnableTableFieldEvent(true);
    EXPECT_EQ(fake_->TbGetOption(component.hTbJob(), 2), 2);
}

} // namespace
