#pragma once

// What the program does first, right after its application object exists:
// German texts in Qt's own dialogs and buttons ("&Ja", "&Nein", "Abbrechen")
// and German formats in Qt's controls (dd.MM.yyyy, decimal comma, no
// thousands separator), whatever the system locale is. The C library's
// number formats stay neutral ("C"), so no parser depends on the locale.
namespace ui {

// False when Qt's German translation could not be loaded (the formats are
// pinned all the same).
bool startGerman();

} // namespace ui
