// Tests that run inside the program's own application object with the real database dialogs.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "app/Morvale1App.h"
#include "presets/qt/PresetDialogRunner.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The recent-file list of a test run never touches the user's own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    morvale::CMorvale1App app(argc, argv);
    app.SetPresetDialogsFactory([](QWidget* owner) -> std::unique_ptr<morvale::IPresetDialogs> {
        return std::make_unique<morvale::CPresetDialogRunner>(owner);
    });
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    app.ExitInstance();
    return result;
}
