#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/Morvale1App.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings of a test run never touch the user's own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    morvale::CMorvale1App app(argc, argv);
    return RUN_ALL_TESTS();
}
