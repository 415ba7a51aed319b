// The two lists and the link: choosing a grade by keyboard and mouse, typed text that chooses
// nothing, the wheel only on a focused list, and the maker's site in a new tab.

import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { loadCore } from '../src/core.js';
import { chooseShape, snapshot } from './calculator.mjs';
import { repoRoot, startHarness } from './harness.mjs';

let harness;
before(async () => {
  harness = await startHarness();
});
after(() => harness?.stop());

const keys = (...sequence) => async (page) => {
  for (const key of sequence) {
    const [modifier, name] = key.includes('+') ? key.split('+') : [null, key];
    if (modifier) await page.keyboard.down(modifier);
    await page.keyboard.press(name);
    if (modifier) await page.keyboard.up(modifier);
  }
};
const typeGrade = (text) => async (page) => {
  await page.evaluate(() => document.getElementById('Combo1').select());
  await page.keyboard.type(text);
};

// Each row starts on a fresh page, the focus in the grade box.
const gradeRows = [
  { name: 'Alt+Down opens, Down twice and Enter choose', act: keys('Alt+ArrowDown', 'ArrowDown', 'ArrowDown', 'Enter'),
    grade: 'UNS S32760-F55-Superduplex', density: '7,81', readOnly: true },
  { name: 'F4 opens, End and Enter choose Other', act: keys('F4', 'End', 'Enter'), grade: 'Other', density: '0,00',
    readOnly: false },
  { name: 'letters in the open list seek', act: keys('F4', 'T', 'T', 'Enter'), grade: 'Titanium', density: '4,51',
    readOnly: true },
  { name: 'Escape closes without choosing', act: keys('F4', 'ArrowDown', 'Escape'), grade: 'choose grade',
    density: '0,0', readOnly: false },
  { name: 'Down on the closed box chooses the first', act: keys('ArrowDown'), grade: 'UNS S31803-F51-Duplex',
    density: '7,81', readOnly: true },
  { name: 'a typed name with Enter chooses nothing', act: async (page) => {
    await typeGrade('Other')(page);
    await page.keyboard.press('Enter');
  }, grade: 'Other', density: '0,0', readOnly: false },
  { name: 'the list by mouse', act: async (page) => {
    await page.click('#Combo1Button');
    const options = await page.$$('#Combo1List [role="option"]');
    assert.equal(options.length, 16);
    await options[8].click();
  }, grade: 'Aluminium', density: '2,70', readOnly: true },
  { name: 'the wheel on the focused box chooses', act: async (page) => {
    await page.hover('#Combo1');
    await page.mouse.wheel({ deltaY: 100 });
  }, grade: 'UNS S31803-F51-Duplex', density: '7,81', readOnly: true },
  { name: 'the wheel elsewhere chooses nothing', act: async (page) => {
    await page.focus('#Text6');
    await page.hover('#Combo1');
    await page.mouse.wheel({ deltaY: 100 });
  }, grade: 'choose grade', density: '0,0', readOnly: false },
];

test('choosing a grade', async (t) => {
  for (const row of gradeRows) {
    await t.test(row.name, async (t) => {
      const page = await harness.openPage(t);
      await row.act(page);
      const shown = await snapshot(page);
      assert.deepEqual([shown.texts.Combo1, shown.texts.Text1, shown.densityReadOnly],
        [row.grade, row.density, row.readOnly]);
      assert.equal(await page.$eval('#Combo1List', (list) => list.hidden), true);
    });
  }
});

const shapeRows = [
  { name: 'the wheel over the shape list without the focus', focused: false, shape: '', caption: 'Label5' },
  { name: 'the wheel over the focused shape list', focused: true, shape: 'Round bar', caption: 'Diameter:' },
];

test('the wheel and the shape list', async (t) => {
  for (const row of shapeRows) {
    await t.test(row.name, async (t) => {
      const page = await harness.openPage(t);
      if (row.focused) await page.focus('#Combo2');
      await page.hover('#Combo2');
      await page.mouse.wheel({ deltaY: 100 });
      await page.mouse.wheel({ deltaY: 100 });
      assert.equal((await snapshot(page)).shape, row.shape);
      assert.equal(await page.$eval('#Label5', (label) => label.textContent), row.caption);
    });
  }
});

test('each shape sets its rows and price options, whatever was chosen before', async (t) => {
  const core = await loadCore(readFileSync(path.join(repoRoot, 'build-web', 'core', 'kalvora-core.wasm')));
  const page = await harness.openPage(t);
  const rows = [['Label5', 'Text2'], ['Label9', 'Text3'], ['Label10', 'Text4']];
  for (const shape of [...core.shapes, ...core.shapes.toReversed()]) {
    await page.click(shape.perMetreEnabled ? '#Option1' : '#Option2');
    await chooseShape(page, shape.name);
    const shown = await page.evaluate((rows) => rows.map(([caption, field]) => [
      document.getElementById(caption).textContent,
      !document.getElementById(caption).hidden && !document.getElementById(field).hidden,
    ]), rows);
    assert.deepEqual(shown, shape.rows.map((row) => [row.caption, row.visible]), shape.name);
    assert.deepEqual((await snapshot(page)).options,
      [shape.selectedBasis === 'PerKilogram', shape.selectedBasis === 'PerMetre', !shape.perMetreEnabled], shape.name);
  }
});

test("the link opens the maker's site in a new tab and changes nothing", async (t) => {
  const host = readFileSync(path.join(repoRoot, 'ui', 'branding.h'), 'utf8').match(/kWebHost\[\] = "([^"]+)"/)[1];
  const page = await harness.openPage(t);
  await page.evaluate(() => {
    window.opened = [];
    window.open = (...call) => window.opened.push(call) && null;
  });
  const before = await snapshot(page);
  await page.click('#Label8');
  await page.click('#Label8');
  assert.deepEqual(await page.evaluate(() => window.opened), Array(2).fill([`http://${host}/`, '_blank', 'noopener']));
  assert.deepEqual(await snapshot(page), before);
  assert.equal(page.url(), harness.server.url);
});
