#include "navigation/leiste/NavHints.h"

#include "navigation/leiste/NavCommandTable.h"

namespace nav {

namespace {

QString keyName(int key)
{
    switch (key) {
    case vk::Back:
        return QStringLiteral("Rück");
    case vk::Tab:
        return QStringLiteral("Tab");
    case vk::Return:
        return QStringLiteral("Eingabe");
    case vk::Escape:
        return QStringLiteral("Esc");
    case vk::Space:
        return QStringLiteral("Leer");
    case vk::Prior:
        return QStringLiteral("Bild auf");
    case vk::Next:
        return QStringLiteral("Bild ab");
    case vk::End:
        return QStringLiteral("Ende");
    case vk::Home:
        return QStringLiteral("Pos1");
    case vk::Left:
        return QStringLiteral("Links");
    case vk::Up:
        return QStringLiteral("Auf");
    case vk::Right:
        return QStringLiteral("Rechts");
    case vk::Down:
        return QStringLiteral("Ab");
    case vk::Insert:
        return QStringLiteral("Einfg");
    case vk::Delete:
        return QStringLiteral("Entf");
    default:
        break;
    }
    if (key >= vk::F1 && key < vk::F1 + 24)
        return QStringLiteral("F%1").arg(key - vk::F1 + 1);
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return QString(QChar(key));
    return {};
}

} // namespace

QString shortCutToText(TShortCut shortCut)
{
    const QString name = keyName(shortCut & 0xFF);
    if (name.isEmpty())
        return {};
    QString text;
    if (shortCut & scShift)
        text += QStringLiteral("Umsch+");
    if (shortCut & scCtrl)
        text += QStringLiteral("Strg+");
    if (shortCut & scAlt)
        text += QStringLiteral("Alt+");
    return text + name;
}

QString addShortCutToHint(const QString &text, TShortCut shortCut, bool shortCutsEnabled, TAddSCHint where)
{
    if (!shortCutsEnabled || shortCut == 0)
        return text;
    const QString tag = QStringLiteral(" [") + shortCutToText(shortCut) + QStringLiteral("]");
    const bool onShort = where == TAddSCHint::ahShortOnly || where == TAddSCHint::ahBoth;
    const bool onLong = where == TAddSCHint::ahLongOnly || where == TAddSCHint::ahBoth;
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return onShort ? text + tag : text;
    const QString shortPart = text.left(bar);
    const QString longPart = text.mid(bar + 1).left(255);
    return shortPart + (onShort ? tag : QString()) + QLatin1Char('|') + longPart + (onLong ? tag : QString());
}

QStringList buildHints(const QStringList &hintLines, const QString &userBtnHint,
                       const TDBVShortCuts *shortCuts, bool shortCutsEnabled, TAddSCHint where)
{
    QStringList hints;
    auto withShortCut = [&](const QString &text, int command) {
        const TShortCut sc = shortCuts ? shortCuts->ShortCut(static_cast<TDBVNavigateBtn>(command)) : 0;
        return addShortCutToHint(text, sc, shortCuts && shortCutsEnabled, where);
    };
    for (int c = 0; c < kNavigateBtnCount; ++c)
        hints << withShortCut(c == nbUserBtn ? userBtnHint : commandHint(c), c);
    for (int line = 0; line < std::min<int>(kNavigateBtnCount, static_cast<int>(hintLines.size())); ++line)
        if (!hintLines[line].isEmpty())
            hints[line] = withShortCut(hintLines[line], line);
    return hints;
}

} // namespace nav
