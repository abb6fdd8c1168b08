#include "core/magnetic.hpp"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>
#include <vector>

#include "core/angles.hpp"
#include "core/magnetic_model_text.hpp"
#include "core/numbers.hpp"

namespace orvane {
namespace {

// WGS84 ellipsoid.
constexpr double kWgs84SemiMajorAxisKm = 6378.137;
constexpr double kWgs84Flattening = 1 / 298.257223563;
constexpr double kWgs84EccentricitySquared = kWgs84Flattening * (2 - kWgs84Flattening);
// The radius the model's coefficients refer to.
constexpr double kGeomagneticReferenceRadiusKm = 6371.2;
constexpr double kKilometresPerFoot = 0.0003048;
// The heights the model is made for.
constexpr double kLowestAltitudeKm = -1;
constexpr double kHighestAltitudeKm = 850;
constexpr double kLargestCoefficient = 1e6;  // [nT]; the dipole term is about 3e4

constexpr std::size_t coefficientIndex(int n, int m) { return static_cast<std::size_t>(n * (n + 1) / 2 + m); }

std::vector<std::string_view> blankSeparated(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    const std::size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t') ++at;
    if (at > start) tokens.push_back(line.substr(start, at - start));
  }
  return tokens;
}

std::optional<int> wholeNumber(std::string_view token) {
  int value = 0;
  const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (ec != std::errc{} || end != token.data() + token.size()) return std::nullopt;
  return value;
}

std::optional<double> decimalNumber(std::string_view token) {
  if (token.empty() || decimalNumberLength(token) != token.size()) return std::nullopt;
  const double value = decimalValue(token);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::string wholeText(std::size_t value) {
  std::array<char, 24> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  return std::string(digits.data(), result.ptr);
}

std::string lineError(std::size_t line, std::string_view what) {
  return "line " + wholeText(line) + ": " + std::string(what);
}

bool endMarker(const std::vector<std::string_view>& tokens) {
  return tokens.size() == 1 && tokens[0].size() >= 4 && tokens[0].find_first_not_of('9') == std::string_view::npos;
}

// The field in the geodetic frame [nT]: north, east, down.
struct FieldVector {
  double north = 0, east = 0, down = 0;
};

// The spherical-harmonic sum at geodetic latitude and longitude [radians], height
// above the ellipsoid [km], `years` after the epoch. The associated Legendre functions
// are Schmidt semi-normalised, taken in the colatitude theta with their derivatives
// by recursions that never divide by sin(theta), so the geographic poles need no care
// beyond the east component's one division.
FieldVector fieldAt(const MagneticModel& model, double latitude, double longitude, double heightKm,
                    double years) noexcept {
  // Geodetic to geocentric: the position's distance from the Earth's centre and its
  // angle from the equator.
  const double sinLatitude = std::sin(latitude);
  const double cosLatitude = std::cos(latitude);
  const double primeVerticalRadius =
      kWgs84SemiMajorAxisKm / std::sqrt(1 - kWgs84EccentricitySquared * sinLatitude * sinLatitude);
  const double p = (primeVerticalRadius + heightKm) * cosLatitude;
  const double z = (primeVerticalRadius * (1 - kWgs84EccentricitySquared) + heightKm) * sinLatitude;
  const double r = std::hypot(p, z);
  const double cosTheta = z / r;  // sine of the geocentric latitude
  const double sinTheta = p / r;  // its cosine
  const double geocentricLatitude = std::atan2(z, p);

  // Schmidt semi-normalised P(n, m)(cos theta) and dP/dtheta.
  std::array<std::array<double, kMagneticModelDegree + 1>, kMagneticModelDegree + 1> legendre{}, slope{};
  legendre[0][0] = 1;
  for (int n = 1; n <= model.degree; ++n) {
    const auto nu = static_cast<std::size_t>(n);
    if (n == 1) {
      legendre[1][1] = sinTheta;
      slope[1][1] = cosTheta;
    } else {
      const double k = std::sqrt((2.0 * n - 1) / (2.0 * n));
      legendre[nu][nu] = k * sinTheta * legendre[nu - 1][nu - 1];
      slope[nu][nu] = k * (cosTheta * legendre[nu - 1][nu - 1] + sinTheta * slope[nu - 1][nu - 1]);
    }
    for (int m = 0; m < n; ++m) {
      const auto mu = static_cast<std::size_t>(m);
      const double scale = std::sqrt(static_cast<double>(n * n - m * m));
      const double a = (2.0 * n - 1) / scale;
      const double b = std::sqrt(static_cast<double>((n - 1) * (n - 1) - m * m)) / scale;
      const double before = n >= 2 ? legendre[nu - 2][mu] : 0;
      const double slopeBefore = n >= 2 ? slope[nu - 2][mu] : 0;
      legendre[nu][mu] = a * cosTheta * legendre[nu - 1][mu] - b * before;
      slope[nu][mu] = a * (cosTheta * slope[nu - 1][mu] - sinTheta * legendre[nu - 1][mu]) - b * slopeBefore;
    }
  }

  // cos(m lambda) and sin(m lambda) by the angle-sum rule.
  std::array<double, kMagneticModelDegree + 1> cosM{}, sinM{};
  cosM[0] = 1;
  const double cosLongitude = std::cos(longitude);
  const double sinLongitude = std::sin(longitude);
  for (std::size_t m = 1; m <= static_cast<std::size_t>(model.degree); ++m) {
    cosM[m] = cosM[m - 1] * cosLongitude - sinM[m - 1] * sinLongitude;
    sinM[m] = sinM[m - 1] * cosLongitude + cosM[m - 1] * sinLongitude;
  }

  // The field in the geocentric frame: north X', east Y', down Z'.
  const double ratio = kGeomagneticReferenceRadiusKm / r;
  double power = ratio * ratio;  // (a / r)^(n + 2) once multiplied below
  double north = 0, east = 0, down = 0;
  for (int n = 1; n <= model.degree; ++n) {
    power *= ratio;
    const auto nu = static_cast<std::size_t>(n);
    for (int m = 0; m <= n; ++m) {
      const auto mu = static_cast<std::size_t>(m);
      const std::size_t i = coefficientIndex(n, m);
      const double g = model.g[i] + years * model.gPerYear[i];
      const double h = model.h[i] + years * model.hPerYear[i];
      const double inPhase = g * cosM[mu] + h * sinM[mu];
      north += power * inPhase * slope[nu][mu];
      east += power * m * (g * sinM[mu] - h * cosM[mu]) * legendre[nu][mu];
      down -= power * (n + 1) * inPhase * legendre[nu][mu];
    }
  }
  // Every term of the east sum carries sin(theta) at least once (m >= 1).
  east /= sinTheta;

  // Turned from the geocentric to the geodetic frame, about the east axis.
  const double tilt = geocentricLatitude - latitude;
  return {north * std::cos(tilt) - down * std::sin(tilt), east, north * std::sin(tilt) + down * std::cos(tilt)};
}

// The value as the window shows it, to tenths.
double tenthsShown(double value) { return decimalValue(formatFixed(value, 1)); }

}  // namespace

MagneticModelReading readMagneticModel(std::string_view text) {
  if (text.size() > kMagneticModelTextLimit) return {std::nullopt, "the table is larger than 64 KiB"};
  MagneticModel model;
  std::array<bool, kMagneticCoefficientCount> seen{};
  bool headerRead = false;
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string_view> tokens = blankSeparated(line);
    if (tokens.empty()) continue;

    if (!headerRead) {
      const std::optional<double> epoch = decimalNumber(tokens[0]);
      if (tokens.size() < 2 || tokens.size() > 3 || !epoch || *epoch < 1900 || *epoch > 2200) {
        return {std::nullopt, lineError(lineNumber, "not a header (epoch, model name, release date)")};
      }
      model.epoch = *epoch;
      model.name = std::string(tokens[1]);
      if (tokens.size() == 3) model.releaseDate = std::string(tokens[2]);
      headerRead = true;
      continue;
    }
    if (endMarker(tokens)) break;
    if (tokens.size() != 6) return {std::nullopt, lineError(lineNumber, "not six values (n m g h g-dot h-dot)")};
    const std::optional<int> n = wholeNumber(tokens[0]);
    const std::optional<int> m = wholeNumber(tokens[1]);
    if (!n || *n < 1 || *n > kMagneticModelDegree) {
      return {std::nullopt, lineError(lineNumber, "the degree is not a whole number from 1 to 12")};
    }
    if (!m || *m < 0 || *m > *n) {
      return {std::nullopt, lineError(lineNumber, "the order is not a whole number from 0 to the degree")};
    }
    const std::size_t i = coefficientIndex(*n, *m);
    if (seen[i]) return {std::nullopt, lineError(lineNumber, "this degree and order came before")};
    std::array<double, 4> values{};
    for (std::size_t k = 0; k < values.size(); ++k) {
      const std::optional<double> value = decimalNumber(tokens[k + 2]);
      if (!value || std::fabs(*value) > kLargestCoefficient) {
        return {std::nullopt, lineError(lineNumber, "a coefficient is not a number of at most 10^6 nT")};
      }
      values[k] = *value;
    }
    seen[i] = true;
    model.g[i] = values[0];
    model.h[i] = values[1];
    model.gPerYear[i] = values[2];
    model.hPerYear[i] = values[3];
    if (*n > model.degree) model.degree = *n;
  }
  if (!headerRead) return {std::nullopt, "the table is empty"};
  if (model.degree == 0) return {std::nullopt, "the table holds no coefficients"};
  for (int n = 1; n <= model.degree; ++n) {
    for (int m = 0; m <= n; ++m) {
      if (!seen[coefficientIndex(n, m)]) {
        return {std::nullopt, "the coefficients of degree " + wholeText(static_cast<std::size_t>(n)) + ", order " +
                                  wholeText(static_cast<std::size_t>(m)) + " are missing"};
      }
    }
  }
  return {std::move(model), {}};
}

