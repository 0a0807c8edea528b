#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>

#include "dbe/Schema.h"
#include "dbe/textfile/CodePage.h"

namespace dbe::textfile {

// The ".SCH" schema file of a text-file table:
//
//   [TANK0105]
//   FILETYPE = FIXED            (or VARYING: separated fields)
//   CHARSET = ascii             (DOS 850: ascii, intl, intl850; Windows 1252: ansi...)
//   DELIMITER = "               (quote character of VARYING files)
//   SEPARATOR = ,               (field separator of VARYING files)
//   Field1 = Satzart,CHAR,2,00,00
//   Field2 = Kmstand,LONGINT,7,00,02
//
// Field lines are Name,Type,Width,Decimals,Offset (offset 0-based, used by
// FIXED files). Types: CHAR, NUMBER and FLOAT, LONGINT, SHORT, BOOL, DATE,
// TIME, TIMESTAMP. Keys are read without regard to case; ";" starts a
// comment line.
struct TextFieldDef {
    QString name;
    FieldType type = FieldType::String;
    int width = 0;
    int decimals = 0;
    int offset = 0;
};

struct TextSchema {
    enum class Kind { Fixed, Delimited };

    QString section; // the name in brackets
    Kind kind = Kind::Fixed;
    CodePage codePage = CodePage::Dos850;
    char separator = ',';
    char delimiter = '"';
    QList<TextFieldDef> fields;

    // Throws TextTableError naming fileName and the faulty line.
    static TextSchema parse(const QByteArray &content, const QString &fileName);
    // Reads and parses a schema file; a missing file is a TextTableError.
    static TextSchema load(const QString &path);
};

} // namespace dbe::textfile
