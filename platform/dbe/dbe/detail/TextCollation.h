#pragma once

#include <QStringView>

struct sqlite3;

namespace dbe::detail {

// The order of text in every reading order of the layer, as a German reader expects it in a
// list of names: letters with diacritics beside their base letter (ä with a, ö with o, Ş with s),
// ß as ss, æ/œ as ae/oe, case ignored. Texts equal under that rule are ordered by their code
// points, so the order is total and two texts compare equal only when they are the same text:
// keys stay unique as stored ("abc" and "ABC" are two keys), and an equality test in the storage
// may keep using its plain indexes.
int compareText(QStringView a, QStringView b);
// The same order over UTF-8 bytes (what the storage hands a collation).
int compareTextUtf8(const char *a, int aLength, const char *b, int bLength);

// The collation's name in SQL ("... ORDER BY col COLLATE <name>"). It is registered on every
// connection the layer opens and never written into the schema, so other programs can still read
// and write the files.
inline constexpr const char *kTextCollation = "DEUTSCH";
void registerTextCollation(sqlite3 *db);

} // namespace dbe::detail
