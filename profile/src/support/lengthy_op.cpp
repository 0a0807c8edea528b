#include "support/lengthy_op.h"

#include "core/conversion.h"
#include "support/debug_print.h"
#include "support/process_state.h"
#include "support/sibling_abi.h"
#include "support/sibling_libraries.h"

#include <cstdlib>

namespace tbpr::support {

LengthyOp::LengthyOp(const std::string &title, const std::string &text)
    : library_(siblingFileName("ct", ensureControlLibraryVersion())), title_(title), text_(text)
{
    if (auto open = library_.function<CtlJobOpenFn>(jobOpen_, "CtlJobOpen"))
        open();
    if (auto start = library_.function<CtlAbortDlgStartWFn>(start_, "CtlAbortDlgStartW"))
        dialog_ = start(0, tbpr::widen(title_).c_str(), tbpr::widen(text_).c_str(), 0);
    // The dialog's window is the control library's business here: nothing to raise.
}

LengthyOp::~LengthyOp()
{
    if (auto end = library_.function<CtlAbortDlgEndFn>(end_, "CtlAbortDlgEnd"))
        end(dialog_);
    if (auto close = library_.function<CtlJobCloseFn>(jobClose_, "CtlJobClose"))
        close();
}

void LengthyOp::setText(const std::string &text)
{
    text_ = text;
    if (auto set = library_.function<CtlAbortDlgSetTextWFn>(setText_, "CtlAbortDlgSetTextW"))
        set(dialog_, tbpr::widen(text_).c_str(), -1);
    if (auto check = library_.function<CtlAbortDlgCheckAbortFn>(checkAbort_, "CtlAbortDlgCheckAbort"))
        check(dialog_); // the work runs to its end whatever the answer
}

void LengthyOp::setPercentage(int percent)
{
    if (auto set = library_.function<CtlAbortDlgSetTextWFn>(setText_, "CtlAbortDlgSetTextW"))
        set(dialog_, nullptr, percent);
    if (auto check = library_.function<CtlAbortDlgCheckAbortFn>(checkAbort_, "CtlAbortDlgCheckAbort"))
        check(dialog_);
}

bool userLanguageIsGerman(const EnvLookup &env)
{
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char *value = env(name);
        if (value && *value)
            return value[0] == 'd' && value[1] == 'e';
    }
    return false;
}

LengthyOpCond::LengthyOpCond(const ProgressSettings &settings)
{
    if (!settings.showDialog)
        return;
    const bool german =
        userLanguageIsGerman([](const char *name) -> const char * { return std::getenv(name); });
    std::string title = german ? "Bitte warten Sie..." : "Please wait...";
    std::string text = german ? "Modul-Information wird eingelesen" : "Retrieving module information";
    if (!settings.title.empty())
        title = settings.title;
    if (!settings.text.empty())
        text = settings.text;
    baseText_ = text;
    dialog_ = std::make_unique<LengthyOp>(title, text);
}

LengthyOpCond::~LengthyOpCond() = default;

int LengthyOpCond::overallPercent(int steps, int step, int percent)
{
    return (100 / steps) * (step - 1) + percent / steps;
}

void LengthyOpCond::setPerc(int percent)
{
    if (percent > 100)
        percent = 100;
    if (dialog_)
        dialog_->setPercentage(overallPercent(steps_, step_, percent));
    else
        debugPrint("clsLengthyOpCond::SetPerc(%d/%d)", percent, steps_);
}

void LengthyOpCond::setStep(int step, const std::string &text)
{
    step_ = step;
    steps_ = 2;
    if (dialog_)
        dialog_->setPercentage(step * 50 - 50);
    else
        debugPrint("clsLengthyOpCond::SetPerc(%d/%d)", 0, 2);
    if (!text.empty())
        baseText_ = text;
}

void LengthyOpCond::setText(const std::string &text, int percent)
{
    if (dialog_) {
        dialog_->setText(text);
        if (percent >= 0)
            setPerc(percent);
    } else {
        debugPrint("clsLengthyOpCond::SetText(%s,%d)", text.c_str(), percent);
    }
}

void LengthyOpCond::setInfo(const std::string &info)
{
    const std::string text = baseText_ + "\n" + info;
    if (dialog_)
        dialog_->setText(text);
    else
        debugPrint("clsLengthyOpCond::SetInfo(%s)", text.c_str());
}

} // namespace tbpr::support
