#include "windows/course_distance_dialog.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProxyStyle>
#include <QPushButton>
#include <QStringListModel>
#include <QValidator>
#include <QVBoxLayout>

#include <limits>

#include "core/ascii.hpp"
#include "core/field_reading.hpp"
#include "ui/fields.hpp"
#include "ui/form.hpp"
#include "ui/messages.hpp"
#include "windows/coordinate_conversion_dialog.hpp"

namespace orvane {
namespace {

constexpr NumberRange kCoordinateRange{-360, 360};
constexpr int kListCharacters = 8;  // an identifier and room to spare

// Shows what the pilot types in upper case, as the list shows its identifiers.
class UpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    input = input.toUpper();
    return Acceptable;
  }
};

QStringList shownEntries(const AirportList& list) {
  QStringList entries;
  entries.reserve(static_cast<qsizetype>(list.shown.size()));
  for (const std::string& entry : list.shown) entries.append(QString::fromStdString(entry));
  return entries;
}

// Some styles show a list that cannot be typed into as a popup menu the size of its
// contents, which measures every entry each time it opens (a tenth of a second for
// 100,000 airports). The plain drop-down list measures only what it shows.
class PlainListStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    return hint == SH_ComboBox_Popup ? 0 : QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

// A list of many thousand airports must open and search at once: the sorted model is
// handed over whole, every row has the same height, and the width comes from a few
// characters instead of measuring every entry.
QComboBox* makeAirportCombo(const QString& name, QStringListModel* model) {
  auto* combo = new QComboBox;
  auto* style = new PlainListStyle;
  style->setParent(combo);
  combo->setStyle(style);
  combo->setObjectName(name);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(kListCharacters);
  if (auto* view = qobject_cast<QListView*>(combo->view())) view->setUniformItemSizes(true);
  combo->setModel(model);
  return combo;
}

QLabel* makeNameLabel(const QString& name) {
  auto* label = new QLabel;
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // Room for two lines whatever the name, so the window keeps its size, and no say in
  // the window's width: a long name wraps instead.
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  label->setMinimumHeight(2 * label->fontMetrics().lineSpacing());
  return label;
}

}  // namespace

CourseDistanceDialog::CourseDistanceDialog(const RememberedAirports& remembered, AirportDatabase& database,
                                           std::filesystem::path airportsFile, const AirportNames* names,
                                           QWidget* parent)
    : QDialog(parent, ui::kWindowFlags),
      database_(database),
      airportsFile_(std::move(airportsFile)),
      names_(names) {
  setObjectName(QStringLiteral("courseWindow"));
  takeOffYear_ = decimalYear(currentLocalTime());
  buildWindow();

  values_ = courseWindowOpening(remembered);
  fillLists();
  if (auto entry = findListEntry(originList_, values_.originId)) {
    originCombo_->setCurrentIndex(static_cast<int>(*entry));
    chooseOriginEntry(static_cast<int>(*entry));
  }
  if (auto entry = findListEntry(destinationList_, values_.destinationId)) {
    destinationCombo_->setCurrentIndex(static_cast<int>(*entry));
    chooseDestinationEntry(static_cast<int>(*entry));
  }
  writeFields();
  // The pilot's next step is nearly always the destination.
  destinationCombo_->setFocus(Qt::OtherFocusReason);
}

// Closing hides the window, and the entry losing the focus would choose what it holds,
// on a window half gone.
CourseDistanceDialog::~CourseDistanceDialog() {
  originCombo_->disconnect(this);
  destinationCombo_->disconnect(this);
}

