#pragma once
// One figure, two sides in turn: each iteration runs the program's side and the raw side once, in
// alternating order, and times each with the thread's CPU clock. Each round gives a ratio of its
// own (program / raw); the figure is the median of those, reported as the counter "ratio" with
// the lowest and highest round beside it ("ratio_lo", "ratio_hi"), and each side's mean CPU time
// per run ("program_ms", "raw_ms"). The summary after the run collects them by name.

#include <benchmark/benchmark.h>
#include <algorithm>
#include <ctime>
#include <sys/resource.h>
#include <vector>

class TPPairClock {
public:
    // ChildrenCpu for sides that run as processes of their own: the CPU time of the finished children.
    enum Clock { ThreadCpu, ChildrenCpu };
    explicit TPPairClock(benchmark::State &state, Clock clock = ThreadCpu) : m_state(state), m_clock(clock) {}
    ~TPPairClock()
    {
        const double runs = m_runs ? double(m_runs) : 1.0;
        m_state.counters["program_ms"] = m_program * 1e3 / runs;
        m_state.counters["raw_ms"] = m_raw * 1e3 / runs;
        if (m_ratios.empty())
            return;
        std::sort(m_ratios.begin(), m_ratios.end());
        const size_t n = m_ratios.size();
        m_state.counters["ratio"] = n % 2 ? m_ratios[n / 2] : (m_ratios[n / 2 - 1] + m_ratios[n / 2]) / 2;
        m_state.counters["ratio_lo"] = m_ratios.front();
        m_state.counters["ratio_hi"] = m_ratios.back();
    }
    TPPairClock(const TPPairClock &) = delete;
    TPPairClock &operator=(const TPPairClock &) = delete;

    // Runs both sides once; Program and Raw return what they did (a count, a checksum), which must agree.
    template <class P, class R>
    bool run(P &&Program, R &&Raw)
    {
        long long a = 0, b = 0;
        double program = 0, raw = 0;
        if (m_runs++ % 2 == 0) {
            a = timed(program, Program);
            b = timed(raw, Raw);
        } else {
            b = timed(raw, Raw);
            a = timed(program, Program);
        }
        m_program += program;
        m_raw += raw;
        if (raw > 0)
            m_ratios.push_back(program / raw);
        if (a != b) {
            m_state.SkipWithError("the program and the raw side did different work");
            return false;
        }
        return true;
    }

private:
    template <class F>
    long long timed(double &spent, F &&f)
    {
        const double t0 = now();
        const long long did = static_cast<long long>(f());
        spent = now() - t0;
        return did;
    }

    double now() const
    {
        if (m_clock == ChildrenCpu) {
            rusage u{};
            getrusage(RUSAGE_CHILDREN, &u);
            return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
        }
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    }

    benchmark::State &m_state;
    Clock m_clock;
    double m_program = 0, m_raw = 0;
    long m_runs = 0;
    std::vector<double> m_ratios;  // one per round
};
