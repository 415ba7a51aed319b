// Estimates typed through the page: the worked examples, and random ones compared figure for
// figure with the desktop's native core (build-web/native/estimate-oracle).

import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { loadCore } from '../src/core.js';
import { chooseGrade, chooseShape, closeWarnings, ctrl, snapshot, typeInto } from './calculator.mjs';
import { repoRoot, startHarness } from './harness.mjs';

const build = path.join(repoRoot, 'build-web');
let harness;
before(async () => {
  harness = await startHarness();
});
after(() => harness?.stop());

const dimensionFields = ['Text2', 'Text3', 'Text4'];

// One estimate as a user makes it: grade by mouse, the density typed for "Other", the shape,
// then every field entered by Tab and typed, the price basis clicked when it differs, CALCULATE.
async function estimate(page, { grade, density, shape, dimensions, pieces, price, perMetre }) {
  await chooseGrade(page, grade);
  if (density !== undefined) {
    await page.click('#Text1');
    await ctrl(page, 'KeyA');
    await page.keyboard.type(density);
  }
  await chooseShape(page, shape);
  for (const [index, text] of dimensions.entries()) await typeInto(page, dimensionFields[index], text);
  await typeInto(page, 'Text5', pieces);
  await typeInto(page, 'Text6', price);
  const [perKilogramSet, , perMetreDisabled] = (await snapshot(page)).options;
  if (perMetre === perKilogramSet && !perMetreDisabled) await page.click(perMetre ? '#Option2' : '#Option1');
  await page.click('#Command1');
  const warnings = await closeWarnings(page);
  return { warnings, shown: await snapshot(page) };
}

const examples = [
  { name: 'round bar of the screenshot', grade: 'Carbon steel', shape: 'Round bar', dimensions: ['100', '1000'],
    pieces: '4', price: '2.50', lines: ['1 pc: 61,66 Kg', '4 pcs: 246,64 Kg', '1 meter: 61,66 Kg',
      '1 pc: 154,15 €', '4 pcs: 616,6 €', '1 meter 154,15 €'] },
  { name: 'round bar, one piece', grade: 'Carbon steel', shape: 'Round bar', dimensions: ['100', '1000'],
    pieces: '1', price: '2,5', lines: ['1 pc: 61,66 Kg', null, '1 meter: 61,66 Kg', '1 pc: 154,15 €', null,
      '1 meter 154,15 €'] },
  { name: 'round bar per metre', grade: 'Carbon steel', shape: 'Round bar', dimensions: ['100', '1000'],
    pieces: '4', price: '20,00', perMetre: true, lines: ['1 pc: 61,66 Kg', '4 pcs: 246,64 Kg',
      '1 meter: 61,66 Kg', '1 pc: 20 €', '4 pcs: 80 €', null] },
  { name: 'plate', grade: 'Carbon steel', shape: 'Plate', dimensions: ['1000', '500', '10'], pieces: '3',
    price: '1,20', lines: ['1 pc: 39,25 Kg', '3 pcs: 117,75 Kg', null, '1 pc: 47,1 €', '3 pcs: 141,3 €', null] },
  { name: 'flat bar with a cost on a tie', grade: 'Carbon steel', shape: 'Flat bar',
    dimensions: ['50', '6000', '10'], pieces: '2', price: '2,5', lines: ['1 pc: 23,55 Kg', '2 pcs: 47,1 Kg',
      '1 meter: 3,92 Kg', '1 pc: 58,88 €', '2 pcs: 117,76 €', '1 meter 9,81 €'] },
  { name: 'pipe by thickness per kilogram', grade: 'Carbon steel', shape: 'Pipe thk.',
    dimensions: ['60.3', '3,91', '6000'], pieces: '1', price: '1,80', perMetre: false,
    lines: ['1 pc: 32,63 Kg', null, '1 meter: 5,44 Kg', '1 pc: 58,73 €', null, '1 meter 9,79 €'] },
  { name: 'pipe by diameters per kilogram', grade: 'Carbon steel', shape: 'Pipe dia.',
    dimensions: ['60,3', '52.48', '6000'], pieces: '1', price: '1.8', perMetre: false,
    lines: ['1 pc: 32,63 Kg', null, '1 meter: 5,44 Kg', '1 pc: 58,73 €', null, '1 meter 9,79 €'] },
  { name: 'disc', grade: 'Carbon steel', shape: 'Disc', dimensions: ['300', '25'], pieces: '10', price: '3,00',
    lines: ['1 pc: 13,87 Kg', '10 pcs: 138,7 Kg', null, '1 pc: 41,61 €', '10 pcs: 416,1 €', null] },
  { name: 'ring of a density typed for Other', grade: 'Other', density: '2.70', shape: 'Ring',
    dimensions: ['200', '100', '20'], pieces: '1', price: '6',
    lines: ['1 pc: 1,27 Kg', null, null, '1 pc: 7,62 €', null, null] },
  { name: 'large figures in exponent form', grade: 'Tantalum', shape: 'Plate',
    dimensions: ['3000', '1500', '100'], pieces: '100', price: '250', lines: ['1 pc: 7515 Kg',
      '100 pcs: 751500 Kg', null, '1 pc: 1878750 €', '100 pcs: 1,87875E+08 €', null] },
];

