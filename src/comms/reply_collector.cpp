#include "comms/reply_collector.h"

namespace zat {

void ReplyCollector::reset() {
    reply_.clear();
    mark_ = Mark::None;
    complete_ = false;
}

void ReplyCollector::append(char c) {
    if (c == '\r') {
        complete_ = true;
        return;
    }
    if (reply_.size() < kCapacity) reply_.push_back(c);
}

bool ReplyCollector::feed(std::string_view bytes) {
    for (char c : bytes) {
        if (complete_) break;
        const auto byte = static_cast<unsigned char>(c);
        switch (mark_) {
            case Mark::None:
                if (byte == 0xFF) {
                    mark_ = Mark::SawFF;
                } else {
                    append(c);
                }
                break;
            case Mark::SawFF:
                if (byte == 0xFF) {
                    mark_ = Mark::None;
                    append(c);
                } else if (byte == 0x00) {
                    mark_ = Mark::SawFF00;
                } else {
                    // Not a mark the driver makes; keep both bytes as they came.
                    mark_ = Mark::None;
                    append(static_cast<char>(0xFF));
                    if (!complete_) append(c);
                }
                break;
            case Mark::SawFF00:
                // The damaged character itself, whatever it was.
                mark_ = Mark::None;
                append(kParityErrorCharacter);
                break;
        }
    }
    return complete_;
}

}  // namespace zat
