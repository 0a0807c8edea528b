#pragma once

#include <cstdint>
#include <functional>

#include <QTreeWidget>

#include "reportengine/designer/DesignerSession.h"

namespace tb {

// The names defined before the designer opened: variables and fields with their sample values, the
// dictionary's translations beside them, the predefined functions under option 11. A double click
// offers the name for the expression being edited; a tooltip is asked from the caller (message 35).
class NameBrowser : public QTreeWidget {
    Q_OBJECT
public:
    NameBrowser(const DesignerSettings &settings, std::function<intptr_t(unsigned, intptr_t)> raise,
                QWidget *parent = nullptr);

    // The caller's help text for a name, at most 1,023 characters.
    QString helpText(const QString &name) const;
    // The text a double click on the item inserts.
    QString insertionFor(QTreeWidgetItem *item) const;
    QTreeWidgetItem *variables() const { return variables_; }
    QTreeWidgetItem *fields() const { return fields_; }
    QTreeWidgetItem *functions() const { return functions_; }

signals:
    void nameChosen(const QString &text);

protected:
    bool viewportEvent(QEvent *event) override;

private:
    void fill(QTreeWidgetItem *branch, std::vector<NameList::Entry> entries);

    const DesignerSettings &settings_;
    std::function<intptr_t(unsigned, intptr_t)> raise_;
    QTreeWidgetItem *variables_ = nullptr;
    QTreeWidgetItem *fields_ = nullptr;
    QTreeWidgetItem *functions_ = nullptr;
};

} // namespace tb
