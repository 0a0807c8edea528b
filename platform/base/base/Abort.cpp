#include "base/Abort.h"

namespace base {

const char *SilentAbort::what() const noexcept { return "Operation abgebrochen"; }

void abortSilently() { throw SilentAbort(); }

} // namespace base
