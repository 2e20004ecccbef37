#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/channels.h"
#include "core/settings_store.h"
#include "core/startup_files.h"
#include "forms/form.h"
#include "platform/platform.h"
#include "records/activity_log.h"
#include "records/error_codes.h"

namespace lec {

// Brings the program up and takes it down: the main window's loading, the
// one-shot initialisation 100 ms later (Timer1) that loads or creates every
// settings file, Timer62 that enables Connect/Disconnect 3 s after it, and
// the Quit command.
class Startup {
public:
    static constexpr const char* kProgramVersion = " 1.08G";
    static constexpr const char* kDataFolders[] = {"Img", "Screen", "Datalogger"};

    Startup(Platform& platform, forms::FormSet& forms, forms::Form& log, Channels& channels,
            SettingsStore& settings, ActivityLog& activityLog, ErrorCodes& errorCodes);

    // The main window's loading; starts Timer1.
    void formLoad();

    const startup_files::StartupValues& values() const { return values_; }
    // Runs once ParamSt.ini has been loaded, or created with the defaults:
    // the parameter window shows them. nullopt when the file could not be read.
    using ParamValuesHandler =
        std::function<void(const std::optional<startup_files::ParamValues>& values)>;
    void setParamValuesLoaded(ParamValuesHandler handler) {
        paramValuesLoaded_ = std::move(handler);
    }

    // The start password is on and has not been entered yet.
    bool passwordAwaited() const { return passwordAwaited_; }

    // "  RZ Optic - Light Engine Control (RS232)     (PC version  1.08G)"
    static std::string title(const std::string& version);

private:
    void initialise();
    void enableConnect();
    void askQuit();
    void quit();

    // Loads one settings file, or creates it with its defaults when missing.
    // `read` takes the lines and says whether they could be read as expected.
    template <typename Read>
    void loadFile(std::string_view name, Read read);
    void replaceUnreadable(std::string_view name, const std::string& path);
    std::string pathOf(std::string_view name) const;
    void createFile(std::string_view name, const std::string& path);

    Platform& platform_;
    forms::FormSet& forms_;
    forms::Form& log_;
    Channels& channels_;
    SettingsStore& settings_;
    ActivityLog& activityLog_;
    ErrorCodes& errorCodes_;
    Timer& timer1_;
    Timer& timer62_;
    startup_files::StartupValues values_;
    bool passwordAwaited_ = false;
    ParamValuesHandler paramValuesLoaded_;
};

}  // namespace lec
