// Opening, reading, changing and saving profiles, measured against inih (INI
// into a hash map), pugixml (the same XML bytes) and, for lookups and writes,
// a plain hash map of paths to values (the floor) in one run. After the
// run each measurement is printed as a ratio to its reference.
//
//   profile_benchmark [--set=settings|large|wide|all] [benchmark options]
#include "tbpr14.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>
#include <ini.h>
#include <pugixml.hpp>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

struct DataSet {
    const char *name;
    int lists;
    int itemsPerList;
};

const DataSet kSets[] = {{"settings", 100, 20}, {"large", 1000, 100}, {"wide", 1, 10000}};

constexpr int kLookups = 10000;
constexpr int kWrites = 10000;
constexpr int kAppends = 1000;

std::string listName(int list)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "list%04d", list);
    return buffer;
}

std::string itemName(int item)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "item%05d", item);
    return buffer;
}

// Deterministic values of mixed types; every fifth one is an integer.
std::string valueFor(int list, int item, uint32_t &state)
{
    state = state * 1664525u + 1013904223u;
    const int kind = (list * 7 + item) % 5;
    char buffer[64];
    switch (kind) {
    case 0:
        std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(state % 100000));
        break;
    case 1:
        std::snprintf(buffer, sizeof buffer, "x%08X", state);
        break;
    case 2:
        std::snprintf(buffer, sizeof buffer, "%d.%06d", static_cast<int>(state % 1000),
                      static_cast<int>(state % 999983));
        break;
    case 3:
        std::snprintf(buffer, sizeof buffer, "(%d,%d,%d,%d)", static_cast<int>(state % 800),
                      static_cast<int>(state % 600), static_cast<int>(state % 1024),
                      static_cast<int>(state % 768));
        break;
    default:
        std::snprintf(buffer, sizeof buffer, "text_%u", state % 4096);
        break;
    }
    return buffer;
}

// The generated files and the paths the measurements use.
struct Prepared {
    DataSet set;
    testsupport::TempDir dir;
    std::string textPath;
    std::string xmlPath;
    std::string iniPath;
    std::string xmlBytes;
    std::vector<std::string> intPaths;      // absolute paths of integer values
    std::vector<std::pair<int, int>> intAt; // (list, item) of each
};

std::map<std::string, std::unique_ptr<Prepared>> g_prepared;

Prepared &prepare(const DataSet &set)
{
    auto &slot = g_prepared[set.name];
    if (slot)
        return *slot;
    slot = std::make_unique<Prepared>();
    Prepared &p = *slot;
    p.set = set;
    p.textPath = (p.dir / "profile.prf").string();
    p.xmlPath = (p.dir / "profile.xml").string();
    p.iniPath = (p.dir / "profile.ini").string();

    ProfJob *job = ProfJobOpenA(nullptr);
    std::string ini;
    uint32_t state = 12345;
    std::vector<std::pair<int, int>> ints;
    for (int l = 0; l < set.lists; ++l) {
        ProfList *list = ProfAppendListA(job, nullptr, listName(l).c_str());
        ini += "[" + listName(l) + "]\n";
        for (int i = 0; i < set.itemsPerList; ++i) {
            const std::string value = valueFor(l, i, state);
            ProfAppendStringA(job, list, itemName(i).c_str(), value.c_str());
            ini += itemName(i) + "=" + value + "\n";
            if ((l * 7 + i) % 5 == 0)
                ints.emplace_back(l, i);
        }
    }
    ProfSaveA(job, p.textPath.c_str(), PROF_FORMAT_TEXT);
    ProfSaveA(job, p.xmlPath.c_str(), PROF_FORMAT_XML);
    ProfJobClose(job);
    testsupport::writeFile(p.iniPath, ini);
    p.xmlBytes = testsupport::readFile(p.xmlPath);

    for (int k = 0; k < kLookups; ++k) {
        const auto &[l, i] = ints[(static_cast<size_t>(k) * 7919u) % ints.size()];
        p.intPaths.push_back("/" + listName(l) + "/" + itemName(i));
        p.intAt.emplace_back(l, i);
    }
    return p;
}

using IniMap = std::unordered_map<std::string, std::unordered_map<std::string, std::string>>;

int iniHandler(void *user, const char *section, const char *name, const char *value)
{
    (*static_cast<IniMap *>(user))[section][name] = value;
    return 1;
}

// --- parsing -----------------------------------------------------------------

void BM_TextOpen(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    for (auto _ : state) {
        ProfJob *job = ProfJobOpenA(p.textPath.c_str());
        benchmark::DoNotOptimize(job);
        ProfJobClose(job);
    }
}

void BM_InihOpen(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    for (auto _ : state) {
        IniMap map;
        ini_parse(p.iniPath.c_str(), iniHandler, &map);
        benchmark::DoNotOptimize(map);
    }
}

void BM_XmlOpen(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    for (auto _ : state) {
        ProfJob *job = ProfJobOpenA(p.xmlPath.c_str());
        benchmark::DoNotOptimize(job);
        ProfJobClose(job);
    }
}

