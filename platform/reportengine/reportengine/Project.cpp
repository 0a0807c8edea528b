#include "reportengine/Project.h"

#include <algorithm>

#include <QRegularExpression>

namespace tb {

FontSpec FontSpec::over(const FontSpec &base) const
{
    FontSpec result = base;
    if (family)
        result.family = family;
    if (sizePt)
        result.sizePt = sizePt;
    if (bold)
        result.bold = bold;
    if (italic)
        result.italic = italic;
    if (underline)
        result.underline = underline;
    return result;
}

FontSpec defaultProjectFont()
{
    FontSpec font;
    font.family = QStringLiteral("Liberation Sans");
    font.sizePt = 9;
    font.bold = false;
    font.italic = false;
    font.underline = false;
    return font;
}

const PageObject *Project::table() const
{
    for (const auto &object : objects)
        if (object.type == PageObject::Type::Table)
            return &object;
    return nullptr;
}

std::vector<QString> Project::expressions() const
{
    std::vector<QString> all{filter};
    for (const auto &sum : sums)
        all.push_back(sum.expr);
    auto addLines = [&all](const std::vector<LineDef> &lines) {
        for (const auto &line : lines) {
            all.push_back(line.condition);
            for (const auto &cell : line.cells)
                all.push_back(cell.expr);
        }
    };
    for (const auto &object : objects) {
        all.push_back(object.condition);
        all.push_back(object.fileExpr);
        for (const auto &paragraph : object.paragraphs)
            all.push_back(paragraph.expr);
        addLines(object.table.header);
        addLines(object.table.rows);
        addLines(object.table.footer);
    }
    return all;
}

bool usesPageNumber(const QString &expression)
{
    static const QRegularExpression pageCall(QStringLiteral("\\bPage\\s*\\("),
                                             QRegularExpression::CaseInsensitiveOption);
    return expression.contains(pageCall);
}

QStringList Project::pageOnlyObjects() const
{
    QStringList names;
    for (const auto &object : objects)
        for (const auto &paragraph : object.paragraphs)
            if (usesPageNumber(paragraph.expr)) {
                names.append(object.name);
                break;
            }
    return names;
}

bool Project::tableDependsOnPage() const
{
    const PageObject *list = table();
    if (!list)
        return false;
    std::vector<QString> sources{filter, list->condition};
    for (const auto &sum : sums) {
        if (sum.resetPerPage)
            return true;
        sources.push_back(sum.expr);
    }
    for (const auto *lines : {&list->table.header, &list->table.rows, &list->table.footer})
        for (const auto &line : *lines) {
            sources.push_back(line.condition);
            for (const auto &cell : line.cells)
                sources.push_back(cell.expr);
        }
    return std::any_of(sources.begin(), sources.end(), usesPageNumber);
}

} // namespace tb
