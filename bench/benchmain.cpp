#include <QApplication>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace {

// The name without the run's settings ("/iterations:3").
std::string plainName(std::string name)
{
    const auto at = name.find("/iterations:");
    return at == std::string::npos ? name : name.substr(0, at);
}

std::string fixed(double v, const char *format)
{
    char text[32];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

// Prints, after the usual table, every paired figure (program against the most careful raw code,
// sides alternated in one process on CPU time), and how the figures measured at 10,000 and 100,000
// words grow between the two.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred)
                continue;
            const std::string name = plainName(r.benchmark_name());
            m_times[name] = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
            if (r.counters.find("ratio") == r.counters.end())
                continue;
            Figure &f = m_pairs[name];
            f.label = r.report_label;
            for (const auto &[key, slot] : {std::pair<const char *, double *>{"ratio", &f.ratio},
                                            {"ratio_lo", &f.lowest}, {"ratio_hi", &f.highest},
                                            {"program_ms", &f.programMs}, {"raw_ms", &f.rawMs}, {"goal", &f.goal}})
                *slot = counter(r, key);
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        printPairs();
        printGrowth();
    }

private:
    // A figure's numbers; -1 for one its benchmark did not report.
    struct Figure {
        std::string label;
        double ratio = -1, lowest = -1, highest = -1, programMs = -1, rawMs = -1, goal = -1;
    };

    static double counter(const Run &r, const char *name)
    {
        const auto it = r.counters.find(name);
        return it == r.counters.end() ? -1.0 : it->second.value;
    }

    // A figure is named by its label, else by the benchmark's name without "BM_Pair_".
    static std::string figureName(const std::string &name, const Figure &f)
    {
        if (!f.label.empty())
            return f.label;
        const std::string pair = "BM_Pair_";
        return name.rfind(pair, 0) == 0 ? name.substr(pair.size()) : name;
    }

    void printPairs() const
    {
        if (m_pairs.empty())
            return;
        size_t width = 6;
        for (const auto &[name, f] : m_pairs)
            width = std::max(width, figureName(name, f).size());
        std::printf("\nprogram against the most careful raw code for the same effect: the sides alternate in one\n"
                    "process, CPU time; ratio = median of the rounds' program/raw, with the lowest and highest round\n");
        std::printf("| %-*s | %10s | %10s | %6s | %6s | %7s | %6s |\n", int(width), "figure", "program ms", "raw ms",
                    "ratio", "lowest", "highest", "goal");
        std::printf("|%s|------------|------------|--------|--------|---------|--------|\n",
                    std::string(width + 2, '-').c_str());
        const auto cell = [](double v, const char *format) { return v < 0 ? std::string("-") : fixed(v, format); };
        for (const auto &[name, f] : m_pairs) {
            const bool over = f.goal > 0 && f.ratio > f.goal;
            // A ratio without rounds was not measured by the pair clock: say so rather than pass it as one.
            const char *note = f.lowest < 0 ? " (not alternated on CPU)" : over ? " OVER GOAL" : "";
            std::printf("| %-*s | %10s | %10s | %5.2fx | %6s | %7s | %6s |%s\n", int(width), figureName(name, f).c_str(),
                        cell(f.programMs, "%.4f").c_str(), cell(f.rawMs, "%.4f").c_str(), f.ratio,
                        cell(f.lowest, "%.2fx").c_str(), cell(f.highest, "%.2fx").c_str(),
                        f.goal > 0 ? ("<=" + fixed(f.goal, "%.2f")).c_str() : "", note);
        }
    }

    void printGrowth() const
    {
        std::printf("\n%-60s %8s\n", "growth from 10,000 to 100,000 words (CPU)", "ratio");
        const std::string big = "/100000";
        for (const auto &[name, t] : m_times) {
            if (name.size() <= big.size() || name.compare(name.size() - big.size(), big.size(), big) != 0)
                continue;
            const auto small = m_times.find(name.substr(0, name.size() - big.size()) + "/10000");
            if (small != m_times.end() && small->second > 0)
                std::printf("%-60s %8.2f\n", name.c_str(), t / small->second);
        }
    }

    std::map<std::string, double> m_times;
    std::map<std::string, Figure> m_pairs;  // every figure with a "ratio", by benchmark name
};

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
