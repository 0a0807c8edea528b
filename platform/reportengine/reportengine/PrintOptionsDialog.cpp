#include "reportengine/PrintOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "reportengine/EngineTypes.h"

namespace tb {

PrintOptionsDialog::PrintOptionsDialog(QWidget *parent, const PrintOptionsRequest &request)
    : QDialog(parent), request_(request)
{
    setObjectName(QStringLiteral("TbPrintOptionsDialog"));
    setWindowTitle(QStringLiteral("Druckoptionen"));
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(request.text, this);
    text->setObjectName(QStringLiteral("Hinweis"));
    layout->addWidget(text);
    auto *form = new QFormLayout;
    layout->addLayout(form);

    if (request.printerRun) {
        printer_ = new QComboBox(this);
        printer_->setObjectName(QStringLiteral("Drucker"));
        printer_->addItems(request.printers);
        printer_->setCurrentText(request.printer);
        form->addRow(QStringLiteral("Drucker:"), printer_);
        auto *fileRow = new QHBoxLayout;
        pdfFile_ = new QLineEdit(request.pdfFile, this);
        pdfFile_->setObjectName(QStringLiteral("PdfDatei"));
        auto *browse = new QPushButton(QStringLiteral("…"), this);
        fileRow->addWidget(pdfFile_, 1);
        fileRow->addWidget(browse);
        form->addRow(QStringLiteral("PDF-Datei:"), fileRow);
        connect(browse, &QPushButton::clicked, this, [this] {
            const QString file = QFileDialog::getSaveFileName(
                this, QStringLiteral("PDF-Datei"), pdfFile_->text(), QStringLiteral("PDF-Dateien (*.pdf)"));
            if (!file.isEmpty())
                pdfFile_->setText(file);
        });
        connect(printer_, &QComboBox::currentTextChanged, this, &PrintOptionsDialog::printerChanged);
    }
    copies_ = new QSpinBox(this);
    copies_->setObjectName(QStringLiteral("Kopien"));
    copies_->setRange(1, 999);
    copies_->setValue(request.copies);
    form->addRow(QStringLiteral("Kopien:"), copies_);

    allPages_ = new QCheckBox(QStringLiteral("Alle Seiten"), this);
    allPages_->setObjectName(QStringLiteral("AlleSeiten"));
    from_ = new QSpinBox(this);
    from_->setObjectName(QStringLiteral("VonSeite"));
    from_->setRange(1, 32766);
    from_->setValue(std::max(1, request.firstPage));
    to_ = new QSpinBox(this);
    to_->setObjectName(QStringLiteral("BisSeite"));
    to_->setRange(1, 32766);
    const bool open = request.lastPage >= TB_PAGE_OPEN;
    to_->setValue(open ? 9999 : std::max(1, request.lastPage));
    allPages_->setChecked(open && request.firstPage <= 1);
    // The range row lives in a widget of its own, so that its captions go
    // with it when the run shows no range.
    auto *rangeRow = new QWidget(this);
    auto *range = new QHBoxLayout(rangeRow);
    range->setContentsMargins(0, 0, 0, 0);
    allPages_->setParent(rangeRow);
    from_->setParent(rangeRow);
    to_->setParent(rangeRow);
    range->addWidget(allPages_);
    range->addWidget(new QLabel(QStringLiteral("von"), rangeRow));
    range->addWidget(from_);
    range->addWidget(new QLabel(QStringLiteral("bis"), rangeRow));
    range->addWidget(to_);
    if (request.showRange)
        form->addRow(QStringLiteral("Seiten:"), rangeRow);
    else
        rangeRow->hide();
    auto syncRange = [this] {
        from_->setEnabled(!allPages_->isChecked());
        to_->setEnabled(!allPages_->isChecked());
    };
    connect(allPages_, &QCheckBox::toggled, this, syncRange);
    syncRange();

    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("Fehlerhinweis"));
    hint_->setStyleSheet(QStringLiteral("color: #b00000"));
    hint_->hide();
    layout->addWidget(hint_);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("OK"));
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PrintOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrintOptionsDialog::reject);
    layout->addWidget(buttons);
    printerChanged();
}

void PrintOptionsDialog::printerChanged()
{
    if (printer_ && pdfFile_)
        pdfFile_->setEnabled(printer_->currentText() == pdfPseudoPrinterName());
}

void PrintOptionsDialog::accept()
{
    if (printer_ && printer_->currentText() == pdfPseudoPrinterName() &&
        pdfFile_->text().trimmed().isEmpty()) {
        // The pseudo-printer needs a file; the dialog says so itself rather than in a second box.
        hint_->setText(QStringLiteral("Bitte eine PDF-Datei angeben."));
        hint_->show();
        pdfFile_->setFocus();
        return;
    }
    QDialog::accept();
}

PrintOptionsRequest PrintOptionsDialog::choice() const
{
    PrintOptionsRequest r = request_;
    if (printer_) {
        r.printer = printer_->currentText();
        r.pdfFile = pdfFile_->text().trimmed();
    }
    r.copies = copies_->value();
    if (request_.showRange && !allPages_->isChecked()) {
        r.firstPage = from_->value();
        r.lastPage = std::max(from_->value(), to_->value());
    } else if (request_.showRange) {
        r.firstPage = 1;
        r.lastPage = TB_PAGE_OPEN;
    }
    return r;
}

} // namespace tb
