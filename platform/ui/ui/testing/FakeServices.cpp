#include "ui/testing/FakeServices.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>

#include "ui/AppHooks.h"
#include "ui/testing/ScriptedMessages.h"

namespace ui::testing {

FakeDialogs::FakeDialogs() : inForce_(*this) {}

FakeDialogs &FakeDialogs::answerFile(const std::optional<QString> &path)
{
    files_.push_back(path);
    readOnly_.push_back(false);
    return *this;
}

FakeDialogs &FakeDialogs::answerFileReadOnly(const QString &path)
{
    files_.push_back(path);
    readOnly_.push_back(true);
    return *this;
}

FakeDialogs &FakeDialogs::answerFont(const std::optional<FontChoice> &font)
{
    fonts_.push_back(font);
    return *this;
}

FakeDialogs &FakeDialogs::answerColor(const std::optional<QColor> &color)
{
    colors_.push_back(color);
    return *this;
}

FakeDialogs &FakeDialogs::answerPassword(const std::optional<QString> &password)
{
    passwords_.push_back(password);
    return *this;
}

std::optional<QString> FakeDialogs::nextFile(const FileDialogOptions &options)
{
    fileRequests << options;
    if (files_.empty()) {
        ScriptedMessages::failRunningTest(QStringLiteral("Unerwarteter Dateidialog: ") + options.title);
        return std::nullopt;
    }
    std::optional<QString> answer = files_.front();
    files_.pop_front();
    readOnly_.pop_front();
    if (answer)
        answer = withDefaultExtension(*answer, options.defaultExtension);
    return answer;
}

std::optional<QString> FakeDialogs::openFile(const FileDialogOptions &options)
{
    return nextFile(options);
}

std::optional<QString> FakeDialogs::saveFile(const FileDialogOptions &options)
{
    return nextFile(options);
}

std::optional<OpenedFile> FakeDialogs::openFileReadOnlyOption(const FileDialogOptions &options)
{
    const bool readOnly = !readOnly_.empty() && readOnly_.front();
    const std::optional<QString> path = nextFile(options);
    if (!path)
        return std::nullopt;
    return OpenedFile{*path, readOnly};
}

std::optional<FontChoice> FakeDialogs::chooseFont(const FontChoice &initial)
{
    fontRequests << initial;
    if (fonts_.empty()) {
        ScriptedMessages::failRunningTest(QStringLiteral("Unerwarteter Schriftdialog"));
        return std::nullopt;
    }
    std::optional<FontChoice> answer = fonts_.front();
    fonts_.pop_front();
    return answer;
}

std::optional<QColor> FakeDialogs::chooseColor(const QColor &initial)
{
    colorRequests << initial;
    if (colors_.empty()) {
        ScriptedMessages::failRunningTest(QStringLiteral("Unerwarteter Farbdialog"));
        return std::nullopt;
    }
    std::optional<QColor> answer = colors_.front();
    colors_.pop_front();
    return answer;
}

std::optional<QString> FakeDialogs::enterPassword(const QString &caption, const QString &, int maxLength)
{
    if (passwords_.empty()) {
        ScriptedMessages::failRunningTest(QStringLiteral("Unerwartete Passworteingabe: ") + caption);
        return std::nullopt;
    }
    std::optional<QString> answer = passwords_.front();
    passwords_.pop_front();
    if (answer)
        answer = answer->left(maxLength);
    return answer;
}

bool FakePrinter::print(const QString &jobName, const Job &job, bool askUser)
{
    jobNames << jobName;
    if (askUser && cancelDialog)
        return false;
    const QString file = QDir(directory_).filePath(QStringLiteral("druck%1.pdf").arg(files.size() + 1));
    QPrinter device(QPrinter::HighResolution);
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(file);
    device.setDocName(jobName);
    job(device);
    files << file;
    return true;
}

void FakeScreen::setActive(QWidget *form, QWidget *control)
{
    form_ = form;
    control_ = control;
    hooks().notifyActiveControlChanged(&hooks());
}

} // namespace ui::testing
