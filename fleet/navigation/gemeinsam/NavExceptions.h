#pragma once

#include <stdexcept>

#include <QString>

// The navigation set's own error classes. Each stands directly on the root
// exception class and carries nothing but its message.
namespace nav {

#define NAV_DECLARE_EXCEPTION(Name)                                                                          \
    class Name : public std::runtime_error {                                                                 \
    public:                                                                                                  \
        explicit Name(const QString &text) : std::runtime_error(text.toStdString()), text_(text) {}          \
        const QString &message() const { return text_; }                                                     \
                                                                                                             \
    private:                                                                                                 \
        QString text_;                                                                                       \
    };

// Filter errors.
NAV_DECLARE_EXCEPTION(EDBVFilter)
// Too many filter rows.
NAV_DECLARE_EXCEPTION(EDBVFilterDefError)
// Bookmark errors.
NAV_DECLARE_EXCEPTION(EDBVBookMarks)
// Escape during a long operation.
NAV_DECLARE_EXCEPTION(EUserAbort)
// A stored property or file could not be read or written.
NAV_DECLARE_EXCEPTION(EStreamError)

#undef NAV_DECLARE_EXCEPTION

} // namespace nav
