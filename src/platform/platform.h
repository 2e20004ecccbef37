#pragma once

#include <functional>
#include <string>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/scheduler.h"
#include "platform/serial_port.h"
#include "platform/surface.h"

namespace lec {

// Everything the program needs from the world, in one bundle. The real
// program fills it with Qt implementations, the test rig with virtual ones.
struct Platform {
    Scheduler& scheduler;
    Clock& clock;
    Dialogs& dialogs;
    Printer& printer;
    SurfaceFactory& surfaces;
    SerialPortFactory& serialPorts;

    std::string appFolder;     // where the program's files live
    std::string systemFolder;  // the files the original kept in the system folder

    // Screen size in twips (a window centred on the screen needs it).
    int screenWidthTwips = 1920 * 15;  // 1920 x 1080 pixels at 96 dpi
    int screenHeightTwips = 1080 * 15;

    // Ends the program with this exit status (after the current handler).
    std::function<void(int status)> quit;
};

}  // namespace lec
