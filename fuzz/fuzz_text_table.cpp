// Text-file tables with their schema: the input is split into a schema and a data file (at the
// first "\n--\n"), both written to a directory, and every record of the table read.
#include <cstddef>
#include <cstdint>
#include <exception>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "dbe/textfile/TextSchema.h"
#include "dbe/textfile/TextTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype cut = input.indexOf("\n--\n");
    const QByteArray schema = cut < 0 ? input : input.left(cut + 1);
    const QByteArray rows = cut < 0 ? QByteArray() : input.mid(cut + 4);
    auto write = [](const QString &file, const QByteArray &bytes) {
        QFile out(file);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    };
    if (!write(QDir(dir.path()).filePath(QStringLiteral("DATEN.SCH")), schema) ||
        !write(QDir(dir.path()).filePath(QStringLiteral("DATEN.TXT")), rows))
        return 0;
    try {
        dbe::textfile::TextSchema::parse(schema, QStringLiteral("DATEN.SCH"));
        dbe::textfile::TextTable table(dir.path(), QStringLiteral("DATEN.TXT"));
        int records = 0;
        while (table.next() && ++records < 10000)
            for (int field = 1; field <= table.fieldCount(); ++field)
                table.value(field);
    } catch (const std::exception &) {
        // a refused schema or file
    }
    return 0;
}
