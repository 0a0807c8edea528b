#include "reportengine/designer/DesignerWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

#include "reportengine/EngineTypes.h"
#include "reportengine/ProjectStore.h"
#include "reportengine/designer/ColumnEditor.h"
#include "reportengine/designer/DesignRules.h"
#include "reportengine/designer/DesignerCanvas.h"
#include "reportengine/designer/DesignerDocument.h"
#include "reportengine/designer/DesignerPreview.h"
#include "reportengine/designer/ExpressionCheck.h"
#include "reportengine/designer/ExpressionEditor.h"
#include "reportengine/designer/FilterAndSumsDialog.h"
#include "reportengine/designer/NameBrowser.h"
#include "reportengine/designer/PageSetupDialog.h"
#include "reportengine/designer/ParagraphEditor.h"
#include "reportengine/designer/PropertyPanel.h"
#include "reportengine/designer/Ruler.h"
#include "reportengine/designer/TableEditor.h"
#include "ui/Clipboard.h"

namespace tb {

namespace {

// Where a new object of the type goes: the top left of the printable area, in a useful size.
QRectF placeFor(const Project &project, PageObject::Type type)
{
    const QRectF area = designer::printableAreaMm(project.page);
    const QPointF at = area.topLeft() + QPointF(10, 10);
    switch (type) {
    case PageObject::Type::Text:
        return QRectF(at, QSizeF(60, 8));
    case PageObject::Type::Line:
        return QRectF(at, QSizeF(60, 0));
    case PageObject::Type::Rect:
        return QRectF(at, QSizeF(40, 20));
    case PageObject::Type::Image:
        return QRectF(at, QSizeF(40, 30));
    case PageObject::Type::Table:
        return area;
    }
    return QRectF(at, QSizeF(40, 10));
}

} // namespace

DesignerWindow::DesignerWindow(DesignerSession &session, DesignerPrompts &prompts, QWidget *parent)
    : QMainWindow(parent, Qt::Window), session_(session), prompts_(prompts),
      document_(new DesignerDocument(session.project, this))
{
    setWindowTitle(session.caption);
    setAttribute(Qt::WA_DeleteOnClose, false);
    document_->setLockedNames(session.settings.lockedObjects);
    for (int id : session.settings.prohibitedActions)
        prohibited_.insert(id);
    tabs_ = new QTabWidget(this);
    canvas_ = new DesignerCanvas(*document_, session.file, tabs_);
    preview_ = new DesignerPreview(tabs_);
    // Rulers in the caller's unit around the canvas.
    auto *layoutPage = new QWidget(tabs_);
    auto *grid = new QGridLayout(layoutPage);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    auto *top = new Ruler(Qt::Horizontal, session.settings.unit, canvas_, layoutPage);
    auto *left = new Ruler(Qt::Vertical, session.settings.unit, canvas_, layoutPage);
    grid->addWidget(top, 0, 1);
    grid->addWidget(left, 1, 0);
    grid->addWidget(canvas_, 1, 1);
    connect(canvas_, &DesignerCanvas::viewChanged, top, qOverload<>(&QWidget::update));
    connect(canvas_, &DesignerCanvas::viewChanged, left, qOverload<>(&QWidget::update));
    tabs_->addTab(layoutPage, QStringLiteral("Layout"));
    tabs_->addTab(preview_, QStringLiteral("Vorschau"));
    setCentralWidget(tabs_);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tabs_->widget(tab) == preview_)
            showPreview();
    });
    properties_ = new PropertyPanel(*document_, this);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(properties_);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(properties_->sizeHint().width() + 24);
    auto *dock = new QDockWidget(QStringLiteral("Eigenschaften"), this);
    dock->setObjectName(QStringLiteral("Eigenschaften"));
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    dock->setWidget(scroll);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    names_ = new NameBrowser(session.settings, session.raise, this);
    auto *namesDock = new QDockWidget(QStringLiteral("Namen"), this);
    namesDock->setObjectName(QStringLiteral("Namen"));
    namesDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    namesDock->setWidget(names_);
    addDockWidget(Qt::RightDockWidgetArea, namesDock);
    resizeDocks({dock}, {340}, Qt::Horizontal);
    connect(names_, &NameBrowser::nameChosen, this, &DesignerWindow::insertName);
    // A chosen name goes into the expression field that last had the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        auto *edit = qobject_cast<QLineEdit *>(now);
        if (edit && edit->property("expression").toBool() && isAncestorOf(edit))
            expressionTarget_ = edit;
    });
    properties_->setExpressionTools([this](const QString &source) { return checkExpression(source); },
                                    [this](QString &source) { return editExpression(source); });
    buildMenus();

    connect(canvas_, &DesignerCanvas::selectionChanged, this, [this] {
        const QList<int> selected = canvas_->selectedIndexes();
        properties_->showObject(selected.size() == 1 ? selected.front() : -1);
        updateCommands();
    });
    connect(canvas_, &DesignerCanvas::refused, this,
            [this](const QString &reason) { statusBar()->showMessage(reason, 5000); });
    connect(properties_, &PropertyPanel::refused, this,
            [this](const QString &reason) { statusBar()->showMessage(reason, 5000); });
    connect(canvas_, &DesignerCanvas::objectActivated, this, [this](int index) {
        const auto type = document_->object(index).type;
        if (type == PageObject::Type::Text)
            editParagraphs(index);
        else if (type == PageObject::Type::Table)
            editTable(index);
    });
    connect(properties_, &PropertyPanel::paragraphsRequested, this, &DesignerWindow::editParagraphs);
    connect(properties_, &PropertyPanel::columnsRequested, this, &DesignerWindow::editColumns);
    buildExtras();
    connect(&document_->undoStack(), &QUndoStack::cleanChanged, this, [this] { updateCommands(); });
    connect(&document_->undoStack(), &QUndoStack::indexChanged, this, [this] { updateCommands(); });
    // A new project counts as changed until it is written once.
    if (session.isNew)
        statusBar()->showMessage(QStringLiteral("Neues Projekt"));
    resize(1200, 820);
    updateCommands();
}

