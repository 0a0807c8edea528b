#pragma once
// Collects written lines and hands them to a file in large blocks; a short
// write anywhere makes the whole output fail.
#include "core/file.h"

#include <string>
#include <string_view>

namespace tbpr {

class OutputBuffer {
public:
    explicit OutputBuffer(File &file) : file_(file) {}
    ~OutputBuffer() { flush(); }
    OutputBuffer(const OutputBuffer &) = delete;
    OutputBuffer &operator=(const OutputBuffer &) = delete;

    void narrow(std::string_view text);
    void wide(std::u16string_view text);    // UTF-16LE
    void wideAscii(std::string_view ascii); // ASCII text written as UTF-16LE
    // Writes what is pending; false once any write came up short.
    bool flush();
    bool ok() const { return ok_; }

private:
    void spill();

    File &file_;
    std::string pending_;
    bool ok_ = true;
};

} // namespace tbpr