void BM_PugiOpen(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    for (auto _ : state) {
        pugi::xml_document doc;
        doc.load_file(p.xmlPath.c_str(), pugi::parse_default, pugi::encoding_utf16_le);
        benchmark::DoNotOptimize(doc);
    }
}

// --- lookups -----------------------------------------------------------------

long sumOfLookups(ProfJob *job, const Prepared &p)
{
    long sum = 0;
    for (const std::string &path : p.intPaths) {
        int value = 0;
        ProfGetIntA(job, nullptr, path.c_str(), &value, 0);
        sum += value;
    }
    return sum;
}

void BM_TypedLookups(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    ProfJob *job = ProfJobOpenA(p.textPath.c_str());
    for (auto _ : state) {
        benchmark::DoNotOptimize(sumOfLookups(job, p));
    }
    ProfJobClose(job);
}

// The same lookups as the first after a change: before each round a value
// that was looked up is deleted and set again, which makes the library
// forget the paths it remembered, so every lookup walks the tree.
void BM_UncachedLookups(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    ProfJob *job = ProfJobOpenA(p.textPath.c_str());
    const char *changed = p.intPaths.front().c_str();
    for (auto _ : state) {
        state.PauseTiming();
        int kept = 0;
        ProfGetIntA(job, nullptr, changed, &kept, 0);
        ProfDeleteItemA(job, nullptr, changed);
        ProfSetIntA(job, nullptr, changed, kept);
        state.ResumeTiming();
        benchmark::DoNotOptimize(sumOfLookups(job, p));
    }
    ProfJobClose(job);
}

pugi::xml_node pugiItem(pugi::xml_node profile, const std::pair<int, int> &at)
{
    return profile.find_child_by_attribute("list", "name", listName(at.first).c_str())
        .find_child_by_attribute("item", "name", itemName(at.second).c_str());
}

void BM_PugiLookups(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    pugi::xml_document doc;
    doc.load_buffer(p.xmlBytes.data(), p.xmlBytes.size(), pugi::parse_default, pugi::encoding_utf16_le);
    const pugi::xml_node profile = doc.child("profile");
    for (auto _ : state) {
        long sum = 0;
        for (const auto &at : p.intAt)
            sum += std::strtol(pugiItem(profile, at).child_value(), nullptr, 10);
        benchmark::DoNotOptimize(sum);
    }
}

// The floor of lookups and writes: every value under its absolute path.
using PathMap = std::unordered_map<std::string, std::string>;

PathMap pathMap(const DataSet &set)
{
    PathMap map;
    uint32_t state = 12345;
    for (int l = 0; l < set.lists; ++l)
        for (int i = 0; i < set.itemsPerList; ++i)
            map.emplace("/" + listName(l) + "/" + itemName(i), valueFor(l, i, state));
    return map;
}

void BM_MapLookups(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    const PathMap map = pathMap(*set);
    for (auto _ : state) {
        long sum = 0;
        for (const std::string &path : p.intPaths) {
            const auto it = map.find(path);
            sum += it == map.end() ? 0 : std::strtol(it->second.c_str(), nullptr, 10);
        }
        benchmark::DoNotOptimize(sum);
    }
}

// --- writes ------------------------------------------------------------------

void BM_Writes(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    ProfJob *job = ProfJobOpenA(p.textPath.c_str());
    for (auto _ : state) {
        for (int k = 0; k < kWrites; ++k)
            ProfSetIntA(job, nullptr, p.intPaths[static_cast<size_t>(k) % p.intPaths.size()].c_str(), k);
        for (int k = 0; k < kAppends; ++k)
            ProfAppendStringA(job, nullptr, "/appended/value", "text");
        state.PauseTiming();
        ProfDeleteListA(job, nullptr, "/appended");
        state.ResumeTiming();
    }
    ProfJobClose(job);
}

void BM_PugiWrites(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    pugi::xml_document doc;
    doc.load_buffer(p.xmlBytes.data(), p.xmlBytes.size(), pugi::parse_default, pugi::encoding_utf16_le);
    pugi::xml_node profile = doc.child("profile");
    for (auto _ : state) {
        char text[16];
        for (int k = 0; k < kWrites; ++k) {
            std::snprintf(text, sizeof text, "%d", k);
            pugiItem(profile, p.intAt[static_cast<size_t>(k) % p.intAt.size()]).text().set(text);
        }
        pugi::xml_node appended = profile.append_child("list");
        appended.append_attribute("name") = "appended";
        for (int k = 0; k < kAppends; ++k) {
            pugi::xml_node item = appended.append_child("item");
            item.append_attribute("name") = "value";
            item.text().set("text");
        }
        state.PauseTiming();
        profile.remove_child(appended);
        state.ResumeTiming();
    }
}

