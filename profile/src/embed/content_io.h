#pragma once
// Whole-content reads and writes of a caller's file descriptor or stream.
#include "tbpr14.h"

#include <string>
#include <string_view>

namespace tbpr::embed {

enum class ReadResult { Ok, TooLarge, Failed };

// From position 0 with pread; a pipe is read to its end. Sources of 4 GiB or
// more are refused.
ReadResult readDescriptor(int fd, std::string &content);
// pwrite from 0, then the end is set there; a pipe is written in sequence.
bool writeDescriptor(int fd, std::string_view content);

ReadResult readStream(ProfStream *stream, std::string &content);
// Written from 0, the end set there, positioned at 0 again.
bool writeStream(ProfStream *stream, std::string_view content);

} // namespace tbpr::embed
