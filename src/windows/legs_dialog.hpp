#pragma once
// Legs: the flight's legs in a table, with the inputs of the chosen leg in fields below
// it. Changing a leg's inputs, inserting, deleting or moving a leg computes the flight
// again from that leg on; a change that leaves a leg that cannot be computed is
// refused with a message and the flight stays as it was. The planner takes the flight
// back from plan() when the window closes.

#include <QDialog>

#include "core/flight.hpp"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace orvane {

class LegsDialog : public QDialog {
  Q_OBJECT

 public:
  /// `plan` as the planner holds it, its take-off and fuel at take-off set.
  explicit LegsDialog(FlightPlan plan, QWidget* parent = nullptr);

  const FlightPlan& plan() const { return plan_; }
  /// Whether any change was made: else the planner keeps everything as it was.
  bool changed() const { return changed_; }

  /// The table's column headings, in order.
  static QStringList headings();

 private:
  void buildWindow();
  void fillTable();
  void showLeg();
  int selectedLeg() const;
  void selectLeg(int leg);
  void apply();
  void insertLeg();
  void deleteLeg();
  void moveLeg(int by);
  // Computes `changed` from `fromLeg` on; takes it and selects `select` when every leg
  // can be computed, else says which leg cannot and keeps the flight as it was.
  bool tryChange(FlightPlan changed, std::size_t fromLeg, int select);
  void updateButtons();

  FlightPlan plan_;
  bool changed_ = false;

  QTableWidget* table_ = nullptr;
  QLineEdit* trueCourse_ = nullptr;
  QLineEdit* legDistance_ = nullptr;
  QLineEdit* windDirection_ = nullptr;
  QLineEdit* windVelocity_ = nullptr;
  QLineEdit* trueAirspeed_ = nullptr;
  QLineEdit* variation_ = nullptr;
  QLineEdit* deviation_ = nullptr;
  QLineEdit* fuelFlow_ = nullptr;
  QPushButton* applyButton_ = nullptr;
  QPushButton* insertButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* upButton_ = nullptr;
  QPushButton* downButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
};

/// What the Legs window says when a change leaves leg `leg` (1-based) that cannot be
/// computed, with the reason the planner would give for it.
std::string legRefusedMessage(std::size_t leg, CalculateOutcome outcome);

}  // namespace orvane
