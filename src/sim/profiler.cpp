#include "sim/profiler.h"

#include <algorithm>
#include <cmath>

namespace zat::sim {

namespace {

// Segments that take no time (step, no dwell) linked in a circle would loop
// for ever; the profiler moves on at most this many segments in one step.
constexpr int kMaxSegmentsPerStep = 32;

}  // namespace

void Profiler::start(int profile, double level, const ProfileTable& profiles) {
    if (running_) return;
    running_ = true;
    held_ = false;
    profile_ = profile;
    segment_ = 0;
    level_ = level;
    enterSegment(profiles);
}

void Profiler::reset() {
    running_ = false;
    held_ = false;
    dwelling_ = false;
    segment_ = 0;
    dwellSeconds_ = 0;
}

void Profiler::hold() { held_ = running_; }

void Profiler::release() { held_ = false; }

void Profiler::advance(double seconds, const ProfileTable& profiles) {
    int moves = 0;
    while (running_ && !held_ && seconds > 0 && moves < kMaxSegmentsPerStep) {
        const Segment& segment =
            profiles[static_cast<std::size_t>(profile_)].segments[static_cast<std::size_t>(segment_)];
        if (!dwelling_) {
            const double distance = segment.level - level_;
            const double perSecond = std::fabs(segment.rate) / 60.0;
            if (perSecond == 0 || std::fabs(distance) <= perSecond * seconds) {
                if (perSecond > 0) seconds -= std::fabs(distance) / perSecond;
                level_ = segment.level;
                dwelling_ = true;
                dwellSeconds_ = 0;
            } else {
                level_ += std::copysign(perSecond * seconds, distance);
                seconds = 0;
            }
            continue;
        }
        const double remaining = std::max(segment.dwell, 0.0) * 60.0 - dwellSeconds_;
        if (remaining > seconds) {
            dwellSeconds_ += seconds;
            seconds = 0;
        } else {
            seconds -= std::max(remaining, 0.0);
            nextSegment(profiles);
            ++moves;
        }
    }
}

void Profiler::nextSegment(const ProfileTable& profiles) {
    if (segment_ + 1 < kSegments) {
        ++segment_;
    } else {
        const int link = profiles[static_cast<std::size_t>(profile_)].link;
        if (link < 0 || link >= kProfiles) {
            running_ = false;
            return;
        }
        profile_ = link;
        segment_ = 0;
    }
    enterSegment(profiles);
}

void Profiler::enterSegment(const ProfileTable& profiles) {
    const Segment& segment = profiles[static_cast<std::size_t>(profile_)].segments[static_cast<std::size_t>(segment_)];
    rising_ = segment.level > level_;
    dwelling_ = false;
    dwellSeconds_ = 0;
}

std::int16_t Profiler::statusWord() const {
    if (!running_) return 0;
    std::int16_t status = kProfilerRunning;
    if (!dwelling_) {
        status |= kProfilerRamping;
        if (rising_) status |= kProfilerRampUp;
    }
    if (held_) status |= kProfilerHeld;
    return status;
}

int Profiler::dwellMinutes() const { return static_cast<int>(dwellSeconds_ / 60.0); }

}  // namespace zat::sim
