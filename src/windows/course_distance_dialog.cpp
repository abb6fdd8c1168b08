#include "windows/course_distance_dialog.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QProxyStyle>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>
#include <QValidator>
#include <functional>

#include <limits>

#include "core/ascii.hpp"
#include "core/field_reading.hpp"
#include "core/numbers.hpp"
#include "ui/fields.hpp"
#include "ui/form.hpp"
#include "ui/messages.hpp"
#include "ui/value_label.hpp"
#include "windows/coordinate_conversion_dialog.hpp"

namespace orvane {
namespace {

constexpr NumberRange kCoordinateRange{-360, 360};
constexpr int kListCharacters = 8;        // an identifier and room to spare
constexpr std::size_t kMostMatches = 50;  // what a pilot scrolls through before typing on
constexpr int kMatchRowsShown = 5;
// A code in the pilot's file names a directory airport only where that airport lies:
// an identifier the pilot made up may be another airport's code elsewhere.
constexpr double kSameAirportNm = 2.0;

// Enter in the search field or its list chooses a match instead of pressing OK; Down
// goes from the field to the matches.
class SearchField : public QLineEdit {
 public:
  std::function<void()> onEnter;
  QListWidget* matches = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      if (onEnter) onEnter();
      event->accept();
      return;
    }
    if (event->key() == Qt::Key_Down && matches != nullptr && matches->count() > 0) {
      matches->setFocus(Qt::TabFocusReason);
      matches->setCurrentRow(0);
      event->accept();
      return;
    }
    QLineEdit::keyPressEvent(event);
  }
};

class MatchList : public QListWidget {
 public:
  std::function<void()> onEnter;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      if (onEnter) onEnter();
      event->accept();
      return;
    }
    QListWidget::keyPressEvent(event);
  }
};

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

// A field's number read without a message, NaN when it holds none.
double silentNumber(const QLineEdit* field) {
  const FieldReading reading = readNumberField(field->text().toStdString());
  return reading.status == FieldStatus::Accepted ? reading.value : std::numeric_limits<double>::quiet_NaN();
}

