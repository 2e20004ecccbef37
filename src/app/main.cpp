// lecontrol: supervision and control of the light-exposure cabinet.
#include <QApplication>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/le_table_text.h"
#include "app/options.h"
#include "app/program.h"
#include "app/qt/form_views.h"
#include "app/script_runner.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_scheduler.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/qt/qt_surface.h"
#include "platform/text_file.h"
#include "platform/virtual/recording_dialogs.h"
#include "platform/virtual/virtual_serial.h"
#include "simulator/demo_cabinet.h"

namespace {

bool displayAvailable() {
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(var);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

// Headless runs speak through standard output and error alone (box lines,
// dumps, script errors): Qt's own chatter about the environment stays out.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::cerr << message.toStdString() << std::endl;
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<lec::Options> parsed = lec::parseOptions(argc, argv, error);
    if (!parsed) {
        std::cerr << "lecontrol: " << error << "\n" << lec::usage();
        return 2;
    }
    const lec::Options& options = *parsed;
    if (options.help) {
        std::cout << lec::usage();
        return 0;
    }
    if (!options.headless && !displayAvailable()) {
        std::cerr << "lecontrol: no display found; run with --headless to work without windows\n";
        return 1;
    }
    if (options.headless) {
        // Without a display QApplication aborts: pick the offscreen platform first.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietQtMessages);
    }

    QApplication app(argc, argv);

    const std::string appFolder =
        options.appFolder.empty() ? std::filesystem::current_path().string() : options.appFolder;
    const std::string systemFolder = options.systemFolder.empty()
                                         ? lec::textfile::join(appFolder, "system")
                                         : options.systemFolder;
    lec::textfile::ensureFolder(appFolder);

    lec::QtScheduler scheduler;
    lec::QtClock clock;
    std::unique_ptr<lec::Dialogs> dialogs;
    if (options.headless) {
        auto recording = std::make_unique<lec::RecordingDialogs>();
        recording->setOpenObserver(
            [](const lec::Box& box) { std::cout << lec::boxLine(box) << std::endl; });
        dialogs = std::move(recording);
    } else {
        dialogs = std::make_unique<lec::QtDialogs>();
    }
    lec::QtPrinter printer(appFolder);
    lec::QtSurfaceFactory surfaces;
    // The demo cabinet's FADECs sit on in-memory lines in place of the serial
    // ports; both outlive the program, which holds ports on them.
    std::unique_ptr<lec::SerialPortFactory> serialPorts;
    std::unique_ptr<lec::sim::DemoCabinet> cabinet;
    if (options.demo) {
        auto hub = std::make_unique<lec::VirtualSerialHub>(scheduler);
        cabinet = std::make_unique<lec::sim::DemoCabinet>(scheduler, *hub);
        serialPorts = std::move(hub);
    } else {
        serialPorts = std::make_unique<lec::QtSerialPortFactory>(appFolder);
    }

    lec::Platform platform{scheduler, clock,        *dialogs,  printer,
                           surfaces,  *serialPorts, appFolder, systemFolder};
    platform.quit = [](int status) {
        std::cout.flush();
        QTimer::singleShot(0, [status] { QCoreApplication::exit(status); });
    };

    lec::Program program(platform);

    std::unique_ptr<lec::FormViews> views;
    if (!options.headless) {
        const auto tpp = lec::FormViews::screenTwipsPerPixel();
        views = std::make_unique<lec::FormViews>(program.forms(), tpp.x, tpp.y);
    }

    program.start();

    std::unique_ptr<lec::ScriptRunner> runner;
    if (!options.script.empty()) {
        runner =
            std::make_unique<lec::ScriptRunner>(program.forms(), platform, std::cout, std::cerr);
        if (!runner->load(options.script, error)) {
            std::cerr << "lecontrol: " << error << "\n";
            return 2;
        }
        if (views) {
            runner->setAfterAction([&views] { views->sync(); });
        }
        if (cabinet) {
            runner->setSimHandler([&cabinet](const std::vector<std::string>& words) {
                return cabinet->simAction(words);
            });
        }
        runner->start();
    }

    // Without a script nothing else speaks: the LE table shows the cabinet.
    std::unique_ptr<lec::Timer> tablePrint;
    if (options.headless && options.script.empty()) {
        if (const lec::forms::Form* log = program.forms().find("Log")) {
            tablePrint = scheduler.createTimer(
                "TablePrint", 1000, [log] { std::cout << lec::leTableText(*log) << std::flush; });
            tablePrint->start();
        }
    }

    return QApplication::exec();
}
