#pragma once
// Altitude and Airspeed: pressure altitude from the altimeter and QNH, density altitude
// from the outside air temperature, and TAS from CAS, in the standard atmosphere. OK
// hands the TAS to the planner; Cancel hands nothing.

#include <QDialog>
#include <string_view>

#include "core/atmosphere.hpp"
#include "core/field_reading.hpp"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvane {

inline constexpr std::string_view kAtmosphereNotComputableMessage =
    "These values give no result that can be computed. Please check the inputs.";
inline constexpr std::string_view kOutsideAtmosphereMessage =
    "These values lie outside the standard atmosphere. Please check the inputs.";
inline constexpr std::string_view kSupersonicMessage =
    "This airspeed is at or above the speed of sound, where the airspeed formula does not hold. "
    "Please check the inputs.";

/// What the window says about how it computes.
inline constexpr std::string_view kAtmosphereFormulaText =
    "International Standard Atmosphere (ICAO). TAS from CAS for compressible flow: the impact "
    "pressure of CAS at sea level and the static pressure at the pressure altitude give the "
    "Mach number; TAS is that Mach number times the speed of sound at the outside air temperature.";

// The window's accepted values, both bounds included.
inline constexpr NumberRange kIndicatedAltitudeRange{-2000, 30000};  // [feet]
inline constexpr NumberRange kQnhHectopascalRange{850, 1100};
inline constexpr NumberRange kQnhInchRange{25, 33};
inline constexpr NumberRange kOutsideAirTemperatureRange{-70, 60};  // [degC]
inline constexpr NumberRange kCalibratedAirspeedRange{0, 300};      // [knots or mph]

class AltitudeAirspeedDialog : public QDialog {
  Q_OBJECT

 public:
  /// `trueAirspeedRange`: the TAS the planner's field accepts; OK hands over no other.
  explicit AltitudeAirspeedDialog(NumberRange trueAirspeedRange, QWidget* parent = nullptr);

  /// After OK: the TAS shown, in whole knots or mph.
  double trueAirspeed() const { return handedTas_; }

 private:
  bool readFields();
  void writeFields();
  void writeResults();
  void writeSpeedUnit();
  /// Reads and computes; true when the results are computed and shown.
  bool calculate();
  void acceptTrueAirspeed();

  NumberRange tasRange_;
  AltitudeAirspeedInputs inputs_;
  AltitudeAirspeedComputation computed_;
  double handedTas_ = 0;

  QLineEdit* indicatedAltitude_ = nullptr;
  QLineEdit* qnh_ = nullptr;
  QLineEdit* outsideAirTemperature_ = nullptr;
  QLineEdit* calibratedAirspeed_ = nullptr;
  QRadioButton* hectopascals_ = nullptr;
  QRadioButton* inchesOfMercury_ = nullptr;
  QRadioButton* knots_ = nullptr;
  QRadioButton* milesPerHour_ = nullptr;
  QLineEdit* pressureAltitude_ = nullptr;
  QLineEdit* densityAltitude_ = nullptr;
  QLineEdit* trueAirspeed_ = nullptr;
  QLabel* tasUnit_ = nullptr;
  QPushButton* calculateButton_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace orvane
