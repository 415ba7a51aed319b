// Estimates typed through the page: the worked examples, and random ones compared figure for
// figure with the desktop's native core (build-web/native/core-compare).

import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { loadCore } from '../src/core.js';
import { closeWarnings, enterEstimate, enterTyped, snapshot } from './calculator.mjs';
import { repoRoot, startHarness } from './harness.mjs';

const build = path.join(repoRoot, 'build-web');
let harness;
before(async () => (harness = await startHarness()));
after(() => harness?.stop());

// As typed (see enterTyped); the lines shown, "-" for a hidden one.
const examples = [
  ['round bar of the screenshot', 'Carbon steel|Round bar|100 1000|4|2.50|kg', '1 pc: 61,66 Kg|4 pcs: 246,64 Kg|1 meter: 61,66 Kg|1 pc: 154,15 €|4 pcs: 616,6 €|1 meter 154,15 €'],
  ['round bar, one piece', 'Carbon steel|Round bar|100 1000|1|2,5|kg', '1 pc: 61,66 Kg|-|1 meter: 61,66 Kg|1 pc: 154,15 €|-|1 meter 154,15 €'],
  ['round bar per metre', 'Carbon steel|Round bar|100 1000|4|20,00|m', '1 pc: 61,66 Kg|4 pcs: 246,64 Kg|1 meter: 61,66 Kg|1 pc: 20 €|4 pcs: 80 €|-'],
  ['plate', 'Carbon steel|Plate|1000 500 10|3|1,20|kg', '1 pc: 39,25 Kg|3 pcs: 117,75 Kg|-|1 pc: 47,1 €|3 pcs: 141,3 €|-'],
  ['flat bar with a cost on a tie', 'Carbon steel|Flat bar|50 6000 10|2|2,5|kg', '1 pc: 23,55 Kg|2 pcs: 47,1 Kg|1 meter: 3,92 Kg|1 pc: 58,88 €|2 pcs: 117,76 €|1 meter 9,81 €'],
  ['pipe by thickness', 'Carbon steel|Pipe thk.|60.3 3,91 6000|1|1,80|kg', '1 pc: 32,63 Kg|-|1 meter: 5,44 Kg|1 pc: 58,73 €|-|1 meter 9,79 €'],
  ['pipe by diameters', 'Carbon steel|Pipe dia.|60,3 52.48 6000|1|1.8|kg', '1 pc: 32,63 Kg|-|1 meter: 5,44 Kg|1 pc: 58,73 €|-|1 meter 9,79 €'],
  ['disc', 'Carbon steel|Disc|300 25|10|3,00|kg', '1 pc: 13,87 Kg|10 pcs: 138,7 Kg|-|1 pc: 41,61 €|10 pcs: 416,1 €|-'],
  ['ring of a density typed for Other', 'Other 2.70|Ring|200 100 20|1|6|kg', '1 pc: 1,27 Kg|-|-|1 pc: 7,62 €|-|-'],
  ['large figures in exponent form', 'Tantalum|Plate|3000 1500 100|100|250|kg', '1 pc: 7515 Kg|100 pcs: 751500 Kg|-|1 pc: 1878750 €|100 pcs: 1,87875E+08 €|-'],
];

test('worked examples', async (t) => {
  const page = await harness.openPage(t);
  for (const [name, typed, lines] of examples) {
    await t.test(name, async () => {
      await enterTyped(page, typed);
      await page.click('#Command1');
      const [warnings, shown] = [await closeWarnings(page), await snapshot(page)];
      assert.deepEqual([warnings, shown.lines.map((line) => line ?? '-').join('|'), shown.focus], [[], lines, 'Combo1']);
    });
  }
});

// A fixed sequence of random numbers (mulberry32), so that a failure can be typed again.
function random(seed) {
  let state = seed;
  return () => {
    state = (state + 0x6d2b79f5) | 0;
    let mixed = Math.imul(state ^ (state >>> 15), 1 | state);
    mixed ^= mixed + Math.imul(mixed ^ (mixed >>> 7), 61 | mixed);
    return ((mixed ^ (mixed >>> 14)) >>> 0) / 2 ** 32;
  };
}

test('200 random estimates typed through the page agree with the native core', async (t) => {
  const core = await loadCore(readFileSync(path.join(build, 'core', 'kalvora-core.wasm')));
  const next = random(22);
  const pick = (list) => list[Math.floor(next() * list.length)];
  // Mostly numbers, with either decimal key; now and then zero, a lone comma or two commas.
  const number = (maxLength) => {
    if (next() < 0.08) return pick(['0', ',', '1,2,5', '00']);
    const whole = Math.floor(next() ** 3 * 10 ** Math.floor(1 + next() * 4));
    return `${whole}${next() < 0.5 ? '' : pick(['.', ',']) + Math.floor(next() * 1000)}`.slice(0, maxLength);
  };
  const page = await harness.openPage(t);
  const [typed, seen] = [[], []];
  for (let index = 0; index < 200; index += 1) {
    const grade = pick(core.grades);
    const shape = pick(core.shapes);
    const one = { grade: grade.name, density: grade.densityFixed ? undefined : number(5), shape: shape.name,
      dimensions: shape.rows.filter((row) => row.visible).map(() => number(9)),
      pieces: next() < 0.1 ? '0' : String(Math.floor(next() * 300)), price: number(8), basis: pick(['kg', 'm']) };
    await enterEstimate(page, one);
    await page.click('#Command1');
    const [warnings, shown] = [await closeWarnings(page), await snapshot(page)];
    seen.push({ warnings, shown });
    // The texts of the fields, once the key rule has made every full stop a comma.
    const texts = [one.density ?? grade.densityText, one.pieces, ...[0, 1, 2].map((row) => one.dimensions[row] ?? '0,0'), one.price];
    typed.push([one.shape, ...texts.map((text) => text.replaceAll('.', ',')), shown.options[0] ? 'PerKilogram' : 'PerMetre'].join('\t'));
  }
  const faultyFields = ['Density', 'Dimension1', 'Dimension2', 'Dimension3', 'Pieces', 'Price']; // Text1 to Text6
  const native = execFileSync(path.join(build, 'native', 'core-compare'), ['-'], { input: `${typed.join('\n')}\n` });
  native.toString('utf8').trim().split('\n').forEach((line, index) => {
    const want = JSON.parse(line);
    const { warnings, shown } = seen[index];
    const row = `estimate ${index}: ${typed[index].replaceAll('\t', ' | ')}`;
    if (want.status !== 'Ok') {
      assert.deepEqual([warnings.length, shown.panels, shown.focus], [1, [], `Text${faultyFields.indexOf(want.faultyField) + 1}`], row);
      return;
    }
    const all = want.allPiecesShown;
    const pieces = want.piecesReset ? '1' : typed[index].split('\t')[2];
    assert.deepEqual({ warnings: warnings.length, price: shown.panels.includes('Frame5'), pieces: shown.texts.Text5, lines: shown.lines },
      { warnings: want.gradeMissing ? 1 : 0, price: want.pricePanelShown, pieces, lines: [want.weightPieceLine,
        all ? want.weightAllLine : null, want.metreWeightShown ? want.weightMetreLine : null, want.costPieceLine,
        all ? want.costAllLine : null, want.metreCostShown ? want.costMetreLine : null] }, row);
  });
});
