// How the windows behave towards the desktop, the keyboard and a screen reader: their
// title-bar buttons and sizes, the About entry in the Help menu, what an empty value
// label says, and the take-off picker taking typed digits after one click.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "test_support.hpp"
#include "windows/planner_dialog.hpp"

using namespace orvane;

namespace {

const QByteArray kAirports = "QQA:40.500000;-75.250000,\nQQB:41.750000;-72.500000,\n";

QString spokenName(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible == nullptr ? QStringLiteral("<none>") : accessible->text(QAccessible::Name);
}

}  // namespace

class WindowMannersTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  AirportDatabase airports_;
  test::RecordingLauncher launcher_;
  std::unique_ptr<test::MessageCatcher> catcher_;
  std::unique_ptr<PlannerDialog> planner_;

  void open() {
    QFile defaults(folder_.filePath(QStringLiteral("config.fly")));
    QVERIFY(defaults.open(QIODevice::WriteOnly));
    defaults.write(test::kExampleDefaults);
    defaults.close();
    QFile airports(folder_.filePath(QStringLiteral("airports.fly")));
    QVERIFY(airports.open(QIODevice::WriteOnly));
    airports.write(kAirports);
    airports.close();
    PlannerServices services;
    services.workingFolder = folder_.path().toStdString();
    services.launcher = &launcher_;
    services.airports = &airports_;
    services.showSplash = false;
    planner_ = std::make_unique<PlannerDialog>(std::move(services));
    planner_->show();
    QApplication::setActiveWindow(planner_.get());
    QVERIFY(QTest::qWaitForWindowActive(planner_.get()));
  }
  // Menu entries and buttons by the text the pilot reads.
  QAction* entry(const QString& text) {
    for (QAction* action : planner_->findChildren<QAction*>()) {
      if (action->text() == text) return action;
    }
    qFatal("no menu entry %s", qPrintable(text));
  }
  QPushButton* button(const QString& text) {
    for (QPushButton* b : planner_->findChildren<QPushButton*>()) {
      if (b->text() == text) return b;
    }
    qFatal("no button %s", qPrintable(text));
  }
  // The label that shows the value a caption announces.
  QLabel* valueOf(const QString& caption) {
    for (QLabel* label : planner_->findChildren<QLabel*>()) {
      if (label->text() == caption && qobject_cast<QLabel*>(label->buddy()))
        return qobject_cast<QLabel*>(label->buddy());
    }
    qFatal("no value label after %s", qPrintable(caption));
  }
  QLabel* zuluText() {
    for (QLabel* label : planner_->findChildren<QLabel*>()) {
      if (label->accessibleDescription() == QStringLiteral("Time Off in zulu")) return label;
    }
    qFatal("no zulu text");
  }
  // Runs `steps` on the window `objectName` that `open` brings up, then closes it.
  void inWindow(const QString& objectName, const std::function<void()>& open,
                const std::function<void(QWidget*)>& steps) {
    bool seen = false;
    test::whenShown(objectName, [&](QWidget* window) {
      seen = true;
      steps(window);
      window->close();
    });
    open();
    QVERIFY2(seen, qPrintable(objectName));
  }

 private slots:
  void init() {
    QVERIFY(folder_.isValid());
    QDir(folder_.path()).removeRecursively();
    QDir().mkpath(folder_.path());
    airports_ = AirportDatabase{};
    catcher_ = std::make_unique<test::MessageCatcher>();
  }
  void cleanup() {
    planner_.reset();
    catcher_.reset();
  }

  // A window of fixed size offers neither to be minimised nor maximised: its title bar
  // has only the system menu and the close box.
  void windowsHaveFixedSizesAndOnlyACloseBox_data() {
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("openedBy");  // menu entry or button; empty: the planner itself
    QTest::newRow("planner") << "plannerWindow"
                             << "";
    QTest::newRow("course and distance") << "courseWindow"
                                         << "&Get TC and Distance";
    QTest::newRow("weight and balance") << "weightBalanceWindow"
                                        << "Weight and &Balance";
    QTest::newRow("coordinates") << "coordinateWindow"
                                 << "&Coordinates Conversions";
    QTest::newRow("weight conversions") << "weightConversionWindow"
                                        << "&Weight Conversions";
    QTest::newRow("distance conversions") << "distanceConversionWindow"
                                          << "&Distance Conversions";
    QTest::newRow("temperature conversions") << "temperatureConversionWindow"
                                             << "&Temperature Conversions";
    QTest::newRow("fuel plan") << "fuelPlanWindow"
                               << "&Fuel Plan";
    QTest::newRow("altitude and airspeed") << "altitudeAirspeedWindow"
                                           << "&Altitude and Airspeed";
    QTest::newRow("About box") << "aboutBox"
                               << "&About";
  }
  void windowsHaveFixedSizesAndOnlyACloseBox() {
    QFETCH(QString, objectName);
    QFETCH(QString, openedBy);
    open();
    auto check = [](QWidget* window) {
      const Qt::WindowFlags flags = window->windowFlags();
      QCOMPARE(window->windowType(), Qt::Dialog);
      QVERIFY(flags & Qt::WindowCloseButtonHint);
      QVERIFY(flags & Qt::WindowSystemMenuHint);
      QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
      QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
      QCOMPARE(window->minimumSize(), window->maximumSize());
      QCOMPARE(window->size(), window->minimumSize());
    };
    if (openedBy.isEmpty()) {
      check(planner_.get());
    } else if (openedBy.startsWith(QStringLiteral("&Get"))) {
      inWindow(
          objectName, [&] { QTest::mouseClick(button(openedBy), Qt::LeftButton); }, check);
    } else {
      inWindow(
          objectName, [&] { entry(openedBy)->trigger(); }, check);
    }
  }

  // Some window managers draw a minimise button on every window. An owned window,
  // modal, minimised there comes straight back: the planner under it would be deaf.
  void ownedWindowsComeBackWhenMinimised_data() {
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("openedBy");
    QTest::newRow("About box") << "aboutBox"
                               << "&About";
    QTest::newRow("fuel plan") << "fuelPlanWindow"
                               << "&Fuel Plan";
  }
  void ownedWindowsComeBackWhenMinimised() {
    QFETCH(QString, objectName);
    QFETCH(QString, openedBy);
    open();
    bool restored = false;
    inWindow(
        objectName, [&] { entry(openedBy)->trigger(); },
        [&](QWidget* window) {
          window->setWindowState(Qt::WindowMinimized);
          QVERIFY(window->isMinimized());
          restored = QTest::qWaitFor([window] { return !window->isMinimized() && window->isVisible(); });
        });
    QVERIFY(restored);
    // The planner, which owns no one, may still be minimised.
    planner_->setWindowState(Qt::WindowMinimized);
    QTest::qWait(20);
    QVERIFY(planner_->isMinimized());
  }

  // Help > "About Orvane..." opens the box as the window menu's entry does, texts
  // empty; the keyboard reaches it (Alt+H, O) and a screen reader reads it.
  void aboutOrvaneIsInTheHelpMenuForKeyboardAndScreenReader() {
    open();
    QMenu* help = nullptr;
    for (QAction* menu : planner_->findChild<QMenuBar*>()->actions()) {
      if (menu->text() == QStringLiteral("&Help")) help = menu->menu();
    }
    QVERIFY(help != nullptr);
    QStringList entries;
    for (QAction* action : help->actions()) {
      if (!action->isSeparator()) entries << action->text();
    }
    QCOMPARE(entries.mid(entries.size() - 2),
             (QStringList{QStringLiteral("&About"), QStringLiteral("About &Orvane...")}));

    QStringList spokenEntries;
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(help);
    for (int i = 0; i < menu->childCount(); ++i) spokenEntries << menu->child(i)->text(QAccessible::Name);
    QVERIFY2(spokenEntries.contains(QStringLiteral("About Orvane...")),
             qPrintable(spokenEntries.join(QLatin1Char(','))));

    QStringList texts;
    bool seen = false;
    test::whenShown(QStringLiteral("aboutBox"), [&](QWidget* box) {
      seen = true;
      for (auto* text : box->findChildren<QPlainTextEdit*>()) texts << text->toPlainText();
      box->close();
    });
    QTest::keyClick(planner_.get(), Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() == help);
    QTest::keyClick(help, 'o');
    QTRY_VERIFY(seen);
    QCOMPARE(texts, (QStringList{QString(), QString()}));
  }

  // The About box's two texts are named; the text itself is their value.
  void aboutTextsHaveNames() {
    open();
    QStringList names;
    bool seen = false;
    inWindow(
        QStringLiteral("aboutBox"), [&] { entry(QStringLiteral("&About"))->trigger(); },
        [&](QWidget* box) {
          seen = true;
          for (const char* name : {"upperText", "lowerText"}) {
            auto* text = box->findChild<QPlainTextEdit*>(QString::fromLatin1(name));
            names << spokenName(text);
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(text);
            QCOMPARE(accessible->text(QAccessible::Value), text->toPlainText());
          }
        });
    QVERIFY(seen);
    QCOMPARE(names, (QStringList{QStringLiteral("About the program"), QStringLiteral("Terms of use")}));
  }

  // A label that shows a value says its value, and nothing while it is empty: not its
  // caption, not its group's title.
  void emptyValueLabelsAreAnnouncedEmpty() {
    open();
    QLabel* route = valueOf(QStringLiteral("Route -"));
    QCOMPARE(route->text(), QString());
    QCOMPARE(spokenName(route), QString());
    QCOMPARE(zuluText()->text(), QString());
    QCOMPARE(spokenName(zuluText()), QString());

    // No airport of this name: both name lines stay empty.
    inWindow(
        QStringLiteral("courseWindow"),
        [&] { QTest::mouseClick(button(QStringLiteral("&Get TC and Distance")), Qt::LeftButton); },
        [&](QWidget* window) {
          for (const char* name : {"originName", "destinationName"}) {
            auto* line = window->findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY2(line != nullptr, name);
            QCOMPARE(line->text(), QString());
            QCOMPARE(spokenName(line), QString());
            line->setText(QStringLiteral("Cedar Strip"));
            QCOMPARE(spokenName(line), QStringLiteral("Cedar Strip"));
          }
        });
    route->setText(QStringLiteral(" QQA ---> QQB ;"));
    QCOMPARE(spokenName(route), QStringLiteral(" QQA ---> QQB ;"));
  }

  // One click into a part of the take-off time, then the digits: they replace that part.
  void takeOffPickerTakesDigitsAfterOneClick_data() {
    QTest::addColumn<int>("position");  // of the character clicked in "09:05:07"
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QTime>("expected");
    QTest::newRow("hour") << 0 << "14" << QTime(14, 5, 7);
    QTest::newRow("hour, second digit") << 1 << "23" << QTime(23, 5, 7);
    QTest::newRow("minutes") << 3 << "45" << QTime(9, 45, 7);
    QTest::newRow("seconds") << 7 << "30" << QTime(9, 5, 30);
  }
  void takeOffPickerTakesDigitsAfterOneClick() {
    QFETCH(int, position);
    QFETCH(QString, typed);
    QFETCH(QTime, expected);
    open();
    auto* picker = planner_->findChild<QDateTimeEdit*>();
    QVERIFY(picker != nullptr);
    picker->setDateTime(QDateTime(test::kTestDay, QTime(9, 5, 7)));
    auto* text = picker->findChild<QLineEdit*>();
    QCOMPARE(text->text(), QStringLiteral("09:05:07"));
    // The middle of the character, where QLineEdit lays out its text.
    const QFontMetrics metrics = text->fontMetrics();
    constexpr int kLineEditMargin = 2;  // QLineEdit's own inset of its text
    const int x = text->contentsRect().left() + text->textMargins().left() + kLineEditMargin +
                  metrics.horizontalAdvance(text->text().left(position)) +
                  metrics.horizontalAdvance(text->text().at(position)) / 2;
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(x, text->height() / 2));
    QTest::keyClicks(text, typed);
    QCOMPARE(picker->time(), expected);
    QCOMPARE(picker->date(), test::kTestDay);
  }
};

QTEST_MAIN(WindowMannersTest)
#include "window_manners_test.moc"
