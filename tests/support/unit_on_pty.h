// A simulated unit on a pseudo-terminal with the utility's link and protocol
// opened on it, and recorders for everything the user would see or hear.
#pragma once

#include "comms/protocol.h"
#include "comms/unit_link.h"
#include "sim/pty_unit.h"
#include "support/recording_user_io.h"
#include "userio/traffic.h"

#include <string>
#include <vector>

namespace zat::test {

// Every exchange record, and the request and reply of each try.
class RecordingTraffic final : public TrafficObserver {
public:
    std::vector<ExchangeRecord> records;
    std::vector<std::string> requests;
    std::vector<std::string> replies;
    void exchanged(const ExchangeRecord& record) override {
        records.push_back(record);
        requests.push_back(record.request);
        replies.push_back(record.reply);
    }
};

// A plan with one fault at a request number (counted from 1 over every
// request the unit answers, the probe included).
sim::FaultPlan faultAt(std::uint64_t requestNumber, sim::Fault fault);

struct UnitOnPty {
    explicit UnitOnPty(sim::UnitConfig config = {}, sim::LineTiming timing = {}, CommsSettings comms = fastSettings(),
                       sim::FaultPlan faults = {});

    // Address 1, 9600 baud, a short reply timeout so silent-unit tests are quick.
    static CommsSettings fastSettings();
    // The same at the fastest rate the link drives, for tests of many
    // exchanges, with the retries given.
    static CommsSettings quickSettings(int retries = 0);

    // The requests the unit received since the last call (without carriage returns).
    std::vector<std::string> requests();

    sim::PtyUnit unit;
    RecordingUserIo user;
    RecordingTraffic traffic;
    CommsSettings settings;
    UnitLink link;
    UnitProtocol protocol;
    LinkReason openedWith;  // what the link's opening reported
};

}  // namespace zat::test
