// The settings files are edited by hand and written by older versions: every
// reader must take any content without harm, and a settings file written
// from what was read must read back to the same settings.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/software_settings.h"
#include "core/startup_files.h"
#include "link/port_table.h"
#include "platform/text_file.h"

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace sf = lec::startup_files;
    const auto lines =
        lec::textfile::splitLines(std::string_view(reinterpret_cast<const char*>(data), size));

    sf::readPowerSetPoints(lines);
    sf::readQthAlarmItems(lines);
    sf::readQthThreshold(lines);
    sf::readLfcAlarmSettings(lines);
    sf::readCoefficients(lines);
    sf::readParamValues(lines);
    sf::readShtLevel(lines);
    sf::readShtAlarmItems(lines);
    lec::port_table::fromLines(lines);

    for (auto mode : {lec::settings_file::BadLine::Skip, lec::settings_file::BadLine::Stop}) {
        lec::SoftwareSettings settings;
        lec::settings_file::apply(lines, settings, mode);
        lec::settings_file::applyCoefficientView(lines, settings);
        // What was read, saved and read again, gives the same settings (the
        // customer name and the minutes stay one line each).
        if (settings.CustomerName.find_first_of("\r\n") == std::string::npos &&
            settings.ServiceReturnMinutes.find_first_of("\r\n") == std::string::npos &&
            !settings.ServiceReturnMinutes.empty()) {
            lec::SoftwareSettings again;
            check(lec::settings_file::apply(lec::settings_file::savedLines(settings), again,
                                            lec::settings_file::BadLine::Stop) == 0);
            again.CoefficientView = settings.CoefficientView;
            check(again == settings);
        }
    }
    return 0;
}
