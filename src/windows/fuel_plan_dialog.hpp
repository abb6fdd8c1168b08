#pragma once
// Tools > Fuel Plan: the fuel the flight needs (taxi, trip, contingency, alternate,
// final reserve) against the fuel on board at take-off, and the policy behind it.

#include <QDialog>
#include <filesystem>

#include "core/airport_names.hpp"
#include "core/airports.hpp"
#include "core/course_selection.hpp"
#include "core/fuel_policy.hpp"
#include "windows/course_distance_dialog.hpp"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvane {

/// Where the window finds the airports for the alternate, and the usual policy.
struct FuelPlanServices {
  AirportDatabase* airports = nullptr;  // null: no alternate can be chosen
  std::filesystem::path airportsFile;
  const AirportNames* airportNames = nullptr;
  QString settingsFile;               // the usual policy's settings; empty: the user's settings
  CourseWindowDirectory directory{};  // the world's airfields and the wind, for the alternate
};

class FuelPlanDialog : public QDialog {
  Q_OBJECT

 public:
  /// `destination` is where the flight ends, the alternate leg's start (also the
  /// course window's preselection).
  FuelPlanDialog(const FuelPolicy& policy, const FuelFlight& flight, const RememberedAirports& destination,
                 FuelPlanServices services, QWidget* parent = nullptr);
  ~FuelPlanDialog() override;

  /// The policy as last read; the plan's policy when the window closed with OK.
  const FuelPolicy& policy() const { return policy_; }
  const FuelPlan& fuelPlan() const { return plan_; }

 private:
  void buildWindow();
  bool readFields();
  void writeFields();
  void calculate();
  void chooseAlternate();
  void dropAlternate();
  void saveAsUsual();
  void acceptPlan();

  FuelPolicy policy_;
  FuelFlight flight_;
  RememberedAirports destination_;
  FuelPlanServices services_;
  FuelPlan plan_;

  QLineEdit* taxi_ = nullptr;
  QLineEdit* contingency_ = nullptr;
  QComboBox* reserve_ = nullptr;
  QLabel* alternate_ = nullptr;
  QPushButton* chooseAlternate_ = nullptr;
  QPushButton* noAlternate_ = nullptr;

  struct PartFields {
    QLineEdit* gallons = nullptr;
    QLineEdit* minutes = nullptr;
    QLabel* caption = nullptr;
  };
  PartFields taxiPart_, tripPart_, contingencyPart_, alternatePart_, reservePart_, requiredPart_, onBoardPart_,
      extraPart_;
  QLabel* conditions_ = nullptr;
  QLabel* verdict_ = nullptr;
  QPushButton* calculateButton_ = nullptr;
  QPushButton* usualButton_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace orvane
