#include "navigation/gemeinsam/TextHelpers.h"

namespace nav {

QString IntToStrWidth(int value, int width)
{
    const QString text = QString::number(value);
    return width > 0 ? text.rightJustified(width, QLatin1Char(' ')) : text;
}

QString FirstNonEmpty(const QString &a, const QString &b)
{
    return a.isEmpty() ? b : a;
}

QStringList SplitFieldList(const QString &text, bool upper)
{
    QStringList parts = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (upper)
        for (QString &part : parts)
            part = part.toUpper();
    return parts;
}

void DecodeFlagWord(std::uint16_t word, int &value, TShiftState &flags)
{
    value = word & 0x1FFF;
    flags = 0;
    if (word & 0x2000)
        flags |= ssShift;
    if (word & 0x4000)
        flags |= ssCtrl;
    if (word & 0x8000)
        flags |= ssAlt;
}

void BooleanTexts(const QString &displayValues, QString &falseText, QString &trueText)
{
    if (displayValues.isEmpty()) {
        falseText = QStringLiteral("Falsch");
        trueText = QStringLiteral("Wahr");
        return;
    }
    const int sep = displayValues.indexOf(QLatin1Char(';'));
    trueText = sep < 0 ? displayValues : displayValues.left(sep);
    falseText = sep < 0 ? QString() : displayValues.mid(sep + 1);
}

} // namespace nav
