#include "ui/ReadOnlyOpenDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>

#include "ui/Dialogs.h"

namespace ui {

std::optional<OpenedFile> runReadOnlyOpenDialog(const FileDialogOptions &options)
{
    const QString saved = QDir::currentPath();
    QFileDialog dialog(QApplication::activeWindow(), options.title, options.initialDirectory,
                       toQtFilter(options.filter));
    // Only Qt's own dialog can take a control of ours.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(options.defaultExtension);
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    auto *readOnly = new QCheckBox(kReadOnlyCaption, &dialog);
    readOnly->setObjectName(QStringLiteral("ReadOnly"));
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(readOnly, grid->rowCount(), 0, 1, -1);
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    QDir::setCurrent(saved);
    if (!accepted)
        return std::nullopt;
    return OpenedFile{withDefaultExtension(dialog.selectedFiles().constFirst(), options.defaultExtension),
                      readOnly->isChecked()};
}

} // namespace ui
