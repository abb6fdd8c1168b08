// The unit converters as a pilot uses them: typing into the real fields, entering
// fields by Tab and mouse, closing by key and button, opening from the Tools menu.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionFrame>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "test_support.hpp"
#include "windows/distance_conversion_dialog.hpp"
#include "windows/planner_dialog.hpp"
#include "windows/temperature_conversion_dialog.hpp"
#include "windows/weight_conversion_dialog.hpp"

using namespace orvane;

namespace {

// Every field of each window, row by row, left before right.
const QStringList kWeight = {"Pounds", "Kilograms"};
const QStringList kDistance = {"StatuteMiles", "Kilometres",    "Feet",
                               "Metres",       "NauticalMiles", "NauticalRowStatuteMiles"};
const QStringList kTemperature = {"Fahrenheit", "Celsius"};

std::unique_ptr<QDialog> makeWindow(const QString& name) {
  if (name == QLatin1String("weight")) return std::make_unique<WeightConversionDialog>();
  if (name == QLatin1String("distance")) return std::make_unique<DistanceConversionDialog>();
  return std::make_unique<TemperatureConversionDialog>();
}
const QStringList& keysOf(const QString& name) {
  return name == QLatin1String("weight") ? kWeight : name == QLatin1String("distance") ? kDistance : kTemperature;
}

}  // namespace

class ConverterWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QDialog> window_;

  void open(const QString& name) {
    window_ = makeWindow(name);
    window_->show();
    QApplication::setActiveWindow(window_.get());
    if (!QTest::qWaitForWindowActive(window_.get())) qFatal("converter not active");
  }
  QWidget* widget(const QString& key) const {
    if (key == QLatin1String("cancel")) return window_->findChild<QPushButton*>(QStringLiteral("cancelButton"));
    auto* f = window_->findChild<QLineEdit*>(QStringLiteral("field") + key);
    if (f == nullptr) qFatal("no field %s", qPrintable(key));
    return f;
  }
  QLineEdit* field(const QString& key) const { return static_cast<QLineEdit*>(widget(key)); }
  QStringList texts(const QStringList& keys) const {
    QStringList out;
    for (const QString& key : keys) out << field(key)->text();
    return out;
  }
  // Enters the field and types key by key: what is typed never changes under the
  // pilot's fingers, so no write into the partner ever converted back.
  void type(const QString& key, const QString& text) {
    test::typeInto(field(key), QString());
    for (qsizetype i = 0; i < text.size(); ++i) {
      QTest::keyClicks(field(key), text.mid(i, 1));
      QCOMPARE(field(key)->text(), text.left(i + 1));
    }
  }
  // The whole text fits the field's text area and is shown from its start.
  static bool shownWhole(QLineEdit* field) {
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field);
    const QRect area = field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
    return field->cursorPosition() == 0 && field->fontMetrics().horizontalAdvance(field->text()) <= area.width() - 4;
  }

 private slots:
  void cleanup() { window_.reset(); }

  void windowsOpenAsLaidOut_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("units");
    QTest::addColumn<QStringList>("legend");
    QTest::addColumn<QStringList>("opening");
    QTest::newRow("weight") << "weight"
                            << "Weight Conversions" << QStringList{"LB  =", "KG"} << QStringList{}
                            << QStringList{"", "0.000000"};
    QTest::newRow("distance, other rows empty")
        << "distance"
        << "Distance Conversions" << QStringList{"sm   =", "km", "feet =  ", "m", "nm   =", "sm"}
        << QStringList{"nm <=> nautical mile", "sm <=> statute mile", "km <=> kilometer", "m   <=> meter"}
        << QStringList{"", "0.000000", "", "", "", ""};
    QTest::newRow("temperature") << "temperature"
                                 << "Temperature Conversions" << QStringList{"Fahrenheit =", "Celsius"} << QStringList{}
                                 << QStringList{"", "-17.777778"};
  }
  void windowsOpenAsLaidOut() {
    QFETCH(QString, window);
    QFETCH(QString, title);
    QFETCH(QStringList, units);
    QFETCH(QStringList, legend);
    QFETCH(QStringList, opening);
    open(window);
    QCOMPARE(window_->windowTitle(), title);
    const QStringList& keys = keysOf(window);
    QCOMPARE(texts(keys), opening);
    QCOMPARE(QApplication::focusWidget(), widget(keys.first()));
    auto* grid = window_->findChild<QGridLayout*>();
    for (qsizetype i = 0; i < keys.size(); ++i) {
      const int row = static_cast<int>(i / 2), column = static_cast<int>(i % 2) * 2;
      QCOMPARE(grid->itemAtPosition(row, column)->widget(), field(keys[i]));
      auto* unit = qobject_cast<QLabel*>(grid->itemAtPosition(row, column + 1)->widget());
      QCOMPARE(unit->text(), units[i]);
      QCOMPARE(unit->buddy(), field(keys[i]));  // a screen reader announces the field by it
      QVERIFY(!field(keys[i])->accessibleName().isEmpty());
    }
    QStringList shown;
    for (auto* label : window_->findChildren<QLabel*>(QStringLiteral("legend"))) shown << label->text();
    QCOMPARE(shown, legend);
    auto* cancel = static_cast<QPushButton*>(widget(QStringLiteral("cancel")));
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    QVERIFY(cancel->isDefault());
  }

  void typingShowsTheWholeConversionInThePartner_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("typedInto");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("partner");
    QTest::addColumn<QString>("shown");
    auto row = [](const char* name, const char* w, const char* into, const char* typed, const char* partner,
                  const char* shown) { QTest::newRow(name) << w << into << typed << partner << shown; };
    row("kilograms", "weight", "Kilograms", "1", "Pounds", "2.204586");
    row("pounds", "weight", "Pounds", "1", "Kilograms", "0.453600");
    row("kilometres", "distance", "Kilometres", "100", "StatuteMiles", "62.140000");
    row("statute miles, no inverse", "distance", "StatuteMiles", "62.14", "Kilometres", "100.001902");
    row("metres", "distance", "Metres", "1000", "Feet", "3280.839895");
    row("nautical miles", "distance", "NauticalMiles", "100", "NauticalRowStatuteMiles", "115.077945");
    row("boiling Celsius", "temperature", "Celsius", "100", "Fahrenheit", "212.000003");
    row("boiling Fahrenheit", "temperature", "Fahrenheit", "212", "Celsius", "100.000001");
    row("body temperature", "temperature", "Fahrenheit", "98.6", "Celsius", "37.000000");
    row("minus forty", "temperature", "Celsius", "-40", "Fahrenheit", "-40.000001");
    row("12abc, pounds", "weight", "Pounds", "12abc", "Kilograms", "5.443200");
    row("12abc, feet", "distance", "Feet", "12abc", "Metres", "3.657600");
    row("12abc, Celsius", "temperature", "Celsius", "12abc", "Fahrenheit", "53.600001");
    row("minus sign alone, pounds", "weight", "Pounds", "-", "Kilograms", "0.000000");
    row("minus sign alone, Celsius", "temperature", "Celsius", "-", "Fahrenheit", "32.000000");
    row("point alone, Fahrenheit", "temperature", "Fahrenheit", ".", "Celsius", "-17.777778");
    // Results too long for six decimals in 19 characters.
    row("19 characters, still fixed", "distance", "Kilometres", "1e12", "StatuteMiles", "621400000000.000000");
    row("a trillion kilograms", "weight", "Kilograms", "1e12", "Pounds", "2204585537918.87");
    row("below minus 1e11", "weight", "Pounds", "-1e12", "Kilograms", "-453600000000");
    row("exponent, fewer digits", "temperature", "Celsius", "-1.2345678901234567e100", "Fahrenheit",
        "-2.22222223534e+100");
  }
  void typingShowsTheWholeConversionInThePartner() {
    QFETCH(QString, window);
    QFETCH(QString, typedInto);
    QFETCH(QString, typed);
    QFETCH(QString, partner);
    QFETCH(QString, shown);
    open(window);
    type(typedInto, typed);
    QCOMPARE(field(partner)->text(), shown);
    QCOMPARE(field(typedInto)->text(), typed);
    QVERIFY(shownWhole(field(partner)));
  }

  void enteringAFieldEmptiesIt_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("typedInto");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("left");  // what the field typed into shows afterwards
    QTest::newRow("kilograms by Tab") << "weight"
                                      << "Pounds"
                                      << "Kilograms"
                                      << "tab"
                                      << "0.000000";
    QTest::newRow("pounds by mouse") << "weight"
                                     << "Kilograms"
                                     << "Pounds"
                                     << "mouse"
                                     << "0.000000";
    QTest::newRow("Celsius by Tab") << "temperature"
                                    << "Fahrenheit"
                                    << "Celsius"
                                    << "tab"
                                    << "32.000000";
    QTest::newRow("Fahrenheit by Shift+Tab") << "temperature"
                                             << "Celsius"
                                             << "Fahrenheit"
                                             << "backtab"
                                             << "-17.777778";
    QTest::newRow("metres by Shift+Tab from feet") << "distance"
                                                   << "Feet"
                                                   << "Metres"
                                                   << "backtab"
                                                   << "0.000000";
    QTest::newRow("kilometres by mouse") << "distance"
                                         << "StatuteMiles"
                                         << "Kilometres"
                                         << "mouse"
                                         << "0.000000";
  }
  void enteringAFieldEmptiesIt() {
    QFETCH(QString, window);
    QFETCH(QString, typedInto);
    QFETCH(QString, entered);
    QFETCH(QString, how);
    QFETCH(QString, left);
    open(window);
    type(typedInto, QStringLiteral("98.6"));
    if (how == QLatin1String("mouse")) {
      QTest::mouseClick(field(entered), Qt::LeftButton);
    } else {
      QTest::keyClick(field(typedInto), Qt::Key_Tab, how == QLatin1String("tab") ? Qt::NoModifier : Qt::ShiftModifier);
    }
    QCOMPARE(QApplication::focusWidget(), widget(entered));
    QCOMPARE(field(entered)->text(), QString());
    QCOMPARE(field(typedInto)->text(), left);
  }

  void tabWalksTheFieldsAndEmptiesThem_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("weight") << "weight" << QStringList{"Pounds", "Kilograms", "cancel"};
    QTest::newRow("distance, metres before feet")
        << "distance"
        << QStringList{"StatuteMiles", "Kilometres", "Metres", "Feet", "NauticalMiles", "NauticalRowStatuteMiles",
                       "cancel"};
    QTest::newRow("temperature") << "temperature" << QStringList{"Fahrenheit", "Celsius", "cancel"};
  }
  void tabWalksTheFieldsAndEmptiesThem() {
    QFETCH(QString, window);
    QFETCH(QStringList, order);
    open(window);
    // Around twice, typing on the way: each field reached is empty, even the one its
    // partner has just filled.
    for (int step = 1; step <= 2 * order.size(); ++step) {
      QWidget* from = QApplication::focusWidget();
      if (auto* edit = qobject_cast<QLineEdit*>(from)) QTest::keyClicks(edit, QStringLiteral("7"));
      QTest::keyClick(from, Qt::Key_Tab);
      const QString expected = order[step % order.size()];
      QCOMPARE(QApplication::focusWidget(), widget(expected));
      if (expected != QLatin1String("cancel")) QCOMPARE(field(expected)->text(), QString());
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), widget(order.last()));
  }

  void typingInOneDistanceRowLeavesTheOthers() {
    open(QStringLiteral("distance"));
    for (const QString& key : kDistance) type(key, QStringLiteral("3"));
    for (qsizetype row = 0; row < 3; ++row) {
      const QStringList before = texts(kDistance);
      type(kDistance[row * 2 + 1], QStringLiteral("42"));
      const QStringList after = texts(kDistance);
      for (qsizetype i = 0; i < after.size(); ++i) {
        if (i / 2 != row) QCOMPARE(after[i], before[i]);
      }
    }
  }

  void keysAndButtonsClose_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("how");
    for (const char* window : {"weight", "distance", "temperature"}) {
      for (const char* how : {"Escape", "Enter", "Cancel", "close box"}) {
        QTest::addRow("%s, %s", window, how) << window << how;
      }
    }
  }
  void keysAndButtonsClose() {
    QFETCH(QString, window);
    QFETCH(QString, how);
    open(window);
    type(keysOf(window).first(), QStringLiteral("12"));
    QLineEdit* typing = field(keysOf(window).first());
    if (how == QLatin1String("Escape")) QTest::keyClick(typing, Qt::Key_Escape);
    if (how == QLatin1String("Enter")) QTest::keyClick(typing, Qt::Key_Return);
    if (how == QLatin1String("Cancel")) QTest::mouseClick(widget(QStringLiteral("cancel")), Qt::LeftButton);
    if (how == QLatin1String("close box")) window_->close();
    QVERIFY(!window_->isVisible());
    QCOMPARE(window_->result(), int(QDialog::Rejected));
  }

  // Another window, or the field's own context menu, taking the focus for a moment is
  // no entering: what was typed stays.
  void focusComingBackKeepsWhatWasTyped_data() {
    QTest::addColumn<bool>("contextMenu");
    QTest::newRow("another window") << false;
    QTest::newRow("the field's context menu") << true;
  }
  void focusComingBackKeepsWhatWasTyped() {
    QFETCH(bool, contextMenu);
    open(QStringLiteral("weight"));
    type(QStringLiteral("Pounds"), QStringLiteral("12"));
    QLineEdit* pounds = field(QStringLiteral("Pounds"));
    if (contextMenu) {
      QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(2, 2), pounds->mapToGlobal(QPoint(2, 2)));
      QApplication::sendEvent(pounds, &request);
      QVERIFY(QApplication::activePopupWidget() != nullptr);
      QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
      QVERIFY(QApplication::activePopupWidget() == nullptr);
    } else {
      QWidget other;
      other.show();
      QApplication::setActiveWindow(&other);
      QVERIFY(QTest::qWaitForWindowActive(&other));
      QApplication::setActiveWindow(window_.get());
      QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    QCOMPARE(QApplication::focusWidget(), pounds);
    QCOMPARE(texts(kWeight), (QStringList{"12", "5.443200"}));
  }

  void eachOpensFromTheToolsMenu_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<char>("mnemonic");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("opening");  // the first pair's right field on opening
    QTest::newRow("weight") << "commandWeightConversions" << 'w' << "weightConversionWindow"
                            << "0.000000";
    QTest::newRow("distance") << "commandDistanceConversions" << 'd' << "distanceConversionWindow"
                              << "0.000000";
    QTest::newRow("temperature") << "commandTemperatureConversions" << 't' << "temperatureConversionWindow"
                                 << "-17.777778";
  }
  void eachOpensFromTheToolsMenu() {
    QFETCH(QString, command);
    QFETCH(char, mnemonic);
    QFETCH(QString, window);
    QFETCH(QString, opening);
    QTemporaryDir folder;
    AirportDatabase airports;
    test::RecordingLauncher launcher;
    test::MessageCatcher catcher;  // answers the start-up's messages about the missing files
    PlannerServices services;
    services.workingFolder = folder.path().toStdString();
    services.launcher = &launcher;
    services.airports = &airports;
    services.showSplash = false;
    PlannerDialog planner(std::move(services));
    planner.show();
    QApplication::setActiveWindow(&planner);
    QVERIFY(QTest::qWaitForWindowActive(&planner));
    catcher.clear();
    auto* action = planner.findChild<QAction*>(command);
    QVERIFY(action->isEnabled());
    QStringList shown;
    test::whenShown(window, [&](QWidget* w) {
      for (auto* edit : w->findChildren<QLineEdit*>()) shown << edit->text();
      QTest::keyClick(w, Qt::Key_Escape);
    });
    QTest::keyClick(&planner, Qt::Key_T, Qt::AltModifier);  // Tools, then the entry's letter
    QVERIFY(QApplication::activePopupWidget() != nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), mnemonic);
    QCOMPARE(shown.mid(0, 2), (QStringList{QString(), opening}));
    QVERIFY(catcher.texts().isEmpty());
    QVERIFY(planner.findChild<QDialog*>(window) == nullptr);  // destroyed when it closed
  }
};

QTEST_MAIN(ConverterWindowTest)
#include "converter_window_test.moc"
