#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/scheduler.h"
#include "platform/virtual/virtual_serial.h"
#include "simulator/fadec_model.h"
#include "simulator/fadec_port.h"

namespace lec::sim {

// A cabinet of six simulated light engines: FADEC n sits on line COMn of an
// in-memory hub, so the program finds its engines on COM1..COM6 with nothing
// plugged in. Runs on whatever scheduler the hub uses, virtual or real time.
class DemoCabinet {
public:
    static constexpr int kFadecs = 6;

    struct Options {
        std::uint32_t seed = 1;  // FADEC n uses seed + n - 1
        bool eager = false;
    };

    DemoCabinet(Scheduler& scheduler, VirtualSerialHub& hub);
    DemoCabinet(Scheduler& scheduler, VirtualSerialHub& hub, Options options);
    ~DemoCabinet();
    DemoCabinet(const DemoCabinet&) = delete;
    DemoCabinet& operator=(const DemoCabinet&) = delete;

    // n = 1..6; std::out_of_range otherwise.
    FadecModel& fadec(int n);

    // The script action `sim N field K VALUE`, `sim N release K` or
    // `sim N silent 0|1`, given the words after "sim": nullopt when done,
    // otherwise why it cannot be done.
    std::optional<std::string> simAction(const std::vector<std::string>& words);

private:
    struct Engine {
        std::unique_ptr<DeviceFadecPort> port;
        std::unique_ptr<FadecModel> model;
    };
    std::array<Engine, kFadecs> engines_;
};

// The configuration of demo FADEC n: each engine has its own noise and its own
// hour counters, so the six rows of the cabinet do not read alike.
FadecConfig demoFadecConfig(int n, const DemoCabinet::Options& options);

}  // namespace lec::sim
