// How fast virtual time runs: the test rig spends most of its time here.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/virtual/virtual_scheduler.h"

namespace {

constexpr std::int64_t kDayMs = 24LL * 3600 * 1000;

// A day of the 30 ms send timer alone: 2.88 million ticks.
void BM_VirtualDayOfOne30msTimer(benchmark::State& state) {
    for (auto _ : state) {
        lec::VirtualScheduler s;
        std::int64_t ticks = 0;
        auto timer = s.createTimer("send", 30, [&ticks] { ++ticks; });
        timer->start();
        s.advance(kDayMs);
        benchmark::DoNotOptimize(ticks);
        state.counters["ticks"] = static_cast<double>(ticks);
    }
}
BENCHMARK(BM_VirtualDayOfOne30msTimer)->Unit(benchmark::kMillisecond);

// An hour with timers like the program's: six 30 ms send timers, six 100 ms
// supervision timers, a few one-second ones, each tick posting a task.
void BM_VirtualHourOfAProgramsTimers(benchmark::State& state) {
    for (auto _ : state) {
        lec::VirtualScheduler s;
        std::vector<std::unique_ptr<lec::Timer>> timers;
        std::int64_t work = 0;
        for (int le = 0; le < 6; ++le) {
            timers.push_back(s.createTimer("send", 30, [&] { s.post([&] { ++work; }); }));
            timers.push_back(s.createTimer("watch", 100, [&] { ++work; }));
        }
        for (int i = 0; i < 4; ++i)
            timers.push_back(s.createTimer("second", 1000, [&] { ++work; }));
        for (auto& t : timers)
            t->start();
        s.advance(3600 * 1000);
        benchmark::DoNotOptimize(work);
        state.counters["ticks"] = static_cast<double>(work);
    }
}
BENCHMARK(BM_VirtualHourOfAProgramsTimers)->Unit(benchmark::kMillisecond);

}  // namespace
