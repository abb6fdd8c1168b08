#include "core/nav_log.hpp"

#include <cmath>

#include "core/numbers.hpp"

namespace orvane {
namespace {

std::string& cell(NavLogRow& row, NavLogColumn column) { return row[static_cast<std::size_t>(column)]; }

std::string wholeNumber(std::int32_t value) { return fieldText(static_cast<double>(value)); }

// RFC 4180: a cell with a separator, a quote or a line break is quoted, its quotes doubled.
void appendCsvCell(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void appendCsvRow(std::string& out, const NavLogRow& row) {
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (i > 0) out += ',';
    appendCsvCell(out, validUtf8(row[i]));
  }
  out += "\r\n";
}

// The length of the valid UTF-8 sequence starting at text[at], or 0.
std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char b = byte(at + i);
    const unsigned char lowest = i == 1 ? low : static_cast<unsigned char>(0x80);
    const unsigned char highest = i == 1 ? high : static_cast<unsigned char>(0xBF);
    if (b < lowest || b > highest) return 0;
  }
  return length;
}

}  // namespace

std::string routePairName(std::string_view origin, std::string_view destination) {
  std::string name(origin);
  name += '-';
  name += destination;
  return name;
}

void recordLegInNavLog(NavLog& log, const LegInputs& in, const LegResults& r) {
  NavLogLeg leg;
  if (log.nextLegName.empty()) {
    leg.name = "Leg " + wholeNumber(static_cast<std::int32_t>(log.legs.size() + 1));
  } else {
    leg.name = std::move(log.nextLegName);
    log.nextLegName.clear();
  }
  leg.trueCourse = in.trueCourse;
  leg.windDirection = in.windDirection;
  leg.windVelocity = in.windVelocity;
  leg.trueAirspeed = in.trueAirspeed;
  leg.windCorrectionAngle = r.windCorrectionAngle;
  leg.trueHeading = r.trueHeading;
  leg.magneticHeading = r.magneticHeading;
  leg.compassHeading = r.compassHeading;
  leg.groundSpeed = r.groundSpeed;
  leg.distance = in.distance;
  leg.eteMinutes = r.eteMinutes;
  leg.takeOffText = r.takeOffText;
  leg.etaText = r.etaText;
  leg.takeOffDay = r.takeOffDay;
  leg.arrivalDay = r.arrivalDay;
  leg.fuelBurned = r.fuelBurned;
  leg.fuelLeft = r.fuelLeft;
  leg.fuelShort = r.fuelShort;
  log.legs.push_back(std::move(leg));
}

const NavLogRow& navLogHeadings() {
  static const NavLogRow headings{
      "Leg",       "TC",          "TC (deg)",   "Wind",        "WD (deg)",         "WV",
      "TAS",       "WCA",         "WCA (deg)",  "TH",          "TH (deg)",         "MH",
      "MH (deg)",  "CH",          "CH (deg)",   "GS",          "Distance",         "ETE",
      "ETE (min)", "Time Off",    "ETA",        "Arrival Day", "Actual Time Over", "Fuel Burned",
      "Fuel Left", "Actual Fuel", "Fuel Short",
  };
  return headings;
}

NavLogRow navLogRow(const NavLogLeg& leg) {
  NavLogRow row;
  cell(row, NavLogColumn::Leg) = leg.name;
  cell(row, NavLogColumn::TrueCourse) = threeDigitDirection(leg.trueCourse);
  cell(row, NavLogColumn::TrueCourseDegrees) = fieldText(leg.trueCourse);
  cell(row, NavLogColumn::Wind) = windText(leg.windDirection, leg.windVelocity);
  cell(row, NavLogColumn::WindDirection) = fieldText(leg.windDirection);
  cell(row, NavLogColumn::WindVelocity) = fieldText(leg.windVelocity);
  cell(row, NavLogColumn::TrueAirspeed) = fieldText(leg.trueAirspeed);
  cell(row, NavLogColumn::WindCorrectionAngle) = windCorrectionText(leg.windCorrectionAngle);
  cell(row, NavLogColumn::WindCorrectionDegrees) = wholeNumber(leg.windCorrectionAngle);
  cell(row, NavLogColumn::TrueHeading) = threeDigitDirection(leg.trueHeading);
  cell(row, NavLogColumn::TrueHeadingDegrees) = wholeNumber(leg.trueHeading);
  cell(row, NavLogColumn::MagneticHeading) = threeDigitDirection(leg.magneticHeading);
  cell(row, NavLogColumn::MagneticHeadingDegrees) = wholeNumber(leg.magneticHeading);
  cell(row, NavLogColumn::CompassHeading) = threeDigitDirection(leg.compassHeading);
  cell(row, NavLogColumn::CompassHeadingDegrees) = wholeNumber(leg.compassHeading);
  cell(row, NavLogColumn::GroundSpeed) = wholeNumber(leg.groundSpeed);
  cell(row, NavLogColumn::Distance) = fieldText(leg.distance);
  cell(row, NavLogColumn::Ete) = eteText(leg.eteMinutes);
  cell(row, NavLogColumn::EteMinutes) = fieldText(leg.eteMinutes);
  cell(row, NavLogColumn::TakeOff) = leg.takeOffText;  // the previous leg's ETA carries its day
  cell(row, NavLogColumn::Eta) = dayMarkedClock(leg.etaText, leg.arrivalDay);
  cell(row, NavLogColumn::ArrivalDay) = wholeNumber(leg.arrivalDay);
  cell(row, NavLogColumn::FuelBurned) = fieldText(leg.fuelBurned);
  cell(row, NavLogColumn::FuelLeft) = fieldText(leg.fuelLeft);
  cell(row, NavLogColumn::FuelShort) = leg.fuelShort ? "yes" : "no";
  return row;
}

