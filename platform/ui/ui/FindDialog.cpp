#include "ui/FindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

FindDialog::FindDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral("Suchen"));
    setModal(false);
    auto *grid = new QGridLayout(this);
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("FindText"));
    auto *label = new QLabel(QStringLiteral("Suchen &nach:"), this);
    label->setBuddy(text_);
    grid->addWidget(label, 0, 0);
    grid->addWidget(text_, 0, 1, 1, 2);

    wholeWord_ = new QCheckBox(QStringLiteral("Nur &ganzes Wort suchen"), this);
    matchCase_ = new QCheckBox(QStringLiteral("Groß-/&Kleinschreibung"), this);
    auto *options = new QVBoxLayout;
    options->addWidget(wholeWord_);
    options->addWidget(matchCase_);
    grid->addLayout(options, 1, 0, 1, 2);

    auto *direction = new QGroupBox(QStringLiteral("Richtung"), this);
    auto *up = new QRadioButton(QStringLiteral("&Aufwärts"), direction);
    down_ = new QRadioButton(QStringLiteral("A&bwärts"), direction);
    down_->setChecked(true);
    auto *directions = new QHBoxLayout(direction);
    directions->addWidget(up);
    directions->addWidget(down_);
    grid->addWidget(direction, 1, 2);

    find_ = new QPushButton(QStringLiteral("&Weitersuchen"), this);
    find_->setObjectName(QStringLiteral("FindNext"));
    find_->setDefault(true);
    find_->setEnabled(false);
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(find_);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 3, 2, 1);

    connect(text_, &QLineEdit::textChanged, this,
            [this](const QString &t) { find_->setEnabled(!t.isEmpty()); });
    connect(find_, &QPushButton::clicked, this, &FindDialog::find);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

QString FindDialog::findText() const
{
    return text_->text();
}

void FindDialog::setFindText(const QString &text)
{
    text_->setText(text);
}

bool FindDialog::wholeWord() const
{
    return wholeWord_->isChecked();
}

bool FindDialog::matchCase() const
{
    return matchCase_->isChecked();
}

bool FindDialog::down() const
{
    return down_->isChecked();
}

void FindDialog::execute()
{
    show();
    raise();
    activateWindow();
    text_->selectAll();
    text_->setFocus();
}

} // namespace ui
