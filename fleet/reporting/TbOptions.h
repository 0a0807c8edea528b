#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include <QtGlobal>

#include "TbJobWrappers.h"

namespace reporting {

enum class TPropYesNo { No, Yes };
enum class TExpressionMode { Old, NewMode, Enhanced };
enum class TTabMode { Replace, Expand };
enum class TPropTableColoring { Normal, Userdefined, Designer };
// HiMetric and HiInch exist for the version-14 component only.
enum class TPropUnitSystem { Metric, Inch, HiMetric, HiInch };
enum class TPropStgSystem { Compat4, Storage };
enum class TDialogboxMode {
    Win16,
    velkor1,
    velkor2,
    velkor3,
    velkor4,
    velkor5,
    velkor6,
    velkor7,
    Win95,
    Office97,
    OfficeXP,  // version 14 only
    Office2003 // version 14 only
};
// Ordinal = engine language + 1.
enum class TLanguageType {
    DefaultLang,
    Deutsch,
    English,
    Arab,
    Afrikaans,
    Albanian,
    Basque,
    Bulgarian,
    Belorussian,
    Catalan,
    Chinese,
    Croatian,
    Czech,
    Danish,
    Dutch,
    Estonian,
    Faeroese,
    Farsi,
    Finnish,
    French,
    Greek,
    Hebrew,
    Hungarian,
    Icelandic,
    Indonesian,
    Italian,
    Japanese,
    Korean,
    Latvian,
    Lithuanian,
    Norwegian,
    Polish,
    Portuguese,
    Romanian,
    Russian,
    Slovak,
    Slovenian,
    Serbian,
    Spanish,
    Swedish,
    Thai,
    Turkish,
    Ukrainian
};

// The option the picture resolution goes to.
constexpr int kTbEmfResolution = 49;

// The yes/no options the components mirror as properties.
enum class TbYesNo {
    MultipleTableLines,
    AddVarsToFields,
    Supervisor,
    ConvertCRLF,
    HelpAvailable,
    AutoMultipage, // version 6 only
    DelayTableHeader,
    OfnDialogExplorer,
    RealTime,
    SpaceOptimization,
    UseBarcodeSizes,
    UseHostprinter,
    VarsCaseSensitive,
    WizFileNew,
    SupportPageBreak,
    SortVariables,
    ShowPredefVars,
    NoParameterCheck,
    NoNoTableCheck,
    XlatVarNames,
    CreateInfo,
    InterCharSpacing,   // version 14 only
    IncludeFontDescent, // version 14 only
    UseChartFields,     // version 14 only
};

// The component versions offering an option.
enum TbVersions : std::uint8_t { kTbVersion6 = 1, kTbVersion14 = 2, kTbBothVersions = 3 };

// One row of the table: the engine's option number; whether the property answers with the value it
// last set instead of asking the engine; the versions offering it; the value a new component of each
// version sets (none: not set at creation).
struct TbYesNoOption {
    TbYesNo which;
    int number;
    bool remembered;
    std::uint8_t versions;
    std::optional<TPropYesNo> new6, new14;
};

// The table, in the order the properties are set at creation and after a language switch.
const std::vector<TbYesNoOption> &tbYesNoOptions();
const TbYesNoOption &tbYesNoOption(TbYesNo which);

// The engine job with the options both component versions mirror as properties: every option a
// property sets is kept (and a version-14 job sends them all again to a reopened job).
class TTbOptions : public TTbJobWrappers {
public:
    int DebugMode() const { return debugMode_; }
    void SetDebugMode(int value);
    int EMFResolution() const { return emfResolution_; }
    void SetEMFResolution(int value);
    TLanguageType Language() const { return language_; }

    TPropYesNo YesNo(TbYesNo which) const;
    void SetYesNo(TbYesNo which, TPropYesNo value);

