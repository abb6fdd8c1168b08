#include "windows/fuel_plan_dialog.hpp"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/nav_log.hpp"
#include "core/numbers.hpp"
#include "ui/fields.hpp"
#include "ui/form.hpp"
#include "ui/freed_memory.hpp"
#include "ui/fuel_policy_settings.hpp"
#include "ui/messages.hpp"
#include "windows/about_entry.hpp"
#include "windows/app_icon.hpp"
#include "windows/course_distance_dialog.hpp"

namespace orvane {
namespace {

constexpr NumberRange kTaxiRange{0, kMaxTaxiGallons};
constexpr NumberRange kContingencyRange{0, kMaxContingencyPercent};
// Dark text on a light ground either way; the words say it too.
const QColor kEnoughColour(0xC8, 0xF0, 0xC8);
const QColor kShortColour(0xFF, 0xC8, 0xC8);

using ui::FieldLook;

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }
QString number(double value) { return fromUtf8(fieldText(value)); }
QString hundredths(double value) { return fromUtf8(formatFixed(value, 2)); }

QString alternateText(const FuelPolicy& policy) {
  if (!policy.alternate) return QStringLiteral("none");
  const AlternateLeg& a = *policy.alternate;
  return QStringLiteral("%1 ---> %2, TC %3, %4 nm, sm")
      .arg(fromUtf8(validUtf8(a.fromIdentifier)), fromUtf8(validUtf8(a.toIdentifier)), number(a.trueCourse),
           number(a.distance));
}

}  // namespace

FuelPlanDialog::FuelPlanDialog(const FuelPolicy& policy, const FuelFlight& flight,
                               const RememberedAirports& destination, FuelPlanServices services, QWidget* parent)
    : QDialog(parent, ui::kWindowFlags),
      policy_(policy),
      flight_(flight),
      destination_(destination),
      services_(std::move(services)) {
  setObjectName(QStringLiteral("fuelPlanWindow"));
  buildWindow();
  setWindowIcon(appIcon());
  addAboutToSystemMenu(this);
  plan_ = planFuel(policy_, flight_);
  writeFields();
  taxi_->setFocus(Qt::OtherFocusReason);
}

FuelPlanDialog::~FuelPlanDialog() = default;

