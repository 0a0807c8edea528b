#include "reportengine/designer/ExpressionCheck.h"

#include <algorithm>

#include "reportengine/Expression.h"
#include "reportengine/NameTranslation.h"

namespace tb::designer {

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$';
}

const Value *findIn(const std::vector<NameList::Entry> &entries, const QString &name, bool caseSensitive)
{
    const QString key = nameKey(name, caseSensitive);
    for (const auto &entry : entries)
        if (nameKey(entry.name, caseSensitive) == key)
            return &entry.value;
    return nullptr;
}

bool isSum(const Project &project, const QString &name)
{
    for (const auto &sum : project.sums)
        if (sum.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString prohibitedIn(const QString &source, const DesignerSettings &settings)
{
    for (const QString &function : calledFunctions(source))
        if (settings.prohibitedFunctions.contains(function, Qt::CaseInsensitive))
            return function;
    return QString();
}

} // namespace

QStringList calledFunctions(const QString &source)
{
    QStringList functions;
    const int n = int(source.size());
    for (int i = 0; i < n;) {
        const QChar c = source[i];
        if (c == u'"') {
            // Texts end at a lone quote; "" stands for one inside.
            ++i;
            while (i < n && !(source[i] == u'"' && (i + 1 >= n || source[i + 1] != u'"')))
                i += source[i] == u'"' ? 2 : 1;
            ++i;
        } else if (c == u'[') {
            const qsizetype close = source.indexOf(u']', i + 1);
            i = close < 0 ? n : int(close) + 1;
        } else if (c.isLetter() || c == u'_') {
            int j = i;
            while (j < n && isNameChar(source[j]))
                ++j;
            int k = j;
            while (k < n && source[k].isSpace())
                ++k;
            if (k < n && source[k] == u'(')
                functions << source.mid(i, j - i);
            i = j;
        } else {
            ++i;
        }
    }
    return functions;
}

std::optional<Value> sampleValue(const DesignerSettings &settings, const QString &name)
{
    const QString defined = settings.translateNames ? translateName(name) : name;
    if (const Value *v = findIn(settings.fields, defined, settings.caseSensitive))
        return *v;
    if (const Value *v = findIn(settings.variables, defined, settings.caseSensitive))
        return *v;
    return std::nullopt;
}

ExpressionCheck checkExpression(const QString &source, const DesignerSettings &settings,
                                const Project &project, const QString &projectFile)
{
    ExpressionCheck check;
    QString error;
    int position = 0;
    const auto expression = Expression::parse(source, &error, &position);
    if (!expression) {
        check.accepted = false;
        check.error = error;
        check.position = position;
        return check;
    }
    const QString prohibited = prohibitedIn(source, settings);
    if (!prohibited.isEmpty()) {
        check.accepted = false;
        check.error = QStringLiteral("Die Funktion \"%1\" ist hier nicht erlaubt.").arg(prohibited);
        return check;
    }
    for (const QString &name : expression->names())
        if (!sampleValue(settings, name) && !isSum(project, name))
            check.undefined << name;
    if (!check.undefined.isEmpty())
        check.hint = QStringLiteral("Nicht definiert (beim Druck leer): %1")
                         .arg(check.undefined.join(QStringLiteral(", ")));
    EvalContext context;
    context.page = 1;
    context.now = settings.now;
    context.projectFile = projectFile;
    context.lookup = [&](const QString &name) -> std::optional<Value> {
        if (auto value = sampleValue(settings, name))
            return value;
        if (isSum(project, name))
            return Value::ofNumber(0);
        return std::nullopt;
    };
    context.onError = [](const QString &) {};
    check.value = expression->evaluate(context).toText();
    return check;
}

QString insertableName(const QString &name, bool translate)
{
    if (translate)
        return translateName(name);
    const bool plain = !name.isEmpty() && (name[0].isLetter() || name[0] == u'_') &&
                       std::all_of(name.begin(), name.end(), isNameChar);
    return plain ? name : QLatin1Char('[') + name + QLatin1Char(']');
}

QStringList faultyExpressions(const Project &project, const DesignerSettings &settings)
{
    QStringList faults;
    for (const QString &source : project.expressions()) {
        QString error;
        if (!Expression::parse(source, &error))
            faults << QStringLiteral("%1: %2").arg(source, error);
        else if (const QString function = prohibitedIn(source, settings); !function.isEmpty())
            faults << QStringLiteral("%1: Funktion \"%2\" nicht erlaubt").arg(source, function);
    }
    return faults;
}

} // namespace tb::designer
