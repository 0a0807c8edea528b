// Fuel-card files as the import reads them: the input is split into the schema file and the
// table (at the first "\n--\n"), both written to a directory, the table opened through the data
// layer's text driver, and every value of every line read by the import's own readers.
#include <cstddef>
#include <cstdint>
#include <exception>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "dbe/Session.h"
#include "dbe/Table.h"
#include "logik/TankdatenLesen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static dbe::TSession session(QDir(dir.path()).filePath(QStringLiteral("dbe.cfg")));
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype cut = input.indexOf("\n--\n");
    const QByteArray schema = cut < 0 ? input : input.left(cut + 1);
    const QByteArray rows = cut < 0 ? QByteArray() : input.mid(cut + 4);
    auto write = [](const QString &file, const QByteArray &bytes) {
        QFile out(file);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    };
    if (!write(QDir(dir.path()).filePath(QStringLiteral("TANK.SCH")), schema) ||
        !write(QDir(dir.path()).filePath(QStringLiteral("TANK.TXT")), rows))
        return 0;
    static const char *const formats[] = {"YYYYMMTT", "TT.MM.YYYY", "YYMMTT",     "TTMMYY",
                                          "MMTTYYYY", "TTMMYYYY",   "YYYY.MM.TT", "MM.TT.YYYY"};
    fleet::tank::TankdateiKonfiguration konfig;
    konfig.Warengruppe[0] = QStringLiteral("01");
    konfig.Varkosten[0] = 1;
    konfig.Warengruppe[1] = QStringLiteral("X");
    konfig.Varkosten[1] = 11; // beyond the categories
    try {
        dbe::TTable disk(&session);
        disk.SetDatabaseName(dir.path());
        disk.SetTableName(QStringLiteral("TANK.TXT"));
        disk.Open();
        int lines = 0;
        for (disk.First(); !disk.Eof() && ++lines < 2000; disk.Next()) {
            for (int i = 0; i < disk.FieldCount(); ++i) {
                const QString text = disk.Fields(i)->AsString();
                fleet::tank::TankDatumLesen(text, QString::fromLatin1(formats[(lines + i) % 8]));
                fleet::tank::BetragLesen(text);
                fleet::tank::KmStandLesen(text);
                fleet::tank::KennzeichenVarianten(text);
                fleet::tank::WarengruppeZuordnen(konfig, text);
            }
        }
    } catch (const std::exception &) {
        // a refused schema or file
    }
    return 0;
}
