#include "ui/Printer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace ui {

bool SystemPrinter::print(const QString &jobName, const Job &job, bool askUser)
{
    QPrinter device(QPrinter::HighResolution);
    // A job named by its file (a letter) is named by the file's name alone: the
    // dialog's proposal for printing to a file is built from it.
    device.setDocName(QFileInfo(jobName).fileName());
    if (askUser) {
        // The dialog proposes its PDF file in the working directory, which is
        // the program's; the user's documents folder is where such a file belongs.
        const QString arbeitsverzeichnis = QDir::currentPath();
        QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (dokumente.isEmpty() || !QDir(dokumente).exists())
            dokumente = QDir::homePath();
        QDir::setCurrent(dokumente);
        QPrintDialog dialog(&device, QApplication::activeWindow());
        const bool accepted = dialog.exec() == QDialog::Accepted;
        QDir::setCurrent(arbeitsverzeichnis);
        if (!accepted)
            return false;
    }
    job(device);
    return true;
}

template <> std::unique_ptr<Printer> makeProductionService<Printer>()
{
    return std::make_unique<SystemPrinter>();
}

} // namespace ui
