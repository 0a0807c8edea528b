#include "reportengine/designer/NameBrowser.h"

#include <algorithm>

#include <QHelpEvent>
#include <QToolTip>

#include "reportengine/EngineTypes.h"
#include "reportengine/Expression.h"
#include "reportengine/designer/ExpressionCheck.h"

namespace tb {

namespace {

constexpr int kMaxHelpText = 1023;
constexpr int kKindRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;
enum Kind { Name = 1, Function = 2 };

} // namespace

NameBrowser::NameBrowser(const DesignerSettings &settings, std::function<intptr_t(unsigned, intptr_t)> raise,
                         QWidget *parent)
    : QTreeWidget(parent), settings_(settings), raise_(std::move(raise))
{
    const bool dictionary = settings.showDictionary && !settings.dictionary.isEmpty();
    QStringList headers{QStringLiteral("Name"), QStringLiteral("Beispielwert")};
    if (dictionary)
        headers << QStringLiteral("Übersetzung");
    setHeaderLabels(headers);
    setRootIsDecorated(true);
    setMouseTracking(true);
    variables_ = new QTreeWidgetItem(this, {QStringLiteral("Variablen")});
    fields_ = new QTreeWidgetItem(this, {QStringLiteral("Felder")});
    fill(variables_, settings.variables);
    fill(fields_, settings.fields);
    if (settings.showFunctions) {
        functions_ = new QTreeWidgetItem(this, {QStringLiteral("Funktionen")});
        for (const QString &function : expressionFunctionNames()) {
            if (settings.prohibitedFunctions.contains(function, Qt::CaseInsensitive))
                continue;
            auto *item = new QTreeWidgetItem(functions_, {function + QStringLiteral("()")});
            item->setData(0, kKindRole, Function);
            item->setData(0, kNameRole, function);
        }
    }
    expandAll();
    resizeColumnToContents(0);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        const QString text = insertionFor(item);
        if (!text.isEmpty())
            emit nameChosen(text);
    });
}

void NameBrowser::fill(QTreeWidgetItem *branch, std::vector<NameList::Entry> entries)
{
    if (settings_.sortNames)
        std::stable_sort(entries.begin(), entries.end(), [](const auto &a, const auto &b) {
            return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
        });
    // Dictionary entries are "translation=name".
    QHash<QString, QString> translations;
    for (const QString &entry : settings_.dictionary) {
        const qsizetype eq = entry.lastIndexOf(QLatin1Char('='));
        if (eq > 0)
            translations.insert(entry.mid(eq + 1), entry.left(eq));
    }
    for (const auto &entry : entries) {
        auto *item = new QTreeWidgetItem(branch, {entry.name, entry.value.toText()});
        if (columnCount() > 2)
            item->setText(2, translations.value(entry.name));
        item->setData(0, kKindRole, Name);
        item->setData(0, kNameRole, entry.name);
    }
}

QString NameBrowser::insertionFor(QTreeWidgetItem *item) const
{
    if (!item)
        return QString();
    switch (item->data(0, kKindRole).toInt()) {
    case Name:
        return designer::insertableName(item->data(0, kNameRole).toString(), settings_.translateNames);
    case Function:
        return item->data(0, kNameRole).toString() + QLatin1Char('(');
    default:
        return QString();
    }
}

QString NameBrowser::helpText(const QString &name) const
{
    if (!raise_)
        return QString();
    const QString asked = name;
    const intptr_t answer = raise_(msg::VarHelpText, reinterpret_cast<intptr_t>(&asked));
    if (!answer)
        return QString();
    return reinterpret_cast<const QString *>(answer)->left(kMaxHelpText);
}

bool NameBrowser::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        QTreeWidgetItem *item = itemAt(help->pos());
        const QString text = item && item->data(0, kKindRole).toInt() == Name
                                 ? helpText(item->data(0, kNameRole).toString())
                                 : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}

} // namespace tb
