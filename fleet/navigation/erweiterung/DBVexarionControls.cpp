// The data behind a control (its source, field and whether it may be
// written), and the read mode that locks the form's controls.
#include "navigation/erweiterung/DBVexarion.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include "dbe/Field.h"
#include "navigation/erweiterung/TableDefs.h"
#include "ui/DBGrid.h"

namespace nav {

namespace {

bool hasProperty(const QObject *object, const char *name)
{
    return object->metaObject()->indexOfProperty(name) >= 0;
}

// Read mode locks the kit's data-aware controls and plain text edits; other
// widgets with a read-only flag (a plain date picker, the edit inside a spin
// or combo box) stay usable.
bool takesPartInGlobalEdit(QWidget *w)
{
    if (!hasProperty(w, "readOnly"))
        return false;
    if (hasProperty(w, "dataSource"))
        return true;
    if (qobject_cast<QTextEdit *>(w) || qobject_cast<QPlainTextEdit *>(w))
        return true;
    QWidget *parent = w->parentWidget();
    return qobject_cast<QLineEdit *>(w) && !qobject_cast<QAbstractSpinBox *>(parent) &&
           !qobject_cast<QComboBox *>(parent);
}

} // namespace

// ------------------------------------------------------ data-aware controls

bool TDBVexarion::IsDataAwareControl(QWidget *control) const
{
    for (QWidget *w = control; w && w != form_; w = w->parentWidget())
        if (hasProperty(w, "dataSource"))
            return true;
    return false;
}

bool TDBVexarion::GetControlDataSource(QWidget *control, dbe::TDataSource *&source) const
{
    source = nullptr;
    if (StayOnMasterSource() == TStayOnMasterSource::somAllFuncs && MasterSource()) {
        source = MasterSource();
        return true;
    }
    for (QWidget *w = control; w && w != form_; w = w->parentWidget()) {
        if (hasProperty(w, "dataSource")) {
            source = w->property("dataSource").value<dbe::TDataSource *>();
            return source != nullptr;
        }
        if (ComponentDS) {
            ComponentDS(w, source, true);
            if (source)
                return true;
        }
    }
    return false;
}

bool TDBVexarion::GetControlField(QWidget *control, ControlField &out) const
{
    out = ControlField();
    dbe::TDataSource *source = nullptr;
    if (!GetControlDataSource(control, source))
        return false;
    out.source = source;
    bool controlReadOnly = true;
    for (QWidget *w = control; w && w != form_; w = w->parentWidget()) {
        const bool hasField = hasProperty(w, "dataField");
        auto *grid = qobject_cast<ui::DBGrid *>(w);
        if (!hasField && !grid) {
            dbe::TField *field = nullptr;
            if (ComponentFld)
                ComponentFld(w, field, true);
            if (!field)
                continue;
            out.field = field;
        } else if (grid) {
            out.field = grid->selectedField();
        } else if (source->DataSet()) {
            out.field = source->DataSet()->FindField(w->property("dataField").toString());
        }
        if (hasProperty(w, "readOnly"))
            controlReadOnly = w->property("readOnly").toBool();
        else if (ComponentRO)
            ComponentRO(w, controlReadOnly, true);
        break;
    }
    out.dataSet = source->DataSet();
    out.readOnly = controlReadOnly;
    if (!out.readOnly)
        out.readOnly = !(out.dataSet && out.dataSet->CanModify());
    if (out.field) {
        if (out.field->FieldKind() == dbe::TFieldKind::fkData) {
            out.fieldNo = out.field->FieldNo();
            out.readOnly = out.readOnly || out.field->ReadOnly();
        } else if (out.field->FieldKind() == dbe::TFieldKind::fkLookup) {
            out.readOnly = out.readOnly || out.field->ReadOnly();
        } else {
            out.readOnly = true;
        }
    }
    return true;
}

dbe::TDataSource *TDBVexarion::CurrentDataSource()
{
    if (!form_ || destroying_)
        return nullptr;
    if (!currentSource_) {
        dbe::TDataSource *source = nullptr;
        if (QWidget *control = activeControl())
            GetControlDataSource(control, source);
        currentSource_ = source ? source : MasterSource();
    }
    return currentSource_;
}

// ------------------------------------------------------------ global edit

void TDBVexarion::SwitchGlobalEdit(bool edit)
{
    if (destroying_ || !manageGlobalEdit_ || globalEdit_ == edit || !form_)
        return;
    bool canChange = true;
    if (OnEditChange)
        OnEditChange(*this, edit, canChange);
    if (!canChange)
        return;
    try {
        if (edit) {
            for (auto &control : lockedControls_) {
                if (!control)
                    continue;
                if (hasProperty(control, "readOnly")) {
                    control->setProperty("readOnly", false);
                } else if (ComponentRO) {
                    bool readOnly = false;
                    ComponentRO(control, readOnly, false);
                }
            }
            lockedControls_.clear();
        } else {
            for (auto &defs : tables_)
                defs->PostIfEditing();
            lockControlsBelow(form_);
        }
        globalEdit_ = edit;
    } catch (...) {
        CheckPossibilities();
        refreshNavigators();
        throw;
    }
    CheckPossibilities();
    refreshNavigators();
}

void TDBVexarion::lockControlsBelow(QWidget *parent)
{
    for (QObject *child : parent->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->isWindow())
            continue;
        if (takesPartInGlobalEdit(w) && !w->property("readOnly").toBool()) {
            w->setProperty("readOnly", true);
            lockedControls_.append(w);
        }
        if (ComponentRO) {
            bool readOnly = true;
            ComponentRO(w, readOnly, true);
            if (!readOnly) {
                readOnly = true;
                ComponentRO(w, readOnly, false);
                lockedControls_.append(w);
                continue;
            }
        }
        lockControlsBelow(w);
    }
}

void TDBVexarion::ControlsAdded(QWidget *root)
{
    if (destroying_ || !root)
        return;
    if (formScanned_)
        registerSourcesBelow(root);
    if (manageGlobalEdit_ && !globalEdit_ && form_)
        lockControlsBelow(root);
}

} // namespace nav
