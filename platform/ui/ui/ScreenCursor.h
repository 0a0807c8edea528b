#pragma once

class QCursor;

// The screen cursor as the system sets it: one value for the whole
// application, shown through Qt's override cursor.
namespace ui {

namespace cursor {
constexpr int Default = 0; // no override: every control shows its own cursor
constexpr int None = -1;
constexpr int Arrow = -2;
constexpr int Cross = -3;
constexpr int IBeam = -4;
constexpr int SizeNESW = -6;
constexpr int SizeNS = -7;
constexpr int SizeNWSE = -8;
constexpr int SizeWE = -9;
constexpr int UpArrow = -10;
constexpr int HourGlass = -11;
constexpr int Drag = -12;
constexpr int NoDrop = -13;
constexpr int HSplit = -14;
constexpr int VSplit = -15;
constexpr int MultiDrag = -16;
constexpr int SQLWait = -17;
constexpr int No = -18;
constexpr int AppStart = -19;
constexpr int Help = -20;
constexpr int HandPoint = -21;
constexpr int SizeAll = -22;
} // namespace cursor

int screenCursor();
void setScreenCursor(int value);
// Cursors of the program's own under positive numbers (e.g. an animation).
void registerCursor(int value, const QCursor &shape);

} // namespace ui
