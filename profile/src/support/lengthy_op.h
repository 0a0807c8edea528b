#pragma once
// Progress of a lengthy operation: the abort dialog of the optional control
// library, or, without a dialog wanted, lines on the debug channel.
#include "support/config_switches.h"
#include "support/late_load.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tbpr::support {

// The dialog of libtbctNN.so (the version the control wrapper found).
class LengthyOp {
public:
    LengthyOp(const std::string &title, const std::string &text);
    ~LengthyOp();
    LengthyOp(const LengthyOp &) = delete;
    LengthyOp &operator=(const LengthyOp &) = delete;

    void setText(const std::string &text);
    void setPercentage(int percent);

private:
    LateLoadLibrary library_;
    FunctionSlot jobOpen_, jobClose_, start_, end_, setText_, checkAbort_;
    std::intptr_t dialog_ = 0;
    std::string title_;
    std::string text_;
};

struct ProgressSettings {
    bool showDialog = false;
    std::string title; // empty: the default of the user's language
    std::string text;
};

class LengthyOpCond {
public:
    explicit LengthyOpCond(const ProgressSettings &settings);
    ~LengthyOpCond();
    LengthyOpCond(const LengthyOpCond &) = delete;
    LengthyOpCond &operator=(const LengthyOpCond &) = delete;

    void setPerc(int percent);
    void setStep(int step, const std::string &text);
    void setText(const std::string &text, int percent);
    void setInfo(const std::string &info);

    // The overall percentage of a step: each of the steps has an equal share.
    static int overallPercent(int steps, int step, int percent);

private:
    std::unique_ptr<LengthyOp> dialog_;
    int steps_ = 1;
    int step_ = 1;
    std::string baseText_;
};

// German when LANGUAGE, LC_ALL, LC_MESSAGES or LANG (the first one set)
// begins with "de".
bool userLanguageIsGerman(const EnvLookup &env);

} // namespace tbpr::support
