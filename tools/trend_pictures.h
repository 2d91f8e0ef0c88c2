// Pictures of the monitors' trends: the demo kiln run for some simulated
// minutes at a raised time scale, its readings stamped with simulated time.
#pragma once

#include "gui/common/gui_context.h"
#include "model/config_database.h"

#include <functional>

class QWidget;

namespace zat {

// Calls `save` with the controller monitor's trend ("monitor_controllers_trend")
// and the analog input monitor's ("monitor_analog_inputs_trend").
void saveTrendPictures(const ConfigDatabase& settings, const GuiContext& gui,
                       const std::function<void(QWidget&, const char*)>& save);

}  // namespace zat
