// What the monitors remember between windows and runs: whether the trend is
// shown and its time span.
#pragma once

#include <QSettings>

namespace zat {

inline QSettings monitorSettings() { return QSettings(QStringLiteral("zat"), QStringLiteral("zatsetup")); }

inline constexpr const char* kTrendShownKey = "monitors/trendShown";
inline constexpr const char* kTrendSpanKey = "monitors/trendSpanSeconds";

}  // namespace zat
