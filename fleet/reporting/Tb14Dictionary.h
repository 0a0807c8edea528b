#pragma once

#include <array>
#include <functional>

#include <QString>
#include <QStringList>

namespace reporting {

// One name list of the dictionary: names and their translations, kept in step.
class TDicData {
public:
    virtual ~TDicData() = default;
    // Removes an entry of that name and appends the pair.
    virtual void Add(const QString &name, const QString &translation);
    bool isEmpty() const { return names_.isEmpty(); }
    // The translation of `name`, or the name itself when there is none (or it is empty).
    QString translate(const QString &name) const;
    const QStringList &names() const { return names_; }
    const QStringList &translations() const { return translations_; }

private:
    QStringList names_;
    QStringList translations_;
};

// The field list: its first entry switches the designer's dictionary display on (option 77), and every
// entry reaches the engine as option string 21 "translation=name".
class TDicFields : public TDicData {
public:
    using Sink = std::function<void(int option, intptr_t value)>;
    using StringSink = std::function<void(int option, const QString &text)>;
    TDicFields(Sink setOption, StringSink setOptionString)
        : setOption_(std::move(setOption)), setOptionString_(std::move(setOptionString))
    {
    }
    void Add(const QString &name, const QString &translation) override;

private:
    Sink setOption_;
    StringSink setOptionString_;
};

// The four name lists: 1 tables, 2 fields, 3 a third kind, 4 never consulted.
class TDictionary {
public:
    TDictionary(TDicFields::Sink setOption, TDicFields::StringSink setOptionString)
        : fields_(std::move(setOption), std::move(setOptionString))
    {
    }
    TDicData &Tables() { return tables_; }
    TDicFields &Fields() { return fields_; }
    TDicData &Third() { return third_; }
    TDicData &Fourth() { return fourth_; }
    const TDicData &list(int k) const;

    // The name through list k.
    QString TranslateName(const QString &name, int k) const;
    // "table.rest": table part through list 1, the rest through list 2.
    QString TranslateQualifiedName(const QString &name) const;
    // Expressions with "@" and ":" (see the component's field definition).
    QString TranslateExpression(const QString &expression) const;

private:
    TDicData tables_;
    TDicFields fields_;
    TDicData third_;
    TDicData fourth_;
};

} // namespace reporting
