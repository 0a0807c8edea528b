#include "navigation/leiste/DBVShortCuts.h"

#include "navigation/gemeinsam/NavExceptions.h"

namespace nav {

namespace {

constexpr TShortCut ctrl(char key)
{
    return scCtrl | static_cast<TShortCut>(key);
}

constexpr std::array<TShortCut, kNavigateBtnCount> kDefaults = {
    ctrl('S'),              // nbSearch
    ctrl('I'),              // nbSearchInc
    vk::F1 + 2,             // nbSearchNext: F3
    ctrl('K'),              // nbSetBookmark
    ctrl('Q'),              // nbGotoBookmark
    ctrl('F'),              // nbTblFilter
    0,                      // nbActiveFilter
    ctrl('X'),              // nbIndexSelect
    vk::F1 + 6,             // nbTableView: F7
    0,                      // nbSingleRecView
    scCtrl | vk::Prior,     // nbFirst
    scShift | vk::Prior,    // nbPGroup
    vk::Prior,              // nbPrior
    vk::Next,               // nbNext
    scShift | vk::Next,     // nbNGroup
    scCtrl | vk::Next,      // nbLast
    vk::Insert,             // nbInsert
    scCtrl | vk::Delete,    // nbDelete
    0,                      // nbEdit
    0,                      // nbPost
    scCtrl | vk::Back,      // nbCancel
    0,                      // nbRefresh
    0,                      // nbUserBtn
    vk::F1 + 1,             // nbMemoView: F2
    ctrl('D'),              // nbDupField
    scCtrl | scShift | 'D', // nbDupRecord
    scCtrl | vk::Space,     // nbLookUp
    vk::F1 + 8,             // nbGlobalEdit: F9
};

[[noreturn]] void readError(const QString &detail)
{
    throw EStreamError(QStringLiteral("Error reading TDBVShortCuts ") + detail);
}

} // namespace

const std::array<TShortCut, kNavigateBtnCount> &TDBVShortCuts::Defaults()
{
    return kDefaults;
}

TDBVShortCuts::TDBVShortCuts()
{
    SetDefaults();
}

void TDBVShortCuts::SetDefaults()
{
    ShortCuts = kDefaults;
}

bool TDBVShortCuts::FindCommand(TShortCut value, TDBVNavigateBtn &command) const
{
    for (int i = 0; i < kNavigateBtnCount; ++i) {
        if (ShortCuts[i] == value) {
            command = static_cast<TDBVNavigateBtn>(i);
            return true;
        }
    }
    return false;
}

bool TDBVShortCuts::FindKeyCommand(int virtualKey, TShiftState shift, TDBVNavigateBtn &command) const
{
    if (FindCommand(makeShortCut(virtualKey, shift), command))
        return true;
    return FindCommand(makeShortCut(virtualKey, shift & ~ssCtrl), command);
}

void TDBVShortCuts::Assign(const TDBVShortCuts &source)
{
    ShortCuts = source.ShortCuts;
    if (OnChange)
        OnChange(*this);
}

TDBVNavigateBtn TDBVShortCuts::CommandFromName(const QString &name)
{
    for (int i = 0; i < kNavigateBtnCount; ++i)
        if (name.compare(QLatin1String(kNavigateBtnNames[i]), Qt::CaseInsensitive) == 0)
            return static_cast<TDBVNavigateBtn>(i);
    readError(name);
}

FilerList TDBVShortCuts::WriteProperty() const
{
    FilerList list;
    list.reserve(1 + 2 * kNavigateBtnCount);
    list.emplace_back(kShortCutsNamedMarker);
    for (int i = 0; i < kNavigateBtnCount; ++i) {
        list.emplace_back(FilerIdent{QLatin1String(kNavigateBtnNames[i])});
        list.emplace_back(static_cast<int>(ShortCuts[i]));
    }
    return list;
}

void TDBVShortCuts::ReadProperty(const FilerList &list)
{
    auto integerAt = [&](std::size_t i) {
        if (i >= list.size() || !std::holds_alternative<int>(list[i]))
            readError(QStringLiteral("(integer expected)"));
        return std::get<int>(list[i]);
    };
    const int first = integerAt(0);
    if (first < 0) {
        for (std::size_t i = 1; i < list.size(); i += 2) {
            if (!std::holds_alternative<FilerIdent>(list[i]))
                readError(QStringLiteral("(identifier expected)"));
            const TDBVNavigateBtn command = CommandFromName(std::get<FilerIdent>(list[i]).name);
            ShortCuts[command] = static_cast<TShortCut>(integerAt(i + 1));
        }
        return;
    }
    // Old positional format, written before nbSingleRecView existed.
    int command = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        ShortCuts[command] = static_cast<TShortCut>(integerAt(i));
        if (command == nbTableView)
            command = nbFirst;
        else if (command < nbGlobalEdit)
            ++command;
    }
}

} // namespace nav
