#include "model/config_database.h"

#include <algorithm>

namespace zat {

void ConfigDatabase::clear() {
    for (auto& input : analogInputs) input = AnalogInputChannel{};
    for (auto& output : analogOutputs) {
        // Calibration belongs to the unit, not to the configuration.
        const uint16_t calZero = output.calZero;
        const uint16_t calSpan = output.calSpan;
        output = AnalogOutputChannel{};
        output.calZero = calZero;
        output.calSpan = calSpan;
    }
    for (auto& comment : digitalOutputComments) comment.clear();
    for (auto& comment : digitalInputComments) comment.clear();
    for (auto& block : hotColdBlocks) block = HotColdBlock{};
    for (auto& block : ifBlocks) block = TIfconf{};
    ifBlockCount = 0;
    for (auto& controller : controllers) controller = TController{};
    for (auto& profiler : profilers) profiler = TProfiler{};
    for (auto& profile : profiles) profile = TProfile{};
    modified = false;
}

void ConfigDatabase::recountIfBlocks() {
    ifBlockCount = static_cast<int32_t>(
        std::count_if(ifBlocks.begin(), ifBlocks.end(), [](const TIfconf& b) { return b.inUse(); }));
}

void ConfigDatabase::setCurrentFile(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        directory.clear();
        fileName = path;
    } else {
        directory = path.substr(0, slash + 1);
        fileName = path.substr(slash + 1);
    }
}

}  // namespace zat
