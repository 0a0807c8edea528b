#pragma once

#include <QString>
#include <QStringList>

#include "navigation/leiste/DBVShortCuts.h"

namespace nav {

enum class TAddSCHint { ahNone, ahShortOnly, ahLongOnly, ahBoth };

// The shortcut as the platform writes it with German key names ("Strg+Bild ab").
QString shortCutToText(TShortCut shortCut);

// Adds " [shortcut]" to the short and/or long part ("short|long") of a hint.
// shortCutsEnabled: the extender's current interfaces hold ieShortCuts.
QString addShortCutToHint(const QString &text, TShortCut shortCut, bool shortCutsEnabled, TAddSCHint where);

// Every command's hint: the base text (the user button's own hint for
// nbUserBtn), replaced by a non-empty line of the bar's Hints.
QStringList buildHints(const QStringList &hintLines, const QString &userBtnHint,
                       const TDBVShortCuts *shortCuts, bool shortCutsEnabled, TAddSCHint where);

} // namespace nav
