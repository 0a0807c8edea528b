#include "ui/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace ui {

bool DesktopShell::open(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

template <> std::unique_ptr<Shell> makeProductionService<Shell>()
{
    return std::make_unique<DesktopShell>();
}

} // namespace ui