std::string magneticModelLabel(const MagneticModel& model) {
  std::string label;
  for (char c : model.name) {
    if (c != '-') label += c;
  }
  return label;
}

const MagneticModelReading& builtInMagneticModel() {
  static const MagneticModelReading reading = readMagneticModel(builtInMagneticModelText());
  return reading;
}

MagneticDeclination magneticDeclination(const MagneticModel& model, GeoPosition position, double altitudeFeet,
                                        double decimalYear) noexcept {
  const double heightKm = altitudeFeet * kKilometresPerFoot;
  if (!std::isfinite(position.latitude) || !std::isfinite(position.longitude) || !std::isfinite(heightKm) ||
      std::fabs(position.latitude) > 90 || heightKm < kLowestAltitudeKm || heightKm > kHighestAltitudeKm) {
    return {DeclinationOutcome::NoPosition};
  }
  // Written so that NaN falls outside.
  if (!(decimalYear >= model.epoch && decimalYear <= model.epoch + kMagneticModelLifetimeYears)) {
    return {DeclinationOutcome::OutsideModelYears};
  }
  const FieldVector field =
      fieldAt(model, position.latitude * kRadiansPerDegree, std::fmod(position.longitude, 360) * kRadiansPerDegree,
              heightKm, decimalYear - model.epoch);
  const double horizontal = std::hypot(field.north, field.east);
  const double declination = std::atan2(field.east, field.north) / kRadiansPerDegree;
  if (!std::isfinite(declination)) return {DeclinationOutcome::NoPosition};
  const DeclinationOutcome outcome =
      horizontal < kUnreliableHorizontalIntensity ? DeclinationOutcome::NearMagneticPole : DeclinationOutcome::Computed;
  return {outcome, declination, horizontal};
}