QLabel* makeNameLabel(const QString& name) {
  auto* label = new QLabel;
  label->setObjectName(name);
  label->setWordWrap(true);
  ui::announceValue(label);  // no name, no group title, when no airport is known
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
                                           QWidget* parent, CourseWindowDirectory directory)
    : QDialog(parent, ui::kWindowFlags),
      database_(database),
      airportsFile_(std::move(airportsFile)),
      names_(names),
      directory_(directory) {
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
  // An airport taken from the directory at an earlier opening is chosen again by its
  // code, as the lists choose the pilot's own: the next leg starts at the last one's end.
  if (directory_.directory != nullptr) {
    if (!findListEntry(originList_, values_.originId)) {
      originFromDirectory_ = directory_.directory->findByCode(values_.originId);
      if (originFromDirectory_) values_.origin = directory_.directory->airport(*originFromDirectory_).position;
    }
    if (!findListEntry(destinationList_, values_.destinationId)) {
      destinationFromDirectory_ = directory_.directory->findByCode(values_.destinationId);
      if (destinationFromDirectory_) {
        values_.destination = directory_.directory->airport(*destinationFromDirectory_).position;
      }
    }
  }
  settleIdentifiers();
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
  originLatitude_ =
      ui::addField(from, 0, 0, QStringLiteral("Latitude of the Origin-"), degrees, QStringLiteral("OriginLatitude"));
  originLongitude_ =
      ui::addField(from, 1, 0, QStringLiteral("Longitude of the Origin-"), degrees, QStringLiteral("OriginLongitude"));
  originModel_ = new QStringListModel(this);
  originCombo_ = makeAirportCombo(QStringLiteral("originList"), originModel_);
  ui::addRow(from, 2, 0, QStringLiteral("saved airports:"), originCombo_, QString(), QStringLiteral("OriginList"));
  originName_ = makeNameLabel(QStringLiteral("originName"));
  from->addWidget(originName_, 5, 0, 1, 3);

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
  to->addWidget(destinationName_, 5, 0, 1, 3);

  // The directory of the world's airfields: matches as the pilot types, a runway list
  // for an airport it knows.
  const auto addSearch = [this](QGridLayout* grid, const QString& key, bool origin, QLineEdit*& field,
                                QListWidget*& list) {
    auto* search = new SearchField;
    auto* matches = new MatchList;
    search->matches = matches;
    search->setObjectName(key + QStringLiteral("Search"));
    search->setClearButtonEnabled(true);
    ui::addRow(grid, 3, 0, QStringLiteral("search all airfields:"), search, QString(), key + QStringLiteral("Search"));
    matches->setObjectName(key + QStringLiteral("Matches"));
    matches->setAccessibleName(origin ? QStringLiteral("Departure airfields found")
                                      : QStringLiteral("Arrival airfields found"));
    matches->setUniformItemSizes(true);
    matches->setTextElideMode(Qt::ElideRight);
    matches->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    matches->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    matches->setFixedHeight(kMatchRowsShown * (matches->fontMetrics().lineSpacing() + 2) + 2 * matches->frameWidth());
    grid->addWidget(matches, 4, 0, 1, 3);
    if (directory_.directory == nullptr) {
      search->setEnabled(false);
      search->setPlaceholderText(QStringLiteral("airport directory not available"));
      matches->setEnabled(false);
    }
    search->onEnter = [this, origin, matches] { chooseFromDirectory(origin, matches); };
    matches->onEnter = search->onEnter;
    connect(search, &QLineEdit::textEdited, this,
            [this, matches](const QString& text) { searchDirectory(matches, text); });
    connect(matches, &QListWidget::itemClicked, this,
            [this, origin, matches] { chooseFromDirectory(origin, matches); });
    field = search;
    list = matches;
  };
  addSearch(from, QStringLiteral("origin"), true, originSearch_, originResults_);
  addSearch(to, QStringLiteral("destination"), false, destinationSearch_, destinationResults_);
  // Across the whole window, so that each runway end keeps to one line.
  runways_ = new QLabel;
  runways_->setObjectName(QStringLiteral("runwayList"));
  runways_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  runways_->setWordWrap(true);
  runways_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

  // The variation at the middle of the leg the fields show, as the pilot types: the
  // planner takes it with the course only when the pilot ticks the box.
  variationText_ = new QLabel;
  variationText_->setObjectName(QStringLiteral("variationText"));
  ui::announceValue(variationText_);
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
  layout->addWidget(runways_);
  layout->addLayout(variation);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(originCombo_, &QComboBox::activated, this, &CourseDistanceDialog::chooseOriginEntry);
  connect(destinationCombo_, &QComboBox::activated, this, &CourseDistanceDialog::chooseDestinationEntry);
  for (QLineEdit* field : {originLatitude_, originLongitude_, destinationLatitude_, destinationLongitude_}) {
    connect(field, &QLineEdit::textChanged, this, &CourseDistanceDialog::updateVariation);
    connect(field, &QLineEdit::textChanged, this, &CourseDistanceDialog::updateNames);
  }
  connect(okButton_, &QPushButton::clicked, this, &CourseDistanceDialog::acceptLeg);
  connect(conversionsButton_, &QPushButton::clicked, this, &CourseDistanceDialog::openConversions);
  connect(addButton_, &QPushButton::clicked, this, &CourseDistanceDialog::addAirportToDatabase);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  ui::chainTabOrder({originLatitude_, originLongitude_, originCombo_, originSearch_, originResults_,
                     destinationLatitude_, destinationLongitude_, destinationCombo_, destinationSearch_,
                     destinationResults_, useVariation_, okButton_, conversionsButton_, addButton_, cancelButton_});
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
  settleIdentifiers();
  showIdentifiers();
  return reader.accepted();
}

void CourseDistanceDialog::writeFields() {
  ui::writeNumber(originLatitude_, values_.origin.latitude);
  ui::writeNumber(originLongitude_, values_.origin.longitude);
  ui::writeNumber(destinationLatitude_, values_.destination.latitude);
  ui::writeNumber(destinationLongitude_, values_.destination.longitude);
  ui::writeText(destinationCombo_->lineEdit(), values_.destinationEntry);
  showIdentifiers();
}

