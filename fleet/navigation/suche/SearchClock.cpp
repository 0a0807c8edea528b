#include "navigation/suche/SearchClock.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

#include "navigation/gemeinsam/UserFeedback.h"
#include "navigation/suche/ClockGlyph.h"
#include "ui/ScreenCursor.h"

namespace nav {

namespace {

ClockCursorSink &sink()
{
    static ClockCursorSink s;
    return s;
}

} // namespace

int DataSetClockPhase(int sequenceNumber, int visited, int total)
{
    int phase = 0;
    if (sequenceNumber > 0) {
        const int perPhase = std::max(1, (total + 11) / 12);
        phase = sequenceNumber / perPhase;
    } else {
        phase = (visited * 12 + 12) / total;
    }
    return phase > 12 ? phase % 12 : phase;
}

void ShowClockCursor(int phase)
{
    const int number = kClockCursorFirst + phase;
    if (sink()) {
        sink()(number);
    } else {
        // Drawn when a search first shows them, not when a form is made.
        RegisterClockCursors();
        ui::setScreenCursor(number);
    }
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

ClockCursorSink ExchangeClockCursorSink(ClockCursorSink next)
{
    ClockCursorSink previous = std::move(sink());
    sink() = std::move(next);
    return previous;
}

void RegisterClockCursors()
{
    static bool registered = false;
    if (registered || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    registered = true;
    for (int phase = 0; phase <= 12; ++phase)
        ui::registerCursor(kClockCursorFirst + phase, QCursor(clockGlyph(phase)));
}

} // namespace nav
