#include "comms/transfer_groups.h"

#include "comms/transfer_map.h"

namespace zat {

int transferSteps(TransferGroups groups) {
    struct GroupSteps {
        TransferGroups group;
        int steps;
    };
    constexpr GroupSteps kSteps[] = {
        {kTransferAnalogInputs, kAnalogInputFields * kAnalogInputCount},
        {kTransferAnalogOutputs, kAnalogOutputFields * kAnalogOutputCount},
        {kTransferHotColdBlocks, kHotColdBlockFields * kHotColdBlockCount},
        {kTransferIfBlocks, kIfBlockFields * kIfBlockCount},
        {kTransferControllers, kControllerFields * kControllerCount},
        {kTransferProfilers, kProfilerFields * kProfilerCount},
        {kTransferProfiles, kProfileFields * kProfileCount},
    };
    int total = 0;
    for (const GroupSteps& g : kSteps)
        if ((groups & g.group) != 0) total += g.steps;
    return total;
}

}  // namespace zat
