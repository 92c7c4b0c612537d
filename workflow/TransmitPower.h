#pragma once
// A model's two transmit power levels in watts, from the installation's
// table "lib/PowerLevels.xml". Channels store a level (0 high, 1 low);
// channel plans exchanged as files state watts.

#include <QString>

namespace tavo {

inline constexpr const char *kPowerLevelsFile = "PowerLevels.xml";

// A channel's power attribute values (talkaround_power, repeater_power).
inline constexpr int kPowerHigh = 0;
inline constexpr int kPowerLow = 1;

struct PowerLevels {
    double lowWatts = 0.0;
    double highWatts = 0.0;
    bool nominal = true; // placeholders, not the model's rated output
    double Watts(int level) const { return level == kPowerHigh ? highWatts : lowWatts; }
};

// The levels of `model` (e.g. "OUD11602"): the first entry of the table
// whose pattern matches. An installation without the table, or without a
// matching entry, gives the nominal levels of the table's catch-all entry
// (1 W and 2 W).
PowerLevels PowerLevelsOf(const QString &model);

// "0.5W", "2.0W", "50W": one decimal below 10 W, whole watts above.
QString WattsText(double watts);

// "0.5W", "5 W", "500mW", "2.5w" -> watts; false for anything else.
bool ParseWatts(const QString &text, double &watts);

} // namespace tavo
