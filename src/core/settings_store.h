#pragma once

#include <string>

#include "core/software_settings.h"

namespace lec {

// Loads and saves the software settings in the application folder.
class SettingsStore {
public:
    explicit SettingsStore(std::string appFolder) : appFolder_(std::move(appFolder)) {}

    SoftwareSettings& settings() { return settings_; }
    const SoftwareSettings& settings() const { return settings_; }

    // Load(): both files, line by line. `mode` says what a line that cannot be
    // read does (the settings window skips it; the start-up stops there).
    // Returns the first bad line of ParamLogStart.ini, 0 when none.
    int load(settings_file::BadLine mode = settings_file::BadLine::Skip);
    // ParamLogStart.ini alone, as the start-up's second reading does.
    int loadMainFile(settings_file::BadLine mode);

    // Save(): ParamLogStart.ini afresh, then CocheSelect.ini, each replaced
    // whole or not at all. On failure the name of the file not written.
    bool save(std::string& failedFile) const;

    std::string path(const char* fileName) const;

private:
    std::string appFolder_;
    SoftwareSettings settings_;
};

}  // namespace lec
