#include "dbe/Errors.h"

namespace dbe {

EDatabaseError::EDatabaseError(const QString &message)
{
    setMessage(message);
}

void EDatabaseError::setMessage(const QString &message)
{
    message_ = message;
    utf8_ = message.toUtf8();
}

EDBEngineError::EDBEngineError(int code, const QString &message)
    : EDatabaseError(message), errors_{TDBError{code, message}}
{
}

EDBEngineError::EDBEngineError(const QList<TDBError> &errors)
    : EDatabaseError(errors.isEmpty() ? QString() : errors.first().Message), errors_(errors)
{
}

void databaseError(const QString &message)
{
    throw EDatabaseError(message);
}

void engineError(int code, const QString &message)
{
    throw EDBEngineError(code, message);
}

} // namespace dbe
