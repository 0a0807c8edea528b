#pragma once

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

// Takes "--scale=F" (the fleet's size as a factor of the full size) out of
// the arguments, so that the rest goes to the benchmark library; 1 without it.
inline double TakeScaleArgument(int &argc, char **argv)
{
    double scale = 1.0;
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("--scale=", 0) == 0) {
            char *end = nullptr;
            const double value = std::strtod(a.c_str() + 8, &end);
            if (end && *end == '\0' && value > 0 && value <= 100)
                scale = value;
            else
                std::fprintf(stderr, "ignored: %s (a factor above 0 and at most 100)\n", a.c_str());
        } else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return scale;
}

// Collects the times of benchmark pairs "<Name>_<ours>" and "<Name>_sqlite"
// and prints the ratio ours / SQLite of each pair at the end. Further
// references "<Name>_sqlite-<what>" get a line of their own, named after what
// they compare with. Run with --benchmark_repetitions=N, the medians are compared.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter(std::string ours, std::string heading) : ours_("_" + ours), heading_(std::move(heading)) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs) {
            // With repetitions the ratio is that of the medians; single repetitions and the other
            // aggregates are left out of it.
            if (r.repetitions > 1 && (r.run_type != Run::RT_Aggregate || r.aggregate_name != "median"))
                continue;
            std::string name = r.benchmark_name();
            if (r.run_type == Run::RT_Aggregate)
                name.erase(name.size() - r.aggregate_name.size() - 1);
            times_[name] = r.GetAdjustedCPUTime();
            units_[name] = benchmark::GetTimeUnitString(r.time_unit);
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%s\n", heading_.c_str());
        for (const auto &[name, t] : times_) {
            const auto at = name.find(ours_);
            if (at == std::string::npos)
                continue;
            const std::string base = name.substr(0, at);
            auto s = times_.find(base + "_sqlite" + name.substr(at + ours_.size()));
            if (s != times_.end() && s->second > 0)
                std::printf("  %-22s %6.2f  (%.4g %s against %.4g %s)\n", base.c_str(), t / s->second, t,
                            units_[name].c_str(), s->second, units_[s->first].c_str());
            const std::string other = base + "_sqlite-";
            for (auto o = times_.lower_bound(other); o != times_.end() && o->first.rfind(other, 0) == 0; ++o)
                if (o->second > 0)
                    std::printf("  %-22s %6.2f  (%.4g %s against %s %.4g %s)\n", base.c_str(), t / o->second,
                                t, units_[name].c_str(), o->first.substr(base.size() + 1).c_str(), o->second,
                                units_[o->first].c_str());
        }
    }

private:
    std::string ours_, heading_;
    std::map<std::string, double> times_;
    std::map<std::string, std::string> units_;
};
