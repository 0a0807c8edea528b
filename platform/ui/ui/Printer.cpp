#include "ui/Printer.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace ui {

bool SystemPrinter::print(const QString &jobName, const Job &job, bool askUser)
{
    QPrinter device(QPrinter::HighResolution);
    device.setDocName(jobName);
    if (askUser) {
        QPrintDialog dialog(&device, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
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
