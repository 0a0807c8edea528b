#include "ui/ScreenCursor.h"

#include <map>

#include <QCursor>
#include <QGuiApplication>

namespace ui {

namespace {

struct CursorState {
    int value = cursor::Default;
    bool overriding = false; // one override cursor of ours is on Qt's stack
    std::map<int, QCursor> registered;
};

CursorState &state()
{
    static CursorState s;
    return s;
}

QCursor shapeOf(int value)
{
    switch (value) {
    case cursor::None:
        return Qt::BlankCursor;
    case cursor::Cross:
        return Qt::CrossCursor;
    case cursor::IBeam:
        return Qt::IBeamCursor;
    case cursor::SizeNESW:
        return Qt::SizeBDiagCursor;
    case cursor::SizeNS:
        return Qt::SizeVerCursor;
    case cursor::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case cursor::SizeWE:
        return Qt::SizeHorCursor;
    case cursor::UpArrow:
        return Qt::UpArrowCursor;
    case cursor::HourGlass:
    case cursor::SQLWait:
        return Qt::WaitCursor;
    case cursor::Drag:
    case cursor::MultiDrag:
        return Qt::DragMoveCursor;
    case cursor::NoDrop:
    case cursor::No:
        return Qt::ForbiddenCursor;
    case cursor::HSplit:
        return Qt::SplitHCursor;
    case cursor::VSplit:
        return Qt::SplitVCursor;
    case cursor::AppStart:
        return Qt::BusyCursor;
    case cursor::Help:
        return Qt::WhatsThisCursor;
    case cursor::HandPoint:
        return Qt::PointingHandCursor;
    case cursor::SizeAll:
        return Qt::SizeAllCursor;
    default: {
        auto found = state().registered.find(value);
        return found != state().registered.end() ? found->second : QCursor(Qt::ArrowCursor);
    }
    }
}

} // namespace

int screenCursor()
{
    return state().value;
}

void setScreenCursor(int value)
{
    CursorState &s = state();
    s.value = value;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    if (value == cursor::Default) {
        if (s.overriding)
            QGuiApplication::restoreOverrideCursor();
        s.overriding = false;
        return;
    }
    if (s.overriding) {
        QGuiApplication::changeOverrideCursor(shapeOf(value));
    } else {
        QGuiApplication::setOverrideCursor(shapeOf(value));
        s.overriding = true;
    }
}

void registerCursor(int value, const QCursor &shape)
{
    state().registered[value] = shape;
}

} // namespace ui
