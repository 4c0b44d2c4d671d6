// The window program's command line: its options, and the answers (help, version, a wrong
// option) that need no window and so no display.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <optional>

namespace morvale {

inline const QString kAppVersion = QStringLiteral("1.0.0.1");

class CommandLine {
public:
    CommandLine();

    // False when an option is unknown or lacks its value (ErrorText says which).
    bool Parse(const QStringList& arguments) { return parser_.parse(arguments); }
    QString ErrorText() const { return parser_.errorText(); }
    QString HelpText() const { return parser_.helpText(); }
    bool Help() const { return parser_.isSet(help_); }
    bool Version() const { return parser_.isSet(version_); }
    bool Print() const { return parser_.isSet(print_) || parser_.isSet(printTo_); }
    QString PrintTo() const { return parser_.value(printTo_); }
    // The document named on the line; empty when none.
    QString File() const;

private:
    QCommandLineParser parser_;
    QCommandLineOption help_, version_, print_, printTo_;
};

// Answers --help, --version and a wrong line before any window exists: the exit status, or
// nothing when the program goes on to open its window.
std::optional<int> AnswerWithoutWindow(int argc, char** argv);

}  // namespace morvale
