// The nav log's CSV text with leg names of any bytes (identifiers come from the pilot's
// airports file). A reference RFC 4180 reader must get back every row with all its
// cells, each leg's name as the windows show it (invalid UTF-8 replaced), and the
// whole text must be valid UTF-8 with CR LF after every row. validUtf8 keeps a valid
// text as it is and gives valid UTF-8 for any bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/flight.hpp"
#include "core/nav_log.hpp"
#include "fuzz_support.hpp"

namespace {

using orvane::kNavLogColumnCount;

// Whether `text` is valid UTF-8, decoded code point by code point.
UNTRACED bool referenceValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    std::uint32_t point = 0;
    if (lead < 0x80) {
      length = 1;
      point = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      point = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      point = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      point = lead & 0x07u;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      if ((b & 0xC0) != 0x80) return false;
      point = (point << 6) | (b & 0x3Fu);
    }
    static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < kLeast[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

// RFC 4180 records, each ended by CR LF; false when the text is not such a file.
UNTRACED bool readCsv(std::string_view text, std::vector<std::vector<std::string>>& rows) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::vector<std::string> row;
    for (;;) {
      std::string cell;
      if (i < text.size() && text[i] == '"') {
        ++i;
        for (;;) {
          if (i >= text.size()) return false;
          if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
              cell += '"';
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          cell += text[i++];
        }
      } else {
        while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n' && text[i] != '"') {
          cell += text[i++];
        }
      }
      row.push_back(std::move(cell));
      if (i < text.size() && text[i] == ',') {
        ++i;
        continue;
      }
      if (text.substr(i, 2) != "\r\n") return false;
      i += 2;
      break;
    }
    rows.push_back(std::move(row));
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  const std::string valid = orvane::validUtf8(bytes);
  CHECK(referenceValidUtf8(valid));
  CHECK(orvane::validUtf8(valid) == valid);
  if (referenceValidUtf8(bytes)) CHECK(valid == bytes);

  // The first byte says how many legs share the rest as their names.
  const std::size_t legs = data[0] % 8u;
  orvane::NavLog log;
  for (std::size_t k = 0; k < legs; ++k) {
    orvane::NavLogLeg leg;
    const std::size_t from = bytes.size() * k / legs;
    const std::size_t to = bytes.size() * (k + 1) / legs;
    leg.name = std::string(bytes.substr(from, to - from));
    log.legs.push_back(std::move(leg));
  }
  const std::string csv = orvane::navLogCsv(log, orvane::FlightTotals{});
  CHECK(referenceValidUtf8(csv));
  CHECK(csv.substr(0, 3) != "\xEF\xBB\xBF");

  std::vector<std::vector<std::string>> rows;
  CHECK(readCsv(csv, rows));
  CHECK(rows.size() == legs + 2);
  for (const auto& row : rows) CHECK(row.size() == kNavLogColumnCount);
  CHECK(rows.front().front() == "Leg");
  CHECK(rows.back().front() == "Total");
  for (std::size_t k = 0; k < legs; ++k) CHECK(rows[k + 1].front() == orvane::validUtf8(log.legs[k].name));
  return 0;
}
