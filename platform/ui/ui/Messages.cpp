#include "ui/Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {

QString withLineBreaks(const QString &text)
{
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

namespace {

QMessageBox::Icon iconOf(MsgType type)
{
    switch (type) {
    case MsgType::Warning:
        return QMessageBox::Warning;
    case MsgType::Error:
        return QMessageBox::Critical;
    case MsgType::Information:
        return QMessageBox::Information;
    case MsgType::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString titleOf(MsgType type)
{
    switch (type) {
    case MsgType::Warning:
        return QStringLiteral("Warnung");
    case MsgType::Error:
        return QStringLiteral("Fehler");
    case MsgType::Information:
        return QStringLiteral("Information");
    case MsgType::Confirmation:
        return QStringLiteral("Bestätigen");
    }
    return {};
}

} // namespace

std::unique_ptr<QMessageBox> buildMessageBox(MsgType type, const QString &text, MsgButtons buttons,
                                             QWidget *parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(iconOf(type));
    box->setWindowTitle(titleOf(type));
    box->setTextFormat(Qt::PlainText);
    box->setText(withLineBreaks(text));
    switch (buttons) {
    case MsgButtons::Ok:
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgButtons::OkCancel:
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    }
    return box;
}

Answer MessageBoxService::show(MsgType type, const QString &text, MsgButtons buttons)
{
    std::unique_ptr<QMessageBox> box = buildMessageBox(type, text, buttons, QApplication::activeWindow());
    return run(*box, buttons);
}

Answer MessageBoxService::showTitled(MsgType type, const QString &title, const QString &text,
                                     MsgButtons buttons)
{
    std::unique_ptr<QMessageBox> box = buildMessageBox(type, text, buttons, QApplication::activeWindow());
    box->setWindowTitle(title);
    return run(*box, buttons);
}

Answer MessageBoxService::run(QMessageBox &box, MsgButtons buttons)
{
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? Answer::Ok : Answer::Cancel;
    default:
        return buttons == MsgButtons::YesNo ? Answer::No
               : buttons == MsgButtons::Ok  ? Answer::Ok
                                            : Answer::Cancel;
    }
}

template <> std::unique_ptr<Messages> makeProductionService<Messages>()
{
    return std::make_unique<MessageBoxService>();
}

} // namespace ui
