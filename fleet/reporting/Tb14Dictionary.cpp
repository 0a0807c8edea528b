#include "Tb14Dictionary.h"

#include "reportengine/EngineTypes.h"

namespace reporting {

void TDicData::Add(const QString &name, const QString &translation)
{
    const qsizetype at = names_.indexOf(name);
    if (at >= 0) {
        names_.removeAt(at);
        translations_.removeAt(at);
    }
    names_.append(name);
    translations_.append(translation);
}

QString TDicData::translate(const QString &name) const
{
    const qsizetype at = names_.indexOf(name);
    if (at < 0 || translations_[at].isEmpty())
        return name;
    return translations_[at];
}

void TDicFields::Add(const QString &name, const QString &translation)
{
    const bool first = isEmpty();
    TDicData::Add(name, translation);
    if (first && setOption_)
        setOption_(tb::opt::ShowDictionary, 1);
    if (setOptionString_)
        setOptionString_(tb::TB_OPTSTR_DICTIONARY, translation + u'=' + name);
}

const TDicData &TDictionary::list(int k) const
{
    switch (k) {
    case 1:
        return tables_;
    case 2:
        return fields_;
    case 3:
        return third_;
    default:
        return fourth_;
    }
}

QString TDictionary::TranslateName(const QString &name, int k) const
{
    const TDicData &l = list(k);
    return l.isEmpty() ? name : l.translate(name);
}

QString TDictionary::TranslateQualifiedName(const QString &name) const
{
    const qsizetype dot = name.indexOf(u'.');
    if (dot < 0)
        return TranslateName(name, 2);
    return TranslateName(name.left(dot), 1) + u'.' + TranslateName(name.mid(dot + 1), 2);
}

QString TDictionary::TranslateExpression(const QString &expression) const
{
    const qsizetype at = expression.indexOf(u'@');
    const qsizetype colon = expression.indexOf(u':');
    if (at >= 0 && colon >= 0) {
        const QString rest = expression.mid(at + 1);
        const qsizetype restColon = rest.indexOf(u':');
        QString out = TranslateQualifiedName(expression.left(at)) + u'@';
        if (restColon < 0)
            return out + TranslateQualifiedName(rest);
        return out + TranslateQualifiedName(rest.left(restColon)) + u':' +
               TranslateExpression(rest.mid(restColon + 1));
    }
    if (colon >= 0) {
        QString out = TranslateName(expression.left(colon), 1) + u':';
        const QString rest = expression.mid(colon + 1);
        const qsizetype next = rest.indexOf(u':');
        if (next < 0)
            return out + TranslateQualifiedName(rest);
        const QString remainder = rest.mid(next + 1);
        return out + TranslateName(rest.left(next), 1) + u':' +
               (remainder.contains(u':') ? TranslateExpression(remainder)
                                         : TranslateQualifiedName(remainder));
    }
    return TranslateName(expression, 2);
}

} // namespace reporting