NavLogRow navLogTotalsRow(const FlightTotals& totals) {
  NavLogRow row;
  const double minutes = roundToHundredths(totals.totalEteMinutes);
  cell(row, NavLogColumn::Leg) = "Total";
  cell(row, NavLogColumn::Distance) = fieldText(totals.totalDistance);
  cell(row, NavLogColumn::Ete) = eteText(minutes);
  cell(row, NavLogColumn::EteMinutes) = fieldText(minutes);
  cell(row, NavLogColumn::FuelBurned) = fieldText(totals.totalFuelUsed);
  return row;
}

std::vector<NavLogRow> navLogFuelRows(const FuelPlan& fuel) {
  const auto row = [](std::string label, const FuelAmount& amount) {
    NavLogRow r;
    cell(r, NavLogColumn::Leg) = std::move(label);
    cell(r, NavLogColumn::Ete) = eteText(amount.minutes);
    cell(r, NavLogColumn::EteMinutes) = fieldText(amount.minutes);
    cell(r, NavLogColumn::FuelBurned) = fieldText(amount.gallons);
    return r;
  };
  const FuelAmount shortfall{-fuel.extra.gallons, -fuel.extra.minutes};
  return {row("Fuel Required", fuel.required), row("Fuel on Board", fuel.onBoard),
          fuel.extra.gallons >= 0 ? row("Extra Fuel", fuel.extra) : row("Fuel Short", shortfall)};
}

std::string navLogCsv(const NavLog& log, const FlightTotals& totals, const std::optional<FuelPlan>& fuel) {
  std::string out;
  appendCsvRow(out, navLogHeadings());
  for (const NavLogLeg& leg : log.legs) appendCsvRow(out, navLogRow(leg));
  appendCsvRow(out, navLogTotalsRow(totals));
  if (fuel) {
    for (const NavLogRow& row : navLogFuelRows(*fuel)) appendCsvRow(out, row);
  }
  return out;
}

std::string threeDigitDirection(double degrees) {
  if (!std::isfinite(degrees)) return fieldText(degrees);
  std::int32_t whole = roundToWhole(std::fmod(degrees, kFullCircle)) % 360;
  if (whole <= 0) whole += 360;  // north is 360, never 000
  std::string text = wholeNumber(whole);
  return std::string(3 - text.size(), '0') + text;
}

std::string windText(double direction, double velocity) {
  const std::int32_t speed = roundToWhole(velocity);
  if (speed == 0) return "calm";
  return threeDigitDirection(direction) + "/" + wholeNumber(speed);
}

std::string windCorrectionText(std::int32_t windCorrectionAngle) {
  if (windCorrectionAngle == 0) return "0";
  const std::int64_t size = windCorrectionAngle < 0 ? -std::int64_t{windCorrectionAngle} : windCorrectionAngle;
  return formatGeneral(static_cast<double>(size)) + (windCorrectionAngle > 0 ? " L" : " R");
}

std::string eteText(double minutes) {
  constexpr double kLongestSeconds = 1e12;  // some 30,000 years: beyond any flight
  const double seconds = std::trunc(minutes * kMinutesPerHour);
  if (!(seconds >= 0 && seconds <= kLongestSeconds)) return {};
  const auto whole = static_cast<std::int64_t>(seconds);
  constexpr std::int64_t kSecondsPerHour = 3600;
  constexpr std::int64_t kSecondsPerMinute = 60;
  const auto twoDigits = [](std::int64_t value) {
    return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
  };
  const auto number = [](std::int64_t value) { return formatGeneral(static_cast<double>(value), 17); };
  if (whole < kSecondsPerHour) {
    return number(whole / kSecondsPerMinute) + ":" + twoDigits(whole % kSecondsPerMinute);
  }
  const std::int64_t totalMinutes = (whole + kSecondsPerMinute / 2) / kSecondsPerMinute;  // halves up
  return number(totalMinutes / 60) + ":" + twoDigits(totalMinutes % 60);
}

std::string dayMarkedClock(const std::string& clockText, int day) {
  if (day == 0 || clockText.empty()) return clockText;
  return clockText + (day > 0 ? " +" : " ") + wholeNumber(day);
}

std::string validUtf8(std::string_view text) {
  static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = utf8SequenceLength(text, at);
    if (length == 0) {
      out += kReplacement;
      ++at;
    } else {
      out.append(text.substr(at, length));
      at += length;
    }
  }
  return out;
}

}  // namespace orvane
