// Coordinates Conversion as a pilot uses it: degrees, minutes and seconds typed into
// the real fields, converted, copied and pasted.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "test_support.hpp"
#include "windows/coordinate_conversion_dialog.hpp"

using namespace orvane;

namespace {

const char* const kInputs[] = {"LatitudeDegrees",  "LatitudeMinutes",  "LatitudeSeconds",
                               "LongitudeDegrees", "LongitudeMinutes", "LongitudeSeconds"};

}  // namespace

class ConversionWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::MessageCatcher> catcher_;
  std::unique_ptr<CoordinateConversionDialog> window_;

  QLineEdit* field(const char* key) const {
    auto* f = window_->findChild<QLineEdit*>(QStringLiteral("field") + QLatin1String(key));
    if (f == nullptr) qFatal("no field %s", key);
    return f;
  }
  QPushButton* button(const char* name) const { return window_->findChild<QPushButton*>(QLatin1String(name)); }
  QAbstractButton* box(const char* name) const { return window_->findChild<QAbstractButton*>(QLatin1String(name)); }
  void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
  void type(const char* key, const QString& text) { test::typeInto(field(key), text); }
  void typeLatitude(const QString& d, const QString& m, const QString& s) {
    type("LatitudeDegrees", d);
    type("LatitudeMinutes", m);
    type("LatitudeSeconds", s);
  }
  QString latitude() const { return field("LatitudeResult")->text(); }
  QString longitude() const { return field("LongitudeResult")->text(); }

 private slots:
  void init() {
    catcher_ = std::make_unique<test::MessageCatcher>();
    window_ = std::make_unique<CoordinateConversionDialog>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QApplication::setActiveWindow(window_.get());
  }
  void cleanup() {
    window_.reset();
    catcher_.reset();
  }

  void opensAsLaidOut() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("Coordinates Conversion"));
    QCOMPARE(window_->findChild<QGroupBox*>()->title(), QStringLiteral("Geographic Positions"));
    QStringList labels;
    for (const QLabel* label : window_->findChildren<QLabel*>()) labels << label->text();
    for (const char* text : {"DD", "MM", "SS.SSS", "Latitude:", "Longitude:", "results:", "degrees"}) {
      QVERIFY2(labels.contains(QLatin1String(text)), text);
    }
    for (const char* key : kInputs) {
      QCOMPARE(field(key)->text(), QStringLiteral("0"));
      QVERIFY(!field(key)->isReadOnly());
      QVERIFY(!field(key)->accessibleName().isEmpty());
    }
    QCOMPARE(window_->findChild<QLabel*>(QStringLiteral("labelLatitudeDegrees"))->buddy(), field("LatitudeDegrees"));
    QCOMPARE(latitude(), QStringLiteral("0"));
    QCOMPARE(longitude(), QStringLiteral("0"));
    QVERIFY(field("LatitudeResult")->isReadOnly());
    QVERIFY(field("LongitudeResult")->isReadOnly());
    QCOMPARE(box("southBox")->text(), QStringLiteral("South"));
    QCOMPARE(box("westBox")->text(), QStringLiteral("West"));
    QVERIFY(!box("southBox")->isChecked() && !box("westBox")->isChecked());
    QVERIFY(box("destinationChoice")->isChecked());
    QVERIFY(!box("originChoice")->isChecked());
    QCOMPARE(button("copyButton")->text(), QStringLiteral("Copy to:"));
    QCOMPARE(button("convertButton")->text(), QStringLiteral("&Convert"));
    QCOMPARE(button("pasteButton")->text(), QStringLiteral("&Paste"));
    QCOMPARE(button("exitButton")->text(), QStringLiteral("&Exit"));
    QVERIFY(!button("copyButton")->isEnabled());
    QVERIFY(!button("pasteButton")->isEnabled());
    QVERIFY(button("convertButton")->isDefault());
  }

  void convertsTheWorkedExamples_data() {
    QTest::addColumn<QString>("degrees");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("result");
    QTest::newRow("40 30 0") << "40"
                             << "30"
                             << "0" << false << "40.5";
    QTest::newRow("33 51 54.5 south") << "33"
                                      << "51"
                                      << "54.5" << true << "-33.8651388888889";
    QTest::newRow("118 24 30 west") << "118"
                                    << "24"
                                    << "30" << true << "-118.408333333333";
    QTest::newRow("minus 33 30 0") << "-33"
                                   << "30"
                                   << "0" << false << "-32.5";
    QTest::newRow("0 90 0") << "0"
                            << "90"
                            << "0" << false << "1.5";
    QTest::newRow("seconds beyond 60") << "10"
                                       << "0"
                                       << "7200" << false << "12";
  }
  void convertsTheWorkedExamples() {
    QFETCH(QString, degrees);
    QFETCH(QString, minutes);
    QFETCH(QString, seconds);
    QFETCH(bool, ticked);
    QFETCH(QString, result);
    // The same numbers as latitude (South) and as longitude (West).
    typeLatitude(degrees, minutes, seconds);
    type("LongitudeDegrees", degrees);
    type("LongitudeMinutes", minutes);
    type("LongitudeSeconds", seconds);
    if (ticked) {
      box("southBox")->click();
      box("westBox")->click();
    }
    QTest::keyClick(field("LongitudeSeconds"), Qt::Key_Return);  // Enter converts
    QCOMPARE(latitude(), result);
    QCOMPARE(longitude(), result);
    QCOMPARE(catcher_->texts(), QStringList());
    QVERIFY(button("copyButton")->isEnabled());
    QVERIFY(!button("pasteButton")->isEnabled());
    QVERIFY(window_->isVisible());
  }

  void convertRewritesTheInputsInTheirShortestForm() {
    typeLatitude(QStringLiteral(" 040.50 "), QStringLiteral("1e1"), QStringLiteral("+3"));
    click("convertButton");
    QCOMPARE(field("LatitudeDegrees")->text(), QStringLiteral("40.5"));
    QCOMPARE(field("LatitudeMinutes")->text(), QStringLiteral("10"));
    QCOMPARE(field("LatitudeSeconds")->text(), QStringLiteral("3"));
  }

  void refusedFieldConvertsWithThePreviousValues() {
    typeLatitude(QStringLiteral("40"), QStringLiteral("30"), QStringLiteral("0"));
    type("LongitudeDegrees", QStringLiteral("73"));
    click("convertButton");
    QCOMPARE(latitude(), QStringLiteral("40.5"));
    QCOMPARE(longitude(), QStringLiteral("73"));

    // The latitude degrees emptied, the rest changed: the reading stops at once.
    type("LatitudeDegrees", QString());
    type("LatitudeMinutes", QStringLiteral("0"));
    type("LongitudeDegrees", QStringLiteral("10"));
    click("convertButton");
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Please enter a number.")});
    QCOMPARE(latitude(), QStringLiteral("40.5"));
    QCOMPARE(longitude(), QStringLiteral("73"));
    QCOMPARE(field("LatitudeDegrees")->text(), QStringLiteral("40"));
    QCOMPARE(field("LatitudeMinutes")->text(), QStringLiteral("30"));
    QCOMPARE(field("LongitudeDegrees")->text(), QStringLiteral("73"));
    QVERIFY(button("copyButton")->isEnabled());
  }

  void refusedFieldKeepsTheTickBoxesAsTheyWere() {
    typeLatitude(QStringLiteral("40"), QStringLiteral("30"), QStringLiteral("0"));
    type("LongitudeDegrees", QStringLiteral("75.25"));
    click("convertButton");
    box("southBox")->click();
    box("westBox")->click();
    type("LatitudeSeconds", QStringLiteral("abc"));
    click("convertButton");
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Please enter a number.")});
    QCOMPARE(latitude(), QStringLiteral("40.5"));
    QCOMPARE(longitude(), QStringLiteral("75.25"));
    QVERIFY(!box("southBox")->isChecked());
    QVERIFY(!box("westBox")->isChecked());
  }

  void zeroTickedShowsZeroAndReadsBack() {
    box("southBox")->click();
    box("westBox")->click();
    click("convertButton");
    QCOMPARE(latitude(), QStringLiteral("0"));  // never "-0", which would be refused next time
    QCOMPARE(longitude(), QStringLiteral("0"));
    click("convertButton");
    QCOMPARE(catcher_->texts(), QStringList());
  }

  void fieldRuleCases_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("minus zero") << "-0" << false << "";
    QTest::newRow("point zero") << ".0" << false << "";
    QTest::newRow("sign alone") << "-" << false << "";
    QTest::newRow("blanks around") << " 12 " << true << "12";
    QTest::newRow("too large") << "1e999" << false << "";
    QTest::newRow("decimal comma") << "40,5" << false << "";
    QTest::newRow("text after") << "12abc" << false << "";
    QTest::newRow("negative") << "-7.25" << true << "-7.25";
    QTest::newRow("sixty minutes and more") << "75" << true << "75";
    QTest::newRow("cut at 31 characters") << QString(30, QLatin1Char(' ')) + QStringLiteral("12") << true << "1";
  }
  void fieldRuleCases() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, shown);
    type("LatitudeMinutes", typed);
    click("convertButton");
    if (accepted) {
      QCOMPARE(catcher_->texts(), QStringList());
      QCOMPARE(field("LatitudeMinutes")->text(), shown);
    } else {
      QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Please enter a number.")});
      QCOMPARE(field("LatitudeMinutes")->text(), QStringLiteral("0"));  // the previous value
    }
  }

  void copyTakesTheLastConvertNotTheFields() {
    typeLatitude(QStringLiteral("40"), QStringLiteral("30"), QStringLiteral("0"));
    click("convertButton");
    box("southBox")->click();  // ticked after the Convert: nothing changes yet
    click("copyButton");
    QVERIFY(button("pasteButton")->isEnabled());
    // A second Convert after the copy does not change what is pasted.
    typeLatitude(QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("0"));
    click("convertButton");
    QCOMPARE(latitude(), QStringLiteral("-10"));
    box("originChoice")->click();
    click("pasteButton");
    QVERIFY(!window_->isVisible());
    QCOMPARE(window_->result(), int(QDialog::Accepted));
    QCOMPARE(window_->transfer(), (GeoPosition{40.5, 0}));
    QCOMPARE(window_->copyTarget(), CopyTarget::Origin);
  }

  void onlyTheChoiceAtPasteCounts() {
    box("originChoice")->click();
    click("convertButton");
    click("copyButton");
    box("destinationChoice")->click();
    click("pasteButton");
    QCOMPARE(window_->copyTarget(), CopyTarget::Destination);
  }

  void pasteStaysOpenWhenAFieldIsRefused() {
    click("convertButton");
    click("copyButton");
    type("LongitudeSeconds", QStringLiteral("x"));
    click("pasteButton");
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Please enter a number.")});
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->focusWidget(), field("LongitudeSeconds"));
    type("LongitudeSeconds", QStringLiteral("1"));
    click("pasteButton");
    QCOMPARE(window_->result(), int(QDialog::Accepted));
  }

  void exitEscapeAndTheCloseBoxCancel() {
    for (int way = 0; way < 3; ++way) {
      click("convertButton");
      click("copyButton");
      switch (way) {
        case 0: click("exitButton"); break;
        case 1: QTest::keyClick(window_.get(), Qt::Key_Escape); break;
        case 2: window_->close(); break;
      }
      QVERIFY(!window_->isVisible());
      QCOMPARE(window_->result(), int(QDialog::Rejected));
      init();
    }
  }
};

QTEST_MAIN(ConversionWindowTest)
#include "conversion_window_test.moc"