DesignerWindow::~DesignerWindow()
{
    // The document and the widgets go after this object's members: they may tell no one.
    document_->undoStack().disconnect(this);
    qApp->disconnect(this);
}

QAction *DesignerWindow::action(int id) const
{
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QAction *DesignerWindow::addCommand(QMenu *menu, int id, const QString &text, const QKeySequence &shortcut,
                                    const std::function<void()> &run)
{
    auto *a = menu->addAction(text);
    a->setShortcut(shortcut);
    a->setData(id);
    connect(a, &QAction::triggered, this, [run] { run(); });
    actions_[id] = a;
    return a;
}

void DesignerWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&Datei"));
    addCommand(file, action::FileSave, QStringLiteral("&Speichern"), QKeySequence(Qt::CTRL | Qt::Key_S),
               [this] { save(); });
    file->addSeparator();
    addCommand(file, action::FileClose, QStringLiteral("S&chließen"), QKeySequence(),
               [this] { requestClose(); });

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    addCommand(edit, action::EditUndo, QStringLiteral("&Rückgängig"), QKeySequence(Qt::CTRL | Qt::Key_Z),
               [this] { document_->undoStack().undo(); });
    addCommand(edit, action::EditRedo, QStringLiteral("&Wiederholen"), QKeySequence(Qt::CTRL | Qt::Key_Y),
               [this] { document_->undoStack().redo(); });
    edit->addSeparator();
    addCommand(edit, action::EditCut, QStringLiteral("&Ausschneiden"), QKeySequence(Qt::CTRL | Qt::Key_X),
               [this] { cutSelection(); });
    addCommand(edit, action::EditCopy, QStringLiteral("&Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C),
               [this] { copySelection(); });
    addCommand(edit, action::EditPaste, QStringLiteral("E&infügen"), QKeySequence(Qt::CTRL | Qt::Key_V),
               [this] { paste(); });
    // The canvas handles the Delete key itself; the menu item stays without a shortcut.
    addCommand(edit, action::EditDelete, QStringLiteral("&Löschen"), QKeySequence(),
               [this] { canvas_->deleteSelection(); });
    edit->addSeparator();
    addCommand(edit, action::EditParagraphs, QStringLiteral("Absä&tze…"), QKeySequence(), [this] {
        const QList<int> s = canvas_->selectedIndexes();
        if (s.size() == 1)
            editParagraphs(s.front());
    });
    addCommand(edit, action::EditColumns, QStringLiteral("S&palten…"), QKeySequence(), [this] {
        const QList<int> s = canvas_->selectedIndexes();
        if (s.size() == 1)
            editColumns(s.front());
    });
    addCommand(edit, action::EditTable, QStringLiteral("&Tabelle…"), QKeySequence(), [this] {
        const QList<int> s = canvas_->selectedIndexes();
        if (s.size() == 1)
            editTable(s.front());
    });

    QMenu *objects = menuBar()->addMenu(QStringLiteral("&Objekte"));
    QToolBar *palette = addToolBar(QStringLiteral("Objekte"));
    palette->setObjectName(QStringLiteral("Objekte"));
    addToolBar(Qt::LeftToolBarArea, palette);
    palette->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const std::pair<int, PageObject::Type> kinds[] = {{action::InsertText, PageObject::Type::Text},
                                                      {action::InsertLine, PageObject::Type::Line},
                                                      {action::InsertRect, PageObject::Type::Rect},
                                                      {action::InsertImage, PageObject::Type::Image},
                                                      {action::InsertTable, PageObject::Type::Table}};
    for (const auto &[id, type] : kinds) {
        const auto t = type;
        QAction *a = addCommand(objects, id, designer::typeCaption(type), QKeySequence(),
                                [this, t] { insertObject(t); });
        palette->addAction(a);
    }
    if (document_->project().kind != ProjectKind::List)
        action(action::InsertTable)->setVisible(false);

    QMenu *view = menuBar()->addMenu(QStringLiteral("&Ansicht"));
    addCommand(view, action::ViewZoomIn, QStringLiteral("Ver&größern"), QKeySequence(Qt::CTRL | Qt::Key_Plus),
               [this] { canvas_->zoomIn(); });
    addCommand(view, action::ViewZoomOut, QStringLiteral("Ver&kleinern"),
               QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { canvas_->zoomOut(); });
    addCommand(view, action::ViewWholePage, QStringLiteral("&Ganze Seite"), QKeySequence(),
               [this] { canvas_->showWholePage(); });
    addCommand(view, action::ViewPageWidth, QStringLiteral("Seiten&breite"), QKeySequence(),
               [this] { canvas_->showPageWidth(); });
    view->addSeparator();
    addCommand(view, action::ViewPreview, QStringLiteral("&Vorschau"), QKeySequence(Qt::Key_F5), [this] {
        tabs_->setCurrentWidget(preview_);
        showPreview();
    });

    QMenu *project = menuBar()->addMenu(QStringLiteral("&Projekt"));
    addCommand(project, action::ProjectPageSetup, QStringLiteral("&Seite einrichten…"), QKeySequence(),
               [this] { editPageSetup(); });
    QAction *filter = addCommand(project, action::ProjectFilterAndSums, QStringLiteral("&Filter und Summen…"),
                                 QKeySequence(), [this] { editFilterAndSums(); });
    filter->setVisible(document_->project().kind == ProjectKind::List);
}

void DesignerWindow::updateCommands()
{
    const QList<int> selected = canvas_->selectedIndexes();
    bool anyLocked = false;
    for (int index : selected)
        anyLocked = anyLocked || document_->isLocked(index);
    const auto set = [this](int id, bool enabled) {
        if (QAction *a = action(id))
            a->setEnabled(enabled);
    };
    set(action::EditUndo, document_->undoStack().canUndo());
    set(action::EditRedo, document_->undoStack().canRedo());
    set(action::EditCut, !selected.isEmpty() && !anyLocked);
    set(action::EditCopy, !selected.isEmpty());
    set(action::EditDelete, !selected.isEmpty() && !anyLocked);
    const bool single = selected.size() == 1 && !anyLocked;
    set(action::EditParagraphs, single && document_->object(selected.front()).type == PageObject::Type::Text);
    set(action::EditColumns, single && document_->object(selected.front()).type == PageObject::Type::Table);
    set(action::EditTable, single && document_->object(selected.front()).type == PageObject::Type::Table);
    // What the caller prohibited for this run stays off.
    for (int id : prohibited_)
        set(id, false);
    QString caption = session_.caption;
    if (document_->isModified() || session_.isNew)
        caption += QStringLiteral(" *");
    setWindowTitle(caption);
}

QString DesignerWindow::projectName() const
{
    return QFileInfo(session_.file).fileName();
}

void DesignerWindow::refused(const QString &reason)
{
    prompts_.error(this, reason);
}

int DesignerWindow::insertObject(PageObject::Type type)
{
    const Project &project = document_->project();
    QString reason;
    if (!designer::canInsert(project, type, &reason)) {
        refused(reason);
        return -1;
    }
    const int index =
        document_->insertObject(designer::newObject(project, type, placeFor(project, type)), &reason);
    if (index < 0) {
        refused(reason);
        return -1;
    }
    canvas_->select({index});
    canvas_->setFocus();
    return index;
}

bool DesignerWindow::save()
{
    if (prohibited_.count(action::FileSave))
        return false;
    const QStringList faults = designer::faultyExpressions(document_->project(), session_.settings);
    if (!faults.isEmpty()) {
        prompts_.error(this,
                       QStringLiteral("Das Projekt \"%1\" wird nicht gespeichert, solange Formeln fehlerhaft "
                                      "sind:\n%2")
                           .arg(session_.file, faults.mid(0, 5).join(QLatin1Char('\n'))));
        return false;
    }
    QString error;
    if (!session_.store || !session_.store->save(session_.file, document_->project(), &error)) {
        prompts_.error(this, QStringLiteral("Das Projekt \"%1\" konnte nicht gespeichert werden:\n%2")
                                 .arg(session_.file, error));
        return false;
    }
    document_->markSaved();
    session_.isNew = false;
    session_.project = document_->project();
    if (session_.raise) {
        const QString file = session_.file;
        session_.raise(msg::SaveFileName, reinterpret_cast<intptr_t>(&file));
    }
    statusBar()->showMessage(QStringLiteral("Gespeichert: %1").arg(session_.file), 5000);
    updateCommands();
    return true;
}

bool DesignerWindow::requestClose()
{
    if (finished_)
        return true;
    if (document_->isModified() || session_.isNew) {
        switch (prompts_.askSave(this, QStringLiteral("Änderungen an %1 speichern?").arg(projectName()))) {
        case DesignerPrompts::Answer::Yes:
            if (!save())
                return false;
            break;
        case DesignerPrompts::Answer::No:
            break;
        case DesignerPrompts::Answer::Cancel:
            return false;
        }
    }
    finished_ = true;
    hide();
    emit finished();
    return true;
}

void DesignerWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        canvas_->showPageWidth();
    }
}

