#include "reportengine/QtEngineUi.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QUrl>

#include "reportengine/PreviewWindow.h"
#include "reportengine/PrintOptionsDialog.h"
#include "reportengine/designer/DesignerWindow.h"

namespace tb {

QtEngineUi::QtEngineUi() = default;

QtEngineUi::~QtEngineUi()
{
    delete progress_.data();
}

void QtEngineUi::openProgress(QWidget *parent, const QString &title, int)
{
    closeProgress();
    progress_ = new QProgressDialog(title, QStringLiteral("Abbrechen"), 0, 100, parent);
    progress_->setObjectName(QStringLiteral("TbProgressBox"));
    progress_->setWindowTitle(title);
    progress_->setWindowModality(Qt::ApplicationModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setValue(0);
    progress_->show();
}

bool QtEngineUi::updateProgress(const QString &text, int percent)
{
    if (!progress_)
        return true;
    progress_->setLabelText(text);
    progress_->setValue(percent);
    QApplication::processEvents();
    return !progress_->wasCanceled();
}

void QtEngineUi::closeProgress()
{
    if (progress_) {
        progress_->hide();
        progress_->deleteLater();
        progress_ = nullptr;
    }
}

bool QtEngineUi::printOptions(QWidget *parent, PrintOptionsRequest &request)
{
    PrintOptionsDialog dialog(parent, request);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    request = dialog.choice();
    return true;
}

void QtEngineUi::showPreview(QWidget *parent, const QString &previewFile, const PreviewGeometry &geometry,
                             const PreviewNotifier &notify)
{
    // The window reads the pages it shows; a long preview opens on its first page at once.
    std::unique_ptr<PreviewPages> pages = PreviewPages::open(previewFile);
    if (!pages) {
        message(parent, QStringLiteral("Vorschau"),
                QStringLiteral("Die Vorschau kann nicht gelesen werden."));
        return;
    }
    PreviewWindow window(parent, std::move(pages), geometry, notify);
    window.exec();
}

bool QtEngineUi::selectFile(QWidget *parent, const QString &title, const QString &filter, bool save,
                            QString &file)
{
    const QString chosen = save ? QFileDialog::getSaveFileName(parent, title, file, filter)
                                : QFileDialog::getOpenFileName(parent, title, file, filter);
    if (chosen.isEmpty())
        return false;
    file = chosen;
    return true;
}

void QtEngineUi::message(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.exec();
}

namespace {

class QtDesignerPrompts : public DesignerPrompts {
public:
    Answer askSave(QWidget *parent, const QString &question) override
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Layout-Designer"), question,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Nein"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
        switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
        }
    }
    void error(QWidget *parent, const QString &text) override
    {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Layout-Designer"), text, QMessageBox::Ok,
                        parent);
        box.exec();
    }
};

} // namespace

void QtEngineUi::runDesigner(QWidget *parent, DesignerSession &session)
{
    QtDesignerPrompts prompts;
    DesignerWindow window(session, prompts, parent);
    window.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(&window, &DesignerWindow::finished, &loop, &QEventLoop::quit);
    window.show();
    loop.exec();
}

void QtEngineUi::openDocument(const QString &file)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

} // namespace tb
