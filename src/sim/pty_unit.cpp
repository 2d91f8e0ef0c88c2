#include "sim/pty_unit.h"

#include "sim/exchange_log.h"
#include "sim/line_writer.h"
#include "sim/monotonic_clock.h"
#include "sim/reply_faults.h"
#include "sim/request_reader.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <limits>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace zat::sim {

namespace {

constexpr int kPollTimeoutMs = 100;

[[noreturn]] void fail(const char* what) { throw std::runtime_error(std::string(what) + ": " + std::strerror(errno)); }

void setFlags(int fd, bool nonBlocking) {
    if (fcntl(fd, F_SETFD, FD_CLOEXEC) != 0) fail("fcntl");
    if (nonBlocking && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK) != 0) fail("fcntl");
}

void closeIfOpen(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

}  // namespace

struct PtyUnit::Impl {
    Impl(UnitConfig config, LineTiming lineTiming, FaultPlan faultPlan);
    ~Impl();

    void serve(const std::function<bool()>& keepRunning);
    void readAvailable(const std::function<bool()>& keepRunning);
    void answer(const ArrivedRequest& request, const std::function<bool()>& keepRunning);
    void advanceClock(Nanos now);
    void closeAll();

    int master = -1;
    int slave = -1;
    int wakeRead = -1;
    int wakeWrite = -1;
    std::string path;
    LineTiming timing;
    RequestReader reader;

    std::mutex mutex;  // guards everything below
    // The units on the line; the first is the one withState() reaches.
    std::vector<UnitState> units;
    FaultPlan faults;
    std::deque<Fault> injected;
    std::vector<Exchange> exchanges;
    std::ostream* log = nullptr;
    std::uint64_t answered = 0;
    Nanos lastAdvance;

    std::thread thread;
    std::atomic<bool> stopRequested{false};
};

PtyUnit::Impl::Impl(UnitConfig config, LineTiming lineTiming, FaultPlan faultPlan)
    : timing(lineTiming), units{UnitState(config)}, faults(std::move(faultPlan)), lastAdvance(monotonicNow()) {
    try {
        if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) fail("openpty");
        // The slave stays open here too: with no slave open, reads on the
        // master fail with EIO whenever the client has closed its end.
        setFlags(master, true);
        setFlags(slave, false);
        termios raw{};
        if (tcgetattr(slave, &raw) != 0) fail("tcgetattr");
        cfmakeraw(&raw);
        if (tcsetattr(slave, TCSANOW, &raw) != 0) fail("tcsetattr");
        char name[256];
        if (ttyname_r(slave, name, sizeof name) != 0) fail("ttyname_r");
        path = name;
        int wake[2];
        if (pipe(wake) != 0) fail("pipe");
        wakeRead = wake[0];
        wakeWrite = wake[1];
        setFlags(wakeRead, true);
        setFlags(wakeWrite, true);
    } catch (...) {
        closeAll();
        throw;
    }
}

PtyUnit::Impl::~Impl() { closeAll(); }

void PtyUnit::Impl::closeAll() {
    closeIfOpen(master);
    closeIfOpen(slave);
    closeIfOpen(wakeRead);
    closeIfOpen(wakeWrite);
}

void PtyUnit::Impl::serve(const std::function<bool()>& keepRunning) {
    pollfd watched[2] = {{master, POLLIN, 0}, {wakeRead, POLLIN, 0}};
    while (keepRunning()) {
        const int ready = poll(watched, 2, kPollTimeoutMs);
        if (ready < 0 && errno != EINTR) return;
        if (ready <= 0) continue;
        if (watched[1].revents != 0) {
            char drain[16];
            while (read(wakeRead, drain, sizeof drain) > 0) {}
        }
        if ((watched[0].revents & POLLIN) != 0) {
            readAvailable(keepRunning);
        } else if (watched[0].revents != 0) {
            // Hang-up or error without data: do not spin on it.
            sleepUntilOrStopped(monotonicNow() + kPollTimeoutMs * kNanosPerMilli, keepRunning);
        }
    }
}

void PtyUnit::Impl::readAvailable(const std::function<bool()>& keepRunning) {
    std::vector<ArrivedRequest> requests;
    char buffer[256];
    for (;;) {
        const ssize_t got = read(master, buffer, sizeof buffer);
        if (got <= 0) break;
        reader.feed(std::string_view(buffer, static_cast<std::size_t>(got)), monotonicNow(), requests);
    }
    for (const ArrivedRequest& request : requests) answer(request, keepRunning);
}

