#pragma once

#include <functional>
#include <memory>

#include <QString>

#include "ui/Seam.h"

class QPrinter;

namespace ui {

// Printing of the forms' own pages (not reports): the job paints on the
// printer it is given.
class Printer {
public:
    virtual ~Printer() = default;
    using Job = std::function<void(QPrinter &printer)>;
    // With askUser the print dialog comes first; false when it was cancelled.
    virtual bool print(const QString &jobName, const Job &job, bool askUser) = 0;
};

inline Printer &printer()
{
    return Seam<Printer>::current();
}

class SystemPrinter : public Printer {
public:
    bool print(const QString &jobName, const Job &job, bool askUser) override;
};

template <> std::unique_ptr<Printer> makeProductionService<Printer>();

} // namespace ui
