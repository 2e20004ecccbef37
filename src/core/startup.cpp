#include "core/startup.h"

#include <filesystem>
#include <system_error>

#include "platform/text_file.h"

namespace lec {

namespace sf = startup_files;

namespace {

// Bright green of the Connect/Disconnect button once the link may be used.
constexpr Colour kConnectGreen = Colour::rgb(107, 255, 77);

constexpr int kLogWidth = 12900;
constexpr int kLogHeight = 10920;

// What Quit stops and closes, in this order. Windows that do not exist (yet)
// are skipped.
struct TimerOf {
    const char* window;
    const char* timer;
};
constexpr TimerOf kTimersStoppedOnQuit[] = {
    {"Log", "Timer1"},           {"Log", "Timer3"},
    {"Log", "Timer4"},           {"ConfigurationRS232", "Timer2"},
    {"Histo", "Timer1"},         {"ParamLogicielVB", "Timer1"},
    {"PW6Sliders", "Timer1"},    {"Saisie", "Timer17"},
    {"TestsMateriel", "Timer1"}, {"Halogen", "Timer2"},
    {"Halogen", "Timer3"},       {"Log", "Timer14"},
    {"Log", "Timer16"},          {"Log", "Timer61"},
    {"Log", "ReadLimit"},
};
// Locked until a password is entered, when the start password is on.
constexpr const char* kLockedMenus[] = {
    "mnuParameterVB", "mnuFadecParameters",  "mnuCodeError",
    "mnuHalogen",     "mnuTestMateriel",     "mnuReadLeSettings",
    "mnuCoeff",       "mnuCreateDataLogger", "mnuhisto",
};

constexpr const char* kWindowsClosedOnQuit[] = {
    "BoiteDialogue",   "Coefficients",   "ConfigurationRS232", "ControlLfcAlarm",
    "Datalogger",      "EspionStart",    "FadecParameters",    "Halogen",
    "Histo",           "InterCMD1",      "MessagesError",      "OKTransfert",
    "ParamLogicielVB", "PW6Sliders",     "TestsMateriel",      "Saisie",
    "SHTPC",           "ValeurDesParam",
};

}  // namespace

Startup::Startup(Platform& platform, forms::FormSet& forms, forms::Form& log, Channels& channels,
                 SettingsStore& settings, ActivityLog& activityLog, ErrorCodes& errorCodes)
    : platform_(platform),
      forms_(forms),
      log_(log),
      channels_(channels),
      settings_(settings),
      activityLog_(activityLog),
      errorCodes_(errorCodes),
      timer1_(log.addTimer(platform.scheduler.createTimer("Timer1", 100))),
      timer62_(log.addTimer(platform.scheduler.createTimer("Timer62", 3000))) {
    timer1_.setHandler([this] { initialise(); });
    timer62_.setHandler([this] { enableConnect(); });
    log_.at("mnuQuit").onClick = [this] { askQuit(); };
}

std::string Startup::title(const std::string& version) {
    return "  RZ Optic - Light Engine Control (RS232)     (PC version " + version + ")";
}

std::string Startup::pathOf(std::string_view name) const {
    const auto index = sf::startupIndex(name);
    const bool system = index && sf::kStartupFiles[*index].inSystemFolder;
    return textfile::join(system ? platform_.systemFolder : platform_.appFolder, std::string(name));
}

void Startup::formLoad() {
    channels_.AccessLevel = 1;
    channels_.AppFolder = platform_.appFolder;
    for (const char* folder : kDataFolders) {
        const std::string path = textfile::join(platform_.appFolder, folder);
        if (!textfile::ensureFolder(path)) {
            platform_.dialogs.message(" Warning!", "The folder " + path + " cannot be created ",
                                      BoxIcon::Critical);
        }
    }
    // The settings window is loaded, unseen, and reads the settings.
    settings_.load(settings_file::BadLine::Skip);

    channels_.SelectedLe = 1;
    log_.at("Label66").caption = "Selected LE = 1";
    for (int i = 0; i < kLeCount; ++i) {
        channels_.le[static_cast<std::size_t>(i)].LeMode = 0;
    }
    log_.load();
    timer1_.start();
}

void Startup::createFile(std::string_view name, const std::string& path) {
    if (name == sf::kNameInc) {
        textfile::ensureFolder(platform_.systemFolder);
    }
    if (!textfile::writeLines(path, sf::defaultLines(name))) {
        return;  // skipped, as every failing step of the start-up
    }
    if (name == sf::kNameInc) {
        // The passwords: readable by their owner alone.
        std::error_code ec;
        std::filesystem::permissions(
            path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
            std::filesystem::perm_options::replace, ec);
    }
}

// A file that the start-up cannot do without but cannot read: keep the user's
// copy beside it, go on with the defaults, and say so.
void Startup::replaceUnreadable(std::string_view name, const std::string& path) {
    const std::string copy = path + ".bad";
    std::error_code ec;
    std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing, ec);
    createFile(name, path);
    const std::string file(name);
    activityLog_.WriteHisto(
        0, file + " could not be read: defaults used, old file kept as " + file + ".bad");
    platform_.dialogs.message(" Warning!",
                              file +
                                  " could not be read and was replaced by its default values. "
                                  "The old file is kept as " +
                                  file + ".bad ",
                              BoxIcon::Warning);
}

