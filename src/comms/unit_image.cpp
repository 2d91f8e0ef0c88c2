#include "comms/unit_image.h"

#include "comms/config_compare.h"

namespace zat {
namespace {

// Every group that holds fields (the options dialog offers no more).
constexpr TransferGroups kEveryGroup = kTransferAnalogInputs | kTransferAnalogOutputs | kTransferHotColdBlocks |
                                       kTransferIfBlocks | kTransferControllers | kTransferProfilers |
                                       kTransferProfiles;

}  // namespace

void copyGroups(const ConfigDatabase& from, TransferGroups groups, ConfigDatabase& to) {
    if ((groups & kTransferAnalogInputs) != 0) to.analogInputs = from.analogInputs;
    if ((groups & kTransferAnalogOutputs) != 0) to.analogOutputs = from.analogOutputs;
    if ((groups & kTransferHotColdBlocks) != 0) to.hotColdBlocks = from.hotColdBlocks;
    if ((groups & kTransferIfBlocks) != 0) {
        to.ifBlocks = from.ifBlocks;
        to.ifBlockCount = from.ifBlockCount;
    }
    if ((groups & kTransferControllers) != 0) to.controllers = from.controllers;
    if ((groups & kTransferProfilers) != 0) to.profilers = from.profilers;
    if ((groups & kTransferProfiles) != 0) to.profiles = from.profiles;
}

void UnitImage::transferred(const UnitPlace& place, TransferGroups groups, const ConfigDatabase& config) {
    follow(place);
    if (image_) {
        copyGroups(config, groups, image_->config);
    } else if ((groups & kEveryGroup) == kEveryGroup) {
        image_ = Held{.place = place, .config = config};
    }
}

void UnitImage::follow(const UnitPlace& place) {
    if (image_ && !(image_->place == place)) drop();
}

void UnitImage::written(const std::function<void(ConfigDatabase&)>& change) {
    if (image_) change(image_->config);
}

const ConfigDatabase* UnitImage::at(const UnitPlace& place) const {
    return image_ && image_->place == place ? &image_->config : nullptr;
}

bool UnitImage::differsFrom(const ConfigDatabase& db) const {
    const ConfigDatabase* image = at(UnitPlace::of(db.comms));
    return image != nullptr && !differingFields(*image, db, kAllTransferGroups, CompareScope::Transferred).empty();
}

}  // namespace zat
