#pragma once

#include <optional>

#include <QString>

#include "ui/Messages.h"

class QTextDocument;

// The letter editor's rules that need no window: caption, status line, the
// find step, the font size typed, the outcome of the save question.
namespace fleet::brief {

inline const QString kNeuerText = QStringLiteral("Neu");
// The file dialogs' filter, in the system's form.
inline const QString kBriefFilter = QStringLiteral("Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT");

// "KARVEN Text - " + the file name without its directory.
QString Titel(const QString &dateiName);

// "Zeile: %3d   Spalte: %3d": the 1-based line (as laid out) of a position
// and its 1-based column from that line's first character.
QString StatusZeile(const QTextDocument &dokument, int position);

// Where the next match of `suchtext` lies (case-sensitive, any part of a
// word): behind the selection when something is selected, else from the
// start. `text` holds one character per document position.
std::optional<int> Suchschritt(const QString &text, const QString &suchtext, int auswahlStart,
                               int auswahlLaenge);

// A font size typed in the toolbar: a positive whole number, else nothing.
std::optional<int> Schriftgroesse(const QString &text);

// Whether an open or a close goes on after the save question: Yes only when
// the text was stored, No always, Cancel never.
bool NachSpeicherfrageWeiter(ui::Answer antwort, bool gespeichert);

} // namespace fleet::brief
