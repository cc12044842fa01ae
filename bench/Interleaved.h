// Times a piece of work and its peer alternately in one benchmark, so that their ratio is
// measured under the same conditions on a shared, noisy machine.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <type_traits>
#include <vector>

namespace bench {

// Processor time of the calling thread suits work that computes: time the machine gives to
// other processes is not the work's. Wall-clock time suits work that waits for the disk or
// for a child process.
enum class Clock { kThreadCpu, kWall };

inline double Now(Clock clock) {
    timespec t{};
    clock_gettime(clock == Clock::kThreadCpu ? CLOCK_THREAD_CPUTIME_ID : CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Seconds one call of fn takes. A fn that returns a double times itself (a child process
// reporting its own figure) and returns the seconds.
template <class Fn>
double TimeOf(Clock clock, Fn& fn) {
    if constexpr (std::is_same_v<std::invoke_result_t<Fn&>, double>) {
        return fn();
    } else {
        const double start = Now(clock);
        fn();
        return Now(clock) - start;
    }
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Each iteration runs subject and peer once, in alternating order. The benchmark's own time is
// the subject's (register it with UseManualTime() and a fixed Iterations count: the peer's
// time is not in the count's estimate). Counters, in milliseconds: the subject's minimum and
// median, the peer's minimum and median; and "x_vs_<peer>", the peer's median time over the
// subject's: above 1 the subject is faster.
template <class Subject, class Peer>
void Interleave(benchmark::State& state, const std::string& peerName, Clock clock, Subject subject,
                Peer peer) {
    std::vector<double> own;
    std::vector<double> theirs;
    bool peerFirst = false;
    for (auto _ : state) {
        if (peerFirst)
            theirs.push_back(TimeOf(clock, peer));
        own.push_back(TimeOf(clock, subject));
        if (!peerFirst)
            theirs.push_back(TimeOf(clock, peer));
        peerFirst = !peerFirst;
        state.SetIterationTime(own.back());
    }
    if (own.empty())
        return;
    const double ownMedian = Median(own);
    const double peerMedian = Median(theirs);
    state.counters["min_ms"] = *std::min_element(own.begin(), own.end()) * 1e3;
    state.counters["median_ms"] = ownMedian * 1e3;
    state.counters[peerName + "_min_ms"] = *std::min_element(theirs.begin(), theirs.end()) * 1e3;
    state.counters[peerName + "_median_ms"] = peerMedian * 1e3;
    state.counters["x_vs_" + peerName] = peerMedian / ownMedian;
}

} // namespace bench
