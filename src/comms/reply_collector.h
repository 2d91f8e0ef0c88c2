// Collects one reply from the bytes the driver delivers, in whatever pieces
// they come.
//
// The driver marks a character received with a parity or framing error as
// the three bytes 0xFF 0x00 c, and a real 0xFF as 0xFF 0xFF; such a character
// becomes "?". The reply keeps at most 39 characters; further characters up
// to the carriage return are dropped, and anything after the carriage return
// is ignored.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zat {

class ReplyCollector {
public:
    static constexpr std::size_t kCapacity = 39;
    static constexpr char kParityErrorCharacter = '?';

    void reset();
    // Takes the next bytes from the driver. Returns true once the carriage
    // return has arrived (later bytes are then ignored).
    bool feed(std::string_view bytes);
    bool complete() const { return complete_; }
    // The reply without its carriage return.
    const std::string& reply() const { return reply_; }

private:
    void append(char c);

    enum class Mark { None, SawFF, SawFF00 };
    std::string reply_;
    Mark mark_ = Mark::None;
    bool complete_ = false;
};

}  // namespace zat
