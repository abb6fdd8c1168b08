#include "windows/legs_dialog.hpp"

#include <QAbstractItemView>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/leg_ranges.hpp"
#include "core/numbers.hpp"
#include "ui/default_button.hpp"
#include "ui/fields.hpp"
#include "ui/form.hpp"
#include "ui/messages.hpp"
#include "windows/calculate_messages.hpp"

namespace orvane {
namespace {

enum Column {
  From,
  To,
  TrueCourse,
  Distance,
  WindDirection,
  WindVelocity,
  TrueAirspeed,
  Variation,
  Deviation,
  FuelFlow,
  WindCorrection,
  TrueHeading,
  MagneticHeading,
  CompassHeading,
  GroundSpeed,
  Ete,
  TakeOff,
  Eta,
  FuelBurned,
  FuelLeft,
  ColumnCount,
};

// The visible rows before the table scrolls.
constexpr int kShownRows = 8;

QString number(double value) { return QString::fromStdString(fieldText(value)); }

}  // namespace

QStringList LegsDialog::headings() {
  return {
      QStringLiteral("From"),     QStringLiteral("To"),  QStringLiteral("TC"),          QStringLiteral("Dist"),
      QStringLiteral("WD"),       QStringLiteral("WV"),  QStringLiteral("TAS"),         QStringLiteral("VAR"),
      QStringLiteral("DEV"),      QStringLiteral("GPH"), QStringLiteral("WCA"),         QStringLiteral("TH"),
      QStringLiteral("MH"),       QStringLiteral("CH"),  QStringLiteral("GS"),          QStringLiteral("ETE"),
      QStringLiteral("Time Off"), QStringLiteral("ETA"), QStringLiteral("Fuel Burned"), QStringLiteral("Fuel Left")};
}

std::string legRefusedMessage(std::size_t leg, CalculateOutcome outcome) {
  if (outcome == CalculateOutcome::Calculated) return {};
  const std::string reason(calculateOutcomeMessage(outcome));
  return "Leg " + fieldText(static_cast<double>(leg)) +
         " cannot be computed with this change, so the flight "
         "was left as it was.\n" +
         reason;
}

LegsDialog::LegsDialog(FlightPlan plan, QWidget* parent) : QDialog(parent, ui::kWindowFlags), plan_(std::move(plan)) {
  setObjectName(QStringLiteral("legsWindow"));
  setWindowTitle(QStringLiteral("Legs"));
  buildWindow();
  fillTable();
  selectLeg(0);
  updateButtons();
}

void LegsDialog::buildWindow() {
  table_ = new QTableWidget(0, ColumnCount);
  table_->setObjectName(QStringLiteral("legsTable"));
  table_->setHorizontalHeaderLabels(headings());
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setAlternatingRowColors(true);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  const QFontMetrics metrics(font());
  table_->setMinimumHeight(metrics.height() * (kShownRows + 2) * 3 / 2);
  table_->setMinimumWidth(metrics.horizontalAdvance(QLatin1Char('0')) * 120);
  auto* caption = new QLabel(QStringLiteral("&Legs of the flight:"));
  caption->setObjectName(QStringLiteral("labelLegsTable"));
  caption->setBuddy(table_);
  connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
    showLeg();
    updateButtons();
  });

  auto* group = new QGroupBox(QStringLiteral("Inputs of the chosen leg"));
  group->setObjectName(QStringLiteral("groupLegInputs"));
  auto* grid = ui::groupGrid(group);
  const QString degrees = QStringLiteral("degrees");
  const QString speed = QStringLiteral("knots, sm/h");
  trueCourse_ = ui::addField(grid, 0, 0, QStringLiteral("TC (True Course) -"), degrees, QStringLiteral("TrueCourse"));
  legDistance_ = ui::addField(grid, 1, 0, QStringLiteral("Distance in Leg -"), QStringLiteral("nm, sm"),
                              QStringLiteral("Distance"));
  windDirection_ =
      ui::addField(grid, 2, 0, QStringLiteral("Wind Direction -"), degrees, QStringLiteral("WindDirection"));
  windVelocity_ = ui::addField(grid, 3, 0, QStringLiteral("Wind Velocity -"), speed, QStringLiteral("WindVelocity"));
  trueAirspeed_ =
      ui::addField(grid, 0, 4, QStringLiteral("TAS (True Airspeed) -"), speed, QStringLiteral("TrueAirspeed"));
  variation_ = ui::addField(grid, 1, 4, QStringLiteral("Variation (-E, +W) -"), degrees, QStringLiteral("Variation"));
  deviation_ = ui::addField(grid, 2, 4, QStringLiteral("Magnetic Deviation -"), degrees, QStringLiteral("Deviation"));
  fuelFlow_ = ui::addField(grid, 3, 4, QStringLiteral("GPH (Galons/Hour) -"), QStringLiteral("gallons"),
                           QStringLiteral("FuelFlow"));
  grid->setColumnMinimumWidth(3, 24);

  auto* buttons = new QHBoxLayout;
  applyButton_ = ui::addButton(buttons, QStringLiteral("&Apply"), QStringLiteral("applyButton"));
  insertButton_ = ui::addButton(buttons, QStringLiteral("&Insert"), QStringLiteral("insertButton"));
  deleteButton_ = ui::addButton(buttons, QStringLiteral("&Delete"), QStringLiteral("deleteButton"));
  upButton_ = ui::addButton(buttons, QStringLiteral("Move &Up"), QStringLiteral("upButton"));
  downButton_ = ui::addButton(buttons, QStringLiteral("Move Do&wn"), QStringLiteral("downButton"));
  closeButton_ = ui::addButton(buttons, QStringLiteral("&Close"), QStringLiteral("closeButton"));
  connect(applyButton_, &QPushButton::clicked, this, &LegsDialog::apply);
  connect(insertButton_, &QPushButton::clicked, this, &LegsDialog::insertLeg);
  connect(deleteButton_, &QPushButton::clicked, this, &LegsDialog::deleteLeg);
  connect(upButton_, &QPushButton::clicked, this, [this] { moveLeg(-1); });
  connect(downButton_, &QPushButton::clicked, this, [this] { moveLeg(1); });
  connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
  ui::handDefaultButton(closeButton_, applyButton_);

  // The courses of an imported route (or the one from the course window) that the
  // planner's Calculate has still to turn into legs.
  const std::string waiting = coursesToCalculate(plan_);
  auto* waitingLabel = new QLabel(
      QStringLiteral("Still to calculate in the planner:%1").arg(QString::fromStdString(validUtf8(waiting))));
  waitingLabel->setObjectName(QStringLiteral("coursesToCalculate"));
  waitingLabel->setWordWrap(true);
  waitingLabel->setVisible(!waiting.empty());

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addWidget(table_);
  layout->addWidget(waitingLabel);
  layout->addWidget(group);
  layout->addLayout(buttons);

  ui::chainTabOrder({table_, trueCourse_, legDistance_, windDirection_, windVelocity_, trueAirspeed_, variation_,
                     deviation_, fuelFlow_, applyButton_, insertButton_, deleteButton_, upButton_, downButton_,
                     closeButton_});
}

