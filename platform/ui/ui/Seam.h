#pragma once

#include <memory>

namespace ui {

// Each service of the platform (messages, dialogs, clock, ...) is reached
// through one seam: the production implementation unless a test has put a
// fake in its place. The production object is made on first use.
template <class Interface> std::unique_ptr<Interface> makeProductionService();

template <class Interface> class Seam {
public:
    static Interface &current()
    {
        if (override_)
            return *override_;
        static std::unique_ptr<Interface> production = makeProductionService<Interface>();
        return *production;
    }
    // Puts a replacement in force (nullptr: production again); returns the previous one.
    static Interface *replace(Interface *replacement)
    {
        Interface *previous = override_;
        override_ = replacement;
        return previous;
    }

private:
    static inline Interface *override_ = nullptr;
};

// Puts a fake in force for the lifetime of this object.
template <class Interface> class ScopedSeam {
public:
    explicit ScopedSeam(Interface &replacement) : previous_(Seam<Interface>::replace(&replacement)) {}
    ~ScopedSeam() { Seam<Interface>::replace(previous_); }
    ScopedSeam(const ScopedSeam &) = delete;
    ScopedSeam &operator=(const ScopedSeam &) = delete;

private:
    Interface *previous_;
};

} // namespace ui
