#include "reportengine/NameTranslation.h"

namespace tb {

QString translateName(const QString &name)
{
    QString out = name;
    for (QChar &c : out)
        if (!(c.isLetterOrNumber() || c == u'_' || c == u'.'))
            c = u'_';
    return out;
}

} // namespace tb
