#include "windows/weight_balance_dialog.hpp"

#include <QContextMenuEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/balance_indicator.hpp"
#include "ui/balance_indicator_view.hpp"
#include "ui/fields.hpp"
#include "ui/form.hpp"
#include "ui/messages.hpp"
#include "windows/about_entry.hpp"
#include "windows/app_icon.hpp"

namespace orvane {
namespace {

constexpr NumberRange kLoadRange{0, 100000};
constexpr NumberRange kEmptyAircraftRange{0, 1000000};  // a whole airplane's weight and moment
constexpr int kCgDigits = 17;                           // the CG with all its 15 digits (68.8095238095238)
constexpr int kGapCharacters = 3;                       // between the window's parts

using ui::FieldLook;

QLabel* heading(const QString& text, const QString& name) {
  auto* label = new QLabel(text);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

QLineEdit* addCell(QGridLayout* grid, int row, int column, const QString& key, const QString& name, FieldLook look) {
  auto* field = new QLineEdit;
  field->setObjectName(QStringLiteral("field") + key);
  field->setAccessibleName(name);
  ui::sizeByFont(field);
  ui::setFieldLook(field, look);
  // Centred, as the column headings are: a heading can be wider than its fields.
  grid->addWidget(field, row, column, Qt::AlignHCenter);
  return field;
}

}  // namespace

WeightBalanceDialog::WeightBalanceDialog(const AirplaneData& airplane, double fuelOnBoard, QWidget* parent)
    : QDialog(parent, ui::kWindowFlags), sheet_(fillBalanceSheet(airplane, fuelOnBoard)) {
  setObjectName(QStringLiteral("weightBalanceWindow"));
  buildWindow();
  setWindowIcon(appIcon());
  addAboutToSystemMenu(this);
  writeFields();
  // The load is what changes from flight to flight; the airplane's data rarely does.
  frontSeats_.weight->setFocus(Qt::OtherFocusReason);
}

void WeightBalanceDialog::buildWindow() {
  setWindowTitle(QStringLiteral("Weight & Balance version 1.0"));
  const QString none;

  // The airplane's data on the left and the loading table on the right share one grid,
  // so that their rows line up and the heading stands level with the column headings.
  auto* form = ui::fieldGrid();
  auto* airplaneHeading = new QLabel(QStringLiteral("Airplane Data:"));
  airplaneHeading->setObjectName(QStringLiteral("headingAirplane"));
  form->addWidget(airplaneHeading, 0, 0, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
  tailNumber_ = ui::addField(form, 1, 0, QStringLiteral("Tail Number -"), none, QStringLiteral("TailNumber"));
  airplaneType_ = ui::addField(form, 2, 0, QStringLiteral("Airplane Type -"), none, QStringLiteral("AirplaneType"));
  maxWeight_ = ui::addField(form, 3, 0, QStringLiteral("Max Weight (LB) -"), none, QStringLiteral("MaxWeight"));
  usefulLoad_ = ui::addField(form, 4, 0, QStringLiteral("Useful Load (LB) -"), none, QStringLiteral("UsefulLoad"));
  fuelOnBoard_ = ui::addField(form, 5, 0, QStringLiteral("Fuel on Board (G) -"), none, QStringLiteral("FuelOnBoard"));
  limits_ = new QGroupBox(QStringLiteral("At Gross Weight:"));
  limits_->setObjectName(QStringLiteral("groupLimits"));
  limitGrid_ = ui::groupGrid(limits_);
  limitGrid_->setColumnStretch(0, 1);
  cgForeLimit_ = ui::addField(limitGrid_, 0, 0, QStringLiteral("CG Fore Limit -"), none, QStringLiteral("CgForeLimit"));
  cgAftLimit_ = ui::addField(limitGrid_, 1, 0, QStringLiteral("CG Aft Limit -"), none, QStringLiteral("CgAftLimit"));
  // Into the gap between the two parts, so that its fields can stand under the others.
  form->addWidget(limits_, 6, 0, 3, 3);
  form->setRowStretch(8, 1);  // the group's extra height, not the table's last rows

  const QString weight = QStringLiteral("Weight (LB)");
  const QString arm = QStringLiteral("Arm (in)");
  const QString moment = QStringLiteral("Moment (LB-in/100)");
  form->addWidget(heading(weight, QStringLiteral("headingWeight")), 0, 4);
  form->addWidget(heading(arm, QStringLiteral("headingArm")), 0, 5);
  form->addWidget(heading(moment, QStringLiteral("headingMoment")), 0, 6);
  // The row's caption announces its weight; each field's name says which column it is.
  auto addLoadingRow = [&](int row, const QString& caption, const QString& key, bool withArm, FieldLook look) {
    RowFields fields;
    fields.weight = ui::addField(form, row, 3, caption, none, key + QStringLiteral("Weight"), look);
    fields.weight->setAccessibleName(caption + QLatin1Char(' ') + weight);
    if (withArm)
      fields.arm = addCell(form, row, 5, key + QStringLiteral("Arm"), caption + QLatin1Char(' ') + arm, look);
    fields.moment = addCell(form, row, 6, key + QStringLiteral("Moment"), caption + QLatin1Char(' ') + moment, look);
    return fields;
  };
  emptyAircraft_ =
      addLoadingRow(1, QStringLiteral("Empty Aircraft -"), QStringLiteral("Empty"), false, FieldLook::Editable);
  frontSeats_ = addLoadingRow(2, QStringLiteral("Front Sits -"), QStringLiteral("Front"), true, FieldLook::Editable);
  rearSeats_ = addLoadingRow(3, QStringLiteral("Rear Seats -"), QStringLiteral("Rear"), true, FieldLook::Editable);
  fuel_ = addLoadingRow(4, QStringLiteral("Fuel -"), QStringLiteral("Fuel"), true, FieldLook::Editable);
  baggage_ = addLoadingRow(5, QStringLiteral("Baggage -"), QStringLiteral("Baggage"), true, FieldLook::Editable);
  other_ = addLoadingRow(6, QStringLiteral("Other -"), QStringLiteral("Other"), true, FieldLook::Editable);
  gross_ = addLoadingRow(7, QStringLiteral("Gross Weight -"), QStringLiteral("Gross"), false, FieldLook::ReadOnly);
  form->setColumnStretch(3, 1);  // a wider window widens the gap, the table stays together
  form_ = form;

  auto* results = new QGroupBox(QStringLiteral("Results:"));
  results->setObjectName(QStringLiteral("groupResults"));
  resultGrid_ = ui::groupGrid(results);
  cg_ = ui::addField(resultGrid_, 0, 0, QStringLiteral("CG ="), QStringLiteral("inches"), QStringLiteral("Cg"));
  ui::sizeByFont(cg_, kCgDigits);
  indicator_ = new ui::BalanceIndicatorView;
  indicator_->setObjectName(QStringLiteral("balanceIndicator"));
  resultGrid_->addWidget(indicator_, 0, 4, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
  resultGrid_->setColumnStretch(5, 1);
  resultGrid_->setRowStretch(1, 1);

  auto* buttons = new QHBoxLayout;
  calculateButton_ = ui::addButton(buttons, QStringLiteral("&Calculate"), QStringLiteral("calculateButton"));
  cancelButton_ = ui::addButton(buttons, QStringLiteral("C&ancel"), QStringLiteral("cancelButton"));
  calculateButton_->setDefault(true);
  connect(calculateButton_, &QPushButton::clicked, this, &WeightBalanceDialog::calculate);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(results);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  alignToFont();

  ui::chainTabOrder({tailNumber_,
                     airplaneType_,
                     maxWeight_,
                     usefulLoad_,
                     fuelOnBoard_,
                     cgForeLimit_,
                     cgAftLimit_,
                     emptyAircraft_.weight,
                     emptyAircraft_.moment,
                     frontSeats_.weight,
                     frontSeats_.arm,
                     frontSeats_.moment,
                     rearSeats_.weight,
                     rearSeats_.arm,
                     rearSeats_.moment,
                     fuel_.weight,
                     fuel_.arm,
                     fuel_.moment,
                     baggage_.weight,
                     baggage_.arm,
                     baggage_.moment,
                     other_.weight,
                     other_.arm,
                     other_.moment,
                     cg_,
                     calculateButton_,
                     cancelButton_});
}

// Gaps that follow the font, and the limit fields standing exactly under the fields
// above them: the group reaches into the gap between the parts, and its grid's right
// margin takes up what the group's frame does not.
void WeightBalanceDialog::alignToFont() {
  const int gap = fontMetrics().averageCharWidth() * kGapCharacters;
  form_->setColumnMinimumWidth(2, gap);
  resultGrid_->setColumnMinimumWidth(3, gap);
  const QMargins margins = limitGrid_->contentsMargins();
  limitGrid_->setContentsMargins(margins.left(), margins.top(),
                                 std::max(0, ui::kGridColumnSpacing + gap - limits_->contentsMargins().right()),
                                 margins.bottom());
}

void WeightBalanceDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) alignToFont();
}

bool WeightBalanceDialog::readFields() {
  BalanceSheet& s = sheet_;
  ui::FieldReader reader(this);
  // The fixed reading order; the read-only totals hold what the window wrote.
  reader.number(baggage_.arm, s.baggage.arm, kLoadRange)
      .number(baggage_.moment, s.baggage.moment, kLoadRange)
      .number(baggage_.weight, s.baggage.weight, kLoadRange)
      .number(cg_, s.cg)
      .number(emptyAircraft_.moment, s.emptyAircraft.moment, kEmptyAircraftRange)
      .number(emptyAircraft_.weight, s.emptyAircraft.weight, kEmptyAircraftRange)
      .number(frontSeats_.moment, s.frontSeats.moment, kLoadRange)
      .number(frontSeats_.arm, s.frontSeats.arm, kLoadRange)
      .number(frontSeats_.weight, s.frontSeats.weight, kLoadRange)
      .number(fuel_.arm, s.fuel.arm, kLoadRange)
      .number(fuel_.moment, s.fuel.moment, kLoadRange)
      .number(fuel_.weight, s.fuel.weight, kLoadRange)
      .number(other_.arm, s.other.arm, kLoadRange)
      .number(other_.moment, s.other.moment, kLoadRange)
      .number(other_.weight, s.other.weight, kLoadRange)
      .number(rearSeats_.arm, s.rearSeats.arm, kLoadRange)
      .number(rearSeats_.moment, s.rearSeats.moment, kLoadRange)
      .number(rearSeats_.weight, s.rearSeats.weight, kLoadRange)
      .number(gross_.moment, s.grossMoment, kLoadRange)
      .number(gross_.weight, s.grossWeight, kLoadRange)
      .text(tailNumber_, s.tailNumber)
      .text(airplaneType_, s.airplaneType)
      .number(maxWeight_, s.maxWeight, kLoadRange)
      .number(usefulLoad_, s.usefulLoad, kLoadRange)
      .number(fuelOnBoard_, s.fuelOnBoard, kLoadRange)
      .number(cgForeLimit_, s.cgForeLimit, kLoadRange)
      .number(cgAftLimit_, s.cgAftLimit, kLoadRange);
  return reader.accepted();
}

void WeightBalanceDialog::writeFields() {
  const BalanceSheet& s = sheet_;
  ui::writeText(tailNumber_, s.tailNumber);
  ui::writeText(airplaneType_, s.airplaneType);
  ui::writeNumber(maxWeight_, s.maxWeight);
  ui::writeNumber(usefulLoad_, s.usefulLoad);
  ui::writeNumber(fuelOnBoard_, s.fuelOnBoard);
  ui::writeNumber(cgForeLimit_, s.cgForeLimit);
  ui::writeNumber(cgAftLimit_, s.cgAftLimit);
  auto writeRow = [](const RowFields& fields, const LoadingRow& row) {
    ui::writeNumber(fields.weight, row.weight);
    if (fields.arm != nullptr) ui::writeNumber(fields.arm, row.arm);
    ui::writeNumber(fields.moment, row.moment);
  };
  writeRow(emptyAircraft_, s.emptyAircraft);
  writeRow(frontSeats_, s.frontSeats);
  writeRow(rearSeats_, s.rearSeats);
  writeRow(fuel_, s.fuel);
  writeRow(baggage_, s.baggage);
  writeRow(other_, s.other);
  ui::writeNumber(gross_.weight, s.grossWeight);
  ui::writeNumber(gross_.moment, s.grossMoment);
  ui::writeNumber(cg_, s.cg);
}

void WeightBalanceDialog::calculate() {
  readFields();  // a refused field is used with the value it then holds
  const double cgBefore = sheet_.cg;
  const BalanceCheck check = calculateBalance(sheet_);
  // The moments and totals show at once, the new CG only after the messages.
  writeFields();
  ui::writeNumber(cg_, cgBefore);
  if (check.wrongData) ui::showMessage(this, kWrongDataMessage);
  if (check.tooHeavy) ui::showMessage(this, kTooHeavyMessage);
  writeFields();
  indicator_->setIndicator(indicateBalance(sheet_, check));
}

void WeightBalanceDialog::reject() {
  if (isVisible()) readFields();
  QDialog::reject();
}

// The window's own About entry, as the planner's: the box without its texts.
void WeightBalanceDialog::contextMenuEvent(QContextMenuEvent* event) {
  execAboutContextMenu(this, event->globalPos(), [this] { showAboutWithoutTexts(this); });
}

#ifdef Q_OS_WIN
bool WeightBalanceDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
  if (isAboutSystemCommand(eventType, message)) {
    showAboutWithoutTexts(this);
    *result = 0;
    return true;
  }
  return QDialog::nativeEvent(eventType, message, result);
}
#endif

}  // namespace orvane
