// The activity log's costs: a full Histo.txt (32,000 records) loaded, tidied
// and written back when the log window opens, and one WriteHisto record with
// its flush to the disk, as every start, stop and error pays it.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/program.h"
#include "forms/form.h"
#include "forms/user_actions.h"
#include "platform/text_file.h"
#include "platform/virtual/memory_surface.h"
#include "platform/virtual/recording_dialogs.h"
#include "platform/virtual/recording_printer.h"
#include "platform/virtual/virtual_clock.h"
#include "platform/virtual/virtual_scheduler.h"
#include "platform/virtual/virtual_serial.h"
#include "records/activity_log.h"
#include "records/histo_list.h"

namespace {

namespace fs = std::filesystem;

class Folder {
public:
    Folder() {
        path_ = fs::temp_directory_path() / ("lec-bench-" + std::to_string(::getpid()));
        fs::create_directories(path_);
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

// 32,000 records as a running cabinet writes them, with what older versions
// and crashes left behind: a blank line and a three-blank record in every
// hundred.
std::string fullLog() {
    static const char* kMessages[] = {
        "LE1  Starting LE ",
        "LE2  Off LE ",
        "LE3  V1 - Fan speed too fast",
        "LE4  Motor M - speed > 4,000 RPM ",
        "LE5  No communication with machine System!",
        "Cycle(s) : 0000042",
    };
    std::string bytes;
    for (int i = 0; i < 32000; ++i) {
        if (i % 100 == 50) {
            bytes += "\r\n";
            continue;
        }
        const std::string message =
            i % 100 == 70 ? std::string("LE6   Alarm LFC ") : kMessages[i % std::size(kMessages)];
        bytes += lec::ActivityLog::record("14:05:33", "09.12.2026", i % 7 == 0 ? 3 : 0, message);
        bytes += "\r\n";
    }
    return bytes;
}

// Opening the window on a log that needs tidying: read, tidy, atomic rewrite.
void BM_HistoLoadTidyRewrite32000(benchmark::State& state) {
    Folder folder;
    const std::string path = folder.file("Histo.txt");
    const std::string original = fullLog();
    std::size_t listed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        lec::textfile::writeAll(path, original);
        state.ResumeTiming();
        const lec::histo::Loaded loaded = lec::histo::loadAndRewrite(path);
        listed = loaded.records.size();
        benchmark::DoNotOptimize(listed);
    }
    state.counters["records"] = static_cast<double>(listed);
}
BENCHMARK(BM_HistoLoadTidyRewrite32000)->Unit(benchmark::kMillisecond);

// The same through the window: "Upload File", Timer1, the list filled.
void BM_HistoWindowUpload32000(benchmark::State& state) {
    Folder folder;
    const std::string original = fullLog();
    lec::VirtualScheduler scheduler;
    lec::VirtualClock clock(scheduler, lec::DateTime{2026, 12, 11, 9, 30, 0});
    lec::RecordingDialogs dialogs;
    lec::RecordingPrinter printer;
    lec::MemorySurfaceFactory surfaces;
    lec::VirtualSerialHub serial(scheduler);
    lec::Platform platform{scheduler, clock,  dialogs,       printer,
                           surfaces,  serial, folder.path(), folder.file("system")};
    platform.quit = [](int) {};
    lec::Program program(platform);
    program.start();
    scheduler.advance(200);
    lec::forms::userClick(program.forms().find("Log")->at("mnuhisto"));
    lec::forms::Form& histo = *program.forms().find("Histo");

    for (auto _ : state) {
        state.PauseTiming();
        lec::textfile::writeAll(folder.file("Histo.txt"), original);
        state.ResumeTiming();
        lec::forms::userClick(histo.at("mnuChargeFichier"));
        scheduler.advance(100);
        benchmark::DoNotOptimize(histo.at("List1").items.size());
    }
    state.counters["entries"] = static_cast<double>(histo.at("List1").items.size());
}
BENCHMARK(BM_HistoWindowUpload32000)->Unit(benchmark::kMillisecond);

// The pure tidy of 32,000 entries, without the file.
void BM_HistoTidy32000(benchmark::State& state) {
    const lec::histo::FileRead read = lec::histo::readEntries(fullLog());
    for (auto _ : state) {
        auto entries = lec::histo::tidy(read.entries);
        benchmark::DoNotOptimize(entries.data());
    }
}
BENCHMARK(BM_HistoTidy32000)->Unit(benchmark::kMillisecond);

// One record: composed, appended, flushed and synced to the disk.
void BM_WriteHisto(benchmark::State& state) {
    Folder folder;
    lec::VirtualScheduler scheduler;
    lec::VirtualClock clock(scheduler, lec::DateTime{2026, 12, 11, 9, 30, 0});
    lec::ActivityLog log(clock, folder.path());
    for (auto _ : state) {
        benchmark::DoNotOptimize(log.WriteHisto(4, "LE1  V1 - Fan speed too fast"));
    }
}
BENCHMARK(BM_WriteHisto)->Unit(benchmark::kMicrosecond);

}  // namespace
