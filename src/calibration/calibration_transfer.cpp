#include "calibration/calibration_transfer.h"

#include "calibration/calibration_map.h"

namespace zat {
namespace {

enum class Direction { Read, Write };

struct Messages {
    const char* inputs;
    const char* outputs;
    const char* coldJunction;
};

constexpr Messages kReading{"Reading analog input Calibration", "Reading analog output Calibration",
                            "Reading cold junction Calibration"};
constexpr Messages kWriting{"Writing analog input Calibration", "Writing analog output Calibration",
                            "Writing cold junction Calibration"};

// Moves the constants a pair (zero, span) at a time: a new pair is started
// only while nothing has failed, or always when errors are ignored. Each
// indexed constant is followed by a step, moved or not; a failed read leaves
// its constant as it was.
class ConstantMover {
public:
    ConstantMover(UnitProtocol& protocol, ProgressSession& progress, Direction direction, bool ignoreErrors)
        : protocol_(protocol), progress_(progress), direction_(direction), ignoreErrors_(ignoreErrors) {}

    bool goOn() const { return !failed || ignoreErrors_; }

    void move(const CalibrationItem& item, int index, std::uint16_t& constant) {
        std::uint16_t value = constant;
        const bool ok = succeeded(direction_ == Direction::Write ? protocol_.writeHexIndexed(item.letter, index, value)
                                                                 : protocol_.readHexIndexed(item.letter, index, value));
        if (!ok) failed = true;
        if (ok && direction_ == Direction::Read) constant = clampTo(item, value);
        progress_.step();
    }

    // The cold junction zero has no index and no step.
    void moveColdJunction(std::uint16_t& constant) {
        std::uint16_t value = constant;
        const bool ok = succeeded(direction_ == Direction::Write ? protocol_.writeHex(kColdJunctionZero.letter, value)
                                                                 : protocol_.readHex(kColdJunctionZero.letter, value));
        if (!ok) failed = true;
        if (ok && direction_ == Direction::Read) constant = clampTo(kColdJunctionZero, value);
    }

    bool failed = false;

private:
    UnitProtocol& protocol_;
    ProgressSession& progress_;
    Direction direction_;
    bool ignoreErrors_;
};

Outcome transfer(ConfigDatabase& db, UnitProtocol& protocol, Progress& progress, Direction direction,
                 bool ignoreErrors) {
    const Messages& say = direction == Direction::Read ? kReading : kWriting;
    ProgressSession session(progress, kCalibrationSteps);
    // A silent unit fails the transfer at once, even when errors are ignored.
    if (failed(protocol.checkUnit(false))) return Outcome::Failed;
    progress.setMessage(say.inputs);
    // The page selection's own result is not used.
    (void)protocol.selectPage(kConfigPage);
    ConstantMover mover(protocol, session, direction, ignoreErrors);
    for (int i = 0; i < kInputCalibrationCount && mover.goOn(); ++i) {
        mover.move(kInputZero, i, db.inputCalibration[i].zero);
        mover.move(kInputSpan, i, db.inputCalibration[i].span);
    }
    if (mover.goOn()) {
        progress.setMessage(say.outputs);
        for (int i = 0; i < kPhysicalAnalogOutputCount && mover.goOn(); ++i) {
            mover.move(kOutputZero, i, db.analogOutputs[i].calZero);
            mover.move(kOutputSpan, i, db.analogOutputs[i].calSpan);
        }
    }
    if (mover.goOn()) progress.setMessage(say.coldJunction);
    // The cold junction is moved even after a failure.
    mover.moveColdJunction(db.coldJunctionZero);
    return (mover.failed && !ignoreErrors) ? Outcome::Failed : Outcome::Ok;
}

}  // namespace

Outcome readCalibrationFromUnit(ConfigDatabase& db, UnitProtocol& protocol, Progress& progress) {
    return transfer(db, protocol, progress, Direction::Read, false);
}

Outcome writeCalibrationToUnit(const ConfigDatabase& db, UnitProtocol& protocol, Progress& progress,
                               bool ignoreErrors) {
    // The constants are only read on the way out; the copy keeps one path for both directions.
    ConfigDatabase constants = db;
    return transfer(constants, protocol, progress, Direction::Write, ignoreErrors);
}

}  // namespace zat
