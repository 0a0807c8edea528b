#pragma once

#include <QDialog>

#include "reportengine/EngineUi.h"

class QComboBox;
class QLineEdit;
class QSpinBox;
class QCheckBox;
class QLabel;

namespace tb {

// The options dialog of a print run: printer (with the "PDF-Datei" pseudo-printer), copies, range.
class PrintOptionsDialog : public QDialog {
    Q_OBJECT
public:
    PrintOptionsDialog(QWidget *parent, const PrintOptionsRequest &request);
    // The request with the user's choice written back.
    PrintOptionsRequest choice() const;

    void accept() override;

private:
    void printerChanged();

    PrintOptionsRequest request_;
    QComboBox *printer_ = nullptr;
    QLineEdit *pdfFile_ = nullptr;
    QSpinBox *copies_ = nullptr;
    QCheckBox *allPages_ = nullptr;
    QSpinBox *from_ = nullptr;
    QSpinBox *to_ = nullptr;
    QLabel *hint_ = nullptr;
};

} // namespace tb
