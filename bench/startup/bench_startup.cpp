// Start-up time of zatsetup: from starting the process to the main window
// shown with the default database loaded and the port open. Runs the program
// on the offscreen platform with its simulated unit (so no serial port is
// needed) in a folder holding the demo plant as Default.zat, several times,
// and prints the spread.
//
// usage: bench_startup [RUNS]   (default 20)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds until the program says "shown", or a negative number on failure.
double timeOneStart(const std::string& folder) {
    int out[2];
    if (::pipe(out) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    // Qt's notes on the offscreen platform are of no interest here.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    char program[] = ZATSETUP_PATH;
    char simulate[] = "--simulate";
    char exitWhenShown[] = "--exit-when-shown";
    char* argv[] = {program, simulate, exitWhenShown, nullptr};

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return -1;
    }
    std::string said;
    char buffer[64];
    double elapsed = -1;
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) {
        said.append(buffer, static_cast<std::size_t>(n));
        if (said.find("shown\n") != std::string::npos) {
            elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? elapsed : -1;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zat-bench-startup";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(ZAT_SOURCE_DIR "/examples/demo-plant.zat", folder / "Default.zat",
                               std::filesystem::copy_options::overwrite_existing);

    timeOneStart(folder.string());  // warms the file cache; not counted
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = timeOneStart(folder.string());
        if (ms < 0) {
            std::fprintf(stderr, "bench_startup: zatsetup did not start\n");
            return 1;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("zatsetup start-up, process start to window shown with Default.zat loaded (%d runs)\n", runs);
    const double ninetieth = times[std::min(times.size() - 1, times.size() * 9 / 10)];
    std::printf("  min %.1f ms   median %.1f ms   90th %.1f ms   max %.1f ms   (target < 300 ms)\n", times.front(),
                times[times.size() / 2], ninetieth, times.back());
    std::filesystem::remove_all(folder);
    return 0;
}
