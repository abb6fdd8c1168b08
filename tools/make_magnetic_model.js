#!/usr/bin/env node
// Writes the World Magnetic Model coefficient table "WMM.COF" that Orvane compiles
// in, and the model's test values for the core tests, from the data files of two npm
// packages: "geomagnetism" (its data/wmm-2025.json and test/values.csv) and "magvar"
// (its src/WMMCOF2025.js). Only their data is used; every coefficient must be the
// same in both packages, so a slip in either one stops the run.
//
// Usage: node tools/make_magnetic_model.js GEOMAGNETISM_DIR MAGVAR_DIR COF_FILE TEST_VALUES_FILE
//
// COF_FILE is in the layout NOAA publishes WMM.COF in:
//   a header line:  epoch  model name  release date (MM/DD/YYYY)
//   one line per degree n = 1..12 and order m = 0..n:  n m g h g-dot h-dot
//     (g, h in nanotesla at the epoch, g-dot, h-dot in nanotesla per year)
//   two lines of 48 nines that end the table.
// TEST_VALUES_FILE, CSV with a header line: decimal year, height above the WGS84
// ellipsoid [km], geodetic latitude and longitude [degrees], declination [degrees,
// east positive], horizontal intensity [nT]; the rows of the 2025 model's years.
'use strict';

const fs = require('fs');
const path = require('path');

const [geomagnetismDir, magvarDir, cofFile, testValuesFile] = process.argv.slice(2);
if (!testValuesFile) {
  console.error('usage: make_magnetic_model.js GEOMAGNETISM_DIR MAGVAR_DIR COF_FILE TEST_VALUES_FILE');
  process.exit(2);
}

const kDegree = 12;
const json = JSON.parse(fs.readFileSync(path.join(geomagnetismDir, 'data', 'wmm-2025.json'), 'utf8'));
const magvar = require(path.resolve(magvarDir, 'src', 'WMMCOF2025.js'));

function fail(text) {
  console.error('make_magnetic_model: ' + text);
  process.exit(1);
}

if (json.n_max !== kDegree || json.n_max_sec_var !== kDegree) fail('expected degree and order 12');
if (json.epoch !== 2025 || magvar.MODEL_EPOCH !== 2025) fail('expected the epoch 2025.0');
const count = ((kDegree + 1) * (kDegree + 2)) / 2;
for (const key of ['main_field_coeff_g', 'main_field_coeff_h', 'secular_var_coeff_g', 'secular_var_coeff_h']) {
  if (!Array.isArray(json[key]) || json[key].length !== count) fail(key + ' does not hold ' + count + ' values');
}

// The release date of the header, from the JSON's start date (2024-11-13T03:00:00Z).
const released = /^(\d{4})-(\d{2})-(\d{2})T/.exec(json.start_date);
if (!released) fail('no release date');
const header = '    2025.0            WMM-2025     ' + released[2] + '/' + released[3] + '/' + released[1];

function pad(text, width) {
  return text.length >= width ? ' ' + text : ' '.repeat(width - text.length) + text;
}
function tenths(value) {
  if (!Number.isFinite(value)) fail('a coefficient is not a number');
  const text = value.toFixed(1);
  if (Math.abs(Number(text) - value) > 1e-9) fail('coefficient ' + value + ' has more than one decimal');
  return text === '-0.0' ? '0.0' : text;
}

const lines = [header];
for (let n = 1; n <= kDegree; ++n) {
  for (let m = 0; m <= n; ++m) {
    const index = (n * (n + 1)) / 2 + m;
    const values = [
      json.main_field_coeff_g[index], json.main_field_coeff_h[index],
      json.secular_var_coeff_g[index], json.secular_var_coeff_h[index],
    ];
    const others = [magvar.gnmWmm[n][m], magvar.hnmWmm[n][m], magvar.gtnmWmm[n][m], magvar.htnmWmm[n][m]];
    values.forEach((value, i) => {
      if (Math.abs(value - others[i]) > 1e-9) {
        fail('the packages differ at n=' + n + ' m=' + m + ': ' + value + ' and ' + others[i]);
      }
    });
    lines.push(pad(String(n), 3) + pad(String(m), 3) + pad(tenths(values[0]), 11) + pad(tenths(values[1]), 10) +
               pad(tenths(values[2]), 11) + pad(tenths(values[3]), 11));
  }
}
lines.push('9'.repeat(48), '9'.repeat(48));
fs.writeFileSync(cofFile, lines.join('\n') + '\n');
console.log('coefficient lines: ' + (lines.length - 3));

// The test values: the rows dated within the model's five years.
const csv = fs.readFileSync(path.join(geomagnetismDir, 'test', 'values.csv'), 'utf8').trim().split(/\r?\n/);
const columns = csv[0].split(',');
const at = (name) => {
  const i = columns.indexOf(name);
  if (i < 0) fail('test values without a column ' + name);
  return i;
};
const [date, alt, lat, lon, decl, h] = ['date', 'alt', 'lat', 'lon', 'decl', 'h'].map(at);
const rows = ['year,height_km,latitude,longitude,declination,horizontal_nt'];
for (const line of csv.slice(1)) {
  const cells = line.split(',');
  const year = Number(cells[date]);
  if (!(year >= 2025 && year < 2030)) continue;
  rows.push([cells[date], cells[alt], cells[lat], cells[lon], cells[decl], cells[h]].join(','));
}
fs.writeFileSync(testValuesFile, rows.join('\n') + '\n');
console.log('test values: ' + (rows.length - 1));
