#include "reportengine/Job.h"

#include "reportengine/NameTranslation.h"

namespace tb {

void NameList::clear()
{
    entries_.clear();
    index_.clear();
}

void NameList::define(const QString &name, const Value &value, bool caseSensitive)
{
    const QString key = nameKey(name, caseSensitive);
    const auto it = index_.constFind(key);
    if (it != index_.constEnd()) {
        entries_[size_t(*it)].value = value;
        return;
    }
    index_.insert(key, int(entries_.size()));
    entries_.push_back({name, value});
}

const Value *NameList::find(const QString &name, bool caseSensitive) const
{
    const auto it = index_.constFind(nameKey(name, caseSensitive));
    return it == index_.constEnd() ? nullptr : &entries_[size_t(*it)].value;
}

intptr_t defaultOption(int number)
{
    static const std::map<int, intptr_t> defaults = {
        {0, 1},  {8, 1},  {9, 1},  {11, 1}, {15, 247}, {23, 182}, {25, 100}, {40, 1},  {42, 1},
        {46, 1}, {48, 1}, {50, 1}, {51, 1}, {26, -1},  {27, -1},  {28, -1},  {29, -1},
    };
    const auto it = defaults.find(number);
    return it == defaults.end() ? 0 : it->second;
}

intptr_t Job::option(int number) const
{
    const auto it = options.find(number);
    return it == options.end() ? defaultOption(number) : it->second;
}

void Job::chooseStreaming(EngineUi &ui)
{
    if (!run || run->started())
        return;
    stream = StreamedExport::forRun(*this);
    run->streamLinesTo(stream.get());
    pdf = stream ? nullptr : StreamedPdf::forRun(*this, ui);
    preview = stream || pdf ? nullptr : StreamedPreview::forRun(*this);
    run->streamPagesTo(pdf ? static_cast<PageSink *>(pdf.get()) : preview.get());
}

QString Job::definedName(const QString &name) const
{
    return option(opt::TranslateNames) != 0 ? translateName(name) : name;
}

QString Job::keyOf(const QString &name) const
{
    return nameKey(definedName(name), caseSensitive());
}

intptr_t Job::raise(unsigned message, intptr_t parameter)
{
    if (!callback)
        return 0;
    return callback(message, parameter, option(opt::CallbackUserValue));
}

QString Job::exportParameter(const QString &module, const QString &key) const
{
    auto it = exportParameters.find(module.toUpper() + u'|' + key);
    if (it == exportParameters.end())
        it = exportParameters.find(QStringLiteral("|") + key);
    return it == exportParameters.end() ? QString() : it->second;
}

QString Job::exportTarget() const
{
    const auto it = printOptionStrings.find(TB_PRNOPTSTR_EXPORT_TARGET);
    return it == printOptionStrings.end() || it->second.isEmpty() ? QStringLiteral("PDF")
                                                                  : it->second.toUpper();
}

std::optional<Value> Job::lookup(const QString &name) const
{
    const QString defined = definedName(name);
    const bool sensitive = caseSensitive();
    if (const Value *v = fields.find(defined, sensitive))
        return *v;
    if (const Value *v = variables.find(defined, sensitive))
        return *v;
    return std::nullopt;
}

} // namespace tb
