#pragma once

#include <deque>
#include <optional>

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include "ui/Clipboard.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Printer.h"
#include "ui/Screen.h"
#include "ui/Shell.h"

// Fakes of the smaller seams. Each is in force from construction to
// destruction and records what it was asked.
namespace ui::testing {

// Answers file, colour and password dialogs from a script; a dialog without
// a scripted answer is cancelled and fails the test.
class FakeDialogs : public Dialogs {
public:
    FakeDialogs();
    FakeDialogs &answerFile(const std::optional<QString> &path);
    FakeDialogs &answerColor(const std::optional<QColor> &color);
    FakeDialogs &answerPassword(const std::optional<QString> &password);
    // The next file dialog answers this file with the read-only box ticked.
    FakeDialogs &answerFileReadOnly(const QString &path);
    FakeDialogs &answerFont(const std::optional<FontChoice> &font);

    std::optional<QString> openFile(const FileDialogOptions &options) override;
    std::optional<QString> saveFile(const FileDialogOptions &options) override;
    std::optional<OpenedFile> openFileReadOnlyOption(const FileDialogOptions &options) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice &initial) override;
    std::optional<QString> enterPassword(const QString &caption, const QString &label,
                                         int maxLength) override;

    QList<FileDialogOptions> fileRequests; // in order, open and save alike
    QList<QColor> colorRequests;
    QList<FontChoice> fontRequests;

private:
    std::optional<QString> nextFile(const FileDialogOptions &options);
    std::deque<std::optional<QString>> files_, passwords_;
    std::deque<bool> readOnly_; // beside files_
    std::deque<std::optional<QColor>> colors_;
    std::deque<std::optional<FontChoice>> fonts_;
    ScopedSeam<Dialogs> inForce_;
};

class FakeShell : public Shell {
public:
    FakeShell() : inForce_(*this) {}
    bool open(const QString &path) override
    {
        opened << path;
        return opens;
    }
    QStringList opened;
    bool opens = true; // false: as if no program could open the file

private:
    ScopedSeam<Shell> inForce_;
};

// Prints each job into a PDF file in the given directory ("druck1.pdf", ...).
class FakePrinter : public Printer {
public:
    explicit FakePrinter(const QString &directory) : directory_(directory), inForce_(*this) {}
    bool print(const QString &jobName, const Job &job, bool askUser) override;
    QStringList files;
    QStringList jobNames;
    bool cancelDialog = false; // answer of the print dialog when askUser

private:
    QString directory_;
    ScopedSeam<Printer> inForce_;
};

class FakeClipboard : public Clipboard {
public:
    FakeClipboard() : inForce_(*this) {}
    QString text() const override { return text_; }
    void setText(const QString &text) override
    {
        text_ = text;
        html_.clear();
        image_ = QImage();
    }
    void setRichText(const QString &text, const QString &html) override
    {
        setText(text);
        html_ = html;
    }
    QString html() const override { return html_; }
    QImage image() const override { return image_; }
    void setImage(const QImage &image) override
    {
        image_ = image;
        text_.clear();
        html_.clear();
    }

private:
    QString text_;
    QString html_;
    QImage image_;
    ScopedSeam<Clipboard> inForce_;
};

class FakeClock : public Clock {
public:
    explicit FakeClock(base::TDateTime now) : now_(now), inForce_(*this) {}
    base::TDateTime now() const override { return now_; }
    void set(base::TDateTime now) { now_ = now; }

private:
    base::TDateTime now_;
    ScopedSeam<Clock> inForce_;
};

// The active form and focused control as the test says; setting the control
// runs the active-control hook as a focus change would.
class FakeScreen : public Screen {
public:
    FakeScreen() : inForce_(*this) {}
    QWidget *activeForm() const override { return form_; }
    QWidget *activeControl() const override { return control_; }
    void setActive(QWidget *form, QWidget *control);

private:
    QWidget *form_ = nullptr;
    QWidget *control_ = nullptr;
    ScopedSeam<Screen> inForce_;
};

} // namespace ui::testing
