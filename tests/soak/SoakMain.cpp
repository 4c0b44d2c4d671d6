#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "app/Morvale1App.h"
#include "presets/PresetDialogRunner.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings of a soak never touch the user's own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    morvale::CMorvale1App app(argc, argv);
    // The real database dialogs, as the program's main sets them up.
    app.SetPresetDialogsFactory([](QWidget* owner) -> std::unique_ptr<morvale::IPresetDialogs> {
        return std::make_unique<morvale::CPresetDialogRunner>(owner);
    });
    return RUN_ALL_TESTS();
}
