// The nav log's printed pages: what a pilot reads off the A5 kneeboard sheet, taken
// back out of the PDF document with poppler's tools.

#include "windows/nav_log_pages.hpp"

#include <QApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "../worked_flight.hpp"
#include "core/defaults.hpp"
#include "core/flight.hpp"
#include "core/leg.hpp"
#include "core/nav_log.hpp"
#include "core/version.hpp"
#include "test_support.hpp"

using namespace orvane;

namespace {

constexpr LocalDateTime kNineOClock{2026, 12, 8, 9, 0, 0};

// Calculate as the planner runs it, after the course window gave the airport pair
// `origin` and `destination` (keeping the course and distance held), or for a leg
// typed in when no pair is given.
bool calculate(FlightPlan& plan, const std::string& origin = {}, const std::string& destination = {}) {
  if (!origin.empty())
    takeCourse(plan, {{origin, destination, {}, {}}, plan.inputs.trueCourse, plan.inputs.distance, std::nullopt});
  return test::calculateLeg(plan);
}

FlightPlan startedPlan(double fuelOnBoard = 40) {
  FlightPlan plan;
  plan.inputs = test::kWorkedLeg;
  plan.inputs.fuelOnBoard = fuelOnBoard;
  plan.totals.nextTakeOff = kNineOClock;
  return plan;
}

// QQA to QQB as worked, then QQB to QQC, 48.448 nm.
FlightPlan workedFlight() {
  FlightPlan plan = startedPlan();
  calculate(plan, "QQA", "QQB");
  plan.inputs.distance = 48.448;
  calculate(plan, "QQB", "QQC");
  return plan;
}

AirplaneData trainer(const std::string& tail = "N4471K", const std::string& type = "Cessna 172N") {
  AirplaneData airplane;
  airplane.tailNumber = tail;
  airplane.airplaneType = type;
  return airplane;
}

QStringList tokens(const QString& line) {
  return line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// Whether `words` appear in `line` in this order, each as whole words, one after the other.
bool hasWords(const QString& line, const QStringList& words) {
  const QStringList all = tokens(line);
  for (qsizetype start = 0; start + words.size() <= all.size(); ++start) {
    if (all.mid(start, words.size()) == words) return true;
  }
  return false;
}

QStringList words(const char* text) { return tokens(QString::fromUtf8(text)); }

// A page of the document as pdftotext lays it out.
struct TextPage {
  QStringList lines;
  bool has(const QStringList& expected) const {
    for (const QString& line : lines) {
      if (hasWords(line, expected)) return true;
    }
    return false;
  }
  bool has(const char* expected) const { return has(words(expected)); }
  // The lines that start with a leg's name: its row in each of the two tables.
  QStringList legLines(const QString& name) const {
    QStringList found;
    for (const QString& line : lines) {
      const QStringList t = tokens(line);
      if (!t.isEmpty() && t.first() == name) found << line;
    }
    return found;
  }
  // Every word of the page, for headings that pdftotext may split over lines.
  QStringList allWords() const { return tokens(lines.join(QLatin1Char(' '))); }
};

struct Tool {
  bool ran = false;
  QString output;
  QString problem;
};

Tool runTool(const QString& program, const QStringList& arguments) {
  Tool tool;
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForStarted()) {
    tool.problem = program + QStringLiteral(
                                 " could not be started: install poppler-utils (pdftotext, pdfinfo, "
                                 "pdffonts) to run this test");
    return tool;
  }
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    tool.problem = program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
    return tool;
  }
  tool.ran = true;
  tool.output = QString::fromUtf8(process.readAllStandardOutput());
  return tool;
}

}  // namespace

class NavLogPagesTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::FixedTimeZone> zone_;  // the zulu text belongs to US Eastern
  QTemporaryDir folder_;
  int written_ = 0;

  // The document written to the test's folder; empty when writing it failed.
  QString writePdf(const NavLogSheet& sheet) {
    const QString path = folder_.filePath(QStringLiteral("navlog-%1.pdf").arg(++written_));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    const QByteArray bytes = navLogPdf(sheet);
    if (!bytes.startsWith("%PDF-") || file.write(bytes) != bytes.size()) return {};
    return path;
  }

  // Runs pdftotext -layout on the sheet's document, a TextPage per page.
  bool pagesOf(const NavLogSheet& sheet, std::vector<TextPage>& pages, QString* path = nullptr) {
    const QString pdf = writePdf(sheet);
    if (pdf.isEmpty()) {
      QTest::qFail("the PDF document could not be written", __FILE__, __LINE__);
      return false;
    }
    if (path != nullptr) *path = pdf;
    const Tool tool = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!tool.ran) {
      QTest::qFail(qPrintable(tool.problem), __FILE__, __LINE__);
      return false;
    }
    QStringList texts = tool.output.split(QLatin1Char('\f'));
    if (!texts.isEmpty() && texts.last().trimmed().isEmpty()) texts.removeLast();
    pages.clear();
    for (const QString& text : texts) pages.push_back({text.split(QLatin1Char('\n'))});
    return true;
  }

  // Every page carries the header, both tables' headings and the numbered footer.
  static void checkFrame(const TextPage& page, int number, int count, bool withTakeOff = true) {
    QVERIFY(page.has("Nav Log N4471K Cessna 172N"));
    if (withTakeOff) QVERIFY(page.has("Date 2026-12-08 Time Off 9:00:00 [ 14:00:00 zulu ]"));
    QVERIFY(page.has("Headings"));
    QVERIFY(page.has("Times and Fuel"));
    QVERIFY(page.has("Leg TC Wind TAS WCA TH MH CH GS"));
    const QStringList all = page.allWords();
    for (const char* heading : {"Dist", "ETE", "Time", "Off", "ETA", "ATA", "Fuel", "Burned", "Left", "Actual"}) {
      QVERIFY2(all.contains(QString::fromLatin1(heading)), heading);
    }
    QVERIFY(page.has(QStringList{QStringLiteral("Planned"), QStringLiteral("with"), QStringLiteral("Orvane"),
                                 QStringLiteral(ORVANE_VERSION), QStringLiteral("Page"), QString::number(number),
                                 QStringLiteral("of"), QString::number(count)}));
  }

 private slots:
  void initTestCase() {
    zone_ = std::make_unique<test::FixedTimeZone>(test::kUsEastern);
    QVERIFY(folder_.isValid());
  }
  void cleanupTestCase() { zone_.reset(); }

  void workedFlightShowsEveryNumberInItsLegsRows() {
    const FlightPlan plan = workedFlight();
    QCOMPARE(plan.navLog.legs.size(), std::size_t{2});
    const AirplaneData airplane = trainer();
    std::vector<TextPage> pages;
    QVERIFY(pagesOf({plan.navLog, plan.totals, airplane}, pages));
    QCOMPARE(pages.size(), std::size_t{1});
    const TextPage& page = pages[0];
    checkFrame(page, 1, 1);

    // Each leg: its headings row first, then its times and fuel row, every cell in order
    // and nothing else in the line (the actual time and fuel are left to write in).
    const QStringList first = page.legLines(QStringLiteral("QQA-QQB"));
    QCOMPARE(first.size(), 2);
    // pdftotext takes the WCA's side letter into its word ("7L"): the gap before it is
    // narrower than it counts as a word break.
    QCOMPARE(tokens(first[0]), words("QQA-QQB 090 045/20 110 7L 083 078 080 95"));
    QCOMPARE(tokens(first[1]), words("QQA-QQB 60 37:55 9:00:00 9:37:55 5.37 34.63"));
    const QStringList second = page.legLines(QStringLiteral("QQB-QQC"));
    QCOMPARE(second.size(), 2);
    QCOMPARE(tokens(second[0]), words("QQB-QQC 090 045/20 110 7L 083 078 080 95"));
    QCOMPARE(tokens(second[1]), words("QQB-QQC 48.448 30:37 9:37:55 10:08:32 4.34 30.29"));

    // The legs in the log's order in both tables.
    QStringList names;
    for (const QString& line : page.lines) {
      const QStringList t = tokens(line);
      if (!t.isEmpty() && t.first().startsWith(QStringLiteral("QQ"))) names << t.first();
    }
    QCOMPARE(names, words("QQA-QQB QQB-QQC QQA-QQB QQB-QQC"));

    QCOMPARE(tokens(page.legLines(QStringLiteral("Total")).value(0)), words("Total 108.448 1:09 9.71"));
    QVERIFY(page.has("Total Flight Time 1.14 hours"));
    QVERIFY(page.has("Route QQA ---> QQB ; QQB ---> QQC ;"));
    QVERIFY(!page.has("short"));
  }

  void documentIsAnA5PortraitPdfNamedForTheProgram() {
    const FlightPlan plan = workedFlight();
    const AirplaneData airplane = trainer();
    const QString pdf = writePdf({plan.navLog, plan.totals, airplane});
    QVERIFY(!pdf.isEmpty());
    const Tool info = runTool(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.ran, qPrintable(info.problem));
    // A5 is 419.53 x 595.28 points; Qt 6.4 writes the page box in whole points.
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("^Page size: +([0-9.]+) x ([0-9.]+) pts \\(A5\\)$"),
                           QRegularExpression::MultilineOption)
            .match(info.output);
    QVERIFY2(size.hasMatch(), qPrintable(info.output));
    QVERIFY2(std::abs(size.captured(1).toDouble() - 419.53) <= 0.5, qPrintable(size.captured(0)));
    QVERIFY2(std::abs(size.captured(2).toDouble() - 595.28) <= 0.5, qPrintable(size.captured(0)));
    QVERIFY(
        info.output.contains(QRegularExpression(QStringLiteral("^Pages: +1$"), QRegularExpression::MultilineOption)));
    QVERIFY(info.output.contains(
        QRegularExpression(QStringLiteral("^Title: +Nav Log$"), QRegularExpression::MultilineOption)));
    QVERIFY(info.output.contains(QRegularExpression(QStringLiteral("^Creator: +Orvane ") +
                                                        QRegularExpression::escape(QStringLiteral(ORVANE_VERSION)) +
                                                        QStringLiteral("$"),
                                                    QRegularExpression::MultilineOption)));
  }

  // One sans-serif family, embedded, and nothing printed smaller than the kneeboard allows.
  void fontsAreOneSansFamilyNoneTooSmall() {
    const QList<QFont> fonts = navLogFonts();
    QVERIFY(fonts.size() >= 2);
    const double title = fonts.first().pointSizeF();
    for (qsizetype i = 0; i < fonts.size(); ++i) {
      const QFont& font = fonts[i];
      QVERIFY2(font.pointSizeF() >= kSmallestNavLogPoints, qPrintable(QString::number(font.pointSizeF())));
      QCOMPARE(font.styleHint(), QFont::SansSerif);
      QCOMPARE(font.family(), QStringLiteral("DejaVu Sans"));
      if (i > 0) QVERIFY(title > font.pointSizeF());
    }

    const FlightPlan plan = workedFlight();
    const AirplaneData airplane = trainer();
    const QString pdf = writePdf({plan.navLog, plan.totals, airplane});
    QVERIFY(!pdf.isEmpty());
    const Tool listed = runTool(QStringLiteral("pdffonts"), {pdf});
    QVERIFY2(listed.ran, qPrintable(listed.problem));
    // Two header lines, then a line per font: name, type, encoding, emb, sub, uni...
    const QStringList lines = listed.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
    QVERIFY(!lines.isEmpty());
    for (const QString& line : lines) {
      QVERIFY2(line.contains(QStringLiteral("Sans")) && !line.contains(QStringLiteral("Serif")), qPrintable(line));
      QVERIFY2(tokens(line).value(tokens(line).size() - 5) == QStringLiteral("yes"), qPrintable(line));  // embedded
    }

    // The words as laid out on the page: none less tall than a line of the smallest
    // size in that family (pdftotext's box of a word spans the font's ascent and descent;
    // measured on a large font, so that no rounding to pixels creeps in).
    QFont large(QStringLiteral("DejaVu Sans"));
    large.setPixelSize(1000);
    const QFontMetricsF em(large);
    const double smallestHeight = kSmallestNavLogPoints * (em.ascent() + em.descent()) / 1000;
    const Tool boxes = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QVERIFY2(boxes.ran, qPrintable(boxes.problem));
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    int seen = 0;
    double lowest = 1e9;
    for (auto it = word.globalMatch(boxes.output); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      lowest = std::min(lowest, m.captured(4).toDouble() - m.captured(2).toDouble());
      ++seen;
    }
    QVERIFY(seen > 50);
    QVERIFY2(lowest >= smallestHeight * 0.985, qPrintable(QStringLiteral("%1 < %2").arg(lowest).arg(smallestHeight)));
  }

  // Forty legs over several pages: every page framed alike, each leg once in each table
  // on the same page, in order, and the totals and route on the last page only.
  void longFlightBreaksOverPages() {
    FlightPlan plan = startedPlan(500);
    QStringList expected;
    for (int n = 1; n <= 40; ++n) {
      const std::string from = "QA" + std::to_string(n);
      const std::string to = "QA" + std::to_string(n + 1);
      QVERIFY(calculate(plan, from, to));
      expected << QString::fromStdString(routePairName(from, to));
    }
    const AirplaneData airplane = trainer();
    std::vector<TextPage> pages;
    QString pdf;
    QVERIFY(pagesOf({plan.navLog, plan.totals, airplane}, pages, &pdf));
    QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
    const int count = static_cast<int>(pages.size());

    // The totals row holds the core's texts for the whole flight: the unrounded leg times
    // add up to 1516.75 minutes, not 40 x 37.92.
    const NavLogRow totals = navLogTotalsRow(plan.totals);
    const auto at = [&](NavLogColumn column) {
      return QString::fromStdString(totals[static_cast<std::size_t>(column)]);
    };
    const QStringList totalsRow{QStringLiteral("Total"), at(NavLogColumn::Distance), at(NavLogColumn::Ete),
                                at(NavLogColumn::FuelBurned)};
    QCOMPARE(totalsRow, words("Total 2400 25:17 214.8"));
    // A leg's rows start with its name; the route's wrapped lines start with an airport.
    const QRegularExpression legName(QStringLiteral("^QA[0-9]+-QA[0-9]+$"));
    QStringList shown;
    for (int n = 0; n < count; ++n) {
      const TextPage& page = pages[static_cast<std::size_t>(n)];
      checkFrame(page, n + 1, count);
      if (QTest::currentTestFailed()) return;
      QStringList names;
      for (const QString& line : page.lines) {
        const QStringList t = tokens(line);
        if (!t.isEmpty() && legName.match(t.first()).hasMatch()) names << t.first();
      }
      // The headings table and then the times table, holding the same legs.
      QVERIFY(!names.isEmpty() && names.size() % 2 == 0);
      const qsizetype half = names.size() / 2;
      QCOMPARE(names.mid(half), names.mid(0, half));
      shown << names.mid(0, half);
      const bool last = n + 1 == count;
      QCOMPARE(page.has("Total Flight Time"), last);
      QCOMPARE(page.has(totalsRow), last);
      QCOMPARE(page.has("Route QA1 ---> QA2 ;"), last);
    }
    QCOMPARE(shown, expected);

    // Every cell whole in its leg's rows, whatever the page: none elided or cut.
    TextPage document;
    for (const TextPage& page : pages) document.lines << page.lines;
    for (const NavLogLeg& leg : plan.navLog.legs) {
      const NavLogRow row = navLogRow(leg);
      const auto cell = [&](NavLogColumn column) {
        return QString::fromStdString(row[static_cast<std::size_t>(column)]);
      };
      const QStringList lines = document.legLines(cell(NavLogColumn::Leg));
      QCOMPARE(lines.size(), 2);
      // A cell may hold words of its own ("7 L", "0:12:00 +1").
      const auto cells = [](const QStringList& texts) { return tokens(texts.join(QLatin1Char(' '))); };
      QCOMPARE(tokens(lines[0]), cells({cell(NavLogColumn::Leg), cell(NavLogColumn::TrueCourse),
                                        cell(NavLogColumn::Wind), cell(NavLogColumn::TrueAirspeed),
                                        cell(NavLogColumn::WindCorrectionAngle).remove(QLatin1Char(' ')),
                                        cell(NavLogColumn::TrueHeading), cell(NavLogColumn::MagneticHeading),
                                        cell(NavLogColumn::CompassHeading), cell(NavLogColumn::GroundSpeed)}));
      QCOMPARE(tokens(lines[1]), cells({cell(NavLogColumn::Leg), cell(NavLogColumn::Distance), cell(NavLogColumn::Ete),
                                        cell(NavLogColumn::TakeOff), cell(NavLogColumn::Eta),
                                        cell(NavLogColumn::FuelBurned), cell(NavLogColumn::FuelLeft)}));
    }
    QCOMPARE(tokens(document.legLines(QStringLiteral("QA10-QA11")).value(1)),
             words("QA10-QA11 60 37:55 14:41:15 15:19:10 5.37 446.3"));
    // The route, wrapped, ends with the last leg.
    QVERIFY(pages.back().has("QA40 ---> QA41 ;"));

    const Tool info = runTool(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.ran, qPrintable(info.problem));
    QVERIFY(info.output.contains(
        QRegularExpression(QStringLiteral("^Pages: +%1$").arg(count), QRegularExpression::MultilineOption)));
  }

  // The leg the fuel did not cover says so in its fuel left cell; the others do not.
  void fuelShortLegIsMarked() {
    FlightPlan plan = startedPlan(8);
    QVERIFY(calculate(plan, "QQA", "QQB"));
    plan.inputs.distance = 48.448;
    QVERIFY(calculate(plan, "QQB", "QQC"));
    QVERIFY(plan.navLog.legs[1].fuelShort);
    const AirplaneData airplane = trainer();
    std::vector<TextPage> pages;
    QVERIFY(pagesOf({plan.navLog, plan.totals, airplane}, pages));
    QCOMPARE(pages.size(), std::size_t{1});
    QCOMPARE(tokens(pages[0].legLines(QStringLiteral("QQA-QQB")).value(1)),
             words("QQA-QQB 60 37:55 9:00:00 9:37:55 5.37 2.63"));
    QCOMPARE(tokens(pages[0].legLines(QStringLiteral("QQB-QQC")).value(1)),
             words("QQB-QQC 48.448 30:37 9:37:55 10:08:32 4.34 0 short"));
    QCOMPARE(pages[0].allWords().count(QStringLiteral("short")), 1);
  }

  // The fuel check under the totals, in words whether the fuel is enough or short.
  void fuelCheckIsSummedUnderTheTotals_data() {
    QTest::addColumn<double>("fuelOnBoard");
    QTest::addColumn<QString>("sum");
    QTest::addColumn<QString>("verdict");
    // 1 + 9.71 + 0.49 (5 %) + 4.25 (30 min at 8.5 GPH) = 15.45 gallons.
    QTest::newRow("enough") << 40.0 << QStringLiteral("required 15.45 gal, on board 40 gal, extra 24.55 gal")
                            << QStringLiteral("Enough fuel: 24.55 gallons extra.");
    QTest::newRow("short") << 15.0 << QStringLiteral("required 15.45 gal, on board 15 gal, short 0.45 gal")
                           << QStringLiteral("Not enough fuel: 0.45 gallons short.");
  }
  void fuelCheckIsSummedUnderTheTotals() {
    QFETCH(double, fuelOnBoard);
    QFETCH(QString, sum);
    QFETCH(QString, verdict);
    const FlightPlan plan = workedFlight();
    FuelFlight flight = fuelFlightOf(plan);
    flight.fuelOnBoard = fuelOnBoard;
    const FuelPolicy policy{.taxiGallons = 1, .contingencyPercent = 5, .finalReserveMinutes = 30, .alternate = {}};
    const AirplaneData airplane = trainer();
    std::vector<TextPage> pages;
    QVERIFY(pagesOf({plan.navLog, plan.totals, airplane, planFuel(policy, flight)}, pages));
    QCOMPARE(pages.size(), std::size_t{1});
    checkFrame(pages[0], 1, 1);
    QVERIFY(pages[0].has("Fuel Taxi 1 + trip 9.71 + contingency 0.49 + reserve 4.25 (30 min) gal"));
    QVERIFY2(pages[0].has(tokens(sum)), qPrintable(pages[0].lines.join(QLatin1Char('\n'))));
    QVERIFY(pages[0].has(tokens(verdict)));
    QVERIFY(pages[0].has("ETE: m:ss under an hour (37:55), h:mm from an hour on (1:24). +1: the next day."));
  }

  // Before any leg: one page with the header, both tables' headings and the totals.
  void emptyLogGivesOnePage() {
    const FlightPlan plan = startedPlan();
    const AirplaneData airplane = trainer();
    std::vector<TextPage> pages;
    QVERIFY(pagesOf({plan.navLog, plan.totals, airplane}, pages));
    QCOMPARE(pages.size(), std::size_t{1});
    checkFrame(pages[0], 1, 1, false);
    QVERIFY(!pages[0].has("Date"));  // no take-off yet
    QCOMPARE(tokens(pages[0].legLines(QStringLiteral("Total")).value(0)), words("Total 0 0:00 0"));
    QVERIFY(pages[0].has("Total Flight Time 0 hours"));
    QVERIFY(!pages[0].has("Route"));
  }

  void missingAirplaneTextsAreLeftOut_data() {
    QTest::addColumn<QString>("tail");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("titleLine");
    QTest::newRow("both") << "N4471K"
                          << "Cessna 172N"
                          << "Nav Log N4471K Cessna 172N";
    QTest::newRow("no tail number") << ""
                                    << "Cessna 172N"
                                    << "Nav Log Cessna 172N";
    QTest::newRow("no type") << "N4471K"
                             << ""
                             << "Nav Log N4471K";
    QTest::newRow("neither") << ""
                             << ""
                             << "Nav Log";
    QTest::newRow("blank") << "  "
                           << " "
                           << "Nav Log";
  }
  void missingAirplaneTextsAreLeftOut() {
    QFETCH(QString, tail);
    QFETCH(QString, type);
    QFETCH(QString, titleLine);
    const FlightPlan plan = workedFlight();
    const AirplaneData airplane = trainer(tail.toStdString(), type.toStdString());
    std::vector<TextPage> pages;
    QVERIFY(pagesOf({plan.navLog, plan.totals, airplane}, pages));
    QStringList header;
    for (const QString& line : pages[0].lines) {
      if (hasWords(line, words("Nav Log"))) header << line;
    }
    QCOMPARE(header.size(), 1);
    QCOMPARE(tokens(header[0]), tokens(titleLine));
  }

  // A route of a hundred courses takes no more than its share of the last page: it
  // wraps after whole legs and ends in an ellipsis.
  void veryLongRouteEndsInAnEllipsis() {
    FlightPlan plan = workedFlight();
    for (int n = 3; n <= 100; ++n) extendRouteLine(plan.totals, "QR" + std::to_string(n), "QR" + std::to_string(n + 1));
    const AirplaneData airplane = trainer();
    std::vector<TextPage> pages;
    QVERIFY(pagesOf({plan.navLog, plan.totals, airplane}, pages));
    QCOMPARE(pages.size(), std::size_t{1});
    QVERIFY(pages[0].has("Route QQA ---> QQB ; QQB ---> QQC ; QR3 ---> QR4 ;"));
    QStringList route;
    bool inRoute = false;
    for (const QString& line : pages[0].lines) {
      if (hasWords(line, words("Route QQA"))) inRoute = true;
      if (hasWords(line, words("Planned with"))) inRoute = false;
      if (inRoute && !line.trimmed().isEmpty()) route << line.trimmed();
    }
    QVERIFY2(route.size() >= 3, qPrintable(route.join(QLatin1Char('\n'))));
    for (const QString& line : route.mid(0, route.size() - 1))
      QVERIFY2(line.endsWith(QLatin1Char(';')), qPrintable(line));
    QVERIFY2(route.last().endsWith(QChar(0x2026)), qPrintable(route.last()));
    QVERIFY(!pages[0].has("QR100 ---> QR101 ;"));
  }

  // A leg name wider than its column is cut short with an ellipsis; its numbers stay whole.
  void longLegNameIsElided() {
    FlightPlan plan = startedPlan();
    QVERIFY(calculate(plan, "QQA", "WESTERN REGIONAL AIRPORT OF THE FAR NORTHERN VALLEY AND BEYOND"));
    const AirplaneData airplane = trainer();
    std::vector<TextPage> pages;
    QVERIFY(pagesOf({plan.navLog, plan.totals, airplane}, pages));
    const QStringList rows = pages[0].legLines(QStringLiteral("QQA-WESTERN"));
    QCOMPARE(rows.size(), 2);
    for (const QString& row : rows) {
      QVERIFY2(row.contains(QChar(0x2026)), qPrintable(row));
      QVERIFY2(!row.contains(QStringLiteral("BEYOND")), qPrintable(row));
    }
    QCOMPARE(tokens(rows[0]).mid(tokens(rows[0]).size() - 8), words("090 045/20 110 7L 083 078 080 95"));
    QCOMPARE(tokens(rows[1]).mid(tokens(rows[1]).size() - 6), words("60 37:55 9:00:00 9:37:55 5.37 34.63"));
  }
};

QTEST_MAIN(NavLogPagesTest)
#include "nav_log_pages_test.moc"
