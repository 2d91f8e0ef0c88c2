// The request/reply operations through which the whole program talks to the
// unit. Each is synchronous and returns its Outcome. Reads deliver their
// value through the output argument, which is written only on Outcome::Ok.
//
// An exchange is repeated up to `retries` more times while the reply does not
// echo the request or lacks its carriage return (cut short by the timeout);
// a whole echoing reply decides it: accepted if it starts with "*", refused
// otherwise. A failed exchange sounds one simple beep, after its last try.
// This one loop decides every exchange; an ExchangePolicy only changes how
// many tries it makes and what runs between them.
#pragma once

#include "comms/unit_link.h"
#include "model/config_database.h"
#include "userio/outcome.h"
#include "userio/user_io.h"

#include <cstdint>
#include <functional>
#include <string>

namespace zat {

// How the exchange loop tries: by default the first try and `retries` more.
struct ExchangePolicy {
    bool oneTry = false;                // a single try, whatever the retries
    std::function<void()> beforeRetry;  // runs before each try after the first
};

class UnitProtocol {
public:
    // Address and retries are read from `settings` at every call, so a
    // changed setting acts on the next exchange.
    UnitProtocol(UnitLink& link, const CommsSettings& settings, Prompts& prompts, Beep& beep,
                 ExchangePolicy policy = {});

    // The same operations over the same link and settings, tried as `policy` says.
    [[nodiscard]] UnitProtocol governedBy(ExchangePolicy policy) const;

    [[nodiscard]] Outcome sendCommand(char letter);
    [[nodiscard]] Outcome writeHex(char letter, std::uint16_t value);
    [[nodiscard]] Outcome writeHexIndexed(char letter, int index, std::uint16_t value);
    [[nodiscard]] Outcome writeDecimal(char letter, std::int16_t value);
    [[nodiscard]] Outcome writeDecimalIndexed(char letter, int index, std::int16_t value);
    [[nodiscard]] Outcome readHex(char letter, std::uint16_t& value);
    [[nodiscard]] Outcome readHexIndexed(char letter, int index, std::uint16_t& value);
    [[nodiscard]] Outcome readDecimal(char letter, std::int16_t& value);
    [[nodiscard]] Outcome readDecimalIndexed(char letter, int index, std::int16_t& value);
    [[nodiscard]] Outcome selectPage(int page);
    // The opening probe of every activity of many requests. With showMessage
    // a failure also tells the user to check baud rate and address.
    [[nodiscard]] Outcome checkUnit(bool showMessage);
    // That message: the unit did not answer.
    void showNoAnswer();

    UnitLink& link() { return link_; }
    const CommsSettings& settings() const { return settings_; }
    // Whether the last exchange failed because the unit refused the request
    // (the unit's answer, not a failure on the line).
    bool lastRefused() const { return refused_; }
    Prompts& prompts() { return prompts_; }
    Beep& beep() { return beep_; }

private:
    // replyValueLength: characters a read's value adds to the echo.
    [[nodiscard]] Outcome exchange(const std::string& request, std::size_t echoLength,
                                   std::size_t replyValueLength = 0);

    template <typename Value, typename Parser>
    [[nodiscard]] Outcome read(const std::string& request, std::size_t echoLength, std::size_t valuePosition,
                               Parser parse, Value& value);

    UnitLink& link_;
    const CommsSettings& settings_;
    bool refused_ = false;
    Prompts& prompts_;
    Beep& beep_;
    ExchangePolicy policy_;
};

}  // namespace zat
