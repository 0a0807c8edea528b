// Status line, messages and the exception handling of the extender's form.
#include <QApplication>
#include <QLabel>

#include "dbe/Errors.h"
#include "navigation/daten/DataSetHelpers.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/gemeinsam/NavExceptions.h"

namespace nav {

void TDBVexarion::ShowStatus(dbe::TDataSource *source)
{
    if (destroying_ || source != CurrentDataSource())
        return;
    TStatusRec status;
    status.DataSource = source;
    bool handled = false;
    dbe::TDataSet *ds = source ? source->DataSet() : nullptr;
    if (!source || !ds || !source->Enabled() || !ds->Active()) {
        if (OnShowStatus)
            OnShowStatus(*this, status, handled);
        if (!handled && statusPanel_)
            statusPanel_->clear();
        return;
    }
    StatusInput in;
    in.options = showStatusOptions_;
    if (showStatusOptions_ & ssRecCount)
        status.RecCount = EngineRecordTotal(ds);
    if (showStatusOptions_ & ssRecNo)
        status.RecNo = EngineRecordNumber(ds);
    GetTableCaption(ds, status.TblName);
    status.IncSrchText = incSearchText_;
    in.inserting = ds->State() == dbe::TDataSetState::dsInsert;
    in.editing = ds->State() == dbe::TDataSetState::dsEdit;
    in.recNo = status.RecNo;
    in.recCount = status.RecCount;
    TTableDefs *defs = TableDefsOf(source);
    in.countMeaningful = !(defs && defs->FilterState() == kFilterActive) && !ds->Filtered();
    in.tableName = status.TblName;
    in.incSearchOn = incSearchOn_;
    in.textOnButtons = useTextIncSrchBtn_;
    in.incSearchText = incSearchText_;
    status.StatusText = composeStatusText(in);
    if (OnShowStatus)
        OnShowStatus(*this, status, handled);
    if (!handled && statusPanel_ && (currentInterfaces_ & ieDisplay))
        statusPanel_->setText(status.StatusText);
}

void TDBVexarion::DisplayMessage(const QString &message, ui::MsgType type)
{
    QString text = message;
    bool handled = false;
    if (OnShowMessage)
        OnShowMessage(*this, text, type, handled);
    if (handled || !(currentInterfaces_ & ieDisplay))
        return;
    if (text.isEmpty() && MessagePanel && MessagePanel == statusPanel_)
        return;
    if (ErrorBeep && (type == ui::MsgType::Error || type == ui::MsgType::Warning) && !text.isEmpty())
        QApplication::beep();
    if (MessagePanel) {
        MessagePanel->setText(text);
        return;
    }
    if (text.isEmpty())
        return;
    if (type == ui::MsgType::Error)
        ui::messages().error(text);
    else if (type == ui::MsgType::Warning)
        ui::messages().warning(text);
}

void TDBVexarion::ClearMessage()
{
    QString text;
    bool handled = false;
    if (OnShowMessage)
        OnShowMessage(*this, text, ui::MsgType::Information, handled);
    if (!handled && MessagePanel)
        MessagePanel->clear();
}

void TDBVexarion::AppExceptionHook(QObject *sender, const std::exception &error)
{
    if (isFormActive()) {
        bool handled = false;
        if (FormOnException)
            FormOnException(sender, error, handled);
        if (handled)
            return;
        if (HandleDBExceptions) {
            if (const auto *engine = dynamic_cast<const dbe::EDBEngineError *>(&error)) {
                DisplayMessage(engine->ErrorCount() > 0 ? engine->Errors(0).Message : engine->Message(),
                               ui::MsgType::Error);
                return;
            }
            if (const auto *db = dynamic_cast<const dbe::EDatabaseError *>(&error)) {
                DisplayMessage(db->Message(), ui::MsgType::Error);
                return;
            }
            if (const auto *e = dynamic_cast<const EDBVFilter *>(&error)) {
                DisplayMessage(e->message(), ui::MsgType::Error);
                return;
            }
            if (const auto *e = dynamic_cast<const EDBVFilterDefError *>(&error)) {
                DisplayMessage(e->message(), ui::MsgType::Error);
                return;
            }
            if (const auto *e = dynamic_cast<const EDBVBookMarks *>(&error)) {
                DisplayMessage(e->message(), ui::MsgType::Error);
                return;
            }
            if (const auto *e = dynamic_cast<const EUserAbort *>(&error)) {
                DisplayMessage(e->message(), ui::MsgType::Information);
                return;
            }
        }
    }
    if (AppOnException)
        AppOnException(sender, error);
    else
        ui::messages().error(QString::fromUtf8(error.what()));
}

} // namespace nav
