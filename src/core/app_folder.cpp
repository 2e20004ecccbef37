#include "core/app_folder.h"

#include <filesystem>
#include <system_error>

namespace lec {

std::string appFolderFromDrive(const std::vector<std::string>& rootEntries,
                               const std::string& workingFolder) {
    std::string found;
    for (const std::string& entry : rootEntries) {
        const std::string candidate = "C:\\" + entry;
        if (workingFolder.compare(0, candidate.size(), candidate) == 0) {
            found = candidate;
        }
    }
    return found;
}

std::string defaultAppFolder() {
    std::error_code ec;
    const std::string cwd = std::filesystem::current_path(ec).string();
#ifdef _WIN32
    std::vector<std::string> entries;
    for (const auto& e : std::filesystem::directory_iterator("C:\\", ec)) {
        entries.push_back(e.path().filename().string());
    }
    const std::string folder = appFolderFromDrive(entries, cwd);
    return folder.empty() ? std::string("\\") : folder;
#else
    return cwd;
#endif
}

}  // namespace lec
