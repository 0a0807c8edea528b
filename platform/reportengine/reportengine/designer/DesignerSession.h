#pragma once

#include <cstdint>
#include <functional>

#include <QString>

#include "reportengine/Job.h"
#include "reportengine/Project.h"

class QWidget;

namespace tb {

class ProjectStore;

// The job's names and settings as the designer sees them for one run.
struct DesignerSettings {
    std::vector<NameList::Entry> variables; // in definition order, with their sample values
    std::vector<NameList::Entry> fields;
    bool sortNames = false;             // option 9
    bool showFunctions = false;         // option 11
    bool translateNames = false;        // option 51
    bool showDictionary = false;        // option 77
    QStringList dictionary;             // "translation=name" entries of option string 21
    int unit = 0;                       // option 4: 0 mm, 1 inch, 2 1/100 inch, 5 1/100 mm
    bool multipleRowDefinitions = true; // option 20
    bool caseSensitive = false;
    double now = 0;
    // Restrictions and added actions of this run.
    std::vector<int> prohibitedActions;
    QStringList prohibitedFunctions;
    QStringList lockedObjects;
    std::vector<DesignerAction> actions;
};

// What the engine hands the layout designer for one run.
struct DesignerSession {
    DesignerSettings settings;
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
