#include "reportengine/designer/DesignerDocument.h"

#include <algorithm>

#include <QUndoCommand>

#include "reportengine/ProjectStore.h"
#include "reportengine/designer/DesignRules.h"

namespace tb {

// One edit as the project before and after it: projects are small, and a snapshot cannot miss a
// field a finer command would forget.
class ProjectChange : public QUndoCommand {
public:
    ProjectChange(DesignerDocument &document, Project before, Project after, const QString &text, int id,
                  QString key, bool follows)
        : QUndoCommand(text), document_(document), before_(std::move(before)), after_(std::move(after)),
          id_(id), key_(std::move(key)), follows_(follows)
    {
    }
    void undo() override { document_.apply(before_); }
    void redo() override { document_.apply(after_); }
    int id() const override { return id_; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const ProjectChange *>(other);
        if (!next->follows_ || next->key_ != key_)
            return false;
        after_ = next->after_;
        return true;
    }

private:
    DesignerDocument &document_;
    Project before_;
    Project after_;
    int id_;
    QString key_;
    bool follows_; // joins the step before it
};

namespace {

constexpr int kMoveMergeId = 1;

QString lockedText(const QString &name)
{
    return QStringLiteral("Das Objekt \"%1\" ist gesperrt und kann nicht geändert werden.").arg(name);
}

} // namespace

DesignerDocument::DesignerDocument(Project project, QObject *parent)
    : QObject(parent), project_(std::move(project))
{
}

int DesignerDocument::indexOf(const QString &name) const
{
    for (int i = 0; i < objectCount(); ++i)
        if (object(i).name == name)
            return i;
    return -1;
}

bool DesignerDocument::isLocked(int index) const
{
    return index >= 0 && index < objectCount() && locked_.contains(object(index).name, Qt::CaseInsensitive);
}

bool DesignerDocument::refuseLocked(const QList<int> &indexes, QString *reason) const
{
    for (int index : indexes) {
        if (isLocked(index)) {
            if (reason)
                *reason = lockedText(object(index).name);
            return true;
        }
    }
    return false;
}

void DesignerDocument::apply(const Project &project)
{
    project_ = project;
    emit changed();
}

void DesignerDocument::push(const Project &after, const QString &what, int mergeId, const QString &mergeKey,
                            bool follows)
{
    undo_.push(new ProjectChange(*this, project_, after, what, mergeId, mergeKey, follows));
}

int DesignerDocument::insertObject(const PageObject &object, QString *reason)
{
    QString why;
    if (!designer::canInsert(project_, object.type, &why)) {
        if (reason)
            *reason = why;
        return -1;
    }
    Project after = project_;
    after.objects.push_back(object);
    push(after, QStringLiteral("%1 einfügen").arg(designer::typeCaption(object.type)));
    return objectCount() - 1;
}

bool DesignerDocument::removeObjects(QList<int> indexes, QString *reason)
{
    indexes.erase(
        std::remove_if(indexes.begin(), indexes.end(), [&](int i) { return i < 0 || i >= objectCount(); }),
        indexes.end());
    if (indexes.isEmpty() || refuseLocked(indexes, reason))
        return false;
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    Project after = project_;
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it)
        after.objects.erase(after.objects.begin() + *it);
    push(after, QStringLiteral("Löschen"));
    return true;
}

bool DesignerDocument::moveObjects(const QList<int> &indexes, const QPointF &deltaMm, bool merge,
                                   QString *reason)
{
    if (indexes.isEmpty() || deltaMm.isNull() || refuseLocked(indexes, reason))
        return false;
    Project after = project_;
    QStringList key;
    for (int index : indexes) {
        if (index < 0 || index >= objectCount())
            return false;
        after.objects[size_t(index)].rectMm.translate(deltaMm);
        key << QString::number(index);
    }
    push(after, QStringLiteral("Verschieben"), kMoveMergeId, key.join(QLatin1Char(',')), merge);
    return true;
}

bool DesignerDocument::placeObjects(const QList<int> &indexes, const QList<QPointF> &topLeftsMm,
                                    QString *reason)
{
    if (indexes.isEmpty() || indexes.size() != topLeftsMm.size() || refuseLocked(indexes, reason))
        return false;
    Project after = project_;
    for (int k = 0; k < indexes.size(); ++k) {
        if (indexes[k] < 0 || indexes[k] >= objectCount())
            return false;
        after.objects[size_t(indexes[k])].rectMm.moveTopLeft(topLeftsMm[k]);
    }
    push(after, QStringLiteral("Verschieben"));
    return true;
}

bool DesignerDocument::setObjectRect(int index, const QRectF &rectMm, QString *reason)
{
    if (index < 0 || index >= objectCount() || refuseLocked({index}, reason))
        return false;
    if (object(index).rectMm == rectMm)
        return false;
    Project after = project_;
    after.objects[size_t(index)].rectMm = rectMm;
    push(after, QStringLiteral("Größe ändern"));
    return true;
}

bool DesignerDocument::replaceObject(int index, const PageObject &object, const QString &what,
                                     QString *reason)
{
    if (index < 0 || index >= objectCount() || refuseLocked({index}, reason))
        return false;
    Project after = project_;
    after.objects[size_t(index)] = object;
    push(after, what);
    return true;
}

void DesignerDocument::setPage(const PageSetup &page, const FontSpec &font)
{
    Project after = project_;
    after.page = page;
    after.font = font;
    push(after, QStringLiteral("Seite einrichten"));
}

void DesignerDocument::replaceProject(const Project &project, const QString &what)
{
    push(project, what);
}

QString DesignerDocument::objectsJson(const QList<int> &indexes) const
{
    Project part;
    part.kind = project_.kind;
    part.page = project_.page;
    part.font = project_.font;
    for (int index : indexes)
        if (index >= 0 && index < objectCount())
            part.objects.push_back(object(index));
    return QString::fromUtf8(JsonProjectStore::toJson(part));
}

QList<int> DesignerDocument::pasteJson(const QString &json, QString *reason)
{
    Project part;
    QString error;
    if (!JsonProjectStore::fromJson(json.toUtf8(), part, &error) || part.objects.empty()) {
        if (reason)
            *reason = QStringLiteral("Die Zwischenablage enthält keine Objekte.");
        return {};
    }
    Project after = project_;
    QList<int> added;
    for (PageObject object : part.objects) {
        QString why;
        if (!designer::canInsert(after, object.type, &why)) {
            if (reason)
                *reason = why;
            continue;
        }
        const bool clash = std::any_of(after.objects.begin(), after.objects.end(),
                                       [&](const PageObject &o) { return o.name == object.name; });
        if (clash || object.name.isEmpty()) {
            // A copy beside its original, so both can be seen.
            object.name = designer::uniqueName(after, designer::typeCaption(object.type));
            object.rectMm.translate(5, 5);
        }
        after.objects.push_back(std::move(object));
        added << int(after.objects.size()) - 1;
    }
    if (!added.isEmpty())
        push(after, QStringLiteral("Einfügen"));
    return added;
}

} // namespace tb
