// web/src/core.js with the page's module, against the native core's answers that core-compare
// prints (see core_compare.cpp). KALVORA_WEB_BUILD names the folder web/core/build.sh built.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { join } from 'node:path';
import { test } from 'node:test';
import { loadCore } from '../src/core.js';

const build = process.env.KALVORA_WEB_BUILD ?? 'build-web';
const wasm = readFileSync(join(build, 'core', 'kalvora-core.wasm'));
const core = await loadCore(wasm);
const records = execFileSync(join(build, 'native', 'core-compare'), { maxBuffer: 1 << 28 }).toString('utf8').trim().split('\n').map((line) => line.split('\t'));
const recordsOf = (kind) => records.filter(([type]) => type === kind).map((r) => r.slice(1));
const nativeCatalogue = JSON.parse(recordsOf('C')[0][0]);

// The texts of an estimate in the order core-compare prints them.
const estimateFields = ['shapeText', 'densityText', 'piecesText', 'dimension1Text', 'dimension2Text', 'dimension3Text', 'priceText', 'priceBasis'];

test('every estimate comes out as the native core gives it, byte for byte', () => {
  const estimates = recordsOf('E');
  assert.ok(estimates.length >= 10000, `${estimates.length} estimates`);
  const mismatches = estimates
    .map((row) => [row, JSON.stringify(core.computeEstimate(Object.fromEntries(estimateFields.map((name, i) => [name, row[i]]))))])
    .filter(([row, answer]) => answer !== row[8])
    .map(([row, answer]) => `${row.slice(0, 8).join(' | ')}\n  wasm:   ${answer}\n  native: ${row[8]}`);
  assert.equal(mismatches.length, 0, mismatches.slice(0, 5).join('\n'));
});

test('input warnings as the native core words them, captions in UTF-8 both ways', () => {
  const warnings = recordsOf('W');
  assert.ok(warnings.some((row) => /[^\x20-\x7e]/.test(row.slice(2, 4).join(''))));
  for (const [status, field, fieldCaption, diameterCaption, json] of warnings) {
    const warning = core.inputWarning(nativeCatalogue.statusNames[status], nativeCatalogue.fieldNames[field], fieldCaption, diameterCaption);
    assert.equal(JSON.stringify(warning), json, `status ${status}, field ${field}`);
  }
});

test('lists and fixed texts as the native core has them', () => {
  for (const name of ['grades', 'shapes', 'dimensionResetText', 'gradeMissingWarning', 'shapeMissingWarning']) assert.deepEqual(core[name], nativeCatalogue[name], name);
  assert.ok(Object.isFrozen(core.grades[0]) && Object.isFrozen(core.shapes[0].rows[0]));
});

test('a text names an entry of the lists only when it is its exact name', () => {
  // The matching itself is the core's, tested there: these carry the text and the index across.
  const rows = [
    // name, lookup, text, index in its list or -1
    ['first grade', 'gradeFromText', core.grades[0].name, 0],
    ['last grade', 'gradeFromText', core.grades.at(-1).name, core.grades.length - 1],
    ['grade in other case', 'gradeFromText', core.grades[3].name.toLowerCase(), -1],
    ['grade that is empty', 'gradeFromText', '', -1],
    ['shape with a full stop', 'shapeFromText', 'Pipe dia.', 4],
    ['shape with a character beyond ASCII', 'shapeFromText', 'Dis\u00e7', -1],
  ];
  for (const [name, lookup, text, index] of rows) {
    const list = lookup === 'gradeFromText' ? core.grades : core.shapes;
    assert.equal(core[lookup](text), index < 0 ? null : list[index], name);
  }
});

test('a call that the page could never make right is refused, not answered', () => {
  const estimate = Object.fromEntries(estimateFields.map((name) => [name, '1']));
  const rows = [
    ['price basis unknown', () => core.computeEstimate({ ...estimate, priceBasis: 'PerTon' })],
    ['text missing', () => core.computeEstimate({ ...estimate, priceText: undefined })],
    ['status unknown', () => core.inputWarning('Fine', 'Price', 'Price:', 'Diameter:')],
    ['field unknown', () => core.inputWarning('TooLarge', 'Colour', 'Price:', 'Diameter:')],
    ['caption not a text', () => core.inputWarning('TooLarge', 'Price', null, 'Diameter:')],
  ];
  for (const [name, call] of rows) assert.throws(call, TypeError, name);
});

test('the module loads from a server whatever type it gives .wasm, and not from a missing file', async (t) => {
  const server = createServer((request, response) => {
    const [status, type] = request.url.slice(1).split('/').map(decodeURIComponent);
    response.writeHead(Number(status), { 'Content-Type': type });
    response.end(status === '200' ? wasm : '');
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  t.after(() => server.close());
  const base = `http://127.0.0.1:${server.address().port}`;
  const rows = [
    // name, status, Content-Type, loads
    ['wasm type', 200, 'application/wasm', true],
    ['wasm type with a parameter', 200, 'application/wasm; charset=binary', true],
    ['type unknown to the server', 200, 'application/octet-stream', true],
    ['missing file', 404, 'text/html', false],
  ];
  for (const [name, status, type, loads] of rows) {
    const loading = loadCore(`${base}/${status}/${encodeURIComponent(type)}`);
    if (loads) assert.deepEqual((await loading).gradeFromText('Titanium'), core.gradeFromText('Titanium'), name);
    else await assert.rejects(loading, /404/, name);
  }
});
