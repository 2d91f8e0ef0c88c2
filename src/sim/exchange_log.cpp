#include "sim/exchange_log.h"

#include <cstdio>

namespace zat::sim {

std::string printable(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(byte));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

void writeExchange(std::ostream& log, const Exchange& exchange) {
    log << "> " << printable(exchange.request) << '\n';
    log << "< " << (exchange.reply ? printable(*exchange.reply) : std::string("(none)")) << '\n';
    log.flush();
}

}  // namespace zat::sim
