#include "ui/fuel_policy_settings.hpp"

#include <QSettings>
#include <memory>

namespace orvane::ui {
namespace {

const QString kTaxiKey = QStringLiteral("fuel/taxiGallons");
const QString kContingencyKey = QStringLiteral("fuel/contingencyPercent");
const QString kReserveKey = QStringLiteral("fuel/finalReserveMinutes");

std::unique_ptr<QSettings> openSettings(const QString& settingsFile) {
  if (settingsFile.isEmpty())
    return std::make_unique<QSettings>(QSettings::UserScope, QStringLiteral("Halvick"), QStringLiteral("Orvane"));
  return std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
}

}  // namespace

FuelPolicy loadUsualFuelPolicy(const QString& settingsFile) {
  const auto settings = openSettings(settingsFile);
  FuelPolicy policy;
  policy.finalReserveMinutes = kUsualReserveMinutes;
  bool ok = true;
  const auto read = [&](const QString& key, double fallback) {
    if (!settings->contains(key)) return fallback;
    bool converted = false;
    const double value = settings->value(key).toDouble(&converted);
    ok = ok && converted;
    return converted ? value : fallback;
  };
  policy.taxiGallons = read(kTaxiKey, 0);
  policy.contingencyPercent = read(kContingencyKey, 0);
  policy.finalReserveMinutes = read(kReserveKey, kUsualReserveMinutes);
  // Settings edited by hand into nonsense are not the pilot's policy.
  if (!ok || !fuelPolicyFault(policy).empty()) {
    FuelPolicy start;
    start.finalReserveMinutes = kUsualReserveMinutes;
    return start;
  }
  return policy;
}

bool saveUsualFuelPolicy(const QString& settingsFile, const FuelPolicy& policy) {
  const auto settings = openSettings(settingsFile);
  settings->setValue(kTaxiKey, policy.taxiGallons);
  settings->setValue(kContingencyKey, policy.contingencyPercent);
  settings->setValue(kReserveKey, policy.finalReserveMinutes);
  settings->sync();
  return settings->status() == QSettings::NoError;
}

}  // namespace orvane::ui
