#pragma once
// Get True Course & Distance: the pilot picks the leg's departure and arrival airports
// (or types or converts their positions); OK hands the great-circle course and distance
// to the planner. New airports are added to the database here too.

#include <QDialog>
#include <cstddef>
#include <filesystem>
#include <optional>

#include "core/airport_directory.hpp"
#include "core/airport_names.hpp"
#include "core/airports.hpp"
#include "core/clock.hpp"
#include "core/course_selection.hpp"
#include "core/magnetic.hpp"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QLineEdit;
class QPushButton;
class QStringListModel;

namespace orvane {

/// What the window knows beyond the pilot's own file: the directory of the world's
/// airfields (null when it could not be opened) and the planner's wind for the runway list.
struct CourseWindowDirectory {
  const AirportDirectory* directory = nullptr;
  double windDirectionTrue = 0;  // [degrees true]
  double windSpeed = 0;          // [the planner's speed unit]; 0 is calm
};

class CourseDistanceDialog : public QDialog {
  Q_OBJECT

 public:
  /// `database` is the program's airport database, extended by Add; `airportsFile` is
  /// where Add writes it. `names` (may be null) names the airports the shipped data knows.
  CourseDistanceDialog(const RememberedAirports& remembered, AirportDatabase& database,
                       std::filesystem::path airportsFile, const AirportNames* names, QWidget* parent = nullptr,
                       CourseWindowDirectory directory = {});
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
  void settleIdentifiers();
  bool isOwnPosition(const std::string& identifier, std::optional<std::size_t> fromDirectory,
                     GeoPosition position) const;
  void showIdentifiers();
  void updateNames();
  void chooseOriginEntry(int entry);
  void chooseDestinationEntry(int entry);
  void acceptLeg();
  void openConversions();
  void addAirportToDatabase();
  QString description(const AirportList& list, const std::string& identifier, GeoPosition position,
                      std::optional<std::size_t> directoryAirport) const;
  std::optional<std::size_t> knownAirport(const AirportList& list, const std::string& identifier, GeoPosition position,
                                          std::optional<std::size_t> chosen) const;
  void searchDirectory(QListWidget* results, const QString& query);
  void chooseFromDirectory(bool origin, QListWidget* results);
  void writeRunways(std::optional<std::size_t> origin, std::optional<std::size_t> destination);
  void message(std::string_view text);

  AirportDatabase& database_;
  std::filesystem::path airportsFile_;
  const AirportNames* names_;
  CourseWindowDirectory directory_;
  std::optional<std::size_t> originFromDirectory_;  // chosen by search, or passed in by code
  std::optional<std::size_t> destinationFromDirectory_;
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
  QLineEdit* originSearch_ = nullptr;
  QLineEdit* destinationSearch_ = nullptr;
  QListWidget* originResults_ = nullptr;
  QListWidget* destinationResults_ = nullptr;
  QLabel* runways_ = nullptr;  // the runway ends of directory airports with the wind
  QPushButton* okButton_ = nullptr;
  QPushButton* conversionsButton_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace orvane