void CourseDistanceDialog::buildWindow() {
  setWindowTitle(QStringLiteral("Get True Course & Distance"));
  const QString degrees = QStringLiteral("degrees");

  auto* departure = new QGroupBox(QStringLiteral("Departure Coordinates"));
  departure->setObjectName(QStringLiteral("groupDeparture"));
  auto* from = ui::groupGrid(departure);
  originLatitude_ = ui::addField(from, 0, 0, QStringLiteral("Latitude of the Origin-"), degrees,
                                 QStringLiteral("OriginLatitude"));
  originLongitude_ = ui::addField(from, 1, 0, QStringLiteral("Longitude of the Origin-"), degrees,
                                  QStringLiteral("OriginLongitude"));
  originModel_ = new QStringListModel(this);
  originCombo_ = makeAirportCombo(QStringLiteral("originList"), originModel_);
  ui::addRow(from, 2, 0, QStringLiteral("saved airports:"), originCombo_, QString(), QStringLiteral("OriginList"));
  originName_ = makeNameLabel(QStringLiteral("originName"));
  from->addWidget(originName_, 3, 0, 1, 3);

  auto* arrival = new QGroupBox(QStringLiteral("Arrival Coordinates / Update Database"));
  arrival->setObjectName(QStringLiteral("groupArrival"));
  auto* to = ui::groupGrid(arrival);
  destinationLatitude_ = ui::addField(to, 0, 0, QStringLiteral("Latitude of the Destination-"), degrees,
                                      QStringLiteral("DestinationLatitude"));
  destinationLongitude_ = ui::addField(to, 1, 0, QStringLiteral("Longitude of the Destination-"), degrees,
                                       QStringLiteral("DestinationLongitude"));
  destinationModel_ = new QStringListModel(this);
  destinationCombo_ = makeAirportCombo(QStringLiteral("destinationList"), destinationModel_);
  destinationCombo_->setEditable(true);
  destinationCombo_->setInsertPolicy(QComboBox::NoInsert);
  destinationCombo_->lineEdit()->setObjectName(QStringLiteral("destinationEntry"));
  destinationCombo_->setValidator(new UpperCaseValidator(destinationCombo_));
  // Typed letters are completed from the list, in place: what follows the typed letters
  // stays selected, so typing on replaces it and a new airport keeps the identifier as
  // typed. The list is in case-blind order, so each letter is a binary search.
  destinationCombo_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
  destinationCombo_->completer()->setModelSorting(QCompleter::CaseInsensitivelySortedModel);
  ui::addRow(to, 2, 0, QStringLiteral("saved airports/add new"), destinationCombo_, QString(),
             QStringLiteral("DestinationList"));
  destinationName_ = makeNameLabel(QStringLiteral("destinationName"));
  to->addWidget(destinationName_, 3, 0, 1, 3);

  // The variation at the middle of the leg the fields show, as the pilot types: the
  // planner takes it with the course only when the pilot ticks the box.
  variationText_ = new QLabel;
  variationText_->setObjectName(QStringLiteral("variationText"));
  variationText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  useVariation_ = new QCheckBox(QStringLiteral("Use &Variation"));
  useVariation_->setObjectName(QStringLiteral("useVariation"));
  useVariation_->setToolTip(QStringLiteral("OK also puts this variation into the planner's Variation field"));
  auto* variation = new QHBoxLayout;
  variation->addWidget(variationText_, 1);
  variation->addWidget(useVariation_);

  auto* buttons = new QHBoxLayout;
  okButton_ = ui::addButton(buttons, QStringLiteral("OK"), QStringLiteral("okButton"));
  conversionsButton_ = ui::addButton(buttons, QStringLiteral("&Convesions"), QStringLiteral("conversionsButton"));
  addButton_ = ui::addButton(buttons, QStringLiteral("&Add Aiport"), QStringLiteral("addButton"));
  cancelButton_ = ui::addButton(buttons, QStringLiteral("Cancel"), QStringLiteral("cancelButton"));
  okButton_->setDefault(true);

  auto* groups = new QHBoxLayout;
  groups->addWidget(departure);
  groups->addWidget(arrival);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addLayout(variation);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(originCombo_, &QComboBox::activated, this, &CourseDistanceDialog::chooseOriginEntry);
  connect(destinationCombo_, &QComboBox::activated, this, &CourseDistanceDialog::chooseDestinationEntry);
  for (QLineEdit* field : {originLatitude_, originLongitude_, destinationLatitude_, destinationLongitude_}) {
    connect(field, &QLineEdit::textChanged, this, &CourseDistanceDialog::updateVariation);
  }
  connect(okButton_, &QPushButton::clicked, this, &CourseDistanceDialog::acceptLeg);
  connect(conversionsButton_, &QPushButton::clicked, this, &CourseDistanceDialog::openConversions);
  connect(addButton_, &QPushButton::clicked, this, &CourseDistanceDialog::addAirportToDatabase);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  ui::chainTabOrder({originLatitude_, originLongitude_, originCombo_, destinationLatitude_, destinationLongitude_,
                     destinationCombo_, useVariation_, okButton_, conversionsButton_, addButton_, cancelButton_});
}

void CourseDistanceDialog::fillLists() {
  ParsedAirports parsed = parseAirportText(database_.text);
  table_ = std::move(parsed.table);
  originList_ = makeAirportList(parsed.identifiers, ListCase::AsWritten);
  destinationList_ = makeAirportList(parsed.identifiers, ListCase::Upper);
  originModel_->setStringList(shownEntries(originList_));
  destinationModel_->setStringList(shownEntries(destinationList_));
  originCombo_->setCurrentIndex(-1);
  destinationCombo_->setCurrentIndex(-1);
  destinationCombo_->setEditText(QString());
}

bool CourseDistanceDialog::readFields() {
  ui::FieldReader reader(this);
  reader.number(originLatitude_, values_.origin.latitude, kCoordinateRange)
      .number(originLongitude_, values_.origin.longitude, kCoordinateRange)
      .number(destinationLongitude_, values_.destination.longitude, kCoordinateRange)
      .number(destinationLatitude_, values_.destination.latitude)
      .text(destinationCombo_->lineEdit(), values_.destinationEntry);
  return reader.accepted();
}

