#include "core/atmosphere.hpp"

#include <cmath>

namespace orvane {
namespace {

// g / (L R): the power of the temperature ratio that gives the pressure ratio.
constexpr double kPressureExponent = kIsaGravity / (kIsaLapseRateKPerM * kIsaGasConstant);
constexpr double kTropopauseTemperatureK = kIsaSeaLevelTemperatureK - kIsaLapseRateKPerM * kIsaTropopauseM;
constexpr double kSeaLevelDensity = kIsaSeaLevelPressurePa / (kIsaGasConstant * kIsaSeaLevelTemperatureK);
// In the isothermal layer the pressure and the density fall by e every this many metres.
constexpr double kIsothermalScaleHeightM = kIsaGasConstant * kTropopauseTemperatureK / kIsaGravity;
// (gamma - 1) / 2 and gamma / (gamma - 1), the powers of the isentropic pitot relation.
constexpr double kHalfGammaLess1 = (kAirHeatCapacityRatio - 1) / 2;
constexpr double kGammaOverGammaLess1 = kAirHeatCapacityRatio / (kAirHeatCapacityRatio - 1);

double tropopausePressurePa() noexcept {
  return kIsaSeaLevelPressurePa * std::pow(kTropopauseTemperatureK / kIsaSeaLevelTemperatureK, kPressureExponent);
}

double temperatureK(double altitudeM) noexcept {
  return altitudeM < kIsaTropopauseM ? kIsaSeaLevelTemperatureK - kIsaLapseRateKPerM * altitudeM
                                     : kTropopauseTemperatureK;
}

double pressurePa(double altitudeM) noexcept {
  if (altitudeM < kIsaTropopauseM) {
    return kIsaSeaLevelPressurePa * std::pow(temperatureK(altitudeM) / kIsaSeaLevelTemperatureK, kPressureExponent);
  }
  return tropopausePressurePa() * std::exp(-(altitudeM - kIsaTropopauseM) / kIsothermalScaleHeightM);
}

// The standard altitude [m] of a pressure [Pa]: the inverse of pressurePa.
double altitudeOfPressureM(double pressure) noexcept {
  const double tropopause = tropopausePressurePa();
  if (pressure > tropopause) {
    return kIsaSeaLevelTemperatureK / kIsaLapseRateKPerM *
           (1 - std::pow(pressure / kIsaSeaLevelPressurePa, 1 / kPressureExponent));
  }
  return kIsaTropopauseM + kIsothermalScaleHeightM * std::log(tropopause / pressure);
}

// The standard altitude [m] of a density [kg/m^3]. In the lower layer the density goes
// with the temperature ratio to the power (g / (L R) - 1).
double altitudeOfDensityM(double density) noexcept {
  const double tropopauseDensity = tropopausePressurePa() / (kIsaGasConstant * kTropopauseTemperatureK);
  if (density > tropopauseDensity) {
    return kIsaSeaLevelTemperatureK / kIsaLapseRateKPerM *
           (1 - std::pow(density / kSeaLevelDensity, 1 / (kPressureExponent - 1)));
  }
  return kIsaTropopauseM + kIsothermalScaleHeightM * std::log(tropopauseDensity / density);
}

double metresPerSecondPerUnit(SpeedUnit unit) noexcept {
  return (unit == SpeedUnit::Knots ? kMetresPerNauticalMile : kMetresPerStatuteMile) / kSecondsPerHour;
}

double speedOfSound(double temperature) noexcept {
  return std::sqrt(kAirHeatCapacityRatio * kIsaGasConstant * temperature);
}

}  // namespace

bool withinStandardAtmosphere(double altitudeFt) noexcept {
  const double metres = altitudeFt * kMetresPerFoot;
  return metres >= kIsaLowerLimitM && metres <= kIsaUpperLimitM;
}

double hectopascals(double pressure, PressureUnit unit) noexcept {
  return unit == PressureUnit::Hectopascals ? pressure : pressure * kPascalsPerInchOfMercury / kPascalsPerHectopascal;
}

double pressureAltitudeFt(double indicatedAltitudeFt, double qnh, PressureUnit unit) noexcept {
  const double settingPa = hectopascals(qnh, unit) * kPascalsPerHectopascal;
  return indicatedAltitudeFt + altitudeOfPressureM(settingPa) / kMetresPerFoot;
}

double densityAltitudeFt(double pressureAltitudeFt, double outsideAirTemperatureC) noexcept {
  const double pressure = pressurePa(pressureAltitudeFt * kMetresPerFoot);
  const double density = pressure / (kIsaGasConstant * (outsideAirTemperatureC + kZeroCelsiusK));
  return altitudeOfDensityM(density) / kMetresPerFoot;
}

double machNumber(double calibratedAirspeed, SpeedUnit unit, double pressureAltitudeFt) noexcept {
  const double casRatio = calibratedAirspeed * metresPerSecondPerUnit(unit) / speedOfSound(kIsaSeaLevelTemperatureK);
  const double impactPressure =
      kIsaSeaLevelPressurePa * (std::pow(1 + kHalfGammaLess1 * casRatio * casRatio, kGammaOverGammaLess1) - 1);
  const double staticPressure = pressurePa(pressureAltitudeFt * kMetresPerFoot);
  return std::sqrt((std::pow(impactPressure / staticPressure + 1, 1 / kGammaOverGammaLess1) - 1) / kHalfGammaLess1);
}

double trueAirspeed(double calibratedAirspeed, SpeedUnit unit, double pressureAltitudeFt,
                    double outsideAirTemperatureC) noexcept {
  const double mach = machNumber(calibratedAirspeed, unit, pressureAltitudeFt);
  return mach * speedOfSound(outsideAirTemperatureC + kZeroCelsiusK) / metresPerSecondPerUnit(unit);
}

AltitudeAirspeedComputation computeAltitudeAirspeed(const AltitudeAirspeedInputs& in) noexcept {
  AltitudeAirspeedComputation computation;
  const bool usable = std::isfinite(in.indicatedAltitudeFt) && std::isfinite(in.qnh) && in.qnh > 0 &&
                      std::isfinite(in.outsideAirTemperatureC) && in.outsideAirTemperatureC > -kZeroCelsiusK &&
                      std::isfinite(in.calibratedAirspeed) && in.calibratedAirspeed >= 0;
  if (!usable) return computation;
  const double pressureAltitude = pressureAltitudeFt(in.indicatedAltitudeFt, in.qnh, in.qnhUnit);
  if (!withinStandardAtmosphere(pressureAltitude)) {
    computation.outcome = AtmosphereOutcome::OutsideAtmosphere;
    return computation;
  }
  const double densityAltitude = densityAltitudeFt(pressureAltitude, in.outsideAirTemperatureC);
  if (!withinStandardAtmosphere(densityAltitude)) {
    computation.outcome = AtmosphereOutcome::OutsideAtmosphere;
    return computation;
  }
  if (!(machNumber(in.calibratedAirspeed, in.speedUnit, pressureAltitude) < 1)) {
    computation.outcome = AtmosphereOutcome::Supersonic;
    return computation;
  }
  computation.outcome = AtmosphereOutcome::Computed;
  computation.results = {
      pressureAltitude, densityAltitude,
      trueAirspeed(in.calibratedAirspeed, in.speedUnit, pressureAltitude, in.outsideAirTemperatureC)};
  return computation;
}

}  // namespace orvane