test('worked examples', async (t) => {
  const page = await harness.openPage(t);
  for (const example of examples) {
    await t.test(example.name, async () => {
      const { warnings, shown } = await estimate(page, example);
      assert.deepEqual(warnings, []);
      assert.deepEqual(Object.values(shown.lines), example.lines);
      assert.equal(shown.focus, 'Combo1');
    });
  }
});

// A fixed sequence of random numbers, so that a failure can be typed again.
function random(seed) {
  let state = seed;
  return () => {
    state = (state + 0x6d2b79f5) | 0;
    let mixed = Math.imul(state ^ (state >>> 15), 1 | state);
    mixed ^= mixed + Math.imul(mixed ^ (mixed >>> 7), 61 | mixed);
    return ((mixed ^ (mixed >>> 14)) >>> 0) / 2 ** 32;
  };
}

// Mostly numbers, with either decimal key; now and then zero, a lone comma or two commas.
function numberText(next, maxLength) {
  const odd = ['0', ',', '1,2,5', '00'];
  if (next() < 0.08) return odd[Math.floor(next() * odd.length)];
  const whole = String(Math.floor(next() ** 3 * 10 ** Math.floor(1 + next() * 4)));
  const decimals = next() < 0.5 ? '' : `${next() < 0.5 ? '.' : ','}${Math.floor(next() * 1000)}`;
  return (whole + decimals).slice(0, maxLength);
}

const faultyFields = { Density: 'Text1', Dimension1: 'Text2', Dimension2: 'Text3', Dimension3: 'Text4',
  Pieces: 'Text5', Price: 'Text6' };

test('200 random estimates typed through the page agree with the native core', async (t) => {
  const core = await loadCore(readFileSync(path.join(build, 'core', 'kalvora-core.wasm')));
  const next = random(22);
  const pick = (list) => list[Math.floor(next() * list.length)];
  const cases = Array.from({ length: 200 }, () => {
    const grade = pick(core.grades);
    const shape = pick(core.shapes);
    return {
      grade: grade.name,
      density: grade.densityFixed ? undefined : numberText(next, 5),
      shape: shape.name,
      dimensions: shape.rows.filter((row) => row.visible).map(() => numberText(next, 9)),
      pieces: next() < 0.1 ? '0' : String(Math.floor(next() * 300)),
      price: numberText(next, 8),
      perMetre: next() < 0.5,
    };
  });
  const page = await harness.openPage(t);
  const shownOnPage = [];
  for (const one of cases) shownOnPage.push(await estimate(page, one));

  // The texts the fields hold once the key rule has made every full stop a comma.
  const typed = (text) => text.replaceAll('.', ',');
  const lines = cases.map((one, index) => {
    const { options } = shownOnPage[index].shown;
    const dimensions = dimensionFields.map((_, row) => (row < one.dimensions.length ? typed(one.dimensions[row]) : '0,0'));
    const density = one.density === undefined ? core.gradeFromText(one.grade).densityText : typed(one.density);
    return [one.shape, density, typed(one.pieces), ...dimensions, typed(one.price),
      options[0] ? 'PerKilogram' : 'PerMetre'].join('\t');
  });
  const oracle = execFileSync(path.join(build, 'native', 'estimate-oracle'), { input: `${lines.join('\n')}\n` });
  const expected = oracle.toString('utf8').trim().split('\n').map((line) => JSON.parse(line));

  expected.forEach((want, index) => {
    const { warnings, shown } = shownOnPage[index];
    const row = `estimate ${index}: ${lines[index].replaceAll('\t', ' | ')}`;
    if (want.status !== 'Ok') {
      assert.equal(warnings.length, 1, row);
      assert.deepEqual(shown.shown.filter((id) => id.startsWith('Frame')), [], row);
      assert.equal(shown.focus, faultyFields[want.faultyField], row);
      return;
    }
    assert.equal(warnings.length, want.gradeMissing ? 1 : 0, row);
    if (want.piecesReset) assert.equal(shown.texts.Text5, '1', row);
    assert.equal(shown.shown.includes('Frame5'), want.pricePanelShown, row);
    const line = (field, visible) => (visible ? want[field] : null);
    assert.deepEqual(shown.lines, {
      Label19: want.weightPieceLine,
      Label20: line('weightAllLine', want.allPiecesShown),
      Label21: line('weightMetreLine', want.metreWeightShown),
      Label22: want.costPieceLine,
      Label23: line('costAllLine', want.allPiecesShown),
      Label24: line('costMetreLine', want.metreCostShown),
    }, row);
  });
});