void DesignerWindow::closeEvent(QCloseEvent *event)
{
    if (finished_ || requestClose())
        event->accept();
    else
        event->ignore();
}

void DesignerWindow::copySelection()
{
    const QList<int> selected = canvas_->selectedIndexes();
    if (!selected.isEmpty())
        ui::clipboard().setText(document_->objectsJson(selected));
}

void DesignerWindow::cutSelection()
{
    const QList<int> selected = canvas_->selectedIndexes();
    if (selected.isEmpty())
        return;
    const QString json = document_->objectsJson(selected);
    if (canvas_->deleteSelection())
        ui::clipboard().setText(json);
}

void DesignerWindow::paste()
{
    QString reason;
    const QList<int> added = document_->pasteJson(ui::clipboard().text(), &reason);
    if (added.isEmpty()) {
        refused(reason);
        return;
    }
    canvas_->select(added);
}

void DesignerWindow::applyParagraphs(int index, const std::vector<Paragraph> &paragraphs)
{
    PageObject object = document_->object(index);
    object.paragraphs = paragraphs;
    QString reason;
    if (!document_->replaceObject(index, object, QStringLiteral("Absätze ändern"), &reason))
        refused(reason);
}

void DesignerWindow::applyColumns(int index, const TableDef &table)
{
    PageObject object = document_->object(index);
    object.table = table;
    QString reason;
    if (!document_->replaceObject(index, object, QStringLiteral("Spalten ändern"), &reason))
        refused(reason);
}

