#pragma once
// A structural fault found while reading a profile; unwinds the whole parse.
#include <stdexcept>
#include <string>

namespace tbpr {

class LoadException : public std::runtime_error {
public:
    LoadException(int line, const std::string &message, std::string fieldName = {})
        : std::runtime_error(message), line_(line), fieldName_(std::move(fieldName))
    {
    }
    int line() const { return line_; }
    // The dotted field names of an XFDF source at the fault.
    const std::string &fieldName() const { return fieldName_; }

private:
    int line_;
    std::string fieldName_;
};

} // namespace tbpr