    TPropYesNo MultipleTableLines() const { return YesNo(TbYesNo::MultipleTableLines); }
    void SetMultipleTableLines(TPropYesNo v) { SetYesNo(TbYesNo::MultipleTableLines, v); }
    TPropYesNo AddVarsToFields() const { return YesNo(TbYesNo::AddVarsToFields); }
    void SetAddVarsToFields(TPropYesNo v) { SetYesNo(TbYesNo::AddVarsToFields, v); }
    TPropYesNo Supervisor() const { return YesNo(TbYesNo::Supervisor); }
    void SetSupervisor(TPropYesNo v) { SetYesNo(TbYesNo::Supervisor, v); }
    TPropYesNo ConvertCRLF() const { return YesNo(TbYesNo::ConvertCRLF); }
    void SetConvertCRLF(TPropYesNo v) { SetYesNo(TbYesNo::ConvertCRLF, v); }
    TPropYesNo HelpAvailable() const { return YesNo(TbYesNo::HelpAvailable); }
    void SetHelpAvailable(TPropYesNo v) { SetYesNo(TbYesNo::HelpAvailable, v); }
    TPropYesNo DelayTableHeader() const { return YesNo(TbYesNo::DelayTableHeader); }
    void SetDelayTableHeader(TPropYesNo v) { SetYesNo(TbYesNo::DelayTableHeader, v); }
    TPropYesNo OfnDialogExplorer() const { return YesNo(TbYesNo::OfnDialogExplorer); }
    void SetOfnDialogExplorer(TPropYesNo v) { SetYesNo(TbYesNo::OfnDialogExplorer, v); }
    TPropYesNo RealTime() const { return YesNo(TbYesNo::RealTime); }
    void SetRealTime(TPropYesNo v) { SetYesNo(TbYesNo::RealTime, v); }
    TPropYesNo SpaceOptimization() const { return YesNo(TbYesNo::SpaceOptimization); }
    void SetSpaceOptimization(TPropYesNo v) { SetYesNo(TbYesNo::SpaceOptimization, v); }
    TPropYesNo UseBarcodeSizes() const { return YesNo(TbYesNo::UseBarcodeSizes); }
    void SetUseBarcodeSizes(TPropYesNo v) { SetYesNo(TbYesNo::UseBarcodeSizes, v); }
    TPropYesNo UseHostprinter() const { return YesNo(TbYesNo::UseHostprinter); }
    void SetUseHostprinter(TPropYesNo v) { SetYesNo(TbYesNo::UseHostprinter, v); }
    TPropYesNo VarsCaseSensitive() const { return YesNo(TbYesNo::VarsCaseSensitive); }
    void SetVarsCaseSensitive(TPropYesNo v) { SetYesNo(TbYesNo::VarsCaseSensitive, v); }
    TPropYesNo WizFileNew() const { return YesNo(TbYesNo::WizFileNew); }
    void SetWizFileNew(TPropYesNo v) { SetYesNo(TbYesNo::WizFileNew, v); }
    TPropYesNo SupportPageBreak() const { return YesNo(TbYesNo::SupportPageBreak); }
    void SetSupportPageBreak(TPropYesNo v) { SetYesNo(TbYesNo::SupportPageBreak, v); }
    TPropYesNo SortVariables() const { return YesNo(TbYesNo::SortVariables); }
    void SetSortVariables(TPropYesNo v) { SetYesNo(TbYesNo::SortVariables, v); }
    TPropYesNo ShowPredefVars() const { return YesNo(TbYesNo::ShowPredefVars); }
    void SetShowPredefVars(TPropYesNo v) { SetYesNo(TbYesNo::ShowPredefVars, v); }
    TPropYesNo NoParameterCheck() const { return YesNo(TbYesNo::NoParameterCheck); }
    void SetNoParameterCheck(TPropYesNo v) { SetYesNo(TbYesNo::NoParameterCheck, v); }
    TPropYesNo NoNoTableCheck() const { return YesNo(TbYesNo::NoNoTableCheck); }
    void SetNoNoTableCheck(TPropYesNo v) { SetYesNo(TbYesNo::NoNoTableCheck, v); }
    TPropYesNo XlatVarNames() const { return YesNo(TbYesNo::XlatVarNames); }
    void SetXlatVarNames(TPropYesNo v) { SetYesNo(TbYesNo::XlatVarNames, v); }
    TPropYesNo CreateInfo() const { return YesNo(TbYesNo::CreateInfo); }
    void SetCreateInfo(TPropYesNo v) { SetYesNo(TbYesNo::CreateInfo, v); }

    TExpressionMode NewExpressions() const;
    void SetNewExpressions(TExpressionMode value);
    bool OnlyOneTable() const { return option(1) != 0; }
    void SetOnlyOneTable(bool value) { setOption(1, value ? 1 : 0); }
    TTabMode TabStops() const { return option(5) == 1 ? TTabMode::Expand : TTabMode::Replace; }
    void SetTabStops(TTabMode value) { setOption(5, int(value)); }
    int TabRepresentationCode() const { return int(option(15)); }
    void SetTabRepresentationCode(int code) { setOption(15, code); }
    int RetRepresentationCode() const { return int(option(23)); }
    void SetRetRepresentationCode(int code) { setOption(23, code); }
    TPropTableColoring TableColoringMode() const;
    void SetTableColoringMode(TPropTableColoring value);
    TPropStgSystem StorageSystem() const;
    void SetStorageSystem(TPropStgSystem value);
    TPropYesNo CompressStorage() const { return option(31) != 0 ? TPropYesNo::Yes : TPropYesNo::No; }
    // Compression only with the storage system.
    void SetCompressStorage(TPropYesNo value);

    TDialogboxMode DialogBoxMode() const { return dialogBoxMode_; }
    TPropYesNo Buttons3D() const { return buttons3D_; }
    void SetButtons3D(TPropYesNo value);
    TPropYesNo ButtonsWithBitmaps() const { return buttonsWithBitmaps_; }
    void SetButtonsWithBitmaps(TPropYesNo value);

protected:
    ~TTbOptions() = default;

    intptr_t option(int number) const;
    // Sends the option to the job and keeps it.
    void setOption(int number, intptr_t value);
    // Creation: the yes/no options a new component of the version sets.
    void setNewYesNoOptions(TbVersions version);
    void applyDialogMode();

    // Every option a property set, by number.
    std::map<int, intptr_t> sent_;
    int debugMode_ = 0;
    int emfResolution_ = 0;
    TLanguageType language_ = TLanguageType::DefaultLang;
    TDialogboxMode dialogBoxMode_ = TDialogboxMode::Win95;
    int dialogBaseMode_ = 0;
    int dialogStyleFlags_ = 0;
    TPropYesNo buttons3D_ = TPropYesNo::No, buttonsWithBitmaps_ = TPropYesNo::No;
};

} // namespace reporting
