#include "dienste/Protokoll.h"

Q_LOGGING_CATEGORY(lcFleet, "karvenfp.fleet")
