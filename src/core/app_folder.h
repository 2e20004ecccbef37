#pragma once

#include <string>
#include <vector>

namespace lec {

// The application folder on a system with drive letters: for each entry N of
// the root of drive C: (in listing order) whose "C:\N" begins the working
// folder, that folder; the last such entry wins; "" when none does (the files
// then resolve against the root of the current drive). A plain prefix test,
// as the original made it: "C:\Lamp" also matches "C:\Lampe\bin".
std::string appFolderFromDrive(const std::vector<std::string>& rootEntries,
                               const std::string& workingFolder);

// Where the program's files live when no folder is given: on Windows the
// drive rule above; elsewhere the working folder (there are no drive roots,
// and the top-level folder would be /home or /opt).
std::string defaultAppFolder();

}  // namespace lec
