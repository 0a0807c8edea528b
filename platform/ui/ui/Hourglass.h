#pragma once

// The hourglass stack of long operations: each push saves the screen cursor
// (up to 10 levels deep) and shows the hourglass; each pop brings back the
// cursor saved at its level. A pop without a push does nothing.
namespace ui {

void pushHourglass();
void popHourglass();
int hourglassDepth();

// Push on construction, pop on destruction.
class HourglassScope {
public:
    HourglassScope() { pushHourglass(); }
    ~HourglassScope() { popHourglass(); }
    HourglassScope(const HourglassScope &) = delete;
    HourglassScope &operator=(const HourglassScope &) = delete;
};

} // namespace ui
