// The one in-memory configuration of a ZAT V2 unit ("ZAT database"): fixed
// records in fixed-count arrays, plus the small document state around them.
#pragma once

#include "model/comment.h"

#include <array>
#include <cstdint>
#include <string>

namespace zat {

constexpr int kSlotCount = 5;  // card slots of the unit
constexpr int kAnalogInputCount = 40;
constexpr int kAnalogOutputCount = 40;
constexpr int kPhysicalAnalogOutputCount = 20;  // outputs 0..19 use bias, flags and calibration
constexpr int kDigitalInputCount = 40;
constexpr int kDigitalOutputCount = 56;
constexpr int kDigitalCommentGroupSize = 8;
constexpr int kHotColdBlockCount = 4;
constexpr int kHotColdListWords = 5;
constexpr int kIfBlockCount = 90;
constexpr int kControllerCount = 8;
constexpr int kProfilerCount = 6;
constexpr int kProfileCount = 6;
constexpr int kProfileSegmentCount = 8;
constexpr int kInputCalibrationCount = 8;

constexpr int kEngineeringMin = -9999;
constexpr int kEngineeringMax = 9999;

constexpr uint16_t kEnabledFlag = 0x0080;

// Bits of the analog input type word.
constexpr uint16_t kTypeIndexMask = 0x001F;
constexpr uint16_t kTypeFahrenheit = 0x0020;
constexpr uint16_t kTypeTenths = 0x0040;
constexpr uint16_t kTypeColdJunction = 0x0080;
constexpr uint16_t kTypeTcbo = 0x0100;
constexpr uint16_t kTypeScaled = 0x0200;
constexpr uint16_t kTypeNotScanned = 0x0400;

// Bits of an analog output's flags.
constexpr uint16_t kOutputCharacteristicMask = 0x000F;
constexpr uint16_t kOutputCharacterised = 0x0010;
constexpr uint16_t kOutputTenths = 0x0020;
constexpr uint16_t kOutputFahrenheit = 0x0040;

// Bits of an IF block's flags.
constexpr uint16_t kIfConditionMask = 0x000F;
constexpr uint16_t kIfElse2Constant = 0x0010;
constexpr uint16_t kIfThen2Constant = 0x0020;
constexpr uint16_t kIfOperand2Constant = 0x0040;
constexpr uint16_t kIfThenOperatorMask = 0x0700;
constexpr uint16_t kIfThen3Constant = 0x0800;
constexpr uint16_t kIfElseOperatorMask = 0x7000;
constexpr uint16_t kIfElse3Constant = 0x8000;

// Bits of a controller's flags.
constexpr uint16_t kControllerTimeProportioned = 0x0040;
constexpr uint16_t kControllerTpOutputMask = 0x003F;

struct CommsSettings {
    int32_t port = 4;
    int32_t address = 1;
    int32_t baudRate = 9600;
    uint32_t timeOut = 250;  // milliseconds
    int32_t retries = 5;
    int32_t protocol = 0;

    friend bool operator==(const CommsSettings&, const CommsSettings&) = default;
};

struct AnalogInputChannel {
    Comment comment;
    uint16_t type = 0;
    int16_t hiScalar = 1000;
    int16_t loScalar = 0;

    friend bool operator==(const AnalogInputChannel&, const AnalogInputChannel&) = default;
};

struct AnalogOutputChannel {
    Comment comment;
    int16_t from = -9999;
    int16_t to = 9999;
    int16_t bias = 0;
    uint16_t flags = 0;
    uint16_t calZero = 0;
    uint16_t calSpan = 0;

    friend bool operator==(const AnalogOutputChannel&, const AnalogOutputChannel&) = default;
};

struct HotColdBlock {
    Comment comment;
    uint16_t flags = 0;
    uint16_t hottest = 0;
    uint16_t coldest = 0;
    uint16_t mean = 0;
    uint16_t spread = 0;
    std::array<uint16_t, kHotColdListWords> list{};

