#pragma once

#include <QPointer>

#include "reportengine/EngineUi.h"

class QProgressDialog;

namespace tb {

// The engine's dialogs as Qt widgets.
class QtEngineUi : public EngineUi {
public:
    QtEngineUi();
    ~QtEngineUi() override;

    void openProgress(QWidget *parent, const QString &title, int boxType) override;
    bool updateProgress(const QString &text, int percent) override;
    void closeProgress() override;
    bool printOptions(QWidget *parent, PrintOptionsRequest &request) override;
    void showPreview(QWidget *parent, const QString &previewFile, const PreviewGeometry &geometry,
                     const PreviewNotifier &notify) override;
    bool selectFile(QWidget *parent, const QString &title, const QString &filter, bool save,
                    QString &file) override;
    void message(QWidget *parent, const QString &title, const QString &text) override;
    void openDocument(const QString &file) override;
    void runDesigner(QWidget *parent, DesignerSession &session) override;

private:
    QPointer<QProgressDialog> progress_;
};

} // namespace tb
