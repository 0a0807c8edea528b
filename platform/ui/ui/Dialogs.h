#pragma once

#include <memory>
#include <optional>

#include <QColor>
#include <QString>

#include "ui/FontColorDialog.h"
#include "ui/ReadOnlyOpenDialog.h"
#include "ui/Seam.h"

namespace ui {

struct FileDialogOptions {
    QString title;
    // The system's filter form: pairs of description and patterns separated
    // by "|", several patterns by ";" ("Textdateien (*.txt)|*.txt|Alle|*.*").
    QString filter;
    QString defaultExtension; // without the dot; added to a name without one
    QString initialDirectory;
    QString fileName;
    bool overwritePrompt = true; // save only
};

// The common dialogs: file open and save, colour, password entry. Each
// returns nothing when the user cancels.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual std::optional<QString> openFile(const FileDialogOptions &options) = 0;
    virtual std::optional<QString> saveFile(const FileDialogOptions &options) = 0;
    // The open dialog with a read-only check box; its state comes back with the file.
    virtual std::optional<OpenedFile> openFileReadOnlyOption(const FileDialogOptions &options) = 0;
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
    // The font dialog that offers the colour too.
    virtual std::optional<FontChoice> chooseFont(const FontChoice &initial) = 0;
    // A masked entry of at most maxLength characters.
    virtual std::optional<QString> enterPassword(const QString &caption, const QString &label,
                                                 int maxLength) = 0;
};

inline Dialogs &dialogs()
{
    return Seam<Dialogs>::current();
}

// "Text (*.txt)|*.txt|Bilder|*.jpg;*.bmp" -> "Text (*.txt *.TXT);;Bilder (*.jpg *.JPG *.bmp *.BMP)":
// patterns in both cases, since file names on Linux are case-sensitive.
QString toQtFilter(const QString &systemFilter);
// Appends ".ext" to a name that has no extension.
QString withDefaultExtension(const QString &fileName, const QString &extension);

// Production: Qt's dialogs over the active window. The current directory is
// the same after a dialog as before it (report projects are found by
// relative names in the program directory).
class QtDialogs : public Dialogs {
public:
    std::optional<QString> openFile(const FileDialogOptions &options) override;
    std::optional<QString> saveFile(const FileDialogOptions &options) override;
    std::optional<OpenedFile> openFileReadOnlyOption(const FileDialogOptions &options) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice &initial) override;
    std::optional<QString> enterPassword(const QString &caption, const QString &label,
                                         int maxLength) override;
};

template <> std::unique_ptr<Dialogs> makeProductionService<Dialogs>();

} // namespace ui
