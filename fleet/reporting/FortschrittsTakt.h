#pragma once

#include <chrono>

namespace reporting {

// When a run's progress box gets its next text: the first time, then once the interval has passed
// since it last got one. Drawing the box and asking it for Cancel cost more than writing a record,
// so a run over many records tells it at most ten times a second.
class FortschrittsTakt {
public:
    using Uhr = std::chrono::steady_clock;

    explicit FortschrittsTakt(std::chrono::milliseconds abstand = std::chrono::milliseconds(100))
        : abstand_(abstand)
    {
    }

    bool faellig(Uhr::time_point jetzt = Uhr::now())
    {
        if (begonnen_ && jetzt - zuletzt_ < abstand_)
            return false;
        begonnen_ = true;
        zuletzt_ = jetzt;
        return true;
    }

private:
    std::chrono::milliseconds abstand_;
    Uhr::time_point zuletzt_{};
    bool begonnen_ = false;
};

} // namespace reporting
