#include "navigation/SearchPattern.h"

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
    const Qt::CaseSensitivity cs = ignoreCase_ ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (pieces_.isEmpty())
        return text_ == QLatin1String("..") ? !value.isEmpty() : value.isEmpty();
    if (!text_.contains(QStringLiteral("..")))
        return value.compare(text_, cs) == 0;
    qsizetype from = 0;
    for (int i = 0; i < pieces_.size(); ++i) {
        const QString &piece = pieces_[i];
        const bool first = i == 0, last = i == pieces_.size() - 1;
        if (first && !anyBefore_) {
            if (!value.startsWith(piece, cs))
                return false;
            from = piece.size();
        } else if (last && !anyAfter_) {
            const qsizetype at = value.size() - piece.size();
            if (at < from || value.mid(at).compare(piece, cs) != 0)
                return false;
            from = value.size();
        } else {
            const qsizetype at = value.indexOf(piece, from, cs);
            if (at < 0)
                return false;
            from = at + piece.size();
        }
    }
    return anyAfter_ || from == value.size();
}

} // namespace nav
