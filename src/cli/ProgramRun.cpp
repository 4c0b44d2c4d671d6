#include "cli/ProgramRun.h"

#include <exception>
#include <iostream>
#include <new>

namespace morvale {

int FailAs(const char* program, const std::string& message) {
    std::cerr << program << ": " << message << '\n';
    return kProgramFailed;
}

int RunProgram(const char* program, int argc, char** argv,
               int (*run)(const std::vector<std::string>&), const char* outOfMemory) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::bad_alloc&) {
        return FailAs(program, outOfMemory);
    } catch (const std::exception& error) {
        return FailAs(program, std::string("unerwarteter Fehler: ") + error.what());
    }
}

}  // namespace morvale
