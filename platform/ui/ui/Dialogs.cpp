#include "ui/Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QStringList>

namespace ui {

QString toQtFilter(const QString &systemFilter)
{
    const QStringList parts = systemFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString p = pattern.trimmed();
            if (!patterns.contains(p))
                patterns << p;
            if (p != QLatin1String("*.*")) {
                for (const QString &variant : {p.toLower(), p.toUpper()})
                    if (!patterns.contains(variant))
                        patterns << variant;
            }
        }
        QString description = parts[i].trimmed();
        const int bracket = description.lastIndexOf(QLatin1String(" ("));
        if (bracket > 0 && description.endsWith(QLatin1Char(')')))
            description.truncate(bracket); // Qt reads the patterns from the last brackets
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return filters.join(QLatin1String(";;"));
}

QString withDefaultExtension(const QString &fileName, const QString &extension)
{
    if (fileName.isEmpty() || extension.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    return fileName + QLatin1Char('.') + extension;
}

namespace {

class CurrentDirectoryKept {
public:
    CurrentDirectoryKept() : saved_(QDir::currentPath()) {}
    ~CurrentDirectoryKept() { QDir::setCurrent(saved_); }

private:
    QString saved_;
};

std::optional<QString> runFileDialog(const FileDialogOptions &options, QFileDialog::AcceptMode mode)
{
    CurrentDirectoryKept kept;
    QFileDialog dialog(QApplication::activeWindow(), options.title, options.initialDirectory,
                       toQtFilter(options.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(options.defaultExtension);
    if (!options.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return withDefaultExtension(dialog.selectedFiles().constFirst(), options.defaultExtension);
}

} // namespace

std::optional<QString> QtDialogs::openFile(const FileDialogOptions &options)
{
    return runFileDialog(options, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::saveFile(const FileDialogOptions &options)
{
    return runFileDialog(options, QFileDialog::AcceptSave);
}

std::optional<OpenedFile> QtDialogs::openFileReadOnlyOption(const FileDialogOptions &options)
{
    return runReadOnlyOpenDialog(options);
}

std::optional<FontChoice> QtDialogs::chooseFont(const FontChoice &initial)
{
    return runFontColorDialog(initial);
}

std::optional<QColor> QtDialogs::chooseColor(const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<QString> QtDialogs::enterPassword(const QString &caption, const QString &label, int maxLength)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(label);
    dialog.setTextEchoMode(QLineEdit::Password);
    if (auto *edit = dialog.findChild<QLineEdit *>())
        edit->setMaxLength(maxLength);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

template <> std::unique_ptr<Dialogs> makeProductionService<Dialogs>()
{
    return std::make_unique<QtDialogs>();
}

} // namespace ui
