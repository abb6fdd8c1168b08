// The field builders every window uses: captions as buddies, widths from the font, and
// read-only looks that follow the desktop's colours.

#include <QApplication>
#include <QDateTimeEdit>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "ui/form.hpp"

using namespace orvane;

class FormTest : public QObject {
  Q_OBJECT

  static QPalette darkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(25, 25, 25));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    return dark;
  }

 private slots:
  void cleanup() {
    QApplication::setPalette(QPalette());
    QApplication::setFont(QFont());
  }

  void captionIsTheFieldsBuddyAndUnitFollows() {
    QGroupBox group;
    QGridLayout* grid = ui::groupGrid(&group);
    QLineEdit* field = ui::addField(grid, 0, 0, QStringLiteral("Wind Velocity -"), QStringLiteral("knots, sm/h"),
                                    QStringLiteral("Wind"));
    QCOMPARE(field->objectName(), QStringLiteral("fieldWind"));
    auto* caption = group.findChild<QLabel*>(QStringLiteral("labelWind"));
    QVERIFY(caption != nullptr);
    QCOMPARE(caption->buddy(), field);
    QCOMPARE(field->accessibleName(), QStringLiteral("Wind Velocity -"));
    QCOMPARE(group.findChild<QLabel*>(QStringLiteral("unitWind"))->text(), QStringLiteral("knots, sm/h"));
    QCOMPARE(grid->itemAtPosition(0, 0)->widget(), caption);
    QCOMPARE(grid->itemAtPosition(0, 1)->widget(), field);
    QVERIFY(!field->isReadOnly());
  }

  void readOnlyLooksFollowAPaletteChange() {
    QDialog window;
    QGridLayout* grid = ui::groupGrid(new QGroupBox(&window));
    QLineEdit* plain = ui::addField(grid, 0, 0, QStringLiteral("a"), {}, QStringLiteral("A"), ui::FieldLook::ReadOnly);
    QLineEdit* result = ui::addField(grid, 1, 0, QStringLiteral("b"), {}, QStringLiteral("B"), ui::FieldLook::Result);
    QLineEdit* summary = ui::addField(grid, 2, 0, QStringLiteral("c"), {}, QStringLiteral("C"), ui::FieldLook::Summary);
    QLineEdit* input = ui::addField(grid, 3, 0, QStringLiteral("d"), {}, QStringLiteral("D"));
    QVERIFY(plain->isReadOnly() && result->isReadOnly() && summary->isReadOnly());
    QCOMPARE(plain->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(input->focusPolicy(), Qt::StrongFocus);

    auto check = [&] {
      const QPalette window_ = window.palette();
      QCOMPARE(plain->palette().color(QPalette::Base), window_.color(QPalette::Window));
      QCOMPARE(plain->palette().color(QPalette::Text), window_.color(QPalette::Text));
      QCOMPARE(result->palette().color(QPalette::Base), QColor(255, 255, 99));
      QCOMPARE(result->palette().color(QPalette::Text), QColor(Qt::black));
      QCOMPARE(summary->palette().color(QPalette::Base), QColor(66, 204, 255));
      QCOMPARE(summary->palette().color(QPalette::Text), QColor(Qt::black));
      QCOMPARE(input->palette().color(QPalette::Base), window_.color(QPalette::Base));
    };
    check();
    // The desktop switches to a dark theme while the program runs.
    QApplication::setPalette(darkPalette());
    QCoreApplication::processEvents();
    QCOMPARE(window.palette().color(QPalette::Window), QColor(40, 40, 40));
    check();
    QApplication::setPalette(QPalette());
    QCoreApplication::processEvents();
    check();
  }

  void widthsComeFromTheFont() {
    QDialog window;
    QGridLayout* grid = ui::groupGrid(new QGroupBox(&window));
    QLineEdit* field = ui::addField(grid, 0, 0, QStringLiteral("a"), {}, QStringLiteral("A"));
    auto* picker = new QDateTimeEdit;
    picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    ui::sizeByFont(picker);
    ui::addRow(grid, 1, 0, QStringLiteral("Time Off -"), picker, QStringLiteral("hhmmss"), QStringLiteral("T"));

    const auto digitsFit = [](const QLineEdit* f, const QString& text) {
      return f->fontMetrics().horizontalAdvance(text) <= f->contentsRect().width();
    };
    QVERIFY(digitsFit(field, QString(10, QLatin1Char('0'))));
    QVERIFY(picker->width() >= picker->sizeHint().width());
    const int normalWidth = field->width();

    QFont large = QApplication::font();
    large.setPointSizeF(large.pointSizeF() * 2);
    QApplication::setFont(large);
    QCoreApplication::processEvents();
    QVERIFY2(field->width() > normalWidth * 3 / 2, qPrintable(QString::number(field->width())));
    QVERIFY(digitsFit(field, QString(10, QLatin1Char('0'))));
    // The take-off picker shows its whole time, arrows included, in the larger font.
    QVERIFY(picker->width() >= picker->sizeHint().width());
  }
};

QTEST_MAIN(FormTest)
#include "form_test.moc"
