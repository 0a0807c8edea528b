#include "dbe/detail/TableDefJson.h"

#include <cctype>
#include <utility>

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

// Reads a catalogue entry as tableDefToJson writes it: an object of the known keys, each once,
// strings without escapes, whole numbers, true and false, field checks and defaults of any plain
// value. It stops (false) at anything else, which the general reading then reads.
class DirectReader {
public:
    explicit DirectReader(const QByteArray &json) : p_(json.constData()), end_(p_ + json.size()) {}

    bool tableDef(TableDef &def)
    {
        unsigned seen = 0;
        const bool ok = object([&](QByteArrayView key) {
            if (key == "name")
                return once(seen, 1) && string(def.name);
            if (key == "alias")
                return once(seen, 2) && string(def.alias);
            if (key == "fields")
                return once(seen, 4) && array([&] {
                           FieldDef f;
                           if (!field(f))
                               return false;
                           def.fields << f;
                           return true;
                       });
            if (key == "primaryKey")
                return once(seen, 8) && strings(def.primaryKey);
            if (key == "indexes")
                return once(seen, 16) && array([&] {
                           IndexDef i;
                           if (!index(i))
                               return false;
                           def.indexes << i;
                           return true;
                       });
            return false;
        });
        skipSpace();
        return ok && p_ == end_;
    }

private:
    bool field(FieldDef &f)
    {
        unsigned seen = 0;
        return object([&](QByteArrayView key) {
            if (key == "name")
                return once(seen, 1) && string(f.name);
            if (key == "type") {
                int type = 0;
                if (!once(seen, 2) || !integer(type))
                    return false;
                f.type = static_cast<FieldType>(type);
                return true;
            }
            if (key == "size")
                return once(seen, 4) && integer(f.size);
            if (key == "required")
                return once(seen, 8) && boolean(f.required);
            if (key == "min")
                return once(seen, 16) && plainValue(f.minValue);
            if (key == "max")
                return once(seen, 32) && plainValue(f.maxValue);
            if (key == "default")
                return once(seen, 64) && plainValue(f.defaultValue);
            return false;
        });
    }

    bool index(IndexDef &i)
    {
        unsigned seen = 0;
        return object([&](QByteArrayView key) {
            if (key == "name")
                return once(seen, 1) && string(i.name);
            if (key == "fields")
                return once(seen, 2) && strings(i.fields);
            if (key == "options") {
                int options = 0;
                if (!once(seen, 4) || !integer(options))
                    return false;
                i.options = static_cast<unsigned>(options);
                return true;
            }
            return false;
        });
    }

    static bool once(unsigned &seen, unsigned bit) { return !(std::exchange(seen, seen | bit) & bit); }

    void skipSpace()
    {
        while (p_ < end_ && (*p_ == ' ' || *p_ == '\t' || *p_ == '\n' || *p_ == '\r'))
            ++p_;
    }

    bool take(char c)
    {
        skipSpace();
        if (p_ == end_ || *p_ != c)
            return false;
        ++p_;
        return true;
    }

    template <typename Member> bool object(Member member)
    {
        if (!take('{'))
            return false;
        if (take('}'))
            return true;
        do {
            QByteArrayView key;
            if (!rawString(key) || !take(':') || !member(key))
                return false;
        } while (take(','));
        return take('}');
    }

    template <typename Element> bool array(Element element)
    {
        if (!take('['))
            return false;
        if (take(']'))
            return true;
        do {
            if (!element())
                return false;
        } while (take(','));
        return take(']');
    }

    // The bytes between the quotes; no escapes and no control characters.
    bool rawString(QByteArrayView &out)
    {
        if (!take('"'))
            return false;
        const char *start = p_;
        while (p_ < end_ && *p_ != '"') {
            if (*p_ == '\\' || static_cast<unsigned char>(*p_) < 0x20)
                return false;
            ++p_;
        }
        if (p_ == end_)
            return false;
        out = QByteArrayView(start, p_ - start);
        ++p_;
        return true;
    }

    bool string(QString &out)
    {
        QByteArrayView raw;
        if (!rawString(raw))
            return false;
        out = QString::fromUtf8(raw);
        // Bytes that are no UTF-8 are left to the general reading.
        return !out.contains(QChar::ReplacementCharacter);
    }

    bool strings(QStringList &out)
    {
        return array([&] {
            QString s;
            if (!string(s))
                return false;
            out << s;
            return true;
        });
    }

    // A whole number of at most nine digits.
    bool integer(int &out)
    {
        skipSpace();
        const bool negative = p_ < end_ && *p_ == '-';
        if (negative)
            ++p_;
        const char *digits = p_;
        qint64 n = 0;
        while (p_ < end_ && *p_ >= '0' && *p_ <= '9' && p_ - digits < 10)
            n = n * 10 + (*p_++ - '0');
        const qsizetype count = p_ - digits;
        if (count == 0 || count > 9 || (count > 1 && *digits == '0'))
            return false;
        if (p_ < end_ && (*p_ == '.' || *p_ == 'e' || *p_ == 'E' || (*p_ >= '0' && *p_ <= '9')))
            return false;
        out = static_cast<int>(negative ? -n : n);
        return true;
    }

    bool boolean(bool &out)
    {
        skipSpace();
        for (const bool value : {true, false}) {
            const QByteArrayView word = value ? QByteArrayView("true") : QByteArrayView("false");
            if (end_ - p_ >= word.size() && QByteArrayView(p_, word.size()) == word) {
                p_ += word.size();
                out = value;
                return true;
            }
        }
        return false;
    }

    // A check or default: a string, number, true, false or null, converted as the JSON document
    // converts it (rare enough to go through it).
    bool plainValue(QVariant &out)
    {
        skipSpace();
        const char *start = p_;
        if (p_ < end_ && *p_ == '"') {
            QByteArrayView raw;
            if (!rawString(raw))
                return false;
        } else {
            while (p_ < end_ &&
                   (std::isalnum(static_cast<unsigned char>(*p_)) || *p_ == '-' || *p_ == '+' || *p_ == '.'))
                ++p_;
        }
        if (p_ == start)
            return false;
        const QByteArray wrapped = '[' + QByteArray(start, p_ - start) + ']';
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(wrapped, &error);
        if (error.error != QJsonParseError::NoError || !doc.isArray() || doc.array().size() != 1)
            return false;
        out = doc.array().at(0).toVariant();
        return true;
    }

    const char *p_;
    const char *end_;
};

} // namespace

QByteArray tableDefToJson(const TableDef &def)
{
    return QJsonDocument(toJson(def)).toJson(QJsonDocument::Compact);
}

TableDef readTableDefFromDocument(const QByteArray &json)
{
    return fromObject(QJsonDocument::fromJson(json).object());
}

bool readTableDefDirectly(const QByteArray &json, TableDef &out)
{
    out = TableDef();
    return DirectReader(json).tableDef(out);
}

TableDef tableDefFromJson(const QByteArray &json)
{
    TableDef def;
    if (readTableDefDirectly(json, def))
        return def;
    return readTableDefFromDocument(json);
}

} // namespace dbe::detail
