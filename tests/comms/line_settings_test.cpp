#include "comms/line_settings.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

termios cookedTerminal() {
    termios tio{};
    tio.c_iflag = ICRNL | IXON | BRKINT | ISTRIP;
    tio.c_oflag = OPOST | ONLCR;
    tio.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    tio.c_cflag = CS8 | CREAD | HUPCL | CRTSCTS | CSTOPB;
    tio.c_cc[VMIN] = 1;
    cfsetispeed(&tio, B38400);
    cfsetospeed(&tio, B38400);
    return tio;
}

TEST(LineSettings, Raw7BitOddParityOneStopBitNoFlowControl) {
    termios tio = cookedTerminal();
    ASSERT_TRUE(makeUnitLine(tio, 9600));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
    EXPECT_TRUE(tio.c_cflag & PARENB);
    EXPECT_TRUE(tio.c_cflag & PARODD);
    EXPECT_FALSE(tio.c_cflag & CSTOPB);
    EXPECT_FALSE(tio.c_cflag & CRTSCTS);
    EXPECT_TRUE(tio.c_cflag & (CLOCAL | CREAD));
    EXPECT_TRUE(tio.c_cflag & HUPCL);  // the driver's own choice is kept
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP | BRKINT));
    EXPECT_EQ(tio.c_iflag & (INPCK | PARMRK), static_cast<tcflag_t>(INPCK | PARMRK));
    EXPECT_FALSE(tio.c_oflag & OPOST);
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
    EXPECT_EQ(cfgetispeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));
}

TEST(LineSettings, EveryRateOfTheUnitAndNoOther) {
    for (int rate : {1200, 2400, 4800, 9600, 19200}) {
        termios tio = cookedTerminal();
        EXPECT_TRUE(makeUnitLine(tio, rate)) << rate;
    }
    for (int rate : {0, -9600, 1234, 115200}) {
        termios tio = cookedTerminal();
        EXPECT_FALSE(makeUnitLine(tio, rate)) << rate;
    }
}

TEST(LineSettings, HeldIgnoresOnlyTheCharacterFormat) {
    termios wanted = cookedTerminal();
    ASSERT_TRUE(makeUnitLine(wanted, 4800));
    termios held = wanted;
    held.c_cflag = (held.c_cflag & ~static_cast<tcflag_t>(CSIZE | PARENB)) | CS8;  // as a pseudo-terminal keeps it
    EXPECT_TRUE(unitLineHeld(wanted, held));

    termios wrongSpeed = held;
    cfsetospeed(&wrongSpeed, B9600);
    EXPECT_FALSE(unitLineHeld(wanted, wrongSpeed));
    termios cooked = held;
    cooked.c_lflag |= ICANON;
    EXPECT_FALSE(unitLineHeld(wanted, cooked));
    termios flowControl = held;
    flowControl.c_cflag |= CRTSCTS;
    EXPECT_FALSE(unitLineHeld(wanted, flowControl));
}

}  // namespace
}  // namespace zat