template <typename Read>
void Startup::loadFile(std::string_view name, Read read) {
    const std::string path = pathOf(name);
    const auto index = sf::startupIndex(name);
    if (!textfile::exists(path)) {
        createFile(name, path);
        read(sf::defaultLines(name));
        return;
    }
    if (index) {
        values_.present[*index] = true;
    }
    const auto lines = textfile::readLines(path);
    if (lines && read(*lines)) {
        return;
    }
    // From CocheSelect.ini on a file that cannot be read leaves what it would
    // have set as it was.
    if (index && !sf::kStartupFiles[*index].skipOnFailure) {
        replaceUnreadable(name, path);
        read(sf::defaultLines(name));
    }
}

void Startup::initialise() {
    channels_.ProgramVersion = kProgramVersion;
    log_.at("mnuFunctions").visible = true;

    log_.caption = title(channels_.ProgramVersion);
    log_.setSize(kLogWidth, kLogHeight);
    log_.at("List4").clear();

    auto readPower = [this](const std::vector<std::string>& lines) {
        values_.powerSetPoints = sf::readPowerSetPoints(lines);
        if (values_.powerSetPoints) {
            for (int i = 0; i < kLeCount; ++i) {
                channels_.PowerSetFile[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(
                    (*values_.powerSetPoints)[static_cast<std::size_t>(i)]);
            }
        }
        return values_.powerSetPoints.has_value();
    };
    auto notRead = [](const std::vector<std::string>&) { return true; };

    loadFile(sf::kConsignePW, readPower);
    errorCodes_.fillTexts();
    loadFile(sf::kStatusHalogen, [this](const auto& lines) {
        values_.qthAlarmItems = sf::readQthAlarmItems(lines);
        return values_.qthAlarmItems.has_value();
    });
    loadFile(sf::kParamComx, notRead);
    loadFile(sf::kConsigne, [this](const auto& lines) {
        values_.qthThreshold = sf::readQthThreshold(lines);
        return values_.qthThreshold.has_value();
    });
    loadFile(sf::kConsSliderLCF, [this](const auto& lines) {
        values_.lfcAlarm = sf::readLfcAlarmSettings(lines);
        return values_.lfcAlarm.has_value();
    });
    loadFile(sf::kNS, notRead);
    loadFile(sf::kTypeFile, notRead);

    // From here on a step that fails is skipped.
    loadFile(sf::kCocheSelect, [this](const auto& lines) {
        return settings_file::applyCoefficientView(lines, settings_.settings());
    });
    loadFile(sf::kCoefficients, [this](const auto& lines) {
        auto table = sf::readCoefficients(lines);
        if (table) {
            channels_.LeCoefficients = *table;
        }
        values_.coefficients = std::move(table);
        return values_.coefficients.has_value();
    });
    loadFile(sf::kStartHalogen, notRead);
    loadFile(sf::kHisto, notRead);
    loadFile(sf::kParamSt, [this](const auto& lines) {
        values_.paramValues = sf::readParamValues(lines);
        return values_.paramValues.has_value();
    });
    if (paramValuesLoaded_) {
        paramValuesLoaded_(values_.paramValues);
    }
    loadFile(sf::kNameInc, notRead);
    loadFile(sf::kParamLogStart, [this](const auto& lines) {
        // The second reading: it ends at the first line it cannot read.
        settings_file::apply(lines, settings_.settings(), settings_file::BadLine::Stop);
        return true;
    });
    loadFile(sf::kSHTConsigne, [this](const auto& lines) {
        values_.shtLevel = sf::readShtLevel(lines);
        return values_.shtLevel.has_value();
    });
    loadFile(sf::kSHTPCStatusHal, [this](const auto& lines) {
        values_.shtAlarmItems = sf::readShtAlarmItems(lines);
        return values_.shtAlarmItems.has_value();
    });

    if (settings_.settings().StartPassword == 1) {
        for (const char* name : kLockedMenus) {
            if (forms::Control* entry = log_.find(name)) {
                entry->enabled = false;
            }
        }
        passwordAwaited_ = true;
    }

    log_.at("Label66").caption = "Selected LE = ?";
    channels_.SelectedLe = 1;

    // The set-points once more, as the power column shows them.
    if (const auto lines = textfile::readLines(pathOf(sf::kConsignePW))) {
        readPower(*lines);
    }
    for (int i = 0; i < kLeCount; ++i) {
        if (forms::Control* cell = log_.find("Label15", i)) {
            cell->caption =
                std::to_string(channels_.PowerSetFile[static_cast<std::size_t>(i)] * 10) + " We";
        }
    }

    channels_.TransferState = 0;
    timer62_.start();
    timer1_.stop();
}

void Startup::enableConnect() {
    auto& connect = log_.at("ActiveDesactiveRS232");
    connect.enabled = true;
    connect.caption = "Connect/Disconnect";
    connect.back = kConnectGreen;
    timer62_.stop();
}

void Startup::askQuit() {
    platform_.dialogs.question(" Warning!", "Are you sure you want to exit the program!",
                               [this](bool yes) {
                                   if (yes) {
                                       quit();
                                   }
                               });
}

void Startup::quit() {
    for (const auto& [window, timer] : kTimersStoppedOnQuit) {
        if (const forms::Form* form = forms_.find(window)) {
            if (Timer* t = form->timer(timer)) {
                t->stop();
            }
        }
    }
    for (const char* window : kWindowsClosedOnQuit) {
        if (forms::Form* form = forms_.find(window)) {
            form->unload();
        }
    }
    log_.unload();
    platform_.quit(0);
}

}  // namespace lec
