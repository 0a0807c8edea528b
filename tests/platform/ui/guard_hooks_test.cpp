#include <stdexcept>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "base/Abort.h"
#include "ui/AppHooks.h"
#include "ui/Connect.h"
#include "ui/FormBase.h"
#include "ui/Screen.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"
#include "ui_test_main.h"

using namespace ui;
using ui::testing::FakeScreen;
using ui::testing::ScriptedMessages;

namespace {

// A control whose own key handling fails: only the notify safety net is
// between it and Qt's event loop.
class FailingEdit : public QLineEdit {
protected:
    void keyPressEvent(QKeyEvent *) override { throw std::runtime_error("Taste kaputt"); }
};

struct Caught {
    QObject *sender = nullptr;
    QString message;
    int count = 0;
};

ExceptionHandler recorder(Caught &caught)
{
    return [&caught](QObject *sender, const std::exception &error) {
        caught.sender = sender;
        caught.message = QString::fromUtf8(error.what());
        ++caught.count;
    };
}

} // namespace

class GuardHooksTest : public QObject {
    Q_OBJECT
private slots:
    void exceptionInHandlerReachesTheHook()
    {
        ScriptedMessages boxes; // no box may appear
        Caught caught;
        ScopedHook<ExceptionHandler> hook(hooks().exception, recorder(caught));
        QPushButton button;
        on(&button, &QPushButton::clicked, &button, [] { throw std::runtime_error("Fehler im Handler"); });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(caught.count, 1);
        QCOMPARE(caught.message, QStringLiteral("Fehler im Handler"));
        QCOMPARE(caught.sender, &button);
    }

    void silentAbortShowsNothingAndReachesNoHook()
    {
        ScriptedMessages boxes;
        Caught caught;
        ScopedHook<ExceptionHandler> hook(hooks().exception, recorder(caught));
        QPushButton button;
        bool ran = false;
        on(&button, &QPushButton::clicked, &button, [&] {
            ran = true;
            base::abortSilently();
        });
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(ran);
        QCOMPARE(caught.count, 0);
        QVERIFY(boxes.shown().isEmpty());
    }

    void withoutHookTheErrorBoxShowsTheMessage()
    {
        ScriptedMessages boxes;
        boxes.expectError(QStringLiteral("Datei fehlt"));
        QPushButton button;
        on(&button, &QPushButton::clicked, &button, [] { throw std::runtime_error("Datei fehlt"); });
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(boxes.verifyDone());
    }

    void memberHandlerTakesFewerArgumentsThanTheSignal()
    {
        struct Receiver : QObject {
            int clicks = 0;
            void Click() { ++clicks; }
        } receiver;
        QPushButton button;
        on(&button, &QPushButton::clicked, &receiver, &Receiver::Click); // clicked(bool) -> Click()
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(receiver.clicks, 1);
    }

    void notifySafetyNetCatchesEventHandlers()
    {
        ScriptedMessages boxes;
        Caught caught;
        ScopedHook<ExceptionHandler> hook(hooks().exception, recorder(caught));
        FailingEdit edit;
        QTest::keyClick(&edit, Qt::Key_A);
        QCOMPARE(caught.count, 1);
        QCOMPARE(caught.message, QStringLiteral("Taste kaputt"));
    }

    void failingHookFallsBackToTheErrorBox()
    {
        ScriptedMessages boxes;
        boxes.expectError(QStringLiteral("Hook kaputt"));
        ScopedHook<ExceptionHandler> hook(hooks().exception, [](QObject *, const std::exception &) {
            throw std::runtime_error("Hook kaputt");
        });
        QPushButton button;
        on(&button, &QPushButton::clicked, &button, [] { throw std::runtime_error("egal"); });
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(boxes.verifyDone());
    }

