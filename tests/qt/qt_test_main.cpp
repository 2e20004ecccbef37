#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // QApplication aborts without a display: tests draw off screen unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
