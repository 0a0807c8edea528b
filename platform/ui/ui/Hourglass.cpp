#include "ui/Hourglass.h"

#include <array>

#include <QCoreApplication>

#include "ui/ScreenCursor.h"

namespace ui {

namespace {

constexpr int kSavedLevels = 10;

struct Stack {
    int depth = 0;
    std::array<int, kSavedLevels> saved{};
};

Stack &stack()
{
    static Stack s;
    return s;
}

// Lets the cursor change show; user input waits, so no handler runs inside
// the operation (the abort-key check takes the keys).
void processPending()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

void pushHourglass()
{
    Stack &s = stack();
    if (s.depth < kSavedLevels)
        s.saved[s.depth] = screenCursor();
    setScreenCursor(cursor::HourGlass);
    ++s.depth;
    processPending();
}

void popHourglass()
{
    Stack &s = stack();
    if (s.depth > 0)
        --s.depth;
    else
        return processPending();
    if (s.depth < kSavedLevels)
        setScreenCursor(s.saved[s.depth]);
    processPending();
}

int hourglassDepth()
{
    return stack().depth;
}

} // namespace ui