// An identifier goes only with its own airport's position: the pilot's record of it,
// or the directory airport chosen. Another position has none, and no directory choice.
void CourseDistanceDialog::settleIdentifiers() {
  auto settle = [this](std::string& identifier, GeoPosition position, std::optional<std::size_t>& fromDirectory) {
    if (isOwnPosition(identifier, fromDirectory, position)) return;
    identifier.clear();
    fromDirectory.reset();
  };
  settle(values_.originId, values_.origin, originFromDirectory_);
  settle(values_.destinationId, values_.destination, destinationFromDirectory_);
}

bool CourseDistanceDialog::isOwnPosition(const std::string& identifier, std::optional<std::size_t> fromDirectory,
                                         GeoPosition position) const {
  if (identifier.empty()) return false;
  if (fromDirectory && directory_.directory != nullptr) {
    return samePositionAsShown(directory_.directory->airport(*fromDirectory).position, position);
  }
  return airportIsAt(table_, identifier, position);
}

// A position that is no airport's has no identifier: the Origin list selects nothing.
// The Destination entry keeps its text: it is what Add would add.
void CourseDistanceDialog::showIdentifiers() {
  if (values_.originId.empty()) originCombo_->setCurrentIndex(-1);
  updateNames();
}

// The name under a list (and the runways) belong to the position the fields show, as
// the pilot types: a position typed over the chosen airport's clears them at once.
void CourseDistanceDialog::updateNames() {
  const GeoPosition shownOrigin{silentNumber(originLatitude_), silentNumber(originLongitude_)};
  const GeoPosition shownDestination{silentNumber(destinationLatitude_), silentNumber(destinationLongitude_)};
  const bool originHere = isOwnPosition(values_.originId, originFromDirectory_, shownOrigin);
  const bool destinationHere = isOwnPosition(values_.destinationId, destinationFromDirectory_, shownDestination);
  const auto origin =
      originHere ? knownAirport(originList_, values_.originId, values_.origin, originFromDirectory_) : std::nullopt;
  const auto destination = destinationHere ? knownAirport(destinationList_, values_.destinationId, values_.destination,
                                                          destinationFromDirectory_)
                                           : std::nullopt;
  originName_->setText(originHere ? description(originList_, values_.originId, values_.origin, origin) : QString());
  destinationName_->setText(destinationHere
                                ? description(destinationList_, values_.destinationId, values_.destination, destination)
                                : QString());
  writeRunways(origin, destination);
}

void CourseDistanceDialog::setTakeOffDate(const LocalDateTime& takeOff) {
  takeOffYear_ = decimalYear(takeOff);
  updateVariation();
}

// From the positions the fields show, read without a message: what OK would take.
void CourseDistanceDialog::updateVariation() {
  variation_ = legVariation({silentNumber(originLatitude_), silentNumber(originLongitude_)},
                            {silentNumber(destinationLatitude_), silentNumber(destinationLongitude_)}, takeOffYear_);
  variationText_->setText(QString::fromStdString(legVariationText(variation_)));
  const bool known = variation_.outcome == DeclinationOutcome::Computed;
  // Never a variation the window no longer shows.
  if (!known) useVariation_->setChecked(false);
  useVariation_->setEnabled(known);
}

std::optional<std::size_t> CourseDistanceDialog::knownAirport(const AirportList& list, const std::string& identifier,
                                                              GeoPosition position,
                                                              std::optional<std::size_t> chosen) const {
  if (chosen || directory_.directory == nullptr || !findListEntry(list, identifier)) return chosen;
  // The pilot's record: named by the directory where an airport of that code lies there.
  const auto record = locateAirport(table_, identifier);
  return directory_.directory->findByCodeNear(identifier, record ? *record : position, kSameAirportNm);
}

QString CourseDistanceDialog::description(const AirportList& list, const std::string& identifier, GeoPosition,
                                          std::optional<std::size_t> directoryAirport) const {
  if (directoryAirport) {
    DirectoryAirport shown = directory_.directory->airport(*directoryAirport);
    const std::string_view code = shown.code;
    shown.code = identifier;
    std::string text = describeDirectoryAirport(shown);
    if (!equalIgnoringCase(code, identifier)) text += " (" + std::string(code) + ")";
    return QString::fromStdString(text);
  }
  // Only for an airport the pilot's database holds: a name must never suggest a
  // position that the fields do not show.
  if (names_ == nullptr || !findListEntry(list, identifier)) return {};
  return QString::fromStdString(describeAirport(*names_, identifier));
}

