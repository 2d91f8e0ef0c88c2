// One profiler: runs a profile's segments in turn (ramp at the segment's
// rate toward its level, then dwell), then follows the profile's link.
#pragma once

#include "sim/item_table.h"

#include <array>
#include <cstdint>

namespace zat::sim {

constexpr int kSegments = 8;

struct Segment {
    double rate;  // units per minute; 0 = step straight to the level
    double level;
    double dwell;  // minutes
};

struct Profile {
    std::array<Segment, kSegments> segments{};
    int link = -1;  // the next profile, or -1: stop after the last segment
};

using ProfileTable = std::array<Profile, kProfiles>;

// Status word ("M") bits.
constexpr std::int16_t kProfilerRunning = 0x01;
constexpr std::int16_t kProfilerRamping = 0x02;
constexpr std::int16_t kProfilerRampUp = 0x04;
constexpr std::int16_t kProfilerHeld = 0x08;

class Profiler {
public:
    // Starts at the first segment of `profile`, ramping from `level`.
    // A running profiler carries on as it is.
    void start(int profile, double level, const ProfileTable& profiles);
    void reset();  // stops; segment 0, no dwell time
    void hold();   // time stands still while running
    void release();

    void advance(double seconds, const ProfileTable& profiles);

    bool running() const { return running_; }
    double level() const { return level_; }
    std::int16_t statusWord() const;
    int segment() const { return segment_; }
    int dwellMinutes() const;

private:
    void nextSegment(const ProfileTable& profiles);
    void enterSegment(const ProfileTable& profiles);

    bool running_ = false;
    bool held_ = false;
    bool dwelling_ = false;
    bool rising_ = false;
    int profile_ = 0;
    int segment_ = 0;
    double level_ = 0;
    double dwellSeconds_ = 0;
};

}  // namespace zat::sim
