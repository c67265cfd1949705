#include <QApplication>
#include <benchmark/benchmark.h>
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
                if (ratio != r.counters.end())
                    m_pairs[plainName(r.benchmark_name())] = ratio->second.value;
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
        std::printf("\n%-60s %8s\n", "program against raw SQLite, sides alternated (CPU)", "ratio");
        for (const auto &[name, ratio] : m_pairs)
            std::printf("%-60s %8.2f\n", name.c_str(), ratio);
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
    std::map<std::string, double> m_times;
    std::map<std::string, double> m_pairs;  // BM_Pair_* figures: their "ratio" counter
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
