#include "navigation/leiste/NavCommandTable.h"

namespace nav {

namespace {

constexpr std::array<NavCommandInfo, kNavigateBtnCount> kCommands = {{
    {"SEARCH", 2, 0, false, 59700, "Feldwert suchen"},
    {"INCSEARCH", 4, 32766, false, 59735, "Inkrementelle Suche ein/aus"},
    {"SEARCHNEXT", 2, 0, false, 59701, "Nächsten Feldwert suchen"},
    {"SETBOOKMARK", 2, 0, false, 59702, "Lesezeichen setzen"},
    {"GOTOBOOKMARK", 2, 0, false, 59703, "Gehezu Lesezeichen"},
    {"GLOBFILTER", 1, 0, false, 59705, "Filter bearbeiten"},
    {"ACTIVEFILTER", 4, 32761, false, 59706, "Filter aktivieren/deaktivieren"},
    {"INDEX", 1, 0, false, 59707, "Index wählen"},
    {"TABLEVIEW", 2, 0, false, 59704, "Tabellenansicht"},
    {"SINGLERECVIEW", 2, 0, false, 59736, "Einzeldatensatzansicht"},
    {"FIRST", 2, 0, false, 59710, "Erster Datensatz"},
    {"PGROUP", 2, 0, true, 59711, "Vorherige Datensatzgruppe"},
    {"PRIOR", 2, 0, true, 59712, "Vorheriger Datensatz"},
    {"NEXT", 2, 0, true, 59713, "Nächster Datensatz"},
    {"NGROUP", 2, 0, true, 59714, "Nächste Datensatzgruppe"},
    {"LAST", 2, 0, false, 59715, "Letzter Datensatz"},
    {"INSERT", 2, 0, false, 59720, "Datensatz einfügen"},
    {"DELETE", 2, 0, false, 59721, "Datensatz löschen"},
    {"EDIT", 2, 0, false, 59722, "Datensatz bearbeiten"},
    {"POST", 2, 0, false, 59723, "Änderung bestätigen"},
    {"CANCEL", 2, 0, false, 59724, "Änderungen verwerfen"},
    {"REFRESH", 2, 0, false, 59725, "Daten aktualisieren"},
    {"USERBTN", 2, 0, false, 0, ""},
    {"MEMOVIEW", 2, 0, false, 59734, "Memoansicht"},
    {"DUPFIELD", 1, 0, false, 59730, "Feld aus vorh. Datensatz duplizieren"},
    {"DUPRECORD", 1, 0, false, 59731, "Datensatz auf neuen duplizieren"},
    {"LOOKUP", 2, 0, false, 59732, "Feldwert nachschlagen"},
    {"GLOBALEDIT", 1, 32740, false, 59733, "Bearbeitungsmodus ein/aus"},
}};

} // namespace

NavGroup groupOf(int command)
{
    if (command <= kGroupLast[0])
        return NavGroup::Search;
    if (command <= kGroupLast[1])
        return NavGroup::Move;
    if (command <= kGroupLast[2])
        return NavGroup::Record;
    return NavGroup::Extend;
}

const NavCommandInfo &commandInfo(int command)
{
    return kCommands.at(static_cast<std::size_t>(command));
}

QString commandHint(int command)
{
    return QString::fromUtf8(commandInfo(command).hint);
}

NavButtonSet withGroup(NavButtonSet set, NavGroup group, unsigned groupBits)
{
    const int g = static_cast<int>(group);
    for (int c = kGroupFirst[g]; c <= kGroupLast[g]; ++c)
        set.set(static_cast<std::size_t>(c), (groupBits >> (c - kGroupFirst[g])) & 1u);
    return set;
}

unsigned groupBits(const NavButtonSet &set, NavGroup group)
{
    const int g = static_cast<int>(group);
    unsigned bits = 0;
    for (int c = kGroupFirst[g]; c <= kGroupLast[g]; ++c)
        if (set.test(static_cast<std::size_t>(c)))
            bits |= 1u << (c - kGroupFirst[g]);
    return bits;
}

NavButtonSet defaultVisibleButtons()
{
    NavButtonSet set;
    set.set();
    set.reset(nbSingleRecView);
    return set;
}

} // namespace nav
