#pragma once

#include <optional>

#include <QString>

namespace ui {

struct FileDialogOptions;

// A file chosen to open, and whether the user asked to open it read-only.
struct OpenedFile {
    QString path;
    bool readOnly = false;
};

// The caption of the open dialog's added check box.
inline const QString kReadOnlyCaption = QStringLiteral("Schreibgeschützt öffnen");

// Production: Qt's own (non-native) open dialog with the check box added.
std::optional<OpenedFile> runReadOnlyOpenDialog(const FileDialogOptions &options);

} // namespace ui
