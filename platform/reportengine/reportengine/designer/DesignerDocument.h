#pragma once

#include <QList>
#include <QObject>
#include <QPointF>
#include <QStringList>
#include <QUndoStack>

#include "reportengine/Project.h"

namespace tb {

class ProjectStore;

// The project being designed and its undo history. Every edit is one undo step; edits of locked
// objects and inserts the layouter cannot print are refused with a reason.
class DesignerDocument : public QObject {
    Q_OBJECT
public:
    explicit DesignerDocument(Project project, QObject *parent = nullptr);

    const Project &project() const { return project_; }
    const PageObject &object(int index) const { return project_.objects[size_t(index)]; }
    int objectCount() const { return int(project_.objects.size()); }
    int indexOf(const QString &name) const;
    QUndoStack &undoStack() { return undo_; }
    bool isModified() const { return !undo_.isClean(); }
    void markSaved() { undo_.setClean(); }

    // Objects that may be seen and selected but not changed.
    void setLockedNames(const QStringList &names) { locked_ = names; }
    bool isLocked(int index) const;

    // Index of the inserted object, or -1 with the reason.
    int insertObject(const PageObject &object, QString *reason);
    bool removeObjects(QList<int> indexes, QString *reason);
    // Moves by a delta; with `merge`, follows a move of the same objects in the same undo step.
    bool moveObjects(const QList<int> &indexes, const QPointF &deltaMm, bool merge, QString *reason);
    // Puts objects at new top left corners (a drag on the canvas), one undo step.
    bool placeObjects(const QList<int> &indexes, const QList<QPointF> &topLeftsMm, QString *reason);
    bool setObjectRect(int index, const QRectF &rectMm, QString *reason);
    bool replaceObject(int index, const PageObject &object, const QString &what, QString *reason);
    void setPage(const PageSetup &page, const FontSpec &font);
    // Project-wide settings (filter, sums).
    void replaceProject(const Project &project, const QString &what);

    // The objects as project JSON for the clipboard, and pasted back under fresh names.
    QString objectsJson(const QList<int> &indexes) const;
    QList<int> pasteJson(const QString &json, QString *reason);

signals:
    void changed();

private:
    friend class ProjectChange;
    void apply(const Project &project);
    bool refuseLocked(const QList<int> &indexes, QString *reason) const;
    void push(const Project &after, const QString &what, int mergeId = -1, const QString &mergeKey = {},
              bool follows = false);

    Project project_;
    QUndoStack undo_;
    QStringList locked_;
};

} // namespace tb
