#include "ui/ComboBox.h"

#include <QCompleter>
#include <QCoreApplication>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "ui/Guard.h"

namespace ui {

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, [this] { guard(this, [this] { emit onChange(); }); });
}

namespace {

// Whether the box has made its drop-down yet (Qt makes it when first asked).
bool hasDropDown(const QComboBox *box)
{
    for (const QObject *child : box->children())
        if (child->inherits("QComboBoxPrivateContainer"))
            return true;
    return false;
}

// An editor handed to a box with this completer in place gets none from the
// box; it is taken away again at once. One serves every box.
QCompleter *completerPlaceholder()
{
    static QPointer<QCompleter> placeholder;
    if (!placeholder) {
        placeholder = new QCompleter(QCoreApplication::instance());
        placeholder->setCompletionMode(QCompleter::InlineCompletion); // makes no pop-up
    }
    return placeholder;
}

} // namespace

void ComboBox::setEditable(bool editable)
{
    // QComboBox makes its drop-down (a list view in a frame) as it becomes
    // editable. Made when first asked for, the drop-down of an editable box
    // comes out the same unless the style drops it down as a popup menu; so
    // a box that has none yet becomes editable without it. Its completer,
    // which Qt makes with the editor, is made as Qt would when the user first
    // comes to the box.
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.editable = true;
    if (editable && !isEditable() && !hasDropDown(this) &&
        !style()->styleHint(QStyle::SH_ComboBox_Popup, &option, this)) {
        auto *editor = new QLineEdit(this);
        editor->setPalette(palette());
        editor->setCompleter(completerPlaceholder());
        setLineEdit(editor);
        editor->setCompleter(nullptr);
        editorWithoutCompleter_ = editor;
        editor->installEventFilter(this); // typed into directly
        if (!testAttribute(Qt::WA_Resized))
            adjustSize();
    } else {
        QComboBox::setEditable(editable);
    }
    QLineEdit *editor = lineEdit();
    if (!editor || editor == connectedEditor_)
        return;
    connectedEditor_ = editor;
    connect(editor, &QLineEdit::textEdited, this, [this] { guard(this, [this] { emit onChange(); }); });
}

void ComboBox::makeCompleter()
{
    QLineEdit *editor = editorWithoutCompleter_;
    if (!editor)
        return;
    editorWithoutCompleter_ = nullptr;
    editor->removeEventFilter(this);
    if (editor != lineEdit() || editor->completer())
        return; // another editor or completer was put in meanwhile
    // The completer QComboBox gives a new editor.
    auto *completer = new QCompleter(model(), editor);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    completer->setCompletionColumn(modelColumn());
    setCompleter(completer);
}

void ComboBox::focusInEvent(QFocusEvent *event)
{
    makeCompleter();
    QComboBox::focusInEvent(event);
}

void ComboBox::keyPressEvent(QKeyEvent *event)
{
    makeCompleter();
    QComboBox::keyPressEvent(event);
}

void ComboBox::inputMethodEvent(QInputMethodEvent *event)
{
    makeCompleter();
    QComboBox::inputMethodEvent(event);
}

bool ComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == editorWithoutCompleter_) {
        const QEvent::Type type = event->type();
        if (type == QEvent::FocusIn || type == QEvent::KeyPress || type == QEvent::InputMethod)
            makeCompleter();
    }
    return QComboBox::eventFilter(watched, event);
}

void ComboBox::setText(const QString &text)
{
    if (isEditable()) {
        setEditText(text);
        return;
    }
    setCurrentIndex(findText(text));
}

} // namespace ui
