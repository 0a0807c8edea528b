#include "ui/Guard.h"

#include <stdexcept>

#include <QString>

#include "base/Abort.h"
#include "ui/AppHooks.h"
#include "ui/Messages.h"

namespace ui {

namespace {

// The standard exception box, used when no exception hook is installed (and
// when the hook itself fails).
void showStandardBox(const std::exception &error) noexcept
{
    try {
        messages().error(QString::fromUtf8(error.what()));
    } catch (...) {
        // Nothing is left to report to.
    }
}

void dispatch(QObject *sender, const std::exception &error) noexcept
{
    try {
        ExceptionHandler handler = hooks().exception.current();
        if (handler)
            handler(sender, error);
        else
            showStandardBox(error);
    } catch (const base::SilentAbort &) {
    } catch (const std::exception &hookError) {
        showStandardBox(hookError);
    } catch (...) {
        showStandardBox(std::runtime_error("Unbekannter Fehler"));
    }
}

} // namespace

void handleException(QObject *sender, std::exception_ptr error) noexcept
{
    try {
        std::rethrow_exception(error);
    } catch (const base::SilentAbort &) {
        // Cancels quietly: its message, if any, has been shown already.
    } catch (const std::exception &e) {
        dispatch(sender, e);
    } catch (...) {
        dispatch(sender, std::runtime_error("Unbekannter Fehler"));
    }
}

} // namespace ui
