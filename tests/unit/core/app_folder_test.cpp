#include "core/app_folder.h"

#include <gtest/gtest.h>

namespace lec {
namespace {

TEST(AppFolder, TheLastRootEntryThatBeginsTheWorkingFolderWins) {
    struct Case {
        std::vector<std::string> root;
        const char* cwd;
        const char* expected;
    };
    const Case cases[] = {
        {{"Program Files", "Lamp", "WINDOWS"}, "C:\\Lamp\\bin", "C:\\Lamp"},
        {{"Lamp"}, "D:\\Lamp\\bin", ""},                     // another drive
        {{"Lamp", "Lampe"}, "C:\\Lampe\\bin", "C:\\Lampe"},  // both match; the last wins
        {{"Lampe", "Lamp"}, "C:\\Lampe\\bin", "C:\\Lamp"},   // a plain prefix test
        {{"lamp"}, "C:\\Lamp", ""},                          // case counts
        {{}, "C:\\Lamp", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(appFolderFromDrive(c.root, c.cwd), c.expected) << c.cwd;
    }
}

}  // namespace
}  // namespace lec
