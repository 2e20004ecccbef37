// The handling of one status frame on the whole program: fields, derived
// values, the row of the LE table, the alarm checks and the send timer. Six
// engines at five frames a second each must leave the event thread idle.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/program.h"
#include "link/frame_format.h"
#include "link/status_decoder.h"
#include "link/status_fields.h"
#include "platform/virtual/memory_surface.h"
#include "platform/virtual/recording_dialogs.h"
#include "platform/virtual/recording_printer.h"
#include "platform/virtual/virtual_clock.h"
#include "platform/virtual/virtual_scheduler.h"
#include "platform/virtual/virtual_serial.h"

namespace {

namespace fs = std::filesystem;

lec::StatusFields litFrame(int lpc) {
    lec::StatusFields f{};
    f[1] = 5;
    f[5] = 9;
    f[10] = 45;
    f[11] = 31;
    f[12] = lpc;
    f[13] = 80;
    f[15] = 30;
    f[16] = 40;
    f[17] = 50;
    f[18] = 60;
    f[26] = 17;
    f[30] = 123;
    return f;
}

void BM_StatusFrameFields(benchmark::State& state) {
    const std::string frame = lec::formatStatusFrame(litFrame(100));
    for (auto _ : state) {
        benchmark::DoNotOptimize(lec::status::decodeFields(frame));
    }
}
BENCHMARK(BM_StatusFrameFields);

void BM_StatusFrameHandled(benchmark::State& state) {
    const fs::path folder =
        fs::temp_directory_path() / ("lec-bench-status-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    {
        lec::VirtualScheduler scheduler;
        lec::VirtualClock clock(scheduler, lec::DateTime{2026, 12, 11, 9, 30, 0});
        lec::RecordingDialogs dialogs;
        lec::RecordingPrinter printer;
        lec::MemorySurfaceFactory surfaces;
        lec::VirtualSerialHub serial(scheduler);
        lec::Platform platform{scheduler, clock,  dialogs,         printer,
                               surfaces,  serial, folder.string(), (folder / "system").string()};
        platform.quit = [](int) {};
        lec::Program program(platform);
        program.start();
        scheduler.advance(3200);
        program.settings().settings().CoefficientView = 1;
        program.channels().le[0].PowerSetLoaded = 1;
        // Two frames in turn, so every cell really changes.
        const std::string frames[2] = {lec::formatStatusFrame(litFrame(100)),
                                       lec::formatStatusFrame(litFrame(101))};
        int n = 0;
        for (auto _ : state) {
            program.statusDecoder().handleFrame(0, frames[n++ & 1]);
        }
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
}
BENCHMARK(BM_StatusFrameHandled);

}  // namespace
