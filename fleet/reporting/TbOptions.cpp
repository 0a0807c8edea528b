#include "TbOptions.h"

#include <algorithm>

#include "reportengine/IEngine.h"

namespace reporting {

namespace {

constexpr auto Yes = TPropYesNo::Yes;
constexpr auto No = TPropYesNo::No;
constexpr std::optional<TPropYesNo> unset;

} // namespace

const std::vector<TbYesNoOption> &tbYesNoOptions()
{
    static const std::vector<TbYesNoOption> table = {
        {TbYesNo::MultipleTableLines, 20, false, kTbBothVersions, No, Yes},
        {TbYesNo::AddVarsToFields, 19, false, kTbBothVersions, No, No},
        {TbYesNo::Supervisor, 3, false, kTbBothVersions, unset, unset},
        {TbYesNo::ConvertCRLF, 21, false, kTbBothVersions, No, No},
        {TbYesNo::HelpAvailable, 8, true, kTbBothVersions, Yes, Yes},
        {TbYesNo::AutoMultipage, 42, true, kTbVersion6, Yes, unset},
        {TbYesNo::DelayTableHeader, 47, true, kTbBothVersions, No, No},
        {TbYesNo::OfnDialogExplorer, 48, true, kTbBothVersions, Yes, Yes},
        {TbYesNo::RealTime, 41, true, kTbBothVersions, No, No},
        {TbYesNo::SpaceOptimization, 40, true, kTbBothVersions, Yes, Yes},
        {TbYesNo::UseBarcodeSizes, 43, true, kTbBothVersions, No, No},
        {TbYesNo::UseHostprinter, 13, true, kTbBothVersions, No, No},
        {TbYesNo::VarsCaseSensitive, 46, true, kTbBothVersions, Yes, Yes},
        {TbYesNo::WizFileNew, 22, true, kTbBothVersions, No, No},
        {TbYesNo::SupportPageBreak, 10, false, kTbBothVersions, No, Yes},
        {TbYesNo::SortVariables, 9, false, kTbBothVersions, Yes, Yes},
        {TbYesNo::ShowPredefVars, 11, false, kTbBothVersions, Yes, Yes},
        {TbYesNo::NoParameterCheck, 32, false, kTbBothVersions, No, No},
        {TbYesNo::NoNoTableCheck, 33, false, kTbBothVersions, No, Yes},
        {TbYesNo::XlatVarNames, 51, true, kTbBothVersions, Yes, Yes},
        {TbYesNo::CreateInfo, 50, true, kTbBothVersions, Yes, Yes},
        {TbYesNo::InterCharSpacing, 78, true, kTbVersion14, unset, No},
        {TbYesNo::IncludeFontDescent, 79, true, kTbVersion14, unset, Yes},
        {TbYesNo::UseChartFields, 81, true, kTbVersion14, unset, No},
    };
    return table;
}

const TbYesNoOption &tbYesNoOption(TbYesNo which)
{
    const auto &table = tbYesNoOptions();
    return *std::find_if(table.begin(), table.end(),
                         [which](const TbYesNoOption &o) { return o.which == which; });
}

intptr_t TTbOptions::option(int number) const
{
    return tb::engine().TbGetOption(job_, number);
}

void TTbOptions::setOption(int number, intptr_t value)
{
    sent_[number] = value;
    tb::engine().TbSetOption(job_, number, value);
}

TPropYesNo TTbOptions::YesNo(TbYesNo which) const
{
    const TbYesNoOption &o = tbYesNoOption(which);
    intptr_t value = 0;
    if (const auto it = sent_.find(o.number); o.remembered && it != sent_.end())
        value = it->second;
    else
        value = option(o.number);
    return value != 0 ? TPropYesNo::Yes : TPropYesNo::No;
}

void TTbOptions::SetYesNo(TbYesNo which, TPropYesNo value)
{
    setOption(tbYesNoOption(which).number, value == TPropYesNo::Yes ? 1 : 0);
}

void TTbOptions::setNewYesNoOptions(TbVersions version)
{
    for (const TbYesNoOption &o : tbYesNoOptions())
        if (const auto value = version == kTbVersion14 ? o.new14 : o.new6)
            SetYesNo(o.which, *value);
}

void TTbOptions::SetDebugMode(int value)
{
    debugMode_ = value;
    tb::engine().TbSetDebug(value);
}

void TTbOptions::SetEMFResolution(int value)
{
    setOption(kTbEmfResolution, value);
    emfResolution_ = int(option(kTbEmfResolution));
}

TExpressionMode TTbOptions::NewExpressions() const
{
    if (option(0) != 0)
        return TExpressionMode::NewMode;
    if (option(14) != 0)
        return TExpressionMode::Enhanced;
    return TExpressionMode::Old;
}

void TTbOptions::SetNewExpressions(TExpressionMode value)
{
    switch (value) {
    case TExpressionMode::Old:
        setOption(0, 0);
        setOption(14, 0);
        break;
    case TExpressionMode::NewMode:
        setOption(0, 1);
        break;
    case TExpressionMode::Enhanced:
        setOption(14, 1);
        break;
    }
}

TPropTableColoring TTbOptions::TableColoringMode() const
{
    return TPropTableColoring(std::clamp<intptr_t>(option(tb::opt::TableColoring), 0, 2));
}

void TTbOptions::SetTableColoringMode(TPropTableColoring value)
{
    // The warnings and flag resets of this setter belong to design time only.
    setOption(tb::opt::TableColoring, int(value));
}

TPropStgSystem TTbOptions::StorageSystem() const
{
    return option(30) != 0 ? TPropStgSystem::Storage : TPropStgSystem::Compat4;
}

void TTbOptions::SetStorageSystem(TPropStgSystem value)
{
    setOption(30, int(value));
    if (value == TPropStgSystem::Compat4)
        SetCompressStorage(TPropYesNo::No);
}

void TTbOptions::SetCompressStorage(TPropYesNo value)
{
    const bool compress = value == TPropYesNo::Yes && StorageSystem() == TPropStgSystem::Storage;
    setOption(31, compress ? 1 : 0);
}

void TTbOptions::applyDialogMode()
{
    tb::engine().TbSetDlgboxMode(dialogBaseMode_ | dialogStyleFlags_);
}

void TTbOptions::SetButtons3D(TPropYesNo value)
{
    buttons3D_ = value;
    if (value == TPropYesNo::Yes)
        dialogStyleFlags_ |= 0x8000;
    else
        dialogStyleFlags_ &= ~0x8000;
    applyDialogMode();
}

void TTbOptions::SetButtonsWithBitmaps(TPropYesNo value)
{
    buttonsWithBitmaps_ = value;
    if (value == TPropYesNo::No)
        dialogStyleFlags_ |= 0x2000;
    else
        dialogStyleFlags_ &= ~0x2000;
    applyDialogMode();
}

} // namespace reporting
