#include "comms/line_settings.h"

#include <cstring>
#include <optional>

namespace zat {

namespace {

std::optional<speed_t> terminalSpeed(int baudRate) {
    switch (baudRate) {
        case 300:
            return B300;
        case 600:
            return B600;
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        default:
            return std::nullopt;
    }
}

constexpr tcflag_t kCharacterFormat = CSIZE | PARENB | PARODD;

}  // namespace

bool makeUnitLine(termios& tio, int baudRate) {
    const auto speed = terminalSpeed(baudRate);
    if (!speed) return false;
    tio.c_iflag &=
        ~static_cast<tcflag_t>(IGNBRK | BRKINT | IGNPAR | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    tio.c_iflag |= INPCK | PARMRK;
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS7 | PARENB | PARODD | CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    return cfsetispeed(&tio, *speed) == 0 && cfsetospeed(&tio, *speed) == 0;
}

bool unitLineHeld(const termios& wanted, const termios& held) {
    return wanted.c_iflag == held.c_iflag && wanted.c_oflag == held.c_oflag && wanted.c_lflag == held.c_lflag &&
           (wanted.c_cflag & ~kCharacterFormat) == (held.c_cflag & ~kCharacterFormat) &&
           cfgetispeed(&wanted) == cfgetispeed(&held) && cfgetospeed(&wanted) == cfgetospeed(&held) &&
           wanted.c_cc[VMIN] == held.c_cc[VMIN] && wanted.c_cc[VTIME] == held.c_cc[VTIME];
}

}  // namespace zat