    friend bool operator==(const HotColdBlock&, const HotColdBlock&) = default;
};

struct TIfconf {
    Comment comment;
    uint16_t flags = 0;
    uint16_t ifOperand1 = 0;
    int16_t ifOperand2 = 0;
    uint16_t thenOperand1 = 0;
    int16_t thenOperand2 = 0;
    int16_t thenOperand3 = 0;
    uint16_t elseOperand1 = 0;
    int16_t elseOperand2 = 0;
    int16_t elseOperand3 = 0;

    bool inUse() const { return ifOperand1 != 0; }
    friend bool operator==(const TIfconf&, const TIfconf&) = default;
};

struct TController {
    Comment comment;
    uint16_t flags = 0;
    uint16_t mvRegister = 0;
    uint16_t spRegister = 0;
    uint16_t opRegister = 0;
    uint16_t propBand = 1;
    uint16_t intTime = 0;
    uint16_t derTime = 0;
    uint16_t tpCycle = 10;

    friend bool operator==(const TController&, const TController&) = default;
};

struct TProfiler {
    Comment comment;
    uint16_t flags = 0;
    uint16_t mvRegister = 0;
    uint16_t opRegister = 0;
    uint16_t localRegister = 0;
    uint16_t profileRegister = 0;
    uint16_t startRegister = 0;
    uint16_t stopRegister = 0;
    uint16_t holdRegister = 0;
    uint16_t runRegister = 0;
    uint16_t upRegister = 0;
    uint16_t downRegister = 0;
    uint16_t dwellRegister = 0;

    friend bool operator==(const TProfiler&, const TProfiler&) = default;
};

// Profile segment rates 0 and -1 are shown as "Step" and "End".
constexpr int16_t kSegmentRateStep = 0;
constexpr int16_t kSegmentRateEnd = -1;
constexpr int16_t kNoProfileLink = -1;

struct TProfile {
    Comment comment;
    std::array<int16_t, kProfileSegmentCount> segRate{};
    std::array<int16_t, kProfileSegmentCount> segLevel{};
    std::array<int16_t, kProfileSegmentCount> segDwell{};
    int16_t link = kNoProfileLink;

    friend bool operator==(const TProfile&, const TProfile&) = default;
};

struct InputCalibration {
    uint16_t zero = 0;
    uint16_t span = 0;

    friend bool operator==(const InputCalibration&, const InputCalibration&) = default;
};

class ConfigDatabase {
public:
    static constexpr const char* kDefaultFileName = "Default.zat";
    static constexpr const char* kStartDirectory = "./";

    CommsSettings comms;
    std::array<Comment, kDigitalInputCount> digitalInputComments{};
    std::array<Comment, kDigitalOutputCount> digitalOutputComments{};
    std::array<AnalogInputChannel, kAnalogInputCount> analogInputs{};
    std::array<AnalogOutputChannel, kAnalogOutputCount> analogOutputs{};
    std::array<HotColdBlock, kHotColdBlockCount> hotColdBlocks{};
    std::array<TIfconf, kIfBlockCount> ifBlocks{};
    std::array<TController, kControllerCount> controllers{};
    std::array<TProfiler, kProfilerCount> profilers{};
    std::array<TProfile, kProfileCount> profiles{};

    // Calibration constants: read and written by calibration only, never by
    // New, Open, Save or the database file.
    std::array<InputCalibration, kInputCalibrationCount> inputCalibration{};
    uint16_t coldJunctionZero = 0;

    // Document state.
    std::string fileName = kDefaultFileName;
    std::string directory = kStartDirectory;
    bool modified = false;
    bool busy = false;
    int32_t ifBlockCount = 0;

    // New: every record to its New value, comments emptied, ifBlockCount 0,
    // modified false. Comms settings, calibration and file names stay.
    void clear();
    void markModified() { modified = true; }
    void recountIfBlocks();
    // Splits a path at its last "/" into directory (with the "/") and file name.
    void setCurrentFile(const std::string& path);
    std::string currentPath() const { return directory + fileName; }
};

}  // namespace zat
