#include "reportengine/Project.h"

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

} // namespace tb
