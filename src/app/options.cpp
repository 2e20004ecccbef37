#include "app/options.h"

#include <string_view>

namespace lec {

std::optional<Options> parseOptions(int argc, char** argv, std::string& error) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) {
                error = std::string(arg) + " needs a value";
                return false;
            }
            into = argv[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--headless") {
            o.headless = true;
        } else if (arg == "--demo") {
            o.demo = true;
        } else if (arg == "--app-folder") {
            if (!value(o.appFolder)) {
                return std::nullopt;
            }
        } else if (arg == "--system-folder") {
            if (!value(o.systemFolder)) {
                return std::nullopt;
            }
        } else if (arg == "--script") {
            if (!value(o.script)) {
                return std::nullopt;
            }
        } else {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        }
    }
    return o;
}

std::string usage() {
    return "usage: lecontrol [options]\n"
           "  --headless            run without windows (message boxes are printed)\n"
           "  --demo                serve COM1..COM6 with six simulated FADECs (demo cabinet)\n"
           "  --app-folder DIR      folder of the program's files (default: the working folder)\n"
           "  --system-folder DIR   folder of the password file (default: <app folder>/system)\n"
           "  --script FILE         replay the user actions in FILE and print dumps\n"
           "  --help                show this text\n";
}

}  // namespace lec
