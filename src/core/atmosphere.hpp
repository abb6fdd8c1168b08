#pragma once
// The International Standard Atmosphere (ICAO) up to 20,000 m, and what a pilot reads
// off it: pressure altitude from the altimeter, density altitude from the outside air
// temperature, and true airspeed from calibrated airspeed.
//
// Layers: from -5,000 m to the tropopause at 11,000 m the temperature falls 6.5 K a
// kilometre from 15 degC and 1013.25 hPa at sea level; from 11,000 m to 20,000 m it
// stays at -56.5 degC. Altitudes are geopotential, as an altimeter's scale is.

#include "core/units.hpp"

namespace orvane {

// The standard's defining values.
inline constexpr double kIsaSeaLevelTemperatureK = 288.15;
inline constexpr double kIsaSeaLevelPressurePa = 101325;
inline constexpr double kIsaLapseRateKPerM = 0.0065;
inline constexpr double kIsaGravity = 9.80665;        // [m/s^2]
inline constexpr double kIsaGasConstant = 287.05287;  // specific, of dry air [J/(kg K)]
inline constexpr double kIsaTropopauseM = 11000;
inline constexpr double kIsaUpperLimitM = 20000;  // where the isothermal layer ends
inline constexpr double kIsaLowerLimitM = -5000;
inline constexpr double kAirHeatCapacityRatio = 1.4;
inline constexpr double kZeroCelsiusK = 273.15;
inline constexpr double kPascalsPerInchOfMercury = 3386.389;  // at 0 degC
inline constexpr double kPascalsPerHectopascal = 100;
inline constexpr double kMetresPerNauticalMile = 1852;
inline constexpr double kMetresPerStatuteMile = 1609.344;
inline constexpr double kSecondsPerHour = 3600;

enum class PressureUnit { Hectopascals, InchesOfMercury };
enum class SpeedUnit { Knots, StatuteMilesPerHour };

/// True for a pressure altitude [feet] within the model, -5,000 m to 20,000 m
/// (-16,404 ft to 65,617 ft), bounds included; false for NaN.
bool withinStandardAtmosphere(double altitudeFt) noexcept;

/// The pressure [hPa] of an altimeter setting given in `unit`.
double hectopascals(double pressure, PressureUnit unit) noexcept;

/// The pressure altitude [feet] the altimeter shows when set to 1013.25 hPa, from what
/// it shows set to `qnh` [in `unit`]: the setting shifts the scale by the standard
/// altitude of its own pressure, so PA = indicated + that altitude (about 27 ft a hPa
/// near sea level, positive for a QNH below standard). QNH must be above 0.
double pressureAltitudeFt(double indicatedAltitudeFt, double qnh, PressureUnit unit) noexcept;

/// The altitude [feet] of the standard atmosphere whose density is that of the air at
/// `pressureAltitudeFt` [feet] and `outsideAirTemperatureC` [degC, above -273.15].
double densityAltitudeFt(double pressureAltitudeFt, double outsideAirTemperatureC) noexcept;

/// True airspeed [in `unit`] from calibrated airspeed [in `unit`, 0 or more] for
/// subsonic compressible flow: the impact pressure that the airspeed indicator turns
/// into CAS at sea level,
///   qc = p0 ((1 + 0.2 (CAS / a0)^2)^3.5 - 1),
/// gives the Mach number at the static pressure p of the pressure altitude,
///   M = sqrt(5 ((qc / p + 1)^(2/7) - 1)),
/// and TAS = M a, the speed of sound a = sqrt(1.4 R T) at the outside air temperature T
/// [degC, taken as the static temperature; above -273.15]. At sea level in the
/// standard atmosphere TAS equals CAS. The result is only meaningful below Mach 1.
double trueAirspeed(double calibratedAirspeed, SpeedUnit unit, double pressureAltitudeFt,
                    double outsideAirTemperatureC) noexcept;

/// The Mach number of `calibratedAirspeed` [in `unit`] at `pressureAltitudeFt` [feet].
double machNumber(double calibratedAirspeed, SpeedUnit unit, double pressureAltitudeFt) noexcept;

struct AltitudeAirspeedInputs {
  double indicatedAltitudeFt = 0;  // [feet], with the altimeter set to QNH
  double qnh = 1013.25;            // [qnhUnit]
  PressureUnit qnhUnit = PressureUnit::Hectopascals;
  double outsideAirTemperatureC = 15;  // [degC]
  double calibratedAirspeed = 0;       // [speedUnit]
  SpeedUnit speedUnit = SpeedUnit::Knots;
};

struct AltitudeAirspeed {
  double pressureAltitudeFt = 0;
  double densityAltitudeFt = 0;
  double trueAirspeed = 0;  // [the inputs' speed unit]
};

enum class AtmosphereOutcome {
  Computed,
  NotComputable,      // a QNH not above 0, a temperature not above absolute zero, a
                      // negative airspeed, or a value that is not a number
  OutsideAtmosphere,  // the pressure or density altitude beyond -5,000 m .. 20,000 m
  Supersonic,         // Mach 1 or more: the subsonic airspeed formula does not hold
};

struct AltitudeAirspeedComputation {
  AtmosphereOutcome outcome = AtmosphereOutcome::NotComputable;
  AltitudeAirspeed results;  // all 0 unless computed
};

/// Pressure altitude, density altitude and true airspeed, with an outcome that says
/// why when they cannot be given.
AltitudeAirspeedComputation computeAltitudeAirspeed(const AltitudeAirspeedInputs& inputs) noexcept;

}  // namespace orvane