    // Three forms take the hooks one after the other, each keeping the one it
    // replaced; their deactivation in reverse order brings back each previous one.
    void hooksComeBackInReverseOrder()
    {
        QStringList calls;
        auto named = [&calls](const QString &name) {
            return ExceptionHandler([&calls, name](QObject *, const std::exception &) { calls << name; });
        };
        ExceptionHandler before = hooks().exception.exchange(named("vorher"));
        ExceptionHandler savedA = hooks().exception.exchange(named("A"));
        ExceptionHandler savedB = hooks().exception.exchange(named("B"));
        ExceptionHandler savedC = hooks().exception.exchange(named("C"));
        auto fire = [] { guard(nullptr, [] { throw std::runtime_error("x"); }); };
        fire();
        hooks().exception.exchange(savedC);
        fire();
        hooks().exception.exchange(savedB);
        fire();
        hooks().exception.exchange(savedA);
        fire();
        hooks().exception.exchange(before);
        QCOMPARE(calls, (QStringList{"C", "B", "A", "vorher"}));
        QVERIFY(!hooks().exception.current());
    }

    void scopedHooksRestoreInReverseOrderForEveryHook()
    {
        int activeCalls[3] = {0, 0, 0};
        FakeScreen fakeScreen;
        {
            ScopedHook<ActiveControlHandler> first(hooks().activeControl,
                                                   [&](QObject *) { ++activeCalls[0]; });
            {
                ScopedHook<ActiveControlHandler> second(hooks().activeControl,
                                                        [&](QObject *) { ++activeCalls[1]; });
                {
                    ScopedHook<ActiveControlHandler> third(hooks().activeControl,
                                                           [&](QObject *) { ++activeCalls[2]; });
                    fakeScreen.setActive(nullptr, nullptr);
                }
                fakeScreen.setActive(nullptr, nullptr);
            }
            fakeScreen.setActive(nullptr, nullptr);
        }
        fakeScreen.setActive(nullptr, nullptr); // nobody is called any more
        QCOMPARE(activeCalls[2], 1);
        QCOMPARE(activeCalls[1], 1);
        QCOMPARE(activeCalls[0], 1);
        QVERIFY(!hooks().activeControl.current());
    }

    // The message hook sees keys before the focused control and before menu
    // shortcuts; what it leaves unhandled goes on as usual.
    void messageHookComesBeforeShortcutsAndControls()
    {
        FormBase form(QStringLiteral("TestFormular"));
        auto *layout = new QVBoxLayout(&form);
        auto *edit = make<QLineEdit>(&form, "EditName");
        layout->addWidget(edit);
        auto *save = make<QAction>(&form, "Speichern1");
        save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
        form.addAction(save);
        int saved = 0;
        on(save, &QAction::triggered, &form, [&] { ++saved; });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        edit->setFocus();

        QList<int> seen;
        {
            ScopedHook<MessageHandler> hook(hooks().message, [&](const KeyMessage &message, bool &handled) {
                seen << message.key;
                handled = message.key == Qt::Key_S && message.modifiers == Qt::ControlModifier;
            });
            QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(saved, 0);
            QTest::keyClick(edit, Qt::Key_X);
            QCOMPARE(edit->text(), QStringLiteral("x"));
            // The Ctrl key itself is a key press of its own, as on the original platform.
            QCOMPARE(seen, (QList<int>{Qt::Key_Control, Qt::Key_S, Qt::Key_X}));
        }
        QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier); // without the hook the shortcut works
        QCOMPARE(saved, 1);
    }

    void focusChangesReachTheActiveControlHook()
    {
        QWidget form;
        auto *layout = new QVBoxLayout(&form);
        auto *first = new QLineEdit;
        auto *second = new QLineEdit;
        layout->addWidget(first);
        layout->addWidget(second);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        first->setFocus();
        int changes = 0;
        ScopedHook<ActiveControlHandler> hook(hooks().activeControl, [&](QObject *sender) {
            QVERIFY(sender);
            ++changes;
        });
        second->setFocus();
        QCOMPARE(changes, 1);
        QCOMPARE(screen().activeControl(), second);
        QCOMPARE(screen().activeForm(), &form);
    }

    void fakeScreenAnswersTheFocusQueries()
    {
        QWidget form;
        QLineEdit edit(&form);
        FakeScreen fakeScreen;
        fakeScreen.setActive(&form, &edit);
        QCOMPARE(screen().activeForm(), &form);
        QCOMPARE(screen().activeControl(), &edit);
    }
};

UI_TEST_MAIN(GuardHooksTest)
#include "guard_hooks_test.moc"
