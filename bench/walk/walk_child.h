#pragma once

#include <QString>

// The part of the fleet-size walk that runs inside the started program, one
// process per step so a step that hangs or crashes costs only itself.
//   "liste"  prints every step of the walk: "punkt\t<id>\t<label>"
//   <id>     runs the program to its first painted main window, then that step
//            and the steps that follow it in its window, each timed to the
//            moment its window shows its result and the program is idle:
//              "start\t<wall s>\t<cpu s>\t<peak kB>"
//              "beginne\t<label>"   (a step begins; the parent times it out)
//              "ergebnis\t<label>\t<wall s>\t<cpu s>\t<peak kB>\t<windows>"
//              "boden\t<label>\t<cpu s>\t<what>"   (a floor measured in here)
// The program's clock stands at a fixed day inside the generated data, so the
// evaluations' default periods hold data and the runs are comparable.
// `text` names the step in what it prints (the list's text; empty: its own).
int WalkChildMain(int argc, char **argv, const QString &step, const QString &text);