void CourseDistanceDialog::writeFields() {
  ui::writeNumber(originLatitude_, values_.origin.latitude);
  ui::writeNumber(originLongitude_, values_.origin.longitude);
  ui::writeNumber(destinationLatitude_, values_.destination.latitude);
  ui::writeNumber(destinationLongitude_, values_.destination.longitude);
  ui::writeText(destinationCombo_->lineEdit(), values_.destinationEntry);
  originName_->setText(description(originList_, values_.originId));
  destinationName_->setText(description(destinationList_, values_.destinationId));
}

void CourseDistanceDialog::setTakeOffDate(const LocalDateTime& takeOff) {
  takeOffYear_ = decimalYear(takeOff);
  updateVariation();
}

// From the positions the fields show, read without a message: what OK would take.
void CourseDistanceDialog::updateVariation() {
  auto position = [](const QLineEdit* field) {
    const FieldReading reading = readNumberField(field->text().toStdString());
    return reading.status == FieldStatus::Accepted ? reading.value : std::numeric_limits<double>::quiet_NaN();
  };
  variation_ = legVariation({position(originLatitude_), position(originLongitude_)},
                            {position(destinationLatitude_), position(destinationLongitude_)}, takeOffYear_);
  variationText_->setText(QString::fromStdString(legVariationText(variation_)));
  const bool known = variation_.outcome == DeclinationOutcome::Computed;
  // Never a variation the window no longer shows.
  if (!known) useVariation_->setChecked(false);
  useVariation_->setEnabled(known);
}

QString CourseDistanceDialog::description(const AirportList& list, const std::string& identifier) const {
  // Only for an airport the pilot's database holds: a name must never suggest a
  // position that the fields do not show.
  if (names_ == nullptr || !findListEntry(list, identifier)) return {};
  return QString::fromStdString(describeAirport(*names_, identifier));
}

void CourseDistanceDialog::chooseOriginEntry(int entry) {
  if (entry < 0) return;
  chooseOrigin(values_, originList_, static_cast<std::size_t>(entry), table_);
  writeFields();
}

void CourseDistanceDialog::chooseDestinationEntry(int entry) {
  if (entry < 0) return;
  chooseDestination(values_, destinationList_, static_cast<std::size_t>(entry), table_);
  writeFields();
}

void CourseDistanceDialog::acceptLeg() {
  readFields();
  leg_.course = computeCourseDistance(values_.origin, values_.destination);
  if (leg_.course.zeroDistance) {
    message(kZeroDistanceMessage);
    return;
  }
  // A field refused above was used all the same; the leg is handed over only once
  // every field reads cleanly.
  if (!readFields()) return;
  leg_.variation.reset();
  if (useVariation_->isChecked() && variation_.outcome == DeclinationOutcome::Computed) {
    leg_.variation = variation_.variation;
  }
  accept();
}

void CourseDistanceDialog::openConversions() {
  CoordinateConversionDialog conversion(this);
  if (conversion.exec() != QDialog::Accepted) return;
  const GeoPosition position = conversion.transfer();
  if (conversion.copyTarget() == CopyTarget::Origin) {
    values_.origin = position;
  } else {
    values_.destination = position;
  }
  writeFields();
}

void CourseDistanceDialog::addAirportToDatabase() {
  readFields();
  AirportAddition addition =
      prepareAirportAddition(database_, airportsFile_, values_.destinationEntry, values_.destination);
  switch (addition.outcome) {
    case AddAirportOutcome::HasSpace: message(kNoSpacesMessage); return;
    case AddAirportOutcome::NotThreeAlphanumeric: message(kIdentifierFormatMessage); return;
    case AddAirportOutcome::AlreadyPresent: {
      std::string shown = upperAscii(values_.destinationEntry);
      if (auto entry = findListEntry(destinationList_, values_.destinationEntry)) {
        destinationCombo_->setCurrentIndex(static_cast<int>(*entry));
        chooseDestinationEntry(static_cast<int>(*entry));
        shown = destinationList_.shown[*entry];
      }
      message(airportExistsMessage(shown));
      return;
    }
    case AddAirportOutcome::Added: break;
  }
  message(airportAddedMessage(values_.destinationEntry));
  const bool tooLarge = addition.fileTooLarge;
  switch (commitAirportAddition(database_, airportsFile_, std::move(addition))) {
    case FileWrite::Written: break;
    case FileWrite::CannotOpen:
      message(tooLarge ? airportsTooLargeMessage() : std::string(kCannotOpenAirportsMessage));
      break;
    case FileWrite::WriteFailed: message(kAirportsWriteFailedMessage); break;
    case FileWrite::PartlyWritten: message(kAirportsPartlyWrittenMessage); break;
  }
  // The pilot opens the window again to fly to the new airport.
  reject();
}

void CourseDistanceDialog::message(std::string_view text) { ui::showMessage(this, text); }

}  // namespace orvane
