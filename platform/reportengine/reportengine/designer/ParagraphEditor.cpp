#include "reportengine/designer/ParagraphEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "reportengine/designer/DialogParts.h"

namespace tb {

ParagraphEditor::ParagraphEditor(std::vector<Paragraph> paragraphs, FontSpec inherited, QWidget *parent)
    : QDialog(parent), paragraphs_(std::move(paragraphs)), inherited_(inherited.over(defaultProjectFont()))
{
    setWindowTitle(QStringLiteral("Absätze bearbeiten"));
    auto *layout = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    list_ = new QListWidget(this);
    left->addWidget(list_);
    auto *buttons = new QHBoxLayout;
    const auto button = [&](const QString &text, auto slot) {
        auto *b = new QPushButton(text, this);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    button(QStringLiteral("Neu"), [this] { addParagraph(); });
    button(QStringLiteral("Entfernen"), [this] { removeParagraph(); });
    button(QStringLiteral("Nach oben"), [this] { moveParagraph(-1); });
    button(QStringLiteral("Nach unten"), [this] { moveParagraph(1); });
    left->addLayout(buttons);
    layout->addLayout(left, 1);

    auto *form = new QFormLayout;
    expr_ = new QLineEdit(this);
    family_ = new QFontComboBox(this);
    size_ = new QDoubleSpinBox(this);
    size_->setRange(0, 200);
    size_->setDecimals(1);
    size_->setSuffix(QStringLiteral(" pt"));
    size_->setSpecialValueText(QStringLiteral("wie Objekt"));
    bold_ = new QCheckBox(QStringLiteral("Fett"), this);
    italic_ = new QCheckBox(QStringLiteral("Kursiv"), this);
    align_ = new QComboBox(this);
    align_->addItems({QStringLiteral("Links"), QStringLiteral("Zentriert"), QStringLiteral("Rechts")});
    wrap_ = new QCheckBox(QStringLiteral("Zeilenumbruch"), this);
    suppress_ = new QCheckBox(QStringLiteral("Unterdrücken, wenn leer"), this);
    auto *exprRow = new QHBoxLayout;
    exprRow->addWidget(expr_);
    auto *exprButton = new QToolButton(this);
    exprButton->setText(QStringLiteral("…"));
    exprButton->setToolTip(QStringLiteral("Formel bearbeiten"));
    exprRow->addWidget(exprButton);
    connect(exprButton, &QToolButton::clicked, this, [this] {
        QString source = expr_->text();
        if (current_ >= 0 && editExpression_ && editExpression_(source)) {
            expr_->setText(source);
            store();
        }
    });
    form->addRow(QStringLiteral("Formel"), exprRow);
    form->addRow(QStringLiteral("Schriftart"), family_);
    form->addRow(QStringLiteral("Schriftgröße"), size_);
    form->addRow(QString(), bold_);
    form->addRow(QString(), italic_);
    form->addRow(QStringLiteral("Ausrichtung"), align_);
    form->addRow(QString(), wrap_);
    form->addRow(QString(), suppress_);
    layout->addLayout(form, 2);

    auto *outer = new QVBoxLayout(this);
    outer->addLayout(layout);
    message_ = refusalLabel(this);
    outer->addWidget(message_);
    auto *box = okCancelButtons(this, false);
    connect(box, &QDialogButtonBox::accepted, this, [this] {
        store();
        if (refusal_.isEmpty())
            accept();
    });
    outer->addWidget(box);

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!loading_)
            setCurrent(row);
    });
    connect(family_, &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        if (!loading_ && current_ >= 0)
            paragraphs_[size_t(current_)].font.family = font.family();
    });
    for (QWidget *w :
         std::initializer_list<QWidget *>{expr_, size_, bold_, italic_, align_, wrap_, suppress_}) {
        if (auto *line = qobject_cast<QLineEdit *>(w))
            connect(line, &QLineEdit::editingFinished, this, [this] { store(); });
        else if (auto *check = qobject_cast<QCheckBox *>(w))
            connect(check, &QCheckBox::toggled, this, [this] { store(); });
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            connect(combo, &QComboBox::currentIndexChanged, this, [this] { store(); });
        else if (auto *spin = qobject_cast<QDoubleSpinBox *>(w))
            connect(spin, &QDoubleSpinBox::valueChanged, this, [this] { store(); });
    }
    fillList();
    setCurrent(paragraphs_.empty() ? -1 : 0);
    resize(640, 320);
}

