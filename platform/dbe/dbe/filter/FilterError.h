#pragma once

#include <stdexcept>

#include <QString>

namespace dbe::filter {

// A filter text that does not parse or does not fit the table's fields, or a
// filter-expression buffer that is refused. The cursor reports it as an engine
// error with this message.
class FilterError : public std::runtime_error {
public:
    explicit FilterError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message)
    {
    }
    const QString &message() const { return message_; }

private:
    QString message_;
};

} // namespace dbe::filter
