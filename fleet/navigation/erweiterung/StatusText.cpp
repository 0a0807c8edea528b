#include "navigation/erweiterung/StatusText.h"

namespace nav {

QString composeStatusText(const StatusInput &in)
{
    QString text;
    if (in.inserting) {
        if (in.options & ssTblName)
            text += QStringLiteral("[") + in.tableName + QStringLiteral("] ");
        if (in.options & ssInsert)
            text += QStringLiteral("Neuer Datensatz");
    } else {
        if (in.recCount != 0) {
            if ((in.options & ssRecNo) && in.recNo > 0) {
                text += QString::number(in.recNo);
                if ((in.options & ssRecCount) && in.countMeaningful)
                    text += QStringLiteral(" von ");
            }
            if ((in.options & ssRecCount) && in.countMeaningful)
                text += QString::number(in.recCount);
        } else if (in.options & ssRecCount) {
            text += QStringLiteral("Leere Tabelle");
        }
        if (in.options & ssTblName)
            text += QStringLiteral(" [") + in.tableName + QStringLiteral("]");
        if ((in.options & ssEdit) && in.editing)
            text += QStringLiteral(" Editieren");
    }
    if (in.incSearchOn) {
        if (in.textOnButtons)
            text += QStringLiteral(" Suchmodus");
        else
            text += QStringLiteral(" Suche: \"") + in.incSearchText + QStringLiteral("\"");
    }
    return text;
}

} // namespace nav
