#include "windows/altitude_airspeed_dialog.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/numbers.hpp"
#include "ui/fields.hpp"
#include "ui/form.hpp"
#include "ui/messages.hpp"
#include "windows/app_icon.hpp"

namespace orvane {
namespace {

constexpr int kFormulaWidthCharacters = 60;  // the formula's lines, in average characters

QString fromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// True when the field's text is a number, in or out of any range.
bool holdsNumber(const QLineEdit* field) {
  const QString text = field->text().left(static_cast<qsizetype>(kFieldCharLimit));
  return readNumberField(text.toStdString()).status != FieldStatus::NotANumber;
}

// A pair of unit choices in the unit column; one parent keeps them exclusive.
QWidget* unitChoice(const QString& name, QRadioButton*& first, const QString& firstText, QRadioButton*& second,
                    const QString& secondText) {
  auto* box = new QWidget;
  box->setObjectName(name);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  first = new QRadioButton(firstText);
  second = new QRadioButton(secondText);
  row->addWidget(first);
  row->addWidget(second);
  row->addStretch(1);
  return box;
}

}  // namespace

AltitudeAirspeedDialog::AltitudeAirspeedDialog(NumberRange trueAirspeedRange, QWidget* parent)
    : QDialog(parent, ui::kWindowFlags), tasRange_(trueAirspeedRange) {
  setObjectName(QStringLiteral("altitudeAirspeedWindow"));
  setWindowTitle(QStringLiteral("Altitude and Airspeed"));
  setWindowIcon(appIcon());

  auto* dataIn = new QGroupBox(QStringLiteral("Data in"));
  dataIn->setObjectName(QStringLiteral("groupDataIn"));
  auto* inGrid = ui::groupGrid(dataIn);
  indicatedAltitude_ = ui::addField(inGrid, 0, 0, QStringLiteral("Indicated Altitude -"), QStringLiteral("feet"),
                                    QStringLiteral("IndicatedAltitude"));
  qnh_ = ui::addField(inGrid, 1, 0, QStringLiteral("QNH (Altimeter Setting) -"), QString(), QStringLiteral("Qnh"));
  inGrid->addWidget(unitChoice(QStringLiteral("qnhUnit"), hectopascals_, QStringLiteral("&hPa"), inchesOfMercury_,
                               QStringLiteral("&inHg")),
                    1, 2);
  outsideAirTemperature_ = ui::addField(inGrid, 2, 0, QStringLiteral("OAT (Outside Air Temperature) -"),
                                        QStringLiteral("\u00b0C"), QStringLiteral("Oat"));
  calibratedAirspeed_ =
      ui::addField(inGrid, 3, 0, QStringLiteral("CAS (Calibrated Airspeed) -"), QString(), QStringLiteral("Cas"));
  inGrid->addWidget(
      unitChoice(QStringLiteral("speedUnit"), knots_, QStringLiteral("&knots"), milesPerHour_, QStringLiteral("s&m/h")),
      3, 2);
  hectopascals_->setObjectName(QStringLiteral("hectopascalsChoice"));
  inchesOfMercury_->setObjectName(QStringLiteral("inchesChoice"));
  knots_->setObjectName(QStringLiteral("knotsChoice"));
  milesPerHour_->setObjectName(QStringLiteral("milesPerHourChoice"));
  // The unit is part of what a screen reader announces for each choice.
  hectopascals_->setAccessibleName(QStringLiteral("QNH in hPa"));
  inchesOfMercury_->setAccessibleName(QStringLiteral("QNH in inHg"));
  knots_->setAccessibleName(QStringLiteral("CAS in knots"));
  milesPerHour_->setAccessibleName(QStringLiteral("CAS in sm/h"));
  inGrid->setColumnStretch(2, 1);

  auto* results = new QGroupBox(QStringLiteral("Results"));
  results->setObjectName(QStringLiteral("groupResults"));
  auto* resultGrid = ui::groupGrid(results);
  pressureAltitude_ = ui::addField(resultGrid, 0, 0, QStringLiteral("Pressure Altitude -"), QStringLiteral("feet"),
                                   QStringLiteral("PressureAltitude"), ui::FieldLook::Result);
  densityAltitude_ = ui::addField(resultGrid, 1, 0, QStringLiteral("Density Altitude -"), QStringLiteral("feet"),
                                  QStringLiteral("DensityAltitude"), ui::FieldLook::Result);
  trueAirspeed_ = ui::addField(resultGrid, 2, 0, QStringLiteral("TAS (True Airspeed) -"), QStringLiteral("knots"),
                               QStringLiteral("Tas"), ui::FieldLook::Result);
  tasUnit_ = results->findChild<QLabel*>(QStringLiteral("unitTas"));
  auto* formula = new QLabel(fromView(kAtmosphereFormulaText));
  formula->setObjectName(QStringLiteral("formulaText"));
  formula->setWordWrap(true);
  formula->setMinimumWidth(fontMetrics().averageCharWidth() * kFormulaWidthCharacters);
  resultGrid->addWidget(formula, 3, 0, 1, 3);
  resultGrid->setColumnStretch(2, 1);

  auto* buttons = new QHBoxLayout;
  calculateButton_ = ui::addButton(buttons, QStringLiteral("&Calculate"), QStringLiteral("calculateButton"));
  okButton_ = ui::addButton(buttons, QStringLiteral("OK"), QStringLiteral("okButton"));
  cancelButton_ = ui::addButton(buttons, QStringLiteral("Cancel"), QStringLiteral("cancelButton"));
  calculateButton_->setDefault(true);
  connect(calculateButton_, &QPushButton::clicked, this, [this] { calculate(); });
  connect(okButton_, &QPushButton::clicked, this, &AltitudeAirspeedDialog::acceptTrueAirspeed);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(dataIn);
  layout->addWidget(results);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  ui::chainTabOrder({indicatedAltitude_, qnh_, hectopascals_, inchesOfMercury_, outsideAirTemperature_,
                     calibratedAirspeed_, knots_, milesPerHour_, calculateButton_, okButton_, cancelButton_});

  computed_ = computeAltitudeAirspeed(inputs_);
  writeFields();
  indicatedAltitude_->setFocus(Qt::OtherFocusReason);
  indicatedAltitude_->selectAll();
}

// Each unit is taken with its field, so that a value kept after a refusal keeps its own
// unit; the QNH's unit also gives the QNH its range.
bool AltitudeAirspeedDialog::readFields() {
  ui::FieldReader reader(this);
  reader.number(indicatedAltitude_, inputs_.indicatedAltitudeFt, kIndicatedAltitudeRange);
  if (reader.accepted() && holdsNumber(qnh_)) {
    inputs_.qnhUnit = inchesOfMercury_->isChecked() ? PressureUnit::InchesOfMercury : PressureUnit::Hectopascals;
  }
  reader.number(qnh_, inputs_.qnh, inputs_.qnhUnit == PressureUnit::Hectopascals ? kQnhHectopascalRange : kQnhInchRange)
      .number(outsideAirTemperature_, inputs_.outsideAirTemperatureC, kOutsideAirTemperatureRange);
  if (reader.accepted() && holdsNumber(calibratedAirspeed_)) {
    inputs_.speedUnit = milesPerHour_->isChecked() ? SpeedUnit::StatuteMilesPerHour : SpeedUnit::Knots;
  }
  reader.number(calibratedAirspeed_, inputs_.calibratedAirspeed, kCalibratedAirspeedRange);
  return reader.accepted();
}

void AltitudeAirspeedDialog::writeFields() {
  ui::writeNumber(indicatedAltitude_, inputs_.indicatedAltitudeFt);
  ui::writeNumber(qnh_, inputs_.qnh);
  ui::writeNumber(outsideAirTemperature_, inputs_.outsideAirTemperatureC);
  ui::writeNumber(calibratedAirspeed_, inputs_.calibratedAirspeed);
  (inputs_.qnhUnit == PressureUnit::Hectopascals ? hectopascals_ : inchesOfMercury_)->setChecked(true);
  (inputs_.speedUnit == SpeedUnit::Knots ? knots_ : milesPerHour_)->setChecked(true);
  writeResults();
  writeSpeedUnit();
}

// Altitudes to the foot and the TAS to the knot, as a pilot reads them off a computer.
void AltitudeAirspeedDialog::writeResults() {
  if (computed_.outcome != AtmosphereOutcome::Computed) {
    for (QLineEdit* field : {pressureAltitude_, densityAltitude_, trueAirspeed_}) field->clear();
    return;
  }
  const AltitudeAirspeed& r = computed_.results;
  ui::writeNumber(pressureAltitude_, roundToWhole(r.pressureAltitudeFt));
  ui::writeNumber(densityAltitude_, roundToWhole(r.densityAltitudeFt));
  ui::writeNumber(trueAirspeed_, roundToWhole(r.trueAirspeed));
}

// The TAS is in the unit the CAS was read in.
void AltitudeAirspeedDialog::writeSpeedUnit() {
  const QString unit = inputs_.speedUnit == SpeedUnit::Knots ? QStringLiteral("knots") : QStringLiteral("sm/h");
  tasUnit_->setText(unit);
  trueAirspeed_->setAccessibleName(QStringLiteral("TAS (True Airspeed) - ") + unit);
}

bool AltitudeAirspeedDialog::calculate() {
  const bool accepted = readFields();  // a refused field is used with the value it then holds
  computed_ = computeAltitudeAirspeed(inputs_);
  writeFields();
  // Writing the fields took the selection from the refused one, which has the focus.
  if (auto* refused = qobject_cast<QLineEdit*>(focusWidget()); !accepted && refused != nullptr) refused->selectAll();
  switch (computed_.outcome) {
    case AtmosphereOutcome::Computed: return accepted;
    case AtmosphereOutcome::NotComputable: ui::showMessage(this, kAtmosphereNotComputableMessage); break;
    case AtmosphereOutcome::OutsideAtmosphere: ui::showMessage(this, kOutsideAtmosphereMessage); break;
    case AtmosphereOutcome::Supersonic: ui::showMessage(this, kSupersonicMessage); break;
  }
  return false;
}

// OK calculates first, so the TAS handed over is the one the window shows; one beyond
// what the planner's field takes is refused with that field's message.
void AltitudeAirspeedDialog::acceptTrueAirspeed() {
  if (!calculate()) return;
  const double tas = roundToWhole(computed_.results.trueAirspeed);
  if (tas < tasRange_.lowest || tas > tasRange_.highest) {
    ui::showMessage(this, outOfRangeMessage(tasRange_));
    calibratedAirspeed_->setFocus(Qt::OtherFocusReason);
    calibratedAirspeed_->selectAll();
    return;
  }
  handedTas_ = tas;
  accept();
}

}  // namespace orvane
