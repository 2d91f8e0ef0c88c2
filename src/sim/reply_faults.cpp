#include "sim/reply_faults.h"

namespace zat::sim {

namespace {

constexpr std::size_t kLetterPosition = 3;  // "*", two address digits, the letter

}  // namespace

std::optional<OutgoingReply> applyFault(const std::string& reply, Fault fault) {
    OutgoingReply out{reply + '\r'};
    switch (fault) {
        case Fault::None:
            break;
        case Fault::Drop:
            return std::nullopt;
        case Fault::Garble:
            // "#" is no item letter, so the echo cannot match any request.
            if (out.bytes.size() > kLetterPosition) out.bytes[kLetterPosition] = '#';
            break;
        case Fault::Refuse:
            out.bytes[0] = '!';
            break;
        case Fault::Truncate:
            out.bytes = reply.substr(0, reply.size() / 2);
            break;
        case Fault::Late:
            out.late = true;
            break;
        case Fault::BadValue:
            // "?" is what a character damaged on the line reads as; no digit.
            if (!reply.empty()) out.bytes[reply.size() - 1] = '?';
            break;
    }
    return out;
}

}  // namespace zat::sim