void ParagraphEditor::setExpressionTools(std::function<QString(const QString &)> check,
                                         std::function<bool(QString &source)> edit)
{
    check_ = std::move(check);
    editExpression_ = std::move(edit);
}

void ParagraphEditor::fillList()
{
    loading_ = true;
    list_->clear();
    for (const auto &p : paragraphs_)
        list_->addItem(p.expr.isEmpty() ? QStringLiteral("(leer)") : p.expr);
    list_->setCurrentRow(current_);
    loading_ = false;
}

void ParagraphEditor::setCurrent(int row)
{
    store();
    current_ = row >= 0 && row < int(paragraphs_.size()) ? row : -1;
    load();
}

void ParagraphEditor::load()
{
    loading_ = true;
    const bool has = current_ >= 0;
    const Paragraph p = has ? paragraphs_[size_t(current_)] : Paragraph();
    expr_->setText(p.expr);
    const FontSpec effective = p.font.over(inherited_);
    family_->setCurrentFont(QFont(*effective.family));
    size_->setValue(p.font.sizePt.value_or(0)); // 0 reads "wie Objekt"
    bold_->setChecked(*effective.bold);
    italic_->setChecked(*effective.italic);
    align_->setCurrentIndex(int(p.align));
    wrap_->setChecked(p.wrap);
    suppress_->setChecked(p.suppressIfEmpty);
    for (QWidget *w :
         std::initializer_list<QWidget *>{expr_, family_, size_, bold_, italic_, align_, wrap_, suppress_})
        w->setEnabled(has);
    list_->setCurrentRow(current_);
    loading_ = false;
}

void ParagraphEditor::store()
{
    if (loading_ || current_ < 0)
        return;
    Paragraph &p = paragraphs_[size_t(current_)];
    const QString why =
        check_ && expr_->text().trimmed() != p.expr ? check_(expr_->text().trimmed()) : QString();
    refusal_ = why;
    message_->setText(why);
    if (why.isEmpty())
        p.expr = expr_->text().trimmed();
    p.font.sizePt = size_->value() > 0 ? std::optional<double>(size_->value()) : std::nullopt;
    const FontSpec effective = p.font.over(inherited_);
    if (bold_->isChecked() != *effective.bold)
        p.font.bold = bold_->isChecked();
    if (italic_->isChecked() != *effective.italic)
        p.font.italic = italic_->isChecked();
    p.align = Align(align_->currentIndex());
    p.wrap = wrap_->isChecked();
    p.suppressIfEmpty = suppress_->isChecked();
    loading_ = true;
    if (auto *item = list_->item(current_))
        item->setText(p.expr.isEmpty() ? QStringLiteral("(leer)") : p.expr);
    loading_ = false;
}

void ParagraphEditor::addParagraph()
{
    store();
    Paragraph p;
    p.expr = QStringLiteral("\"\"");
    const size_t at = current_ < 0 ? paragraphs_.size() : size_t(current_) + 1;
    paragraphs_.insert(paragraphs_.begin() + qsizetype(at), p);
    current_ = int(at);
    fillList();
    load();
}

void ParagraphEditor::removeParagraph()
{
    if (current_ < 0)
        return;
    paragraphs_.erase(paragraphs_.begin() + current_);
    current_ = std::min(current_, int(paragraphs_.size()) - 1);
    fillList();
    load();
}

void ParagraphEditor::moveParagraph(int delta)
{
    store();
    const int to = current_ + delta;
    if (current_ < 0 || to < 0 || to >= int(paragraphs_.size()))
        return;
    std::swap(paragraphs_[size_t(current_)], paragraphs_[size_t(to)]);
    current_ = to;
    fillList();
    load();
}

} // namespace tb
