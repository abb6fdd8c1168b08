#include "windows/coordinate_conversion_dialog.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "ui/fields.hpp"
#include "ui/form.hpp"
#include "ui/messages.hpp"

namespace orvane {
namespace {

constexpr int kResultDigits = 17;

QLabel* heading(const QString& text) {
  auto* label = new QLabel(text);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

// Degrees, minutes and seconds on one row: the row's caption announces the degrees,
// and each field's name says which of the three it is.
void addDmsRow(QGridLayout* grid, int row, const QString& caption, const QString& key, QLineEdit*& degrees,
               QLineEdit*& minutes, QLineEdit*& seconds, QCheckBox* flag) {
  degrees = ui::addField(grid, row, 0, caption, QString(), key + QStringLiteral("Degrees"));
  minutes = new QLineEdit;
  seconds = new QLineEdit;
  minutes->setObjectName(QStringLiteral("field") + key + QStringLiteral("Minutes"));
  seconds->setObjectName(QStringLiteral("field") + key + QStringLiteral("Seconds"));
  for (QLineEdit* part : {minutes, seconds}) ui::sizeByFont(part);
  degrees->setAccessibleName(caption + QStringLiteral(" DD"));
  minutes->setAccessibleName(caption + QStringLiteral(" MM"));
  seconds->setAccessibleName(caption + QStringLiteral(" SS.SSS"));
  grid->addWidget(minutes, row, 2);
  grid->addWidget(seconds, row, 3);
  grid->addWidget(flag, row, 4);
}

// A result has up to 15 digits, a sign and a point (-33.8651388888889): it spans the
// degrees and minutes columns, and its unit label stands in the seconds column.
void spanResult(QGridLayout* grid, int row, QLineEdit* result) {
  ui::sizeByFont(result, kResultDigits);
  QWidget* unit = grid->itemAtPosition(row, 2)->widget();
  grid->removeWidget(result);
  grid->removeWidget(unit);
  grid->addWidget(result, row, 1, 1, 2);
  grid->addWidget(unit, row, 3);
}

}  // namespace

CoordinateConversionDialog::CoordinateConversionDialog(QWidget* parent) : QDialog(parent, ui::kWindowFlags) {
  setObjectName(QStringLiteral("coordinateWindow"));
  setWindowTitle(QStringLiteral("Coordinates Conversion"));

  auto* group = new QGroupBox(QStringLiteral("Geographic Positions"));
  group->setObjectName(QStringLiteral("groupPositions"));
  auto* grid = ui::groupGrid(group);
  grid->addWidget(heading(QStringLiteral("DD")), 0, 1);
  grid->addWidget(heading(QStringLiteral("MM")), 0, 2);
  grid->addWidget(heading(QStringLiteral("SS.SSS")), 0, 3);

  south_ = new QCheckBox(QStringLiteral("South"));
  south_->setObjectName(QStringLiteral("southBox"));
  west_ = new QCheckBox(QStringLiteral("West"));
  west_->setObjectName(QStringLiteral("westBox"));
  const QString degrees = QStringLiteral("degrees");
  const QString results = QStringLiteral("results:");
  addDmsRow(grid, 1, QStringLiteral("Latitude:"), QStringLiteral("Latitude"), latitudeDegrees_, latitudeMinutes_,
            latitudeSeconds_, south_);
  latitudeResult_ =
      ui::addField(grid, 2, 0, results, degrees, QStringLiteral("LatitudeResult"), ui::FieldLook::ReadOnly);
  latitudeResult_->setAccessibleName(QStringLiteral("Latitude result"));
  addDmsRow(grid, 3, QStringLiteral("Longitude:"), QStringLiteral("Longitude"), longitudeDegrees_, longitudeMinutes_,
            longitudeSeconds_, west_);
  longitudeResult_ =
      ui::addField(grid, 4, 0, results, degrees, QStringLiteral("LongitudeResult"), ui::FieldLook::ReadOnly);
  longitudeResult_->setAccessibleName(QStringLiteral("Longitude result"));
  spanResult(grid, 2, latitudeResult_);
  spanResult(grid, 4, longitudeResult_);

  auto* copyRow = new QHBoxLayout;
  copyButton_ = new QPushButton(QStringLiteral("Copy to:"));
  copyButton_->setObjectName(QStringLiteral("copyButton"));
  origin_ = new QRadioButton(QStringLiteral("Origin"));
  origin_->setObjectName(QStringLiteral("originChoice"));
  destination_ = new QRadioButton(QStringLiteral("Destination"));
  destination_->setObjectName(QStringLiteral("destinationChoice"));
  copyRow->addWidget(copyButton_);
  copyRow->addWidget(origin_);
  copyRow->addWidget(destination_);
  copyRow->addStretch(1);

  auto* buttons = new QHBoxLayout;
  convertButton_ = ui::addButton(buttons, QStringLiteral("&Convert"), QStringLiteral("convertButton"));
  pasteButton_ = ui::addButton(buttons, QStringLiteral("&Paste"), QStringLiteral("pasteButton"));
  exitButton_ = ui::addButton(buttons, QStringLiteral("&Exit"), QStringLiteral("exitButton"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(copyRow);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(convertButton_, &QPushButton::clicked, this, &CoordinateConversionDialog::convert);
  connect(copyButton_, &QPushButton::clicked, this, &CoordinateConversionDialog::copyResults);
  connect(pasteButton_, &QPushButton::clicked, this, &CoordinateConversionDialog::paste);
  connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);

  ui::chainTabOrder({latitudeDegrees_, latitudeMinutes_, latitudeSeconds_, south_, longitudeDegrees_, longitudeMinutes_,
                     longitudeSeconds_, west_, copyButton_, origin_, destination_, convertButton_, pasteButton_,
                     exitButton_});

  destination_->setChecked(true);
  copyButton_->setEnabled(false);
  pasteButton_->setEnabled(false);
  convertButton_->setDefault(true);
  writeFields();
  latitudeDegrees_->setFocus(Qt::OtherFocusReason);
}

bool CoordinateConversionDialog::readFields() {
  ui::FieldReader reader(this);
  reader.number(latitudeDegrees_, dms_.latitudeDegrees)
      .number(latitudeMinutes_, dms_.latitudeMinutes)
      .number(latitudeSeconds_, dms_.latitudeSeconds)
      .number(longitudeDegrees_, dms_.longitudeDegrees)
      .number(longitudeMinutes_, dms_.longitudeMinutes)
      .number(longitudeSeconds_, dms_.longitudeSeconds)
      .number(longitudeResult_, result_.longitude)
      .number(latitudeResult_, result_.latitude);
  // The tick boxes come last: after a refused field they keep what they held, as the
  // number fields after it do, and the writing puts them back.
  if (!reader.accepted()) return false;
  dms_.west = west_->isChecked();
  dms_.south = south_->isChecked();
  return true;
}

void CoordinateConversionDialog::writeFields() {
  ui::writeNumber(latitudeDegrees_, dms_.latitudeDegrees);
  ui::writeNumber(latitudeMinutes_, dms_.latitudeMinutes);
  ui::writeNumber(latitudeSeconds_, dms_.latitudeSeconds);
  ui::writeNumber(longitudeDegrees_, dms_.longitudeDegrees);
  ui::writeNumber(longitudeMinutes_, dms_.longitudeMinutes);
  ui::writeNumber(longitudeSeconds_, dms_.longitudeSeconds);
  ui::writeNumber(latitudeResult_, result_.latitude);
  ui::writeNumber(longitudeResult_, result_.longitude);
  south_->setChecked(dms_.south);
  west_->setChecked(dms_.west);
}

void CoordinateConversionDialog::convert() {
  readFields();  // a refused field is converted with its previous value
  const GeoPosition converted = convertCoordinates(dms_);
  // A result beyond every number could not be read back: the next reading would stop at
  // it. The results stay as they were, and "Copy to:" offers nothing new.
  if (!std::isfinite(converted.latitude) || !std::isfinite(converted.longitude)) {
    writeFields();
    ui::showMessage(this, kNoPositionMessage);
    return;
  }
  result_ = converted;
  writeFields();
  copyButton_->setEnabled(true);
}

void CoordinateConversionDialog::copyResults() {
  transfer_ = result_;  // as the last Convert left it: the fields are not read again
  pasteButton_->setEnabled(true);
}

void CoordinateConversionDialog::paste() {
  target_ = origin_->isChecked() ? CopyTarget::Origin : CopyTarget::Destination;
  if (readFields()) accept();
}

}  // namespace orvane
