#include "sim/line_writer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <poll.h>
#include <unistd.h>

namespace zat::sim {

namespace {

constexpr double kBitsPerCharacter = 10.0;
constexpr int kWritableWaitMs = 50;

}  // namespace

void LineWriter::send(std::string_view bytes, const ReplyTiming& when, const std::function<bool()>& keepRunning) const {
    const Nanos delay = (timing_.turnaroundMs + (when.late ? timing_.lateMs : 0)) * kNanosPerMilli;
    if (timing_.baudRate <= 0) {
        if (sleepUntilOrStopped(when.requestEnd + delay, keepRunning)) writeAll(bytes, keepRunning);
        return;
    }
    const double characterTime = kBitsPerCharacter * 1e9 / timing_.baudRate;
    const auto lineTime = [characterTime](std::size_t characters) {
        return static_cast<Nanos>(std::llround(static_cast<double>(characters) * characterTime));
    };
    // The request holds the line for its own characters plus one more while
    // the client still drives RTS.
    const Nanos lineFree = std::max(when.firstByte + lineTime(when.requestLength + 1), when.requestEnd);
    const Nanos start = lineFree + delay;
    if (!sleepUntilOrStopped(start, keepRunning)) return;
    // A character is handed over once its last bit has arrived.
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        sleepUntil(start + lineTime(i + 1));
        if (!writeAll(bytes.substr(i, 1), keepRunning)) return;
    }
}

bool LineWriter::writeAll(std::string_view bytes, const std::function<bool()>& keepRunning) const {
    while (!bytes.empty()) {
        const ssize_t written = write(fd_, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
        // The client is not reading and its input queue is full.
        if (!keepRunning()) return false;
        pollfd writable{fd_, POLLOUT, 0};
        poll(&writable, 1, kWritableWaitMs);
    }
    return true;
}

}  // namespace zat::sim
