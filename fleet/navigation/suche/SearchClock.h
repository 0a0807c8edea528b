#pragma once

#include <functional>

// The animated clock cursor of long searches: 13 pictures under the screen
// cursor numbers 27324 to 27336, one per phase 0 to 12.
namespace nav {

// Phase of a data-set scan for a record: its sequence number divided by
// ceil(total / 12) (at least 1) or, without a sequence number (0), the
// records visited so far; above 12 taken modulo 12. total must not be 0.
int DataSetClockPhase(int sequenceNumber, int visited, int total);

// Shows the clock cursor of a phase and lets waiting events through.
void ShowClockCursor(int phase);

// Where the clock's cursor numbers go instead of the screen cursor (tests);
// an empty sink restores the screen cursor. Returns the previous sink.
using ClockCursorSink = std::function<void(int cursorNumber)>;
ClockCursorSink ExchangeClockCursorSink(ClockCursorSink sink);

// Registers the 13 clock pictures with the kit's screen-cursor mapping (once;
// ShowClockCursor does it when it first shows one).
void RegisterClockCursors();

} // namespace nav
