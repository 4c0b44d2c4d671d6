#include "app/CommandLine.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <string_view>

#include "platform/qt/QtText.h"
#include "res/ResourceTables.h"

namespace morvale {

CommandLine::CommandLine()
    : help_({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Zeigt diese Hilfe an.")),
      version_({QStringLiteral("v"), QStringLiteral("version")},
               QStringLiteral("Zeigt die Versionsnummer an.")),
      print_({QStringLiteral("p"), QStringLiteral("print")},
             QStringLiteral("Druckt das Dokument ohne Fenster auf den Standarddrucker.")),
      printTo_(QStringLiteral("print-to"),
               QStringLiteral("Druckt das Dokument in die PDF-Datei <pdf>."),
               QStringLiteral("pdf")) {
    parser_.setApplicationDescription(
        QStringLiteral("Morvale – Mandelbrot- und Julia-Mengen erkunden."));
    parser_.addOptions({help_, version_, print_, printTo_});
    parser_.addPositionalArgument(QStringLiteral("datei"),
                                  QStringLiteral("Ein Morva-Dokument (*.mv1)."),
                                  QStringLiteral("[datei]"));
}

QString CommandLine::File() const {
    const QStringList files = parser_.positionalArguments();
    return files.isEmpty() ? QString() : files.first();
}

std::optional<int> AnswerWithoutWindow(int argc, char** argv) {
    bool options = false;
    for (int i = 1; i < argc; ++i) options |= std::string_view(argv[i]).starts_with('-');
    if (!options) return std::nullopt;
    // The parser's help names the program; no display is needed for that.
    int coreArgc = argc;
    const QCoreApplication core(coreArgc, argv);
    QCoreApplication::setApplicationName(Utf8(res::kAppName));
    QCoreApplication::setApplicationVersion(kAppVersion);
    // "Aufruf" and "Optionen", as the window's own start prints them.
    QTranslator german;
    if (german.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                    QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&german);
    CommandLine line;
    if (!line.Parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "%s\n", qPrintable(line.ErrorText()));
        return 2;
    }
    if (line.Help()) {
        std::fputs(qPrintable(line.HelpText()), stdout);
        return 0;
    }
    if (line.Version()) {
        std::printf("%s %s\n", qPrintable(Utf8(res::kAppName)), qPrintable(kAppVersion));
        return 0;
    }
    return std::nullopt;
}

}  // namespace morvale