void DesignerWindow::applyPageSetup(const PageSetup &page, const FontSpec &font)
{
    document_->setPage(page, font);
    canvas_->viewport()->update();
}

void DesignerWindow::editParagraphs(int index)
{
    if (index < 0 || index >= document_->objectCount() || document_->isLocked(index))
        return;
    const PageObject &object = document_->object(index);
    ParagraphEditor editor(object.paragraphs, object.font.over(document_->project().font), this);
    editor.setExpressionTools([this](const QString &source) { return checkExpression(source); },
                              [this](QString &source) { return editExpression(source); });
    if (editor.exec() == QDialog::Accepted)
        applyParagraphs(index, editor.paragraphs());
}

void DesignerWindow::editColumns(int index)
{
    if (index < 0 || index >= document_->objectCount() || document_->isLocked(index))
        return;
    ColumnEditor editor(document_->object(index).table, this);
    if (editor.exec() == QDialog::Accepted)
        applyColumns(index, editor.table());
}

void DesignerWindow::editTable(int index)
{
    if (index < 0 || index >= document_->objectCount() || document_->isLocked(index))
        return;
    TableEditor editor(
        document_->object(index).table, session_.settings.multipleRowDefinitions,
        [this](const QString &source) { return checkExpression(source); },
        [this](QString &source) { return editExpression(source); }, this);
    if (editor.exec() == QDialog::Accepted)
        applyColumns(index, editor.table());
}

