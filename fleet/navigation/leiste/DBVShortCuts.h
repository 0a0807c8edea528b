#pragma once

#include <array>
#include <functional>
#include <variant>
#include <vector>

#include <QString>

#include "navigation/gemeinsam/ShortCut.h"
#include "navigation/leiste/NavigateBtn.h"

namespace nav {

// One value of a stored property list: an integer or an identifier.
struct FilerIdent {
    QString name;
    bool operator==(const FilerIdent &) const = default;
};
using FilerValue = std::variant<int, FilerIdent>;
// The items between begin-of-list and end-of-list.
using FilerList = std::vector<FilerValue>;

// Marker that opens the named list format (kept as stored files have it).
constexpr int kShortCutsNamedMarker = -27;

// The keyboard shortcuts of the 28 navigator commands.
class TDBVShortCuts {
public:
    TDBVShortCuts();

    void SetDefaults();
    TShortCut ShortCut(TDBVNavigateBtn command) const { return ShortCuts[command]; }
    void SetShortCut(TDBVNavigateBtn command, TShortCut value) { ShortCuts[command] = value; }

    bool FindCommand(TShortCut value, TDBVNavigateBtn &command) const;
    // Also answers a key pressed with Ctrl for a command whose shortcut has no
    // Ctrl, unless another command owns the combination with Ctrl.
    bool FindKeyCommand(int virtualKey, TShiftState shift, TDBVNavigateBtn &command) const;

    void Assign(const TDBVShortCuts &source);

    // The stored property "ShortCuts": always written in the named format;
    // read in the named format or the old positional one.
    FilerList WriteProperty() const;
    void ReadProperty(const FilerList &list);

    static TDBVNavigateBtn CommandFromName(const QString &name);
    static const std::array<TShortCut, kNavigateBtnCount> &Defaults();

    std::array<TShortCut, kNavigateBtnCount> ShortCuts{};
    std::function<void(TDBVShortCuts &sender)> OnChange;
};

} // namespace nav