void CourseDistanceDialog::writeRunways(std::optional<std::size_t> origin, std::optional<std::size_t> destination) {
  std::string text;
  for (const auto& [airport, role] : {std::pair{origin, "departure"}, std::pair{destination, "arrival"}}) {
    if (!airport) continue;
    const DirectoryAirport& known = directory_.directory->airport(*airport);
    if (!text.empty()) text += '\n';
    text.append(known.code).append(" (").append(role).append("):");
    const std::vector<std::string> lines =
        runwayWindLines(*directory_.directory, known, directory_.windDirectionTrue, directory_.windSpeed);
    if (lines.empty()) text += " no runways in the directory";
    for (const std::string& line : lines) text += "\n    " + line;
  }
  if (!text.empty()) {
    const std::string wind = directory_.windSpeed > 0
                                 ? "the planner's wind " + fieldText(directory_.windDirectionTrue) + "\u00B0 true at " +
                                       fieldText(directory_.windSpeed)
                                 : std::string("calm wind");
    text = "Runways for " + wind + ":\n" + text;
  }
  runways_->setText(QString::fromStdString(text));
  runways_->setVisible(!text.empty());
}

void CourseDistanceDialog::searchDirectory(QListWidget* results, const QString& query) {
  results->clear();
  if (directory_.directory == nullptr) return;
  const QByteArray typed = query.toUtf8();
  for (std::size_t index : directory_.directory->search(
           std::string_view(typed.constData(), static_cast<std::size_t>(typed.size())), kMostMatches)) {
    auto* item = new QListWidgetItem(
        QString::fromStdString(describeDirectoryAirport(directory_.directory->airport(index))), results);
    item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(index));
  }
  if (results->count() > 0) results->setCurrentRow(0);
}

void CourseDistanceDialog::chooseFromDirectory(bool origin, QListWidget* results) {
  const QListWidgetItem* item = results->currentItem();
  if (item == nullptr || directory_.directory == nullptr) return;
  const auto index = static_cast<std::size_t>(item->data(Qt::UserRole).toULongLong());
  const DirectoryAirport& airport = directory_.directory->airport(index);
  if (origin) {
    values_.origin = airport.position;
    values_.originId = std::string(airport.code);
    originFromDirectory_ = index;
    originCombo_->setCurrentIndex(-1);
  } else {
    values_.destination = airport.position;
    values_.destinationId = std::string(airport.code);
    // Left for the three characters under which the pilot may add it to his own file.
    values_.destinationEntry.clear();
    destinationFromDirectory_ = index;
    destinationCombo_->setCurrentIndex(-1);
  }
  writeFields();
}

void CourseDistanceDialog::chooseOriginEntry(int entry) {
  if (entry < 0) return;
  originFromDirectory_.reset();
  chooseOrigin(values_, originList_, static_cast<std::size_t>(entry), table_);
  writeFields();
}

void CourseDistanceDialog::chooseDestinationEntry(int entry) {
  if (entry < 0) return;
  destinationFromDirectory_.reset();
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
  settleIdentifiers();
  writeFields();
}

void CourseDistanceDialog::addAirportToDatabase() {
  readFields();
  const AirportAddition addition =
      addAirportToFile(database_, airportsFile_, values_.destinationEntry, values_.destination);
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
  // "Added" only once the record is on the disk; otherwise only why it is not.
  if (addition.write == FileWrite::Written) {
    message(airportAddedMessage(values_.destinationEntry));
  } else {
    message(fileWriteMessage(addition.write, airportsWriteTexts(addition.fileTooLarge), airportsFile_));
  }
  // The pilot opens the window again to fly to the new airport.
  reject();
}

void CourseDistanceDialog::message(std::string_view text) { ui::showMessage(this, text); }

}  // namespace orvane