MagneticDeclination magneticDeclination(GeoPosition position, double altitudeFeet, double decimalYear) noexcept {
  const MagneticModelReading& reading = builtInMagneticModel();
  if (!reading.model) return {DeclinationOutcome::NoModel};
  return magneticDeclination(*reading.model, position, altitudeFeet, decimalYear);
}

std::optional<double> decimalYear(const LocalDateTime& time) noexcept {
  using namespace std::chrono;
  const year_month_day date{year{time.year}, month{static_cast<unsigned>(time.month)},
                            day{static_cast<unsigned>(time.day)}};
  if (time.month < 1 || time.day < 1 || !date.ok() || time.hour < 0 || time.hour > 23 || time.minute < 0 ||
      time.minute > 59 || time.second < 0 || time.second > 60) {
    return std::nullopt;
  }
  const sys_days start{year{time.year} / January / 1};
  const sys_days next{year{time.year + 1} / January / 1};
  const double days = static_cast<double>((sys_days{date} - start).count()) +
                      (time.hour * 3600.0 + time.minute * 60.0 + time.second) / 86400.0;
  return time.year + days / static_cast<double>((next - start).count());
}

std::optional<GeoPosition> legMidpoint(GeoPosition origin, GeoPosition destination) noexcept {
  for (const GeoPosition& p : {origin, destination}) {
    if (!std::isfinite(p.latitude) || !std::isfinite(p.longitude) || std::fabs(p.latitude) > 90) return std::nullopt;
  }
  // The sum of the two unit vectors points at the middle of the shorter arc.
  double x = 0, y = 0, z = 0;
  for (const GeoPosition& p : {origin, destination}) {
    const double latitude = p.latitude * kRadiansPerDegree;
    const double longitude = std::fmod(p.longitude, 360) * kRadiansPerDegree;
    x += std::cos(latitude) * std::cos(longitude);
    y += std::cos(latitude) * std::sin(longitude);
    z += std::sin(latitude);
  }
  const double across = std::hypot(x, y);
  if (std::hypot(across, z) < 1e-9) return std::nullopt;  // opposite points
  return GeoPosition{std::atan2(z, across) / kRadiansPerDegree, std::atan2(y, x) / kRadiansPerDegree};
}

