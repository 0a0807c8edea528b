#pragma once

#include <memory>

#include <QString>
#include <QVariant>

#include "dbe/textfile/TextSchema.h"
#include "dbe/textfile/TextTableError.h"

namespace dbe::textfile {

// A text file read as a read-only table through its schema "<name>.SCH"
// beside it (both found without regard to case). Records are read forward in
// file order, one line each.
//
// What the cursor calls:
//   TextTable t(directory, fileName);   // throws TextTableError
//   while (t.next()) { t.value(no) / t.value("Satzart") / t.isBlank(no) }
//   t.rewind() to read again from the first line.
//
// Values: CHAR QString (trailing blanks cut), NUMBER/FLOAT double (decimal
// point, or a comma when there is no point), LONGINT and SHORT int, BOOL bool
// (T/F, Y/J/N, True/False, Wahr/Falsch, 1/0), DATE QDate, TIME QTime,
// TIMESTAMP QDateTime (German forms d.M.yyyy, h:m:s); an empty or unreadable
// value is blank (a null QVariant). A line ends with LF or CR LF; a DOS
// end-of-file mark (Ctrl-Z) ends the text.
class TextTable {
public:
    TextTable(const QString &directory, const QString &fileName);
    ~TextTable();
    TextTable(TextTable &&) noexcept;
    TextTable &operator=(TextTable &&) noexcept;

    const TextSchema &schema() const;
    const QString &filePath() const;
    const QString &schemaPath() const;

    int fieldCount() const;
    // 1-based, matched without regard to case; 0 when there is none.
    int fieldNumber(const QString &name) const;

    // Reads the next record; false at the end of the file.
    bool next();
    void rewind();
    // 1-based number of the current record; 0 before the first.
    int recordNumber() const;

    QVariant value(int fieldNo) const;
    QVariant value(const QString &name) const; // throws TextTableError for an unknown name
    bool isBlank(int fieldNo) const;

    // Path of the schema file for a text file, found without regard to case;
    // empty when there is none.
    static QString findSchemaFile(const QString &directory, const QString &fileName);

private:
    struct State;
    std::unique_ptr<State> d_;
};

} // namespace dbe::textfile
