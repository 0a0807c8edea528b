#include "ui/AbortKey.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace ui {

namespace {

class InputSwallower : public QObject {
public:
    bool escape = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
                escape = true;
            return true;
        case QEvent::ShortcutOverride:
            event->accept();
            return true;
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

bool escapePressed()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    InputSwallower swallower;
    app->installEventFilter(&swallower);
    QCoreApplication::processEvents();
    app->removeEventFilter(&swallower);
    return swallower.escape;
}

} // namespace ui
