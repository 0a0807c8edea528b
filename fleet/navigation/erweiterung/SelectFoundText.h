#pragma once

#include <QString>

class QWidget;

namespace nav {

// After a search found a record: selects the first match of the search text
// (with its ".." wildcards) in the text of an edit or an editable combo box,
// so the user sees what was found. Other controls, and texts that do not
// match, are left alone.
void SelectFoundText(QWidget *control, const QString &text, bool caseSensitive);

} // namespace nav
