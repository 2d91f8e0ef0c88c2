#include "sim/reply_faults.h"

namespace zat::sim {

namespace {

constexpr std::size_t kLetterPosition = 3;  // "*", two address digits, the letter
constexpr std::size_t kValueLength = 4;     // the last characters of a read's reply

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
            if (reply.size() > kLetterPosition + kValueLength)
                out.bytes.replace(reply.size() - kValueLength, kValueLength, kValueLength, '?');
            break;
    }
    return out;
}

}  // namespace zat::sim
