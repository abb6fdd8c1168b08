#include "app/shipped_airport_names.hpp"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstddef>
#include <string_view>

namespace orvane {

const AirportNames& shippedAirportNames() {
  static const AirportNames names = [] {
    QFile file(QStringLiteral(":/orvane/airport-names.txt"));
    if (!file.open(QIODevice::ReadOnly)) return AirportNames{};
    const QByteArray bytes = file.readAll();
    return parseAirportNames(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  }();
  return names;
}

}  // namespace orvane
