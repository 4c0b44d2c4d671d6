#include <memory>
#include <optional>

#include "app/CommandLine.h"
#include "app/Morvale1App.h"
#include "presets/qt/PresetDialogRunner.h"

int main(int argc, char** argv) {
    if (const std::optional<int> answered = morvale::AnswerWithoutWindow(argc, argv))
        return *answered;
    morvale::CMorvale1App app(argc, argv);
    app.SetPresetDialogsFactory([](QWidget* owner) -> std::unique_ptr<morvale::IPresetDialogs> {
        return std::make_unique<morvale::CPresetDialogRunner>(owner);
    });
    if (!app.InitInstance()) return app.ExitCode();
    return app.exec();
}
