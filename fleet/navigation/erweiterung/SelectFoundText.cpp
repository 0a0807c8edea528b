#include "navigation/erweiterung/SelectFoundText.h"

#include <QComboBox>
#include <QLineEdit>

#include "navigation/suche/SearchPattern.h"

namespace nav {

void SelectFoundText(QWidget *control, const QString &text, bool caseSensitive)
{
    QLineEdit *edit = qobject_cast<QLineEdit *>(control);
    if (!edit) {
        auto *combo = qobject_cast<QComboBox *>(control);
        edit = combo ? combo->lineEdit() : nullptr;
    }
    if (!edit)
        return;
    qsizetype position = 0, length = 0;
    if (SearchPattern(text, !caseSensitive).matchSpan(edit->text(), position, length))
        edit->setSelection(static_cast<int>(position), static_cast<int>(length));
}

} // namespace nav
