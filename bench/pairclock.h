#pragma once
// One figure, two sides in turn: each iteration runs the program's side and the raw side once, in
// alternating order, and times each with the thread's CPU clock. The figure's ratio is reported as
// the counter "ratio" (program / raw), which the summary after the run collects by name.

#include <benchmark/benchmark.h>
#include <ctime>
#include <sys/resource.h>

class TPPairClock {
public:
    // ChildrenCpu for sides that run as processes of their own: the CPU time of the finished children.
    enum Clock { ThreadCpu, ChildrenCpu };
    explicit TPPairClock(benchmark::State &state, Clock clock = ThreadCpu) : m_state(state), m_clock(clock) {}
    ~TPPairClock()
    {
        if (m_raw > 0)
            m_state.counters["ratio"] = m_program / m_raw;
        m_state.counters["program_ms"] = benchmark::Counter(m_program * 1e3 / (m_runs ? m_runs : 1));
        m_state.counters["raw_ms"] = benchmark::Counter(m_raw * 1e3 / (m_runs ? m_runs : 1));
    }
    TPPairClock(const TPPairClock &) = delete;
    TPPairClock &operator=(const TPPairClock &) = delete;

    // Runs both sides once; Program and Raw return what they did (a count, a checksum), which must agree.
    template <class P, class R>
    bool run(P &&Program, R &&Raw)
    {
        long long a = 0, b = 0;
        if (m_runs++ % 2 == 0) {
            a = timed(m_program, Program);
            b = timed(m_raw, Raw);
        } else {
            b = timed(m_raw, Raw);
            a = timed(m_program, Program);
        }
        if (a != b) {
            m_state.SkipWithError("the program and the raw side did different work");
            return false;
        }
        return true;
    }

private:
    template <class F>
    long long timed(double &total, F &&f)
    {
        const double t0 = now();
        const long long did = static_cast<long long>(f());
        total += now() - t0;
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
};
