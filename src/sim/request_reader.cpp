#include "sim/request_reader.h"

namespace zat::sim {

namespace {

constexpr char kCarriageReturn = '\r';

bool isKind(char c) { return c == 'S' || c == 'W' || c == 'R'; }

}  // namespace

void RequestReader::feed(std::string_view bytes, Nanos arrival, std::vector<ArrivedRequest>& out) {
    for (char byte : bytes) {
        const char c = static_cast<char>(byte & 0x7F);
        if (discarding_) {
            discarding_ = c != kCarriageReturn;
            continue;
        }
        if (pending_.empty()) {
            if (!isKind(c)) continue;
            firstByte_ = arrival;
        }
        if (c == kCarriageReturn) {
            out.push_back({std::move(pending_), firstByte_});
            pending_.clear();
            continue;
        }
        pending_ += c;
        if (pending_.size() > kMaxLength) {
            pending_.clear();
            discarding_ = true;
        }
    }
}

}  // namespace zat::sim