void FuelPlanDialog::buildWindow() {
  setWindowTitle(QStringLiteral("Fuel Plan"));
  const QString gallons = QStringLiteral("gallons");

  auto* policyGroup = new QGroupBox(QStringLiteral("Fuel Policy"));
  policyGroup->setObjectName(QStringLiteral("groupFuelPolicy"));
  auto* policyGrid = ui::groupGrid(policyGroup);
  taxi_ = ui::addField(policyGrid, 0, 0, QStringLiteral("Taxi Fuel -"), gallons, QStringLiteral("TaxiFuel"));
  contingency_ = ui::addField(policyGrid, 1, 0, QStringLiteral("Contingency -"), QStringLiteral("% of trip fuel"),
                              QStringLiteral("Contingency"));
  reserve_ = new QComboBox;
  reserve_->setObjectName(QStringLiteral("fieldFinalReserve"));
  for (double minutes : kFinalReserveChoices) reserve_->addItem(number(minutes), minutes);
  ui::addRow(policyGrid, 2, 0, QStringLiteral("Final Reserve -"), reserve_, QStringLiteral("minutes at the fuel flow"),
             QStringLiteral("FinalReserve"));
  alternate_ = new QLabel;
  alternate_->setObjectName(QStringLiteral("fieldAlternate"));
  alternate_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  ui::addRow(policyGrid, 3, 0, QStringLiteral("Alternate -"), alternate_, QString(), QStringLiteral("Alternate"));
  alternate_->setAccessibleName(QString());  // it shows a value: a screen reader reads that
  auto* alternateButtons = new QHBoxLayout;
  chooseAlternate_ =
      ui::addButton(alternateButtons, QStringLiteral("Choose &Alternate..."), QStringLiteral("chooseAlternateButton"));
  noAlternate_ = ui::addButton(alternateButtons, QStringLiteral("&No Alternate"), QStringLiteral("noAlternateButton"));
  policyGrid->addLayout(alternateButtons, 4, 1, 1, 2);
  chooseAlternate_->setEnabled(services_.airports != nullptr);

  auto* partsGroup = new QGroupBox(QStringLiteral("Fuel for the Flight"));
  partsGroup->setObjectName(QStringLiteral("groupFuelParts"));
  auto* grid = ui::groupGrid(partsGroup);
  // Each part on a row: its gallons, and the minutes they stand for.
  const auto addPart = [&](int row, const QString& caption, const QString& key, FieldLook look) {
    PartFields part;
    part.gallons = ui::addField(grid, row, 0, caption, gallons, key + QStringLiteral("Gallons"), look);
    part.minutes = ui::addField(grid, row, 3, QStringLiteral("time -"), QStringLiteral("minutes"),
                                key + QStringLiteral("Minutes"), look);
    part.caption = qobject_cast<QLabel*>(grid->itemAtPosition(row, 0)->widget());
    return part;
  };
  taxiPart_ = addPart(0, QStringLiteral("Taxi -"), QStringLiteral("Taxi"), FieldLook::ReadOnly);
  tripPart_ = addPart(1, QStringLiteral("Trip -"), QStringLiteral("Trip"), FieldLook::ReadOnly);
  contingencyPart_ =
      addPart(2, QStringLiteral("Contingency -"), QStringLiteral("ContingencyPart"), FieldLook::ReadOnly);
  alternatePart_ = addPart(3, QStringLiteral("Alternate -"), QStringLiteral("AlternatePart"), FieldLook::ReadOnly);
  reservePart_ = addPart(4, QStringLiteral("Final Reserve -"), QStringLiteral("Reserve"), FieldLook::ReadOnly);
  requiredPart_ = addPart(5, QStringLiteral("Required -"), QStringLiteral("Required"), FieldLook::Summary);
  onBoardPart_ = addPart(6, QStringLiteral("On Board at Take-off -"), QStringLiteral("OnBoard"), FieldLook::Summary);
  extraPart_ = addPart(7, QStringLiteral("Extra -"), QStringLiteral("Extra"), FieldLook::ReadOnly);
  conditions_ = new QLabel;
  conditions_->setObjectName(QStringLiteral("fuelConditions"));
  conditions_->setWordWrap(true);
  grid->addWidget(conditions_, 8, 0, 1, 6);
  verdict_ = new QLabel;
  verdict_->setObjectName(QStringLiteral("fuelVerdict"));
  verdict_->setAutoFillBackground(true);
  verdict_->setWordWrap(true);
  verdict_->setMargin(fontMetrics().height() / 3);
  grid->addWidget(verdict_, 9, 0, 1, 6);
  // The minutes' captions name their part for a screen reader.
  for (PartFields* part : {&taxiPart_, &tripPart_, &contingencyPart_, &alternatePart_, &reservePart_, &requiredPart_,
                           &onBoardPart_, &extraPart_}) {
    part->minutes->setAccessibleName(part->caption->text() + QStringLiteral(" time in minutes"));
  }

  auto* buttons = new QHBoxLayout;
  calculateButton_ = ui::addButton(buttons, QStringLiteral("&Calculate"), QStringLiteral("calculateButton"));
  usualButton_ = ui::addButton(buttons, QStringLiteral("Keep as &Usual"), QStringLiteral("usualButton"));
  okButton_ = ui::addButton(buttons, QStringLiteral("OK"), QStringLiteral("okButton"));
  cancelButton_ = ui::addButton(buttons, QStringLiteral("Cancel"), QStringLiteral("cancelButton"));
  calculateButton_->setDefault(true);
  connect(calculateButton_, &QPushButton::clicked, this, &FuelPlanDialog::calculate);
  connect(usualButton_, &QPushButton::clicked, this, &FuelPlanDialog::saveAsUsual);
  connect(okButton_, &QPushButton::clicked, this, &FuelPlanDialog::acceptPlan);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  connect(chooseAlternate_, &QPushButton::clicked, this, &FuelPlanDialog::chooseAlternate);
  connect(noAlternate_, &QPushButton::clicked, this, &FuelPlanDialog::dropAlternate);
  connect(reserve_, &QComboBox::activated, this, &FuelPlanDialog::calculate);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(policyGroup);
  layout->addWidget(partsGroup);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ui::chainTabOrder({taxi_, contingency_, reserve_, chooseAlternate_, noAlternate_, calculateButton_, usualButton_,
                     okButton_, cancelButton_});
}