LegVariation legVariation(GeoPosition origin, GeoPosition destination, std::optional<double> decimalYear) {
  LegVariation leg;
  const MagneticModelReading& reading = builtInMagneticModel();
  if (!reading.model) return leg;
  leg.model = magneticModelLabel(*reading.model);
  const std::optional<GeoPosition> midpoint = legMidpoint(origin, destination);
  if (!midpoint) {
    leg.outcome = DeclinationOutcome::NoPosition;
    return leg;
  }
  leg.midpoint = *midpoint;
  const MagneticDeclination at =
      magneticDeclination(*reading.model, *midpoint, 0, decimalYear.value_or(std::numeric_limits<double>::quiet_NaN()));
  leg.outcome = at.outcome;
  if (at.outcome == DeclinationOutcome::Computed) {
    leg.declination = at.declination;
    leg.variation = -tenthsShown(at.declination);
    if (leg.variation == 0) leg.variation = 0;  // no -0 in the planner's field
  }
  return leg;
}

std::string legVariationText(const LegVariation& leg) {
  const std::string prefix = "Variation at mid-leg: ";
  switch (leg.outcome) {
    case DeclinationOutcome::Computed: {
      const double shown = -leg.variation;
      const std::string side = shown > 0 ? " E" : shown < 0 ? " W" : "";
      return prefix + formatFixed(std::fabs(shown), 1) + "\u00B0" + side + " (" + leg.model + ")";
    }
    case DeclinationOutcome::OutsideModelYears: {
      const MagneticModelReading& reading = builtInMagneticModel();
      const double epoch = reading.model ? reading.model->epoch : 0;
      return prefix + "none, the take-off date is outside " + leg.model + " (" + formatFixed(epoch, 1) + " to " +
             formatFixed(epoch + kMagneticModelLifetimeYears, 1) + ")";
    }
    case DeclinationOutcome::NearMagneticPole:
      return prefix + "none, too near the magnetic pole for a compass (" + leg.model + ")";
    case DeclinationOutcome::NoPosition: return prefix + "none, the positions give no leg";
    case DeclinationOutcome::NoModel: break;
  }
  return prefix + "none, the magnetic model cannot be read";
}

}  // namespace orvane
