#include "navigation/suche/SearchPattern.h"

namespace nav {

SearchPattern::SearchPattern(const QString &text, bool ignoreCase) : text_(text), ignoreCase_(ignoreCase)
{
    const QString wildcard = QStringLiteral("..");
    anyBefore_ = text.startsWith(wildcard);
    anyAfter_ = text.endsWith(wildcard) && text.size() >= 2;
    for (const QString &piece : text.split(wildcard))
        if (!piece.isEmpty())
            pieces_ << piece;
}

bool SearchPattern::matches(const QString &value) const
{
    qsizetype position = 0, length = 0;
    return matchSpan(value, position, length);
}

bool SearchPattern::matchSpan(const QString &value, qsizetype &position, qsizetype &length) const
{
    const Qt::CaseSensitivity cs = ignoreCase_ ? Qt::CaseInsensitive : Qt::CaseSensitive;
    position = 0;
    length = value.size();
    // Without pieces the pattern is empty (only an empty text) or made of
    // wildcards only, which like ".." accept every non-empty text.
    if (pieces_.isEmpty())
        return text_.isEmpty() ? value.isEmpty() : !value.isEmpty();
    if (!text_.contains(QStringLiteral("..")))
        return value.compare(text_, cs) == 0;
    qsizetype from = 0;
    qsizetype firstStart = 0;
    for (int i = 0; i < pieces_.size(); ++i) {
        const QString &piece = pieces_[i];
        const bool first = i == 0, last = i == pieces_.size() - 1;
        qsizetype at = 0;
        if (first && !anyBefore_) {
            if (!value.startsWith(piece, cs))
                return false;
            at = 0;
        } else if (last && !anyAfter_) {
            at = value.size() - piece.size();
            if (at < from || value.mid(at).compare(piece, cs) != 0)
                return false;
        } else {
            at = value.indexOf(piece, from, cs);
            if (at < 0)
                return false;
        }
        if (first)
            firstStart = at;
        from = at + piece.size();
    }
    position = firstStart;
    length = from - firstStart;
    return true;
}

} // namespace nav
