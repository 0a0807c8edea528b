#pragma once

#include <QApplication>

namespace ui {

// The program's application object: a safety net under the guarded handlers,
// so that an exception escaping any event handler still ends in the kit's
// exception handling instead of unwinding through Qt's event loop.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace ui
