// The warnings of CALCULATE: each title and prompt, how the box closes, and where the focus goes,
// with the keys typed straight after closing.

import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { chooseGrade, chooseShape, ctrl, openWarning, snapshot, typeInto } from './calculator.mjs';
import { startHarness } from './harness.mjs';

let harness;
before(async () => {
  harness = await startHarness();
});
after(() => harness?.stop());

const dimensionFields = ['Text2', 'Text3', 'Text4'];

// A grade, a shape and texts typed into the fields; `close` is how the user ends each warning.
const rows = [
  { name: 'first press: grade, then shape', warnings: [['Grade not set', 'Choose grade'],
    ['Shape not set', 'Choose shape']], focus: 'Combo1', close: 'Enter' },
  { name: 'empty dimension', grade: 'Carbon steel', shape: 'Round bar', dimensions: ['\b'],
    warnings: [['Not a number', 'Type a number in "Diameter"']], focus: 'Text2', close: 'Escape' },
  { name: 'empty pieces', grade: 'Carbon steel', shape: 'Plate', dimensions: ['1', '2', '3'], pieces: '\b',
    warnings: [['Not a number', 'Type a whole number in "pcs"']], focus: 'Text5', close: 'OK' },
  { name: 'Disc thickness named whole', grade: 'Carbon steel', shape: 'Disc', dimensions: ['300', ','],
    warnings: [['Not a number', 'Type a number in "Thickness"']], focus: 'Text3', close: 'Enter' },
  { name: 'flat bar of length zero', grade: 'Titanium', shape: 'Flat bar', dimensions: ['50', '0', '10'],
    warnings: [['Length not set', '"Lenght" must not be zero']], focus: 'Text3', close: 'Enter' },
  { name: 'hole wider than the pipe', grade: 'Carbon steel', shape: 'Pipe dia.', dimensions: ['50', '60', '1'],
    warnings: [['Section not possible', '"Int. diameter" > "Ext. diameter"']], focus: 'Text3', close: 'Escape' },
  { name: 'wall thicker than half the pipe', grade: 'Carbon steel', shape: 'Pipe thk.',
    dimensions: ['50', '30', '1'], warnings: [['Section not possible', '2 × "Thickness" > "Ext. diameter"']],
    focus: 'Text3', close: 'Enter' },
  { name: 'figures too large', grade: 'Other', density: '99999', shape: 'Plate',
    dimensions: ['999999999', '999999999', '999999999'], pieces: '99999999', price: '99999999',
    warnings: [['Value too large', 'Make "pcs" smaller']], focus: 'Text5', close: 'Enter' },
  { name: 'empty density of Other', grade: 'Other', density: '\b', shape: 'Disc', dimensions: ['1', '1'],
    warnings: [['Not a number', 'Type a number in "density"']], focus: 'Text1', close: 'Escape' },
  { name: 'lone comma as density of Other', grade: 'Other', density: ',', shape: 'Disc', dimensions: ['1', '1'],
    warnings: [['Not a number', 'Type a number in "density"']], focus: 'Text1', close: 'OK' },
  { name: 'Enter after a click on the prompt', grade: 'Carbon steel', shape: 'Ring', dimensions: ['1', '2', '1'],
    warnings: [['Section not possible', '"Int. diameter" > "Ext. diameter"']], focus: 'Text3', close: 'prompt' },
];

// The first key after the box closes lands in the field the box sends the user to.
const closeAndType = (key) => (page) => Promise.all([page.keyboard.press(key), page.keyboard.type('7')]);
const closers = {
  Enter: closeAndType('Enter'),
  Escape: closeAndType('Escape'),
  OK: (page) => page.click('dialog[open] button'),
  // With the focus off the button.
  prompt: async (page) => {
    await page.click('dialog[open] p');
    await closeAndType('Enter')(page);
  },
};

async function enter(page, id, text) {
  if (text === '\b') {
    await typeInto(page, id, '');
    await page.keyboard.press('Backspace');
  } else {
    await typeInto(page, id, text);
  }
}

test('warnings of CALCULATE', async (t) => {
  for (const row of rows) {
    await t.test(row.name, async (t) => {
      const page = await harness.openPage(t);
      if (row.grade) await chooseGrade(page, row.grade);
      if (row.density) {
        await page.click('#Text1');
        await ctrl(page, 'KeyA');
        await enter(page, 'Text1', row.density);
      }
      if (row.shape) await chooseShape(page, row.shape);
      for (const [index, text] of (row.dimensions ?? []).entries()) await enter(page, dimensionFields[index], text);
      if (row.pieces) await enter(page, 'Text5', row.pieces);
      if (row.price) await enter(page, 'Text6', row.price);
      await page.click('#Command1');
      const seen = [];
      for (let warning = await openWarning(page); warning && seen.length < 3; warning = await openWarning(page)) {
        assert.equal(warning.role, 'alertdialog');
        assert.ok(await page.$('dialog:modal'), 'the warning is modal');
        seen.push([warning.title, warning.prompt]);
        await closers[row.close](page);
      }
      assert.deepEqual(seen, row.warnings);
      const shown = await snapshot(page);
      assert.equal(shown.focus, row.focus);
      if (row.focus === 'Combo1') return;
      assert.deepEqual(shown.shown.filter((id) => id.startsWith('Frame')), []);
      if (row.close === 'OK') {
        const text = shown.texts[row.focus];
        assert.deepEqual(shown.selection, [0, text.length], 'the faulty text is selected');
      } else {
        assert.equal(shown.texts[row.focus], '7');
      }
    });
  }
});
