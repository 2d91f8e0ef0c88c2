// Runs a program to completion with its output captured.
#pragma once

#include <string>
#include <vector>

namespace zat::test {

struct ProgramResult {
    int exitCode = -1;  // -1 when it did not exit normally
    std::string out;
    std::string err;
};

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& workingDirectory = "");

}  // namespace zat::test