void DesignerWindow::editFilterAndSums()
{
    FilterAndSumsDialog dialog(
        document_->project().filter, document_->project().sums,
        [this](const QString &source) { return checkExpression(source); },
        [this](QString &source) { return editExpression(source); }, this);
    if (dialog.exec() == QDialog::Accepted)
        applyFilterAndSums(dialog.filter(), dialog.sums());
}

void DesignerWindow::applyFilterAndSums(const QString &filter, const std::vector<SumDef> &sums)
{
    Project project = document_->project();
    project.filter = filter;
    project.sums = sums;
    document_->replaceProject(project, QStringLiteral("Filter und Summen ändern"));
}

QString DesignerWindow::checkExpression(const QString &source) const
{
    const auto check =
        designer::checkExpression(source, session_.settings, document_->project(), session_.file);
    return check.accepted ? QString() : check.error;
}

bool DesignerWindow::editExpression(QString &source)
{
    ExpressionEditor editor(source, session_.settings, document_->project(), session_.file, session_.raise,
                            this);
    if (editor.exec() != QDialog::Accepted)
        return false;
    source = editor.source();
    return true;
}

void DesignerWindow::insertName(const QString &text)
{
    if (!expressionTarget_)
        return;
    expressionTarget_->insert(text);
    expressionTarget_->setFocus();
}

void DesignerWindow::showPreview()
{
    preview_->showPages(designer::previewPages(document_->project(), session_.file, session_.settings));
}

// Shortcut of an added action: the low 12 bits a key code (letters, digits, F1-F12), 0x10000 Ctrl,
// 0x20000 Shift, 0x40000 Alt.
static QKeySequence actionShortcut(int flags)
{
    const int code = flags & 0xFFF;
    int key = 0;
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        key = code;
    else if (code >= 0x70 && code <= 0x7B)
        key = Qt::Key_F1 + (code - 0x70);
    if (key == 0)
        return QKeySequence();
    int modifiers = 0;
    if (flags & 0x10000)
        modifiers |= Qt::CTRL;
    if (flags & 0x20000)
        modifiers |= Qt::SHIFT;
    if (flags & 0x40000)
        modifiers |= Qt::ALT;
    return QKeySequence(key | modifiers);
}

void DesignerWindow::buildExtras()
{
    if (session_.settings.actions.empty())
        return;
    extras_ = menuBar()->addMenu(QStringLiteral("E&xtras"));
    for (const DesignerAction &added : session_.settings.actions) {
        QAction *a = extras_->addAction(added.menuText);
        a->setShortcut(actionShortcut(added.flags));
        a->setToolTip(added.tooltip);
        a->setStatusTip(added.statusText);
        a->setData(added.id);
        const int id = added.id;
        connect(a, &QAction::triggered, this, [this, id] {
            if (session_.raise)
                session_.raise(msg::SelectMenu, id);
        });
        actions_[id] = a;
    }
    // Before the menu shows, the caller says per action whether it is available (2 = not).
    connect(extras_, &QMenu::aboutToShow, this, [this] {
        for (QAction *a : extras_->actions()) {
            const int id = a->data().toInt();
            const intptr_t state = session_.raise ? session_.raise(msg::MenuState, intptr_t(id) << 16) : 0;
            a->setEnabled(state != 2 && !prohibited_.count(id));
        }
    });
}

void DesignerWindow::editPageSetup()
{
    PageSetupDialog dialog(document_->project().page, document_->project().font, this);
    if (dialog.exec() == QDialog::Accepted)
        applyPageSetup(dialog.page(), dialog.font());
}

} // namespace tb
