#pragma once

#include <memory>

#include <QString>

#include "ui/Seam.h"

class QMessageBox;
class QWidget;

namespace ui {

// The message types in the platform's numbering.
enum class MsgType { Warning = 0, Error = 1, Information = 2, Confirmation = 3 };
enum class MsgButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class Answer { Ok, Yes, No, Cancel };

// Every message box and question of the program goes through this service.
// A "\r" in a text is a line break.
class Messages {
public:
    virtual ~Messages() = default;
    virtual Answer show(MsgType type, const QString &text, MsgButtons buttons) = 0;
    // A box with a title of its own instead of the type's; a service without titles shows it as show().
    virtual Answer showTitled(MsgType type, const QString &title, const QString &text, MsgButtons buttons)
    {
        (void)title;
        return show(type, text, buttons);
    }

    void error(const QString &text) { show(MsgType::Error, text, MsgButtons::Ok); }
    void information(const QString &text) { show(MsgType::Information, text, MsgButtons::Ok); }
    void warning(const QString &text) { show(MsgType::Warning, text, MsgButtons::Ok); }
    void titled(MsgType type, const QString &title, const QString &text)
    {
        showTitled(type, title, text, MsgButtons::Ok);
    }
    // Yes/No with the question icon; anything but Yes (No, Escape, the close box) cancels.
    bool question(const QString &text)
    {
        return show(MsgType::Confirmation, text, MsgButtons::YesNo) == Answer::Yes;
    }
    // OK/Cancel with the question icon; anything but OK cancels.
    bool confirm(const QString &text)
    {
        return show(MsgType::Confirmation, text, MsgButtons::OkCancel) == Answer::Ok;
    }
    // Yes/No with the warning icon, for questions with a risk.
    bool warningQuestion(const QString &text)
    {
        return show(MsgType::Warning, text, MsgButtons::YesNo) == Answer::Yes;
    }
    // Yes/No/Cancel with the question icon; Escape and the close box give Cancel.
    Answer questionYesNoCancel(const QString &text)
    {
        return show(MsgType::Confirmation, text, MsgButtons::YesNoCancel);
    }
};

inline Messages &messages()
{
    return Seam<Messages>::current();
}

// The system's texts break lines with "\r" (or "\r\n"); Qt wants "\n".
QString withLineBreaks(const QString &text);

// The box the production service shows: icon, title and buttons by type;
// the button texts come from Qt's installed translation.
std::unique_ptr<QMessageBox> buildMessageBox(MsgType type, const QString &text, MsgButtons buttons,
                                             QWidget *parent);

// Production: a modal QMessageBox over the active window.
class MessageBoxService : public Messages {
public:
    Answer show(MsgType type, const QString &text, MsgButtons buttons) override;
    Answer showTitled(MsgType type, const QString &title, const QString &text, MsgButtons buttons) override;

private:
    static Answer run(QMessageBox &box, MsgButtons buttons);
};

template <> std::unique_ptr<Messages> makeProductionService<Messages>();

} // namespace ui
