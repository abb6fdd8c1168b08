#pragma once
// The pilot's usual fuel policy, kept with the desktop's settings of the program (never
// in the defaults file, whose lines stay as they are).

#include <QString>

#include "core/fuel_policy.hpp"

namespace orvane::ui {

/// The policy a flight starts with when the pilot has kept none: no taxi fuel, no
/// contingency, the 30 minutes of day VFR.
inline constexpr double kUsualReserveMinutes = 30;

/// The usual policy (taxi fuel, contingency, final reserve; never an alternate, which
/// belongs to one flight). `settingsFile` empty: the program's user settings; else
/// that INI file. A value missing or out of its range gives the start policy.
FuelPolicy loadUsualFuelPolicy(const QString& settingsFile);

/// Keeps `policy` (without its alternate) as the usual one; false when the settings
/// could not be written.
bool saveUsualFuelPolicy(const QString& settingsFile, const FuelPolicy& policy);

}  // namespace orvane::ui
