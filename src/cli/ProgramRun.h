// How the command-line programs end: one German line on stderr, named after the program, and
// status 2 for every failure, also when memory runs out or anything else was thrown.
#pragma once

#include <string>
#include <vector>

namespace morvale {

inline constexpr int kProgramFailed = 2;

int FailAs(const char* program, const std::string& message);

// run with the arguments after the program's name; outOfMemory is its message for bad_alloc.
int RunProgram(const char* program, int argc, char** argv,
               int (*run)(const std::vector<std::string>&), const char* outOfMemory);

}  // namespace morvale
