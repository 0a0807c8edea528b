#include "navigation/dialoge/FilterDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "navigation/filter/FilterValues.h"
#include "navigation/filter/TableFilterDataSet.h"
#include "ui/Connect.h"
#include "ui/Messages.h"

namespace nav {

namespace {

const QStringList kOperators = {QStringLiteral("Leer"),          QStringLiteral("Nicht leer"),
                                QStringLiteral("Gleich"),        QStringLiteral("Ungleich"),
                                QStringLiteral("Größer als"),    QStringLiteral("Kleiner als"),
                                QStringLiteral("Größer gleich"), QStringLiteral("Kleiner gleich")};

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

QString filterOperatorName(int code)
{
    if (code >= 1 && code <= 8)
        return kOperators[code - 1];
    if (code == 10)
        return QStringLiteral("Und");
    if (code == 11)
        return QStringLiteral("Oder");
    return {};
}

int filterOperatorCode(const QString &name)
{
    for (int code : {1, 2, 3, 4, 5, 6, 7, 8, 10, 11})
        if (filterOperatorName(code) == name)
            return code;
    return 0;
}

TFilterForm::TFilterForm(QWidget *owner, const TUserButton &userButton, dbe::TDataSet *dataSet)
    : NavDialogBase(QStringLiteral("FilterForm"), sfFilter, userButton, owner), dataSet_(dataSet)
{
    setWindowTitle(QStringLiteral("Filterdefinition"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    grid->setVerticalSpacing(0); // the links sit between the rows
    grid->addWidget(boldLabel(QStringLiteral("Feld"), this), 0, 1);
    grid->addWidget(boldLabel(QStringLiteral("Operator"), this), 0, 2);
    grid->addWidget(boldLabel(QStringLiteral("Operand"), this), 0, 3);
    for (int i = 0; i < kFilterDialogRows; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        Feld[i] = ui::make<QComboBox>(this, ("Feld" + n).constData(), this);
        Operator[i] = ui::make<QComboBox>(this, ("Operator" + n).constData(), this);
        Operator[i]->addItems(kOperators);
        Operator[i]->setCurrentIndex(-1);
        Operant[i] = ui::make<QLineEdit>(this, ("Operant" + n).constData(), this);
        auto *del =
            ui::make<QPushButton>(this, ("DelBtn" + n).constData(), QStringLiteral("<< Löschen"), this);
        Feld[i]->setEnabled(i == 0);
        Operator[i]->setEnabled(false);
        Operant[i]->setEnabled(false);
        const int row = 1 + 2 * i;
        grid->addWidget(Feld[i], row, 1);
        grid->addWidget(Operator[i], row, 2);
        grid->addWidget(Operant[i], row, 3);
        grid->addWidget(del, row, 4);
        ui::on(Feld[i], &QComboBox::activated, this, [this, i] { fieldChanged(i); });
        ui::on(Operator[i], &QComboBox::activated, this, [this, i] { operatorChanged(i); });
        ui::on(del, &QPushButton::clicked, this, [this, i] { DeleteRow(i); });
        if (i < kFilterDialogRows - 1) {
            Verkn[i] = ui::make<QComboBox>(this, ("Verkn" + n).constData(), this);
            Verkn[i]->addItems({QStringLiteral("Und"), QStringLiteral("Oder")});
            Verkn[i]->setCurrentIndex(-1);
            Verkn[i]->setEnabled(false);
            grid->addWidget(Verkn[i], row + 1, 0);
        }
    }
    layout->addLayout(grid);
    auto *wildcard = boldLabel(QStringLiteral("Wildcard .. am Ende des Operanden bei Operator 'Gleich' für "
                                              "Teilstringfilter und Ignorierung der Groß-/Kleinschreibung"),
                               this);
    wildcard->setObjectName(QStringLiteral("WildcardLabel"));
    wildcard->setWordWrap(true);
    layout->addWidget(wildcard);
    OKBtn = ui::make<QPushButton>(this, "OKBtn", QStringLiteral("&OK"), this);
    setButtonResult(OKBtn, ui::mrOk);
    addButtonRow(layout, {OKBtn});
    resize(517, 367);
}

void TFilterForm::SetFields(const QStringList &labels, const QStringList &names)
{
    labels_ = labels;
    names_ = names;
    for (QComboBox *f : Feld) {
        f->clear();
        f->addItems(labels);
        f->setCurrentIndex(-1);
    }
}

void TFilterForm::fieldChanged(int i)
{
    Operator[i]->setEnabled(true);
    Operator[i]->setCurrentText(QStringLiteral("Gleich"));
    Operant[i]->setEnabled(true);
    Operant[i]->setFocus();
    if (i < kFilterDialogRows - 1) {
        Verkn[i]->setEnabled(true);
        Verkn[i]->setCurrentText(QStringLiteral("Und"));
        Feld[i + 1]->setEnabled(true);
    }
}

void TFilterForm::operatorChanged(int i)
{
    const QString text = Operator[i]->currentText();
    const bool blankTest = text.isEmpty() || text == kOperators[0] || text == kOperators[1];
    if (blankTest)
        Operant[i]->clear();
    Operant[i]->setEnabled(!blankTest);
}

void TFilterForm::ChooseField(int row, const QString &label)
{
    Feld[row]->setCurrentText(label);
    fieldChanged(row);
}

void TFilterForm::DeleteRow(int i)
{
    Feld[i]->setCurrentIndex(-1);
    Operator[i]->setCurrentIndex(-1);
    Operator[i]->setEnabled(false);
    Operant[i]->clear();
    Operant[i]->setEnabled(false);
}

void TFilterForm::ShowDefinition(const TFilterDefinition &rows, int count)
{
    for (int i = 0; i < std::min(count, kFilterDialogRows); ++i) {
        const TFilterZeile &r = rows[static_cast<std::size_t>(i)];
        if (i < kFilterDialogRows - 1) {
            Verkn[i]->setEnabled(true);
            Verkn[i]->setCurrentText(QStringLiteral("Und"));
            Feld[i + 1]->setEnabled(true);
        }
        if (i > 0)
            Verkn[i - 1]->setCurrentText(
                filterOperatorName(rows[static_cast<std::size_t>(i - 1)].Verknuepfung));
        const qsizetype at = names_.indexOf(r.FeldName);
        Feld[i]->setEnabled(true);
        Feld[i]->setCurrentIndex(static_cast<int>(at));
        Operator[i]->setEnabled(true);
        Operator[i]->setCurrentText(filterOperatorName(r.Operator));
        if (r.Operator != 1 && r.Operator != 2) {
            Operant[i]->setEnabled(true);
            Operant[i]->setText(r.Wert);
        }
    }
}

bool TFilterForm::checkText(QWidget *control, const QString &text)
{
    QString message;
    if (text.isEmpty())
        message = QStringLiteral("Dieses Feld darf nicht leer bleiben !");
    else if (text == QLatin1String(".."))
        message = QStringLiteral("Vor dem Wildcard muß wenigstens ein Zeichen stehen !");
    if (message.isEmpty())
        return true;
    ui::messages().error(message);
    control->setFocus();
    return false;
}

bool TFilterForm::CheckClose(int result)
{
    if (result != ui::mrOk)
        return true;
    rows_ = {};
    rowCount_ = 0;
    const TableFilterDataSet fields(dataSet_);
    for (int i = 0; i < kFilterDialogRows; ++i) {
        if (!Operator[i]->isEnabled())
            continue;
        TFilterZeile &r = rows_[static_cast<std::size_t>(rowCount_)];
        const int fieldIndex = Feld[i]->currentIndex();
        r.FeldName = fieldIndex >= 0 ? names_.value(fieldIndex) : QString();
        if (!checkText(Operator[i], Operator[i]->currentText()))
            return false;
        r.Operator = filterOperatorCode(Operator[i]->currentText());
        if (r.Operator != 1 && r.Operator != 2) {
            const QString text = Operant[i]->text();
            if (!checkText(Operant[i], text))
                return false;
            const auto info = fields.findField(r.FeldName);
            TFieldType type{};
            std::uint8_t mark = 0;
            FieldValueBuffer value{};
            bool fits = false;
            try {
                fits = info && TextToFieldValue(*info, text, type, mark, value);
            } catch (const std::exception &) {
                fits = false;
            }
            if (!fits) {
                ui::messages().error(QStringLiteral("Eingabe nicht vom erwarteten Typ !"));
                Operant[i]->setFocus();
                return false;
            }
            r.Wert = text;
        }
        ++rowCount_;
    }
    for (int r = 0; r + 1 < rowCount_; ++r)
        rows_[static_cast<std::size_t>(r)].Verknuepfung = filterOperatorCode(Verkn[r]->currentText());
    return true;
}

} // namespace nav