void LegsDialog::fillTable() {
  const QSignalBlocker quiet(table_);
  table_->setRowCount(static_cast<int>(plan_.legs.size()));
  for (std::size_t i = 0; i < plan_.legs.size(); ++i) {
    const PlannedLeg& leg = plan_.legs[i];
    const LegInputs& in = leg.inputs;
    const LegResults& r = leg.results;
    QString from;
    QString to;
    if (leg.ends) {
      from = QString::fromStdString(validUtf8(leg.ends->fromId));
      to = QString::fromStdString(validUtf8(leg.ends->toId));
    }
    const QString fuelLeft = r.fuelShort ? number(r.fuelLeft) + QStringLiteral(" (short)") : number(r.fuelLeft);
    const QString cells[ColumnCount] = {from,
                                        to,
                                        number(in.trueCourse),
                                        number(in.distance),
                                        number(in.windDirection),
                                        number(in.windVelocity),
                                        number(in.trueAirspeed),
                                        number(in.variation),
                                        number(in.deviation),
                                        number(in.fuelFlow),
                                        number(r.windCorrectionAngle),
                                        number(r.trueHeading),
                                        number(r.magneticHeading),
                                        number(r.compassHeading),
                                        number(r.groundSpeed),
                                        number(r.eteMinutes),
                                        QString::fromStdString(r.takeOffText),
                                        QString::fromStdString(r.etaText),
                                        number(r.fuelBurned),
                                        fuelLeft};
    for (int column = 0; column < ColumnCount; ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      if (column >= TrueCourse && column != TakeOff && column != Eta) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      }
      table_->setItem(static_cast<int>(i), column, item);
    }
  }
  table_->setVerticalHeaderLabels([this] {
    QStringList numbers;
    for (std::size_t i = 1; i <= plan_.legs.size(); ++i) numbers << QString::number(i);
    return numbers;
  }());
}

int LegsDialog::selectedLeg() const {
  const QList<QTableWidgetSelectionRange> ranges = table_->selectedRanges();
  return ranges.isEmpty() ? -1 : ranges.first().topRow();
}

