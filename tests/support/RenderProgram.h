// morvale-render as a user runs it, in a scratch folder of its own; and its command line parsed
// with an output file.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/RenderOptions.h"

namespace morvale::testing {

inline ParsedOptions ParseWithOutput(std::vector<std::string> args) {
    args.push_back("-o");
    args.push_back("out.png");
    return ParseRenderOptions(args);
}

// The program's exit status and what it wrote to stderr.
struct Outcome {
    int status = -1;
    std::string err;
};

class RenderProgram : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("morvale-render-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // before and after are shell text around the program's command (after must keep its status).
    Outcome Run(const std::string& arguments, const std::string& out = "/dev/null",
                const std::string& before = "", const std::string& after = "") {
        const std::filesystem::path errFile = folder / "stderr.txt";
        const std::string command = before + std::string(MORVALE_RENDER_PROGRAM) + " " + arguments +
                                    " >" + out + " 2>" + errFile.string() + after;
        const int raw = std::system(command.c_str());
        Outcome outcome;
        outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ifstream in(errFile);
        std::stringstream text;
        text << in.rdbuf();
        outcome.err = text.str();
        return outcome;
    }
    std::string Out(const char* name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};

}  // namespace morvale::testing
