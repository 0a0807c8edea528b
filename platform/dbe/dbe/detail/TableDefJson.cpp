#include "dbe/detail/TableDefJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace dbe::detail {

namespace {

QJsonObject toJson(const TableDef &def)
{
    QJsonObject o;
    o["name"] = def.name;
    o["alias"] = def.alias;
    QJsonArray fields;
    for (const FieldDef &f : def.fields) {
        QJsonObject fo;
        fo["name"] = f.name;
        fo["type"] = static_cast<int>(f.type);
        fo["size"] = f.size;
        fo["required"] = f.required;
        if (f.minValue.isValid())
            fo["min"] = QJsonValue::fromVariant(f.minValue);
        if (f.maxValue.isValid())
            fo["max"] = QJsonValue::fromVariant(f.maxValue);
        if (f.defaultValue.isValid())
            fo["default"] = QJsonValue::fromVariant(f.defaultValue);
        fields.append(fo);
    }
    o["fields"] = fields;
    o["primaryKey"] = QJsonArray::fromStringList(def.primaryKey);
    QJsonArray indexes;
    for (const IndexDef &i : def.indexes) {
        QJsonObject io;
        io["name"] = i.name;
        io["fields"] = QJsonArray::fromStringList(i.fields);
        io["options"] = static_cast<int>(i.options);
        indexes.append(io);
    }
    o["indexes"] = indexes;
    return o;
}

QStringList toStringList(const QJsonValue &v)
{
    QStringList out;
    const QJsonArray a = v.toArray();
    out.reserve(a.size());
    for (const QJsonValue &e : a)
        out << e.toString();
    return out;
}

TableDef fromObject(const QJsonObject &o)
{
    TableDef def;
    def.name = o.value(QLatin1StringView("name")).toString();
    def.alias = o.value(QLatin1StringView("alias")).toString();
    const QJsonArray fields = o.value(QLatin1StringView("fields")).toArray();
    def.fields.reserve(fields.size());
    for (const QJsonValue &fv : fields) {
        const QJsonObject fo = fv.toObject();
        FieldDef f;
        f.name = fo.value(QLatin1StringView("name")).toString();
        f.type = static_cast<FieldType>(fo.value(QLatin1StringView("type")).toInt());
        f.size = fo.value(QLatin1StringView("size")).toInt();
        f.required = fo.value(QLatin1StringView("required")).toBool();
        if (const QJsonValue v = fo.value(QLatin1StringView("min")); !v.isUndefined())
            f.minValue = v.toVariant();
        if (const QJsonValue v = fo.value(QLatin1StringView("max")); !v.isUndefined())
            f.maxValue = v.toVariant();
        if (const QJsonValue v = fo.value(QLatin1StringView("default")); !v.isUndefined())
            f.defaultValue = v.toVariant();
        def.fields << f;
    }
    def.primaryKey = toStringList(o.value(QLatin1StringView("primaryKey")));
    for (const QJsonValue &iv : o.value(QLatin1StringView("indexes")).toArray()) {
        const QJsonObject io = iv.toObject();
        IndexDef i;
        i.name = io.value(QLatin1StringView("name")).toString();
        i.fields = toStringList(io.value(QLatin1StringView("fields")));
        i.options = static_cast<unsigned>(io.value(QLatin1StringView("options")).toInt());
        def.indexes << i;
    }
    return def;
}

} // namespace

QByteArray tableDefToJson(const TableDef &def)
{
    return QJsonDocument(toJson(def)).toJson(QJsonDocument::Compact);
}

TableDef tableDefFromJson(const QByteArray &json)
{
    return fromObject(QJsonDocument::fromJson(json).object());
}

} // namespace dbe::detail
