#include "StandardProjekte.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace reporting {

namespace {

const QString kRessourcen = QStringLiteral(":/reports");

} // namespace

QStringList StandardProjektNamen()
{
    return QDir(kRessourcen).entryList(QDir::Files, QDir::Name);
}

QStringList StandardProjekteKopieren(const QString &verzeichnis)
{
    QStringList fehler;
    const QDir ziel(verzeichnis);
    if (!ziel.exists() && !QDir().mkpath(verzeichnis))
        return StandardProjektNamen();
    for (const QString &name : StandardProjektNamen()) {
        const QString datei = ziel.filePath(name);
        if (QFileInfo::exists(datei))
            continue;
        if (!QFile::copy(kRessourcen + QLatin1Char('/') + name, datei)) {
            fehler << name;
            continue;
        }
        // Copies out of the resources are read-only; the designer must be able to save them.
        QFile::setPermissions(datei,
                              QFile::permissions(datei) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    }
    return fehler;
}

} // namespace reporting