// A map has one value per path: the appended items are numbered.
void BM_MapWrites(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    PathMap map = pathMap(*set);
    for (auto _ : state) {
        char text[32];
        for (int k = 0; k < kWrites; ++k) {
            std::snprintf(text, sizeof text, "%d", k);
            map[p.intPaths[static_cast<size_t>(k) % p.intPaths.size()]] = text;
        }
        for (int k = 0; k < kAppends; ++k) {
            std::snprintf(text, sizeof text, "/appended/value%d", k);
            map.emplace(text, "text");
        }
        state.PauseTiming();
        for (int k = 0; k < kAppends; ++k) {
            std::snprintf(text, sizeof text, "/appended/value%d", k);
            map.erase(text);
        }
        state.ResumeTiming();
    }
}

// --- saves -------------------------------------------------------------------

void BM_SaveText(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    ProfJob *job = ProfJobOpenA(p.textPath.c_str());
    const std::string target = (p.dir / "saved.prf").string();
    for (auto _ : state)
        benchmark::DoNotOptimize(ProfSaveA(job, target.c_str(), PROF_FORMAT_TEXT));
    ProfJobClose(job);
}

void BM_SaveXml(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    ProfJob *job = ProfJobOpenA(p.textPath.c_str());
    const std::string target = (p.dir / "saved.xml").string();
    for (auto _ : state)
        benchmark::DoNotOptimize(ProfSaveA(job, target.c_str(), PROF_FORMAT_XML));
    ProfJobClose(job);
}

void BM_PugiSave(benchmark::State &state, const DataSet *set)
{
    Prepared &p = prepare(*set);
    pugi::xml_document doc;
    doc.load_buffer(p.xmlBytes.data(), p.xmlBytes.size(), pugi::parse_default, pugi::encoding_utf16_le);
    const std::string target = (p.dir / "pugi.xml").string();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            doc.save_file(target.c_str(), " ", pugi::format_default, pugi::encoding_utf16_le));
}

// Records every result and prints the ratios after the table. CPU time is
// compared: on a busy machine the wall-clock time mostly measures waiting.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        // With repetitions, the medians stand for the measurements.
        for (const Run &run : runs) {
            const double ns = run.GetAdjustedCPUTime() * multiplier(run.time_unit);
            if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                nanoseconds_[run.benchmark_name()] = ns;
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                nanoseconds_[run.run_name.str()] = ns;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        static const std::pair<const char *, const char *> kPairs[] = {
            {"TextOpen", "InihOpen"},          {"XmlOpen", "PugiOpen"},
            {"TypedLookups", "PugiLookups"},   {"TypedLookups", "MapLookups"},
            {"UncachedLookups", "MapLookups"}, {"Writes", "PugiWrites"},
            {"Writes", "MapWrites"},           {"SaveText", "PugiSave"},
            {"SaveXml", "PugiSave"},
        };
        std::printf("\nRatios of CPU time (ours / reference; below 1 is faster):\n");
        for (const DataSet &set : kSets) {
            for (const auto &[ours, reference] : kPairs) {
                const auto a = nanoseconds_.find(std::string(ours) + "/" + set.name);
                const auto b = nanoseconds_.find(std::string(reference) + "/" + set.name);
                if (a != nanoseconds_.end() && b != nanoseconds_.end() && b->second > 0)
                    std::printf("  %-8s %-15s / %-12s %6.2f  (%.3f ms / %.3f ms)\n", set.name, ours,
                                reference, a->second / b->second, a->second / 1e6, b->second / 1e6);
            }
        }
        const auto wide = nanoseconds_.find("TypedLookups/wide");
        if (wide != nanoseconds_.end())
            std::printf("  10000 lookups in the wide list: %.3f ms (goal: under 5 ms)\n", wide->second / 1e6);
    }

private:
    static double multiplier(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kSecond:
            return 1e9;
        case benchmark::kMillisecond:
            return 1e6;
        case benchmark::kMicrosecond:
            return 1e3;
        default:
            return 1;
        }
    }
    std::map<std::string, double> nanoseconds_;
};

void registerSet(const DataSet &set)
{
    using Fn = void (*)(benchmark::State &, const DataSet *);
    const std::pair<const char *, Fn> kBenchmarks[] = {
        {"TextOpen", BM_TextOpen},
        {"InihOpen", BM_InihOpen},
        {"XmlOpen", BM_XmlOpen},
        {"PugiOpen", BM_PugiOpen},
        {"TypedLookups", BM_TypedLookups},
        {"PugiLookups", BM_PugiLookups},
        {"MapLookups", BM_MapLookups},
        {"UncachedLookups", BM_UncachedLookups},
        {"Writes", BM_Writes},
        {"PugiWrites", BM_PugiWrites},
        {"MapWrites", BM_MapWrites},
        {"SaveText", BM_SaveText},
        {"SaveXml", BM_SaveXml},
        {"PugiSave", BM_PugiSave},
    };
    for (const auto &[name, fn] : kBenchmarks)
        benchmark::RegisterBenchmark((std::string(name) + "/" + set.name).c_str(), fn, &set)
            ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char **argv)
{
    std::string which = "all";
    std::vector<char *> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--set=", 6) == 0)
            which = argv[i] + 6;
        else
            rest.push_back(argv[i]);
    }
    for (const DataSet &set : kSets) {
        if (which == "all" || which == set.name)
            registerSet(set);
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    g_prepared.clear();
    return 0;
}
