#pragma once

#include <exception>

namespace base {

// The silent abort: thrown to cancel an operation after its message was shown
// (or without any). Data events treat it as "cancel quietly", the form kit's
// guard swallows it; it never reaches the user as an error.
class SilentAbort : public std::exception {
public:
    const char *what() const noexcept override;
};

[[noreturn]] void abortSilently();

} // namespace base
