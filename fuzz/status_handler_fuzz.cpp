// Whatever the line delivers goes through the whole receive path of a running
// program: the decoder, the derived values and cells, the alarms, the error
// reports, the answer and the link supervision. Nothing may crash, whatever
// the bytes, the order or the settings.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "app/program.h"
#include "forms/user_actions.h"
#include "link/serial_link.h"
#include "platform/virtual/memory_surface.h"
#include "platform/virtual/recording_dialogs.h"
#include "platform/virtual/recording_printer.h"
#include "platform/virtual/virtual_clock.h"
#include "platform/virtual/virtual_scheduler.h"
#include "platform/virtual/virtual_serial.h"

namespace {

using namespace lec;

// One program for the whole run, with LE-1 on COM1 and every judgement on.
struct Cabinet {
    Cabinet()
        : folder(makeFolder()),
          clock(scheduler, DateTime{2026, 12, 11, 9, 30, 0}),
          serial(scheduler),
          platform{scheduler, clock,  dialogs, printer,
                   surfaces,  serial, folder,  folder + "/system"} {
        platform.quit = [](int) {};
        program = std::make_unique<Program>(platform);
        program->start();
        scheduler.advance(3200);
        auto& line = serial.line(1);
        line.connectDevice();
        line.device().setReceiver([](std::string_view) {});
        auto& settings = program->settings().settings();
        settings.LeActivated[0] = 1;
        settings.ShtSupervisedLe = 0;
        settings.LinkLossAlarm = 1;
        auto& log = *program->forms().find("Log");
        for (const char* alarm : {"mnuAlarmPlateau", "mnuAlarmLFC"}) {
            if (auto* entry = log.find(alarm)) {
                entry->checked = 1;
            }
        }
        auto& channels = program->channels();
        channels.ComPortNumber[0] = "1";
        channels.ComPortActive[0] = "1";
        program->serialLink().ActivationCOM();
        scheduler.advance(100);
    }

    static std::string makeFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lecontrol-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        static std::string made;
        made = pattern;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(made, ignored);
        });
        return pattern;
    }

    std::string folder;
    VirtualScheduler scheduler;
    VirtualClock clock;
    RecordingDialogs dialogs;
    RecordingPrinter printer;
    MemorySurfaceFactory surfaces;
    VirtualSerialHub serial;
    Platform platform;
    std::unique_ptr<Program> program;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Cabinet cabinet;
    if (size == 0) {
        return 0;
    }
    // The first byte chooses the view and the selected engine.
    cabinet.program->settings().settings().CoefficientView = data[0] & 1;
    cabinet.program->channels().SelectedLe = static_cast<Byte>(1 + (data[0] >> 1) % 6);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    auto& device = cabinet.serial.line(1).device();
    for (std::size_t at = 0; at < bytes.size(); at += 160) {
        device.write(bytes.substr(at, 160));
        cabinet.scheduler.advance(120);
    }
    cabinet.scheduler.advance(600);
    return 0;
}
