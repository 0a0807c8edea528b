#include "reportengine/designer/ExpressionEditor.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "reportengine/Expression.h"
#include "reportengine/designer/NameBrowser.h"

#include "reportengine/designer/DialogParts.h"

namespace tb {

ExpressionEditor::ExpressionEditor(const QString &source, const DesignerSettings &settings,
                                   const Project &project, const QString &projectFile,
                                   std::function<intptr_t(unsigned, intptr_t)> raise, QWidget *parent)
    : QDialog(parent), settings_(settings), project_(project), projectFile_(projectFile)
{
    setWindowTitle(QStringLiteral("Formel bearbeiten"));
    auto *layout = new QVBoxLayout(this);
    edit_ = new QLineEdit(source, this);
    layout->addWidget(edit_);
    result_ = new QLabel(this);
    result_->setWordWrap(true);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(result_);
    auto *splitter = new QSplitter(this);
    functions_ = new QListWidget(splitter);
    for (const QString &function : expressionFunctionNames())
        if (!settings.prohibitedFunctions.contains(function, Qt::CaseInsensitive))
            functions_->addItem(function);
    names_ = new NameBrowser(settings, std::move(raise), splitter);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter, 1);
    auto *box = okCancelButtons(this, false);
    ok_ = box->button(QDialogButtonBox::Ok);
    connect(box, &QDialogButtonBox::accepted, this, [this] {
        if (check_.accepted)
            accept();
    });
    layout->addWidget(box);
    connect(functions_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { insert(item->text() + QLatin1Char('(')); });
    connect(names_, &NameBrowser::nameChosen, this, &ExpressionEditor::insert);
    connect(edit_, &QLineEdit::textChanged, this, &ExpressionEditor::recheck);
    recheck();
    resize(720, 480);
}

QString ExpressionEditor::source() const
{
    return edit_->text().trimmed();
}

void ExpressionEditor::setSource(const QString &source)
{
    edit_->setText(source);
}

void ExpressionEditor::insert(const QString &text)
{
    edit_->insert(text);
    edit_->setFocus();
}

void ExpressionEditor::recheck()
{
    check_ = designer::checkExpression(source(), settings_, project_, projectFile_);
    QString text;
    if (!check_.accepted) {
        text = QStringLiteral("<span style='color:#b00000'>%1</span>").arg(check_.error.toHtmlEscaped());
    } else {
        text = QStringLiteral("Wert: <b>%1</b>").arg(check_.value.toHtmlEscaped());
        if (!check_.hint.isEmpty())
            text +=
                QStringLiteral("<br><span style='color:#8a6d00'>%1</span>").arg(check_.hint.toHtmlEscaped());
    }
    result_->setText(text);
    ok_->setEnabled(check_.accepted);
}

} // namespace tb
