#include "platform/serial_port.h"

#include <filesystem>
#include <system_error>

#include "platform/text_file.h"

namespace lec {

std::string serialDeviceName(int portNumber, [[maybe_unused]] const std::string& appFolder) {
    const std::string com = "COM" + std::to_string(portNumber);
#ifdef _WIN32
    // Ports above COM9 exist only in the device namespace.
    return portNumber >= 10 ? "\\\\.\\" + com : com;
#else
    std::string mapped = textfile::join(textfile::join(appFolder, "dev"), com);
    // A dangling link counts too: opening it then fails with a clear error
    // instead of quietly opening a different port.
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(mapped, ec)))
        return mapped;
    return "/dev/ttyS" + std::to_string(portNumber - 1);
#endif
}

}  // namespace lec
