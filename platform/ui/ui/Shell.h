#pragma once

#include <memory>

#include <QString>

#include "ui/Seam.h"

namespace ui {

// The desktop's "open" for documents and the manual.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool open(const QString &path) = 0;
};

inline Shell &shell()
{
    return Seam<Shell>::current();
}

class DesktopShell : public Shell {
public:
    bool open(const QString &path) override;
};

template <> std::unique_ptr<Shell> makeProductionService<Shell>();

} // namespace ui