void PtyUnit::Impl::advanceClock(Nanos now) {
    Nanos elapsedMs = (now - lastAdvance) / kNanosPerMilli;
    lastAdvance += elapsedMs * kNanosPerMilli;
    constexpr Nanos kLargest = std::numeric_limits<std::uint32_t>::max();
    for (; elapsedMs > 0; elapsedMs -= std::min(elapsedMs, kLargest)) {
        for (UnitState& unit : units) unit.advance(static_cast<std::uint32_t>(std::min(elapsedMs, kLargest)));
    }
}

// Request numbers for the fault plan count the requests this unit answers
// or refuses; a malformed frame cannot be said to be addressed to anyone.
void PtyUnit::Impl::answer(const ArrivedRequest& request, const std::function<bool()>& keepRunning) {
    const Nanos now = monotonicNow();
    std::optional<OutgoingReply> outgoing;
    {
        std::lock_guard lock(mutex);
        advanceClock(now);
        Exchange exchange{request.text, std::nullopt, Fault::None};
        // Each unit hears every request; only the one addressed answers.
        std::optional<std::string> reply;
        for (UnitState& unit : units)
            if (!reply) reply = unit.handle(request.text);
        if (reply) {
            // The plan decides every time, so its draws stay tied to request
            // numbers whether or not a test injected a fault in between.
            exchange.fault = faults.decide(++answered, request.text);
            if (!injected.empty()) {
                exchange.fault = injected.front();
                injected.pop_front();
            }
            outgoing = applyFault(*reply, exchange.fault);
            if (outgoing) {
                std::string sent = outgoing->bytes;
                if (!sent.empty() && sent.back() == '\r') sent.pop_back();
                exchange.reply = std::move(sent);
            }
        }
        if (log != nullptr) writeExchange(*log, exchange);
        exchanges.push_back(std::move(exchange));
    }
    if (!outgoing) return;
    const ReplyTiming when{request.firstByte, now, request.text.size() + 1, outgoing->late};
    LineWriter(master, timing).send(outgoing->bytes, when, keepRunning);
}

PtyUnit::PtyUnit(UnitConfig config, LineTiming timing, FaultPlan faults)
    : impl_(std::make_unique<Impl>(config, timing, std::move(faults))) {}

PtyUnit::~PtyUnit() { stop(); }

const std::string& PtyUnit::devicePath() const { return impl_->path; }

void PtyUnit::start() {
    if (impl_->thread.joinable()) return;
    impl_->stopRequested = false;
    impl_->thread = std::thread([impl = impl_.get()] { impl->serve([impl] { return !impl->stopRequested.load(); }); });
}

void PtyUnit::stop() {
    if (!impl_->thread.joinable()) return;
    impl_->stopRequested = true;
    const char wake = 1;
    [[maybe_unused]] const ssize_t ignored = write(impl_->wakeWrite, &wake, 1);
    impl_->thread.join();
}

void PtyUnit::run(const std::function<bool()>& keepRunning) { impl_->serve(keepRunning); }

void PtyUnit::injectNext(Fault fault) {
    std::lock_guard lock(impl_->mutex);
    impl_->injected.push_back(fault);
}

std::vector<Exchange> PtyUnit::takeExchanges() {
    std::lock_guard lock(impl_->mutex);
    return std::exchange(impl_->exchanges, {});
}

void PtyUnit::setLog(std::ostream* log) {
    std::lock_guard lock(impl_->mutex);
    impl_->log = log;
}

void PtyUnit::setSilent(bool silent) {
    std::lock_guard lock(impl_->mutex);
    for (UnitState& unit : impl_->units) unit.setSilent(silent);
}

bool PtyUnit::silent() {
    std::lock_guard lock(impl_->mutex);
    return impl_->units.front().silent();
}

void PtyUnit::withState(const std::function<void(UnitState&)>& f) {
    std::lock_guard lock(impl_->mutex);
    f(impl_->units.front());
}

void PtyUnit::addUnit(const UnitConfig& config) {
    std::lock_guard lock(impl_->mutex);
    impl_->units.emplace_back(config);
}

bool PtyUnit::withUnitAt(int address, const std::function<void(UnitState&)>& f) {
    std::lock_guard lock(impl_->mutex);
    for (UnitState& unit : impl_->units) {
        if (unit.config().address != address) continue;
        f(unit);
        return true;
    }
    return false;
}

void PtyUnit::forEachUnit(const std::function<void(UnitState&)>& f) {
    std::lock_guard lock(impl_->mutex);
    for (UnitState& unit : impl_->units) f(unit);
}

}  // namespace zat::sim