bool FuelPlanDialog::readFields() {
  ui::FieldReader reader(this);
  reader.number(taxi_, policy_.taxiGallons, kTaxiRange)
      .number(contingency_, policy_.contingencyPercent, kContingencyRange);
  policy_.finalReserveMinutes = reserve_->currentData().toDouble();
  return reader.accepted();
}

void FuelPlanDialog::writeFields() {
  ui::writeNumber(taxi_, policy_.taxiGallons);
  ui::writeNumber(contingency_, policy_.contingencyPercent);
  const int choice = reserve_->findData(policy_.finalReserveMinutes);
  reserve_->setCurrentIndex(choice >= 0 ? choice : 0);
  alternate_->setText(alternateText(policy_));
  noAlternate_->setEnabled(policy_.alternate.has_value());

  const auto show = [](const PartFields& part, const FuelAmount& amount) {
    part.gallons->setText(hundredths(amount.gallons));
    part.minutes->setText(hundredths(amount.minutes));
  };
  show(taxiPart_, plan_.taxi);
  show(tripPart_, plan_.trip);
  show(contingencyPart_, plan_.contingency);
  show(alternatePart_, plan_.alternate);
  show(reservePart_, plan_.finalReserve);
  show(requiredPart_, plan_.required);
  show(onBoardPart_, plan_.onBoard);
  const bool isShort = plan_.extra.gallons < 0;
  extraPart_.caption->setText(isShort ? QStringLiteral("Short -") : QStringLiteral("Extra -"));
  show(extraPart_, isShort ? FuelAmount{-plan_.extra.gallons, -plan_.extra.minutes} : plan_.extra);
  extraPart_.gallons->setAccessibleName(extraPart_.caption->text());
  extraPart_.minutes->setAccessibleName(extraPart_.caption->text() + QStringLiteral(" time in minutes"));

  const LegInputs& c = flight_.conditions;
  conditions_->setText(
      QStringLiteral("Minutes at %1 gallons an hour; the alternate is flown with the wind %2 and "
                     "TAS %3.")
          .arg(number(c.fuelFlow), fromUtf8(windText(c.windDirection, c.windVelocity)), number(c.trueAirspeed)));
  verdict_->setText(fromUtf8(fuelVerdictText(plan_)));
  QPalette palette = verdict_->palette();
  palette.setColor(QPalette::Window, plan_.enough ? kEnoughColour : kShortColour);
  palette.setColor(QPalette::WindowText, Qt::black);
  verdict_->setPalette(palette);
  QFont font = verdict_->font();
  font.setBold(!plan_.enough);
  verdict_->setFont(font);
}

void FuelPlanDialog::calculate() {
  readFields();
  plan_ = planFuel(policy_, flight_);
  writeFields();
}

void FuelPlanDialog::chooseAlternate() {
  if (services_.airports == nullptr) return;
  readFields();
  // The alternate leg starts where the flight ends.
  RememberedAirports start = destination_;
  if (start.destinationId.empty()) {
    start.destinationId = start.originId;
    start.destination = start.origin;
  }
  // The window's lists take some 300 bytes a record; given back once it has gone.
  const ui::FreedMemoryGiveBack giveBack;
  CourseDistanceDialog window(start, *services_.airports, services_.airportsFile, services_.airportNames, this,
                              services_.directory);
  if (window.exec() != QDialog::Accepted) return;
  const AcceptedLeg& leg = window.acceptedLeg();
  policy_.alternate = AlternateLeg{.fromIdentifier = leg.values.originId,
                                   .fromPosition = leg.values.origin,
                                   .toIdentifier = leg.values.destinationId,
                                   .toPosition = leg.values.destination,
                                   .trueCourse = leg.course.trueCourse,
                                   .distance = leg.course.distance};
  plan_ = planFuel(policy_, flight_);
  writeFields();
}

void FuelPlanDialog::dropAlternate() {
  readFields();
  policy_.alternate.reset();
  plan_ = planFuel(policy_, flight_);
  writeFields();
}

void FuelPlanDialog::saveAsUsual() {
  if (!readFields()) return;
  plan_ = planFuel(policy_, flight_);
  writeFields();
  if (!ui::saveUsualFuelPolicy(services_.settingsFile, policy_)) {
    ui::showMessage(this, QStringLiteral("The usual fuel policy could not be kept: the program's settings cannot be "
                                         "written."));
  }
}

void FuelPlanDialog::acceptPlan() {
  if (!readFields()) return;
  plan_ = planFuel(policy_, flight_);
  accept();
}

}  // namespace orvane
