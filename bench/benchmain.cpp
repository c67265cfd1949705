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

// Prints, after the usual table, each layer figure as a ratio of its raw SQLite twin
// (BM_Layer_X against BM_Raw_X) and how the list commands grow from 10,000 to 100,000 words.
// Ratios are of CPU time: on a busy machine wall time mostly measures the neighbours.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred) {
                m_times[plainName(r.benchmark_name())] = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
                const auto ratio = r.counters.find("ratio");
                if (ratio != r.counters.end()) {
                    Figure &f = m_pairs[plainName(r.benchmark_name())];
                    f.label = r.report_label;
                    f.ratio = ratio->second.value;
                    f.programMs = counter(r, "program_ms");
                    f.rawMs = counter(r, "raw_ms");
                    f.goal = counter(r, "goal");
                }
            }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const std::string layer = "BM_Layer_", raw = "BM_Raw_";
        std::printf("\n%-60s %8s\n", "layer against raw SQLite (same work, same transactions; CPU)", "ratio");
        for (const auto &[name, t] : m_times) {
            if (name.rfind(layer, 0) != 0)
                continue;
            const std::string rest = name.substr(layer.size());
            const auto twin = m_times.find(raw + rest);
            if (twin != m_times.end() && twin->second > 0)
                std::printf("%-60s %8.2f\n", rest.c_str(), t / twin->second);
        }
        // Every BM_Pair_ figure: its label (the name without "BM_Pair_" when it has none), the
        // two sides' mean CPU time per run, the ratio, and the goal when the benchmark set one.
        if (!m_pairs.empty()) {
            std::printf("\nprogram against the most careful raw code, sides alternated (CPU per run)\n");
            std::printf("| %-72s | %11s | %11s | %6s | %6s |\n", "figure", "program ms", "raw ms", "ratio", "goal");
            std::printf("|%s|%s|%s|%s|%s|\n", std::string(74, '-').c_str(), std::string(13, '-').c_str(),
                        std::string(13, '-').c_str(), std::string(8, '-').c_str(), std::string(8, '-').c_str());
            for (const auto &[name, f] : m_pairs) {
                const std::string figure = f.label.empty() ? name.substr(std::min(name.size(), pair.size())) : f.label;
                const std::string goal = f.goal > 0 ? "<= " + fixed(f.goal) : std::string();
                std::printf("| %-72s | %11.4f | %11.4f | %5.2fx | %6s |%s\n", figure.c_str(), f.programMs, f.rawMs,
                            f.ratio, goal.c_str(), f.goal > 0 && f.ratio > f.goal ? " over" : "");
            }
        }
        std::printf("\n%-60s %8s\n", "growth from 10,000 to 100,000 words", "ratio");
        for (const auto &[name, t] : m_times) {
            const std::string big = "/100000";
            if (name.size() <= big.size() || name.compare(name.size() - big.size(), big.size(), big) != 0)
                continue;
            const auto small = m_times.find(name.substr(0, name.size() - big.size()) + "/10000");
            if (small != m_times.end() && small->second > 0)
                std::printf("%-60s %8.2f\n", name.c_str(), t / small->second);
        }
    }

private:
    struct Figure {
        std::string label;
        double ratio = 0, programMs = 0, rawMs = 0, goal = 0;
    };
    static double counter(const Run &r, const char *name)
    {
        const auto it = r.counters.find(name);
        return it == r.counters.end() ? 0.0 : it->second.value;
    }
    static std::string fixed(double v)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f", v);
        return text;
    }

    const std::string pair = "BM_Pair_";
    std::map<std::string, double> m_times;
    std::map<std::string, Figure> m_pairs;  // BM_Pair_* figures, by name
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
