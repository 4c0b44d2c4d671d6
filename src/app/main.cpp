#include "app/Morvale1App.h"

int main(int argc, char** argv) {
    morvale::CMorvale1App app(argc, argv);
    if (!app.InitInstance()) return app.ExitCode();
    return app.exec();
}
