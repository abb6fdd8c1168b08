#pragma once
// Get True Course & Distance: the pilot picks the leg's departure and arrival airports
// (or types or converts their positions); OK hands the great-circle course and distance
// to the planner. New airports are added to the database here too.

#include <QDialog>
#include <filesystem>

#include "core/airport_names.hpp"
#include "core/airports.hpp"
#include "core/clock.hpp"
#include "core/course_selection.hpp"
#include "core/magnetic.hpp"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStringListModel;

namespace orvane {

class CourseDistanceDialog : public QDialog {
  Q_OBJECT

 public:
  /// `database` is the program's airport database, extended by Add; `airportsFile` is
  /// where Add writes it. `names` (may be null) names the airports the shipped data knows.
  CourseDistanceDialog(const RememberedAirports& remembered, AirportDatabase& database,
                       std::filesystem::path airportsFile, const AirportNames* names, QWidget* parent = nullptr);
  ~CourseDistanceDialog() override;

  /// The date of the leg's take-off, for the magnetic variation the window shows;
  /// the current date until this is called.
  void setTakeOffDate(const LocalDateTime& takeOff);

  /// The leg as OK left it; meaningful when the window closed accepted. It carries a
  /// variation only when the pilot ticked "Use Variation" and the model gave one.
  const AcceptedLeg& acceptedLeg() const { return leg_; }

 private:
  void buildWindow();
  void fillLists();
  bool readFields();
  void writeFields();
  void updateVariation();
  void chooseOriginEntry(int entry);
  void chooseDestinationEntry(int entry);
  void acceptLeg();
  void openConversions();
  void addAirportToDatabase();
  QString description(const AirportList& list, const std::string& identifier) const;
  void message(std::string_view text);

  AirportDatabase& database_;
  std::filesystem::path airportsFile_;
  const AirportNames* names_;
  AirportTable table_;
  AirportList originList_;
  AirportList destinationList_;
  AcceptedLeg leg_;
  CourseWindowValues& values_ = leg_.values;
  std::optional<double> takeOffYear_;
  LegVariation variation_;

  QLineEdit* originLatitude_ = nullptr;
  QLineEdit* originLongitude_ = nullptr;
  QLineEdit* destinationLatitude_ = nullptr;
  QLineEdit* destinationLongitude_ = nullptr;
  QComboBox* originCombo_ = nullptr;
  QComboBox* destinationCombo_ = nullptr;
  QStringListModel* originModel_ = nullptr;
  QStringListModel* destinationModel_ = nullptr;
  QLabel* originName_ = nullptr;
  QLabel* destinationName_ = nullptr;
  QLabel* variationText_ = nullptr;
  QCheckBox* useVariation_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* conversionsButton_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace orvane
