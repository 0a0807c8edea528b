#pragma once

#include <QTest>

#include "ui/Application.h"
#include "ui/StartUp.h"

// Every form-kit test runs under the program's own application object (with
// its notify safety net) and with the German start-up applied.
#define UI_TEST_MAIN(TestClass)                                                                              \
    int main(int argc, char **argv)                                                                          \
    {                                                                                                        \
        ui::Application app(argc, argv);                                                                     \
        ui::startGerman();                                                                                   \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
