#pragma once

#include <stdexcept>

#include <QString>

namespace dbe::textfile {

// A text-file table that cannot be read: missing or malformed schema, missing
// text file. The message names the file and, for a schema fault, the line.
class TextTableError : public std::runtime_error {
public:
    TextTableError(const QString &message, const QString &file, int line = 0)
        : std::runtime_error(message.toStdString()), message_(message), file_(file), line_(line)
    {
    }
    const QString &message() const { return message_; }
    const QString &file() const { return file_; }
    int line() const { return line_; } // 1-based; 0 when not about a line

private:
    QString message_;
    QString file_;
    int line_;
};

} // namespace dbe::textfile
