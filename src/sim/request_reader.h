// Cuts the bytes arriving from the line into requests: a carriage return ends
// one, the 8th bit of every byte is dropped (parity), bytes before a request
// kind letter are noise, and a request running past 64 characters is thrown
// away up to its carriage return.
#pragma once

#include "sim/monotonic_clock.h"

#include <string>
#include <string_view>
#include <vector>

namespace zat::sim {

struct ArrivedRequest {
    std::string text;  // without the carriage return
    Nanos firstByte;   // when its first character arrived
};

class RequestReader {
public:
    static constexpr std::size_t kMaxLength = 64;

    // Bytes that arrived together at `arrival`; complete requests go to `out`.
    void feed(std::string_view bytes, Nanos arrival, std::vector<ArrivedRequest>& out);

private:
    std::string pending_;
    Nanos firstByte_ = 0;
    bool discarding_ = false;
};

}  // namespace zat::sim
