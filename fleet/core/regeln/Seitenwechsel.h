#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The rules of changing pages on the main window, apart from its widgets.
namespace fleet::seitenwechsel {

// The extender's key set AllowKeys, bit 0 to bit 14.
enum TAllowKey : unsigned {
    akSelectNext = 1u << 0,
    akDBMove = 1u << 1,
    akLookUp = 1u << 2,
    akSearch = 1u << 3,
    akIncSearch = 1u << 4,
    akBookmark = 1u << 5,
    akFilter = 1u << 6,
    akDuplicate = 1u << 7,
    akCancel = 1u << 8,
    akDelete = 1u << 9,
    akInsert = 1u << 10,
    akTableView = 1u << 11,
    akGlobalEdit = 1u << 12,
    akIndexSelect = 1u << 13,
    akSingleRecView = 1u << 14,
};
constexpr unsigned kAlleTasten = 0x7FFF;

// The table component a page shows new rows of (empty when leaving the page
// is never refused) and the warning that refuses leaving it while that table
// is inserting.
QString EinfuegeTabelle(const QString &seite);
QString VerlassenMeldung(const QString &seite);

// The key set after entering a page; pages whose navigator is disabled keep
// the set as it is. `stammdatenFreigegeben`: the master page is enabled.
unsigned AllowKeysNachWechsel(const QString &seite, unsigned allowKeys, bool stammdatenFreigegeben);

// The stored column orders to save when the window closes, in order.
QStringList SpaltenZuSpeichern(bool zurueckgesetzt, bool tourenModus, const QSet<QString> &verschoben);

} // namespace fleet::seitenwechsel
