#pragma once

#include <QString>
#include <QStringList>

namespace nav {

// A search text split at the wildcard "..": a leading ".." lets anything come
// before, a trailing one anything after, and ".." between pieces anything in
// between. Without ".." the whole text must match.
class SearchPattern {
public:
    SearchPattern() = default;
    SearchPattern(const QString &text, bool ignoreCase);

    const QString &text() const { return text_; }
    bool matches(const QString &value) const;
    // As matches(), and tells where the match stands: position (0-based) and
    // length. Without pieces, or with both ends anchored, that is the whole value.
    bool matchSpan(const QString &value, qsizetype &position, qsizetype &length) const;
    bool ignoreCase() const { return ignoreCase_; }
    int pieceCount() const { return static_cast<int>(pieces_.size()); }

private:
    QString text_;
    QStringList pieces_;
    bool anyBefore_ = false, anyAfter_ = false;
    bool ignoreCase_ = false;
};

} // namespace nav
