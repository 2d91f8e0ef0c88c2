// zat-unit-sim run as a child process with its standard output on a pipe,
// for tests that talk to it and then stop it as a user would.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace zat::sim::test {

class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args);
    ~SimProcess();  // kills it if it still runs
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The next line of its output, without the newline; empty after the timeout.
    std::string readLine(int timeoutMs = 5000);
    // Sends the signal to the program.
    void signal(int number) const;
    // Sends SIGTERM and waits: the exit status, or -1 if it did not exit normally.
    int terminate();

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string pending_;
};

}  // namespace zat::sim::test
