#pragma once

#include <QString>
#include <QStringList>

#include "reportengine/Project.h"

namespace tb {

// Reads and writes project files. Nothing else knows their format.
class ProjectStore {
public:
    virtual ~ProjectStore() = default;
    // False with an error text when the file is missing, unreadable or not a project.
    virtual bool load(const QString &file, Project &project, QString *error) const = 0;
    virtual bool save(const QString &file, const Project &project, QString *error) const = 0;
};

// Projects as versioned JSON documents: {"format": "karven-report-project", "version": 1, ...}.
class JsonProjectStore : public ProjectStore {
public:
    bool load(const QString &file, Project &project, QString *error) const override;
    bool save(const QString &file, const Project &project, QString *error) const override;

    // False with the reason: line and column of a syntax error, the key's path for a wrong value.
    static bool fromJson(const QByteArray &json, Project &project, QString *error);
    static QByteArray toJson(const Project &project);
    // Keys the engine does not know that differ from a known one by a typing slip ("orientaton"),
    // each with its path and the key meant. They are kept in the file; this only names them.
    static QStringList keyWarnings(const QByteArray &json);
};

} // namespace tb
