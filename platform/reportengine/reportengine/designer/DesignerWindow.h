#pragma once

#include <map>
#include <set>

#include <QPointer>

#include <QMainWindow>

#include "reportengine/Project.h"
#include "reportengine/designer/DesignerSession.h"

class QAction;
class QLineEdit;
class QTabWidget;

namespace tb {

class DesignerCanvas;
class DesignerDocument;
class DesignerPreview;
class NameBrowser;
class PropertyPanel;

// The layout designer: the page canvas, the palette, the property panel, the editors for
// paragraphs, columns and the page, saving and undo. The engine runs it modally over the caller's
// window and waits for `finished`.
class DesignerWindow : public QMainWindow {
    Q_OBJECT
public:
    DesignerWindow(DesignerSession &session, DesignerPrompts &prompts, QWidget *parent = nullptr);
    ~DesignerWindow() override;

    DesignerDocument &document() { return *document_; }
    DesignerCanvas *canvas() const { return canvas_; }
    PropertyPanel *properties() const { return properties_; }
    NameBrowser *names() const { return names_; }
    DesignerPreview *preview() const { return preview_; }
    // The menu of the caller's added actions (null when there are none).
    QMenu *extras() const { return extras_; }
    // Renders the preview with the sample values and shows it.
    void showPreview();
    // Empty when the expression may be taken, else why not.
    QString checkExpression(const QString &source) const;
    // Opens the expression editor on the source; false when cancelled.
    bool editExpression(QString &source);
    void editTable(int index);
    void editFilterAndSums();
    void applyFilterAndSums(const QString &filter, const std::vector<SumDef> &sums);
    // A command by its action id (see EngineTypes.h), or null.
    QAction *action(int id) const;

    // Inserts a new object of the type and selects it; -1 when refused (the reason is shown).
    int insertObject(PageObject::Type type);
    // Writes the project; on failure an error box names the file and the reason, nothing is lost.
    bool save();
    // Asks about unsaved changes; true when the designer closed.
    bool requestClose();
    bool isFinished() const { return finished_; }
    void copySelection();
    void cutSelection();
    void paste();
    void applyParagraphs(int index, const std::vector<Paragraph> &paragraphs);
    void applyColumns(int index, const TableDef &table);
    void applyPageSetup(const PageSetup &page, const FontSpec &font);

signals:
    void finished();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QAction *addCommand(QMenu *menu, int id, const QString &text, const QKeySequence &shortcut,
                        const std::function<void()> &run);
    void buildMenus();
    void buildExtras();
    void insertName(const QString &text);
    void editParagraphs(int index);
    void editColumns(int index);
    void editPageSetup();
    void refused(const QString &reason);
    void updateCommands();
    QString projectName() const;

    DesignerSession &session_;
    DesignerPrompts &prompts_;
    DesignerDocument *document_;
    DesignerCanvas *canvas_;
    PropertyPanel *properties_;
    std::map<int, QAction *> actions_;
    std::set<int> prohibited_;
    QTabWidget *tabs_;
    DesignerPreview *preview_;
    NameBrowser *names_;
    QMenu *extras_ = nullptr;
    QPointer<QLineEdit> expressionTarget_; // where a chosen name goes
    bool finished_ = false;
    bool shown_ = false;
};

} // namespace tb
