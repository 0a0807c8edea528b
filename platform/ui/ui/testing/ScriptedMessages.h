#pragma once

#include <deque>
#include <functional>

#include <QString>
#include <QStringList>

#include "ui/Messages.h"

namespace ui::testing {

// The message service of tests: a queue of expected boxes with their exact
// type, text and buttons, each with the answer to give. A box nobody
// expected, a box that differs from the next expectation, or an expectation
// left over at the end fails the test (through the failure handler, by
// default QTest's failure of the running test function). The fake is in force
// from construction to destruction.
class ScriptedMessages : public Messages {
public:
    using FailureHandler = std::function<void(const QString &reason)>;

    explicit ScriptedMessages(FailureHandler onFailure = failRunningTest);
    ~ScriptedMessages() override;

    ScriptedMessages &expect(MsgType type, const QString &text, MsgButtons buttons, Answer answer);
    ScriptedMessages &expectError(const QString &text);
    ScriptedMessages &expectInformation(const QString &text);
    ScriptedMessages &expectWarning(const QString &text);
    ScriptedMessages &expectQuestion(const QString &text, bool answerYes);
    ScriptedMessages &expectWarningQuestion(const QString &text, bool answerYes);
    ScriptedMessages &expectConfirm(const QString &text, bool answerOk);

    Answer show(MsgType type, const QString &text, MsgButtons buttons) override;
    Answer showTitled(MsgType type, const QString &title, const QString &text, MsgButtons buttons) override;

    // Reports every expectation still waiting (and forgets them); true when none was.
    bool verifyDone();
    // Texts of all boxes shown so far, in order.
    const QStringList &shown() const { return shown_; }
    // The title of each box shown so far; empty for a box with its type's title.
    const QStringList &titles() const { return titles_; }

    static void failRunningTest(const QString &reason);

private:
    struct Expected {
        MsgType type;
        QString text;
        MsgButtons buttons;
        Answer answer;
    };
    std::deque<Expected> queue_;
    QStringList shown_;
    QStringList titles_;
    QString title_; // of the box being shown
    FailureHandler onFailure_;
    ScopedSeam<Messages> inForce_;
};

} // namespace ui::testing
