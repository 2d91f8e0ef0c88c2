// Any bytes from a serial server, in any pieces: the pieces change nothing,
// the unit's characters are never more than what came, the answers never
// outgrow the requests (no negotiation loops), and the unit's own bytes
// escaped for the wire come back out unchanged.
#include "comms/telnet_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

struct Fed {
    std::string data;
    std::string answers;
    zat::TelnetCodec codec;
};

void feedInPieces(Fed& fed, std::string_view bytes, std::size_t pieceLength) {
    for (std::size_t at = 0; at < bytes.size(); at += pieceLength) {
        fed.codec.feed(bytes.substr(at, pieceLength), fed.data);
        fed.answers += fed.codec.takeAnswers();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t pieceLength = data[0] % 7 + 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    Fed whole;
    feedInPieces(whole, bytes, bytes.size());
    Fed pieces;
    feedInPieces(pieces, bytes, pieceLength);

    require(whole.data == pieces.data);
    require(whole.answers == pieces.answers);
    require(whole.codec.comPortRefused() == pieces.codec.comPortRefused());
    const zat::ComPortSettings& a = whole.codec.confirmed();
    const zat::ComPortSettings& b = pieces.codec.confirmed();
    require(a.baudRate == b.baudRate && a.dataSize == b.dataSize && a.parity == b.parity && a.stopSize == b.stopSize);

    require(whole.data.size() <= bytes.size());
    // Each answer is three bytes and answers one three-byte request.
    require(whole.answers.size() <= bytes.size());

    Fed escaped;
    feedInPieces(escaped, zat::TelnetCodec::escape(bytes), pieceLength);
    require(escaped.data == bytes);
    require(escaped.answers.empty());
    return 0;
}
