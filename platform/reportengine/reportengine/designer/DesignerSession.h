#pragma once

#include <cstdint>
#include <functional>

#include <QString>

#include "reportengine/Project.h"

class QWidget;

namespace tb {

class ProjectStore;

// What the engine hands the layout designer for one run.
struct DesignerSession {
    Project project;
    QString file;    // absolute; written on save
    QString caption; // window caption
    bool isNew = false;
    const ProjectStore *store = nullptr;
    // The job's notification callback (messages 61 and the designer's own).
    std::function<intptr_t(unsigned message, intptr_t parameter)> raise;
};

// The questions and error boxes of the designer; tests answer them by script.
class DesignerPrompts {
public:
    enum class Answer { Yes, No, Cancel };
    virtual ~DesignerPrompts() = default;
    virtual Answer askSave(QWidget *parent, const QString &question) = 0;
    virtual void error(QWidget *parent, const QString &text) = 0;
};

} // namespace tb
