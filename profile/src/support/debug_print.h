#pragma once
// Diagnostics of the library: one line each on the debug-output channel of
// the process, and nowhere while no viewer is attached.
#include <cstdarg>

namespace tbpr::support {

class DebugChannel;

void debugPrint(const char *format, ...) __attribute__((format(printf, 1, 2)));
// With an indentation change: a negative delta applies before the line, a
// positive one after it; a null format only changes the indentation.
void debugPrintIndent(int delta, const char *format, ...) __attribute__((format(printf, 2, 3)));
void debugPrintV(int delta, const char *format, va_list args);

// The channel of the process, installed by library start-up and removed at
// shutdown (output then stops); null when there is none.
void setProcessChannel(DebugChannel *channel);
DebugChannel *processChannel();

// The system's own debug-string output: the channel's own failures go here.
// It reaches stderr only when TBPR_DEBUG_STDERR=1.
void systemDebugString(const char *text);

} // namespace tbpr::support
