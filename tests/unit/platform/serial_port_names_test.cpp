#include "platform/serial_port.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/text_file.h"
#include "support/temp_folder.h"

namespace lec {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
TEST(SerialDeviceName, MappedComNumberWinsOverTheBuiltInPort) {
    const test::TempFolder app;
    ASSERT_TRUE(textfile::ensureFolder(app.file("dev")));
    fs::create_symlink("/dev/null", app.file("dev/COM3"));
    fs::create_symlink(app.file("nowhere"), app.file("dev/COM4"));  // dangling still counts
    ASSERT_TRUE(textfile::writeAll(app.file("dev/COM5"), ""));

    EXPECT_EQ(serialDeviceName(3, app.path()), app.file("dev/COM3"));
    EXPECT_EQ(serialDeviceName(4, app.path()), app.file("dev/COM4"));
    EXPECT_EQ(serialDeviceName(5, app.path()), app.file("dev/COM5"));
    EXPECT_EQ(serialDeviceName(1, app.path()), "/dev/ttyS0");
    EXPECT_EQ(serialDeviceName(6, app.path()), "/dev/ttyS5");
    EXPECT_EQ(serialDeviceName(13, app.path()), "/dev/ttyS12");  // not COM1 + "3"
}
#else
TEST(SerialDeviceName, ComNamesAboveNineUseTheDeviceNamespace) {
    EXPECT_EQ(serialDeviceName(1, "C:/lec"), "COM1");
    EXPECT_EQ(serialDeviceName(9, "C:/lec"), "COM9");
    EXPECT_EQ(serialDeviceName(10, "C:/lec"), "\\\\.\\COM10");
}
#endif

}  // namespace
}  // namespace lec