void LegsDialog::selectLeg(int leg) {
  if (plan_.legs.empty()) {
    table_->clearSelection();
    showLeg();
    return;
  }
  leg = std::clamp(leg, 0, static_cast<int>(plan_.legs.size()) - 1);
  table_->selectRow(leg);
  table_->setCurrentCell(leg, TrueCourse);
  showLeg();
}

void LegsDialog::showLeg() {
  const int leg = selectedLeg();
  const LegInputs shown = leg < 0 ? LegInputs{} : plan_.legs[static_cast<std::size_t>(leg)].inputs;
  ui::writeNumber(trueCourse_, shown.trueCourse);
  ui::writeNumber(legDistance_, shown.distance);
  ui::writeNumber(windDirection_, shown.windDirection);
  ui::writeNumber(windVelocity_, shown.windVelocity);
  ui::writeNumber(trueAirspeed_, shown.trueAirspeed);
  ui::writeNumber(variation_, shown.variation);
  ui::writeNumber(deviation_, shown.deviation);
  ui::writeNumber(fuelFlow_, shown.fuelFlow);
}

void LegsDialog::updateButtons() {
  const int leg = selectedLeg();
  const int count = static_cast<int>(plan_.legs.size());
  for (QLineEdit* field :
       {trueCourse_, legDistance_, windDirection_, windVelocity_, trueAirspeed_, variation_, deviation_, fuelFlow_}) {
    field->setEnabled(leg >= 0);
  }
  applyButton_->setEnabled(leg >= 0);
  insertButton_->setEnabled(count > 0 && count < static_cast<int>(kMostLegs));
  deleteButton_->setEnabled(leg >= 0);
  upButton_->setEnabled(leg > 0);
  downButton_->setEnabled(leg >= 0 && leg + 1 < count);
}

// The chosen leg's fields, read in the order of the window; a refused field changes
// nothing.
void LegsDialog::apply() {
  const int leg = selectedLeg();
  if (leg < 0) return;
  FlightPlan changed = plan_;
  LegInputs& in = changed.legs[static_cast<std::size_t>(leg)].inputs;
  ui::FieldReader reader(this);
  reader.number(trueCourse_, in.trueCourse, leg_ranges::kCourse)
      .number(legDistance_, in.distance, leg_ranges::kLegDistance)
      .number(windDirection_, in.windDirection, leg_ranges::kCourse)
      .number(windVelocity_, in.windVelocity, leg_ranges::kWindVelocity)
      .number(trueAirspeed_, in.trueAirspeed, leg_ranges::kAirspeed)
      .number(variation_, in.variation, leg_ranges::kAngle)
      .number(deviation_, in.deviation, leg_ranges::kAngle)
      .number(fuelFlow_, in.fuelFlow, leg_ranges::kFuel);
  if (!reader.accepted()) return;
  if (changed.legs == plan_.legs) return;
  tryChange(std::move(changed), static_cast<std::size_t>(leg), leg);
}

// A new leg after the chosen one, with its inputs but no airports: the pilot then gives
// it its own course and distance.
void LegsDialog::insertLeg() {
  const int leg = selectedLeg() < 0 ? static_cast<int>(plan_.legs.size()) - 1 : selectedLeg();
  if (leg < 0) return;
  FlightPlan changed = plan_;
  PlannedLeg added;
  added.inputs = changed.legs[static_cast<std::size_t>(leg)].inputs;
  const auto at = static_cast<std::size_t>(leg + 1);
  changed.legs.insert(changed.legs.begin() + static_cast<std::ptrdiff_t>(at), added);
  tryChange(std::move(changed), at, leg + 1);
}

void LegsDialog::deleteLeg() {
  const int leg = selectedLeg();
  if (leg < 0) return;
  FlightPlan changed = plan_;
  changed.legs.erase(changed.legs.begin() + leg);
  tryChange(std::move(changed), static_cast<std::size_t>(leg), leg);
}

void LegsDialog::moveLeg(int by) {
  const int leg = selectedLeg();
  const int to = leg + by;
  if (leg < 0 || to < 0 || to >= static_cast<int>(plan_.legs.size())) return;
  FlightPlan changed = plan_;
  std::swap(changed.legs[static_cast<std::size_t>(leg)], changed.legs[static_cast<std::size_t>(to)]);
  tryChange(std::move(changed), static_cast<std::size_t>(std::min(leg, to)), to);
}

bool LegsDialog::tryChange(FlightPlan changed, std::size_t fromLeg, int select) {
  const CalculateResult result = recomputeFlight(changed, fromLeg);
  if (result.outcome != CalculateOutcome::Calculated) {
    ui::showMessage(this, legRefusedMessage(result.leg + 1, result.outcome));
    return false;
  }
  plan_ = std::move(changed);
  changed_ = true;
  fillTable();
  selectLeg(select);
  updateButtons();
  return true;
}

}  // namespace orvane
