// The two lists and the link: choosing a grade by keyboard, mouse and wheel, typed text that
// chooses nothing, each shape's rows and options, and the maker's site in a new tab.

import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { loadCore } from '../src/core.js';
import { chooseShape, keys, snapshot } from './calculator.mjs';
import { repoRoot, startHarness } from './harness.mjs';

let harness;
before(async () => (harness = await startHarness()));
after(() => harness?.stop());

const wheel = (focus, over) => async (page) => {
  await page.focus(focus);
  await page.hover(over);
  await page.mouse.wheel({ deltaY: 100 });
};

// From a fresh page, the focus in the grade box: what the box and the density field read after.
const gradeRows = [
  ['Alt+Down opens, Down twice and Enter choose', keys('Alt+ArrowDown', 'ArrowDown', 'ArrowDown', 'Enter'), 'UNS S32760-F55-Superduplex', '7,81'],
  ['F4 opens, End and Enter choose Other', keys('F4', 'End', 'Enter'), 'Other', '0,00 editable'],
  ['letters in the open list seek', keys('F4', 'T', 'T', 'Enter'), 'Titanium', '4,51'],
  ['Escape closes without choosing', keys('F4', 'ArrowDown', 'Escape'), 'choose grade', '0,0 editable'],
  ['a press in the text closes without choosing', (page) => keys('F4', 'ArrowDown')(page).then(() => page.click('#Combo1')), 'choose grade', '0,0 editable'],
  ['Down on the closed box chooses the first', keys('ArrowDown'), 'UNS S31803-F51-Duplex', '7,81'],
  ['a typed name with Enter chooses nothing', keys('Control+KeyA', 'O', 't', 'h', 'e', 'r', 'Enter'), 'Other', '0,0 editable'],
  ['the wheel on the focused box chooses', wheel('#Combo1', '#Combo1'), 'UNS S31803-F51-Duplex', '7,81'],
  ['the wheel elsewhere chooses nothing', wheel('#Text6', '#Combo1'), 'choose grade', '0,0 editable'],
];

test('choosing a grade', async (t) => {
  for (const [name, act, grade, density] of gradeRows) {
    await t.test(name, async (t) => {
      const page = await harness.openPage(t);
      await act(page);
      const shown = await snapshot(page);
      const closed = await page.$eval('#Combo1List', (list) => list.hidden);
      assert.deepEqual([shown.texts.Combo1, shown.texts.Text1 + (shown.densityReadOnly ? '' : ' editable'), closed], [grade, density, true]);
    });
  }
});

test('the wheel changes the shape list only while it has the focus', async (t) => {
  const page = await harness.openPage(t);
  for (const [focus, shape] of [['#Text5', ''], ['#Combo2', 'Plate'], ['#Combo2', 'Round bar'], ['#Text6', 'Round bar']]) {
    await wheel(focus, '#Combo2')(page);
    assert.equal((await snapshot(page)).shape, shape, focus);
  }
});

test('each shape sets its rows and price options, whatever was chosen before', async (t) => {
  const core = await loadCore(readFileSync(path.join(repoRoot, 'build-web', 'core', 'kalvora-core.wasm')));
  const page = await harness.openPage(t);
  for (const shape of [...core.shapes, ...[...core.shapes].reverse()]) {
    await page.click(shape.perMetreEnabled ? '#Option1' : '#Option2');
    await chooseShape(page, shape.name);
    const rows = await page.evaluate(() => [['Label5', 'Text2'], ['Label9', 'Text3'], ['Label10', 'Text4']].map((ids) => ids.map((id) => document.getElementById(id)))
      .map(([caption, field]) => ({ caption: caption.textContent, visible: !caption.hidden && !field.hidden })));
    assert.deepEqual(rows, shape.rows, shape.name);
    const { options } = await snapshot(page);
    assert.deepEqual(options, [shape.selectedBasis === 'PerKilogram', shape.selectedBasis === 'PerMetre', !shape.perMetreEnabled], shape.name);
  }
});

test("the link opens the maker's site in a new tab, twice, and changes nothing", async (t) => {
  const host = readFileSync(path.join(repoRoot, 'ui', 'branding.h'), 'utf8').match(/kWebHost\[\] = "([^"]+)"/)[1];
  const page = await harness.openPage(t);
  await page.evaluate(() => (window.open = (...call) => (window.opened ??= []).push(call) && null));
  const before = await snapshot(page);
  await page.click('#Label8');
  await page.click('#Label8');
  assert.deepEqual(await page.evaluate(() => window.opened), Array(2).fill([`http://${host}/`, '_blank', 'noopener']));
  assert.deepEqual([await snapshot(page), page.url()], [before, harness.server.url]);
});
