#include "comms/bus_scan.h"

#include "comms/frames.h"
#include "comms/line_timing.h"
#include "comms/protocol.h"
#include "comms/unit_items.h"
#include "userio/beep.h"

#include <chrono>

namespace zat {
namespace {

constexpr std::uint32_t kTurnRoundMarginMs = 20;

FoundUnit readCards(UnitProtocol& protocol, int address, int baudRate) {
    FoundUnit unit{.address = address, .baudRate = baudRate, .cardCodes = {}};
    (void)protocol.selectPage(kConfigPage);  // its result shows in the reads
    for (int slot = 0; slot < kSlotCount; ++slot) {
        std::uint16_t code = 0;
        if (succeeded(protocol.readHexIndexed(kCardCodeItem, slot, code)))
            unit.cardCodes[static_cast<std::size_t>(slot)] = code;
    }
    return unit;
}

}  // namespace

std::uint32_t scanReplyTimeoutMs(int baudRate) {
    // The probe's reply is as long as its request; the link starts the
    // timeout once the request has left.
    const std::size_t replyLength = writeDecimalFrame(0, '?', 0).size();
    const auto replyTime = characterTime(baudRate) * static_cast<std::int64_t>(replyLength);
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(replyTime).count();
    return static_cast<std::uint32_t>(ms) + kTurnRoundMarginMs;
}

ScanResult scanBus(UnitLink& link, CommsSettings settings, const ScanPlan& plan, Prompts& prompts, Progress& progress,
                   const std::function<void(const FoundUnit&)>& found) {
    ScanResult result;
    SilentBeep quiet;
    ProgressSession session(progress, static_cast<int>(plan.addresses.size() * plan.baudRates.size()),
                            "Looking for units");
    settings.retries = 0;
    UnitProtocol protocol(link, settings, prompts, quiet, ExchangePolicy{.oneTry = true, .beforeRetry = {}});
    for (int baudRate : plan.baudRates) {
        settings.baudRate = baudRate;
        settings.timeOut = plan.timeoutMs.value_or(scanReplyTimeoutMs(baudRate));
        if (LinkReason reason = link.openPort(settings); !reason.ok() && !reason.portKept()) {
            result.failure = std::move(reason);
            return result;
        }
        for (int address : plan.addresses) {
            settings.address = address;
            if (succeeded(protocol.checkUnit(false))) {
                result.units.push_back(readCards(protocol, address, baudRate));
                if (found) found(result.units.back());
            }
            session.step();
        }
    }
    return result;
}

const char* cardName(std::uint16_t code) {
    switch (code) {
        case 0:
            return "empty";
        case 1:
        case 2:
            return "analog input card";
        case 3:
            return "thermocouple input card";
        case 4:
        case 5:
            return "analog output card";
        case 6:
            return "digital input card";
        case 7:
            return "digital output card";
        default:
            return "unknown card";
    }
}

}  // namespace zat
