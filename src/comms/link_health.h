// The link's health as every monitor sees it. After a read that gets no reply
// at all, the rest of that tick's reads are dropped, the monitor reports
// "No reply from unit" and polls once every 5 s, each read tried once only,
// until the first good reply; polling then goes on where it was. The silence
// is the link's: every monitor on the same link backs off together.
#pragma once

#include "comms/protocol.h"
#include "userio/outcome.h"

#include <chrono>
#include <functional>
#include <string_view>

namespace zat {

class LinkHealth {
public:
    static constexpr std::chrono::milliseconds kBackOffInterval{5000};
    static constexpr std::string_view kNoReplyText = "No reply from unit";

    // Starts a batch of reads (a tick, a page load, an apply): reads dropped
    // after a silent one are sent again from the next batch on.
    void beginBatch() { dropRest_ = false; }

    // Runs one exchange, or drops it (Failed, nothing sent) after a silent
    // read in this batch. The protocol's loop decides it, with the link's
    // between-exchanges hook before every try; while silent, one try only.
    [[nodiscard]] Outcome run(UnitProtocol& protocol, const std::function<Outcome(UnitProtocol&)>& exchange);

    // Sends nothing more, from now on: the window it serves is closing (its
    // close may arrive in the events let through before an exchange).
    void stop() { stopped_ = true; }

    [[nodiscard]] bool silent() const { return link_ != nullptr && link_->unitSilent(); }
    // The tick interval: the monitor's own, or the back-off while silent.
    [[nodiscard]] std::chrono::milliseconds interval(std::chrono::milliseconds normal) const {
        return silent() ? kBackOffInterval : normal;
    }
    // kNoReplyText while silent, empty otherwise.
    [[nodiscard]] std::string_view statusText() const { return silent() ? kNoReplyText : std::string_view{}; }

private:
    UnitLink* link_ = nullptr;  // the link of the last exchange
    bool dropRest_ = false;
    bool stopped_ = false;
};

// The reads every polling window makes, through the link's health.
[[nodiscard]] Outcome readHexIndexed(UnitProtocol& protocol, LinkHealth& health, char letter, int index,
                                     std::uint16_t& value);
[[nodiscard]] Outcome readDecimalIndexed(UnitProtocol& protocol, LinkHealth& health, char letter, int index,
                                         std::int16_t& value);
[[nodiscard]] Outcome selectPage(UnitProtocol& protocol, LinkHealth& health, int page);

}  // namespace zat
