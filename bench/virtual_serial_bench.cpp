// What an in-memory serial line costs the test rig: six lines each carrying a
// 160-byte status frame every 100 ms, read by the port on its receive event.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/virtual/virtual_scheduler.h"
#include "platform/virtual/virtual_serial.h"

namespace {

void BM_VirtualHourOfSixBusyLines(benchmark::State& state) {
    const std::string frame(160, '5');
    for (auto _ : state) {
        lec::VirtualScheduler s;
        lec::VirtualSerialHub hub(s);
        std::vector<std::unique_ptr<lec::SerialPort>> ports;
        std::vector<std::unique_ptr<lec::Timer>> senders;
        std::int64_t bytes = 0;
        for (int n = 1; n <= 6; ++n) {
            lec::VirtualSerialLine& line = hub.line(n);
            line.connectDevice();
            auto port = hub.createSerialPort();
            port->setPortNumber(n);
            lec::SerialPort* p = port.get();
            port->setEventHandler(
                [p, &bytes](int) { bytes += static_cast<std::int64_t>(p->read().size()); });
            port->open();
            ports.push_back(std::move(port));
            senders.push_back(
                s.createTimer("frame", 100, [&line, &frame] { line.device().write(frame); }));
            senders.back()->start();
        }
        s.advance(3600 * 1000);
        benchmark::DoNotOptimize(bytes);
        state.counters["bytes"] = static_cast<double>(bytes);
    }
}
BENCHMARK(BM_VirtualHourOfSixBusyLines)->Unit(benchmark::kMillisecond);

}  // namespace
