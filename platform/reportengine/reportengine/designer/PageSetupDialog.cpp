#include "reportengine/designer/PageSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QPushButton>

#include "reportengine/designer/DialogParts.h"

namespace tb {

namespace {

const QStringList kPapers = {QStringLiteral("A4"), QStringLiteral("A3"), QStringLiteral("A5"),
                             QStringLiteral("Letter"), QStringLiteral("Legal")};

} // namespace

PageSetupDialog::PageSetupDialog(const PageSetup &page, const FontSpec &font, QWidget *parent)
    : QDialog(parent), page_(page), font_(font)
{
    setWindowTitle(QStringLiteral("Seite einrichten"));
    auto *form = new QFormLayout(this);
    paper_ = new QComboBox(this);
    paper_->addItems(kPapers);
    const int paper = kPapers.indexOf(page.paper, 0);
    int found = -1;
    for (int i = 0; i < kPapers.size(); ++i)
        if (kPapers[i].compare(page.paper, Qt::CaseInsensitive) == 0)
            found = i;
    paper_->setCurrentIndex(found >= 0 ? found : std::max(paper, 0));
    form->addRow(QStringLiteral("Papier"), paper_);
    orientation_ = new QComboBox(this);
    orientation_->addItems({QStringLiteral("Hochformat"), QStringLiteral("Querformat")});
    orientation_->setCurrentIndex(page.landscape ? 1 : 0);
    form->addRow(QStringLiteral("Ausrichtung"), orientation_);
    const char *sides[4] = {"Rand links", "Rand oben", "Rand rechts", "Rand unten"};
    for (int i = 0; i < 4; ++i) {
        margins_[i] = new QDoubleSpinBox(this);
        margins_[i]->setRange(0, 100);
        margins_[i]->setDecimals(1);
        margins_[i]->setSuffix(QStringLiteral(" mm"));
        margins_[i]->setValue(page.marginsMm[i]);
        form->addRow(QString::fromUtf8(sides[i]), margins_[i]);
    }
    const FontSpec shown = font.over(defaultProjectFont());
    family_ = new QFontComboBox(this);
    family_->setCurrentFont(QFont(shown.family.value_or(QStringLiteral("Liberation Sans"))));
    form->addRow(QStringLiteral("Standardschrift"), family_);
    size_ = new QDoubleSpinBox(this);
    size_->setRange(4, 72);
    size_->setDecimals(1);
    size_->setSuffix(QStringLiteral(" pt"));
    size_->setValue(shown.sizePt.value_or(9));
    form->addRow(QStringLiteral("Schriftgröße"), size_);
    auto *box = okCancelButtons(this);
    form->addRow(box);
}

PageSetup PageSetupDialog::page() const
{
    PageSetup page = page_;
    page.paper = paper_->currentText();
    page.landscape = orientation_->currentIndex() == 1;
    for (int i = 0; i < 4; ++i)
        page.marginsMm[i] = margins_[i]->value();
    return page;
}

FontSpec PageSetupDialog::font() const
{
    FontSpec font = font_;
    const FontSpec shown = font_.over(defaultProjectFont());
    if (family_->currentFont().family() != QFont(shown.family.value_or(QString())).family())
        font.family = family_->currentFont().family();
    if (size_->value() != shown.sizePt.value_or(9))
        font.sizePt = size_->value();
    return font;
}

} // namespace tb
