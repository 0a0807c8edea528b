#pragma once

// The hourglass and the Escape check of long operations.
namespace nav {

void PushHourglass();
void PopHourglass();
// Takes the keys waiting for the application; Escape raises EUserAbort "Operation abgebrochen".
void CheckUserAbort();

// Screen cursor numbers of the search clock, step 0 to 12.
constexpr int kClockCursorFirst = 27324;

} // namespace nav
