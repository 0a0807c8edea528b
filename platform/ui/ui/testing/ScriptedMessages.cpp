#include "ui/testing/ScriptedMessages.h"

#include <QTest>

namespace ui::testing {

namespace {

QString describe(MsgType type, const QString &text, MsgButtons buttons)
{
    static const char *const types[] = {"Warnung", "Fehler", "Information", "Frage"};
    static const char *const buttonSets[] = {"OK", "Ja/Nein", "Ja/Nein/Abbrechen", "OK/Abbrechen"};
    return QStringLiteral("%1 [%2] \"%3\"")
        .arg(QLatin1String(types[int(type)]), QLatin1String(buttonSets[int(buttons)]), text);
}

// What an unexpected box is answered with: the choice that changes nothing.
Answer safeAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return Answer::Ok;
    case MsgButtons::YesNo:
        return Answer::No;
    case MsgButtons::YesNoCancel:
    case MsgButtons::OkCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

} // namespace

ScriptedMessages::ScriptedMessages(FailureHandler onFailure)
    : onFailure_(std::move(onFailure)), inForce_(*this)
{
}

ScriptedMessages::~ScriptedMessages()
{
    verifyDone();
}

ScriptedMessages &ScriptedMessages::expect(MsgType type, const QString &text, MsgButtons buttons,
                                           Answer answer)
{
    queue_.push_back({type, text, buttons, answer});
    return *this;
}

ScriptedMessages &ScriptedMessages::expectError(const QString &text)
{
    return expect(MsgType::Error, text, MsgButtons::Ok, Answer::Ok);
}

ScriptedMessages &ScriptedMessages::expectInformation(const QString &text)
{
    return expect(MsgType::Information, text, MsgButtons::Ok, Answer::Ok);
}

ScriptedMessages &ScriptedMessages::expectWarning(const QString &text)
{
    return expect(MsgType::Warning, text, MsgButtons::Ok, Answer::Ok);
}

ScriptedMessages &ScriptedMessages::expectQuestion(const QString &text, bool answerYes)
{
    return expect(MsgType::Confirmation, text, MsgButtons::YesNo, answerYes ? Answer::Yes : Answer::No);
}

ScriptedMessages &ScriptedMessages::expectWarningQuestion(const QString &text, bool answerYes)
{
    return expect(MsgType::Warning, text, MsgButtons::YesNo, answerYes ? Answer::Yes : Answer::No);
}

Answer ScriptedMessages::showTitled(MsgType type, const QString &title, const QString &text,
                                    MsgButtons buttons)
{
    title_ = title;
    const Answer answer = show(type, text, buttons);
    title_.clear();
    return answer;
}

ScriptedMessages &ScriptedMessages::expectConfirm(const QString &text, bool answerOk)
{
    return expect(MsgType::Confirmation, text, MsgButtons::OkCancel, answerOk ? Answer::Ok : Answer::Cancel);
}

Answer ScriptedMessages::show(MsgType type, const QString &text, MsgButtons buttons)
{
    shown_.append(text);
    titles_.append(title_);
    if (queue_.empty()) {
        onFailure_(QStringLiteral("Unerwartete Meldung: ") + describe(type, text, buttons));
        return safeAnswer(buttons);
    }
    Expected next = queue_.front();
    queue_.pop_front();
    if (next.type != type || next.text != text || next.buttons != buttons) {
        onFailure_(QStringLiteral("Meldung %1 statt erwartet %2")
                       .arg(describe(type, text, buttons), describe(next.type, next.text, next.buttons)));
        return safeAnswer(buttons);
    }
    return next.answer;
}

bool ScriptedMessages::verifyDone()
{
    const bool done = queue_.empty();
    while (!queue_.empty()) {
        const Expected left = queue_.front();
        queue_.pop_front();
        onFailure_(QStringLiteral("Erwartete Meldung nicht gezeigt: ") +
                   describe(left.type, left.text, left.buttons));
    }
    return done;
}

void ScriptedMessages::failRunningTest(const QString &reason)
{
    QTest::qFail(reason.toUtf8().constData(), __FILE__, __LINE__);
}

} // namespace ui::testing
