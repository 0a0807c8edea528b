#include "navigation/gemeinsam/UserFeedback.h"

#include "navigation/gemeinsam/NavExceptions.h"
#include "ui/AbortKey.h"
#include "ui/Hourglass.h"

namespace nav {

void PushHourglass()
{
    ui::pushHourglass();
}
void PopHourglass()
{
    ui::popHourglass();
}

void CheckUserAbort()
{
    if (ui::escapePressed())
        throw EUserAbort(QStringLiteral("Operation abgebrochen"));
}

} // namespace nav
