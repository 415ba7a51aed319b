// The warnings of CALCULATE: each title and prompt, how the box closes, and where the focus goes,
// with a key typed straight after closing.

import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { closeWarnings, enterTyped, snapshot } from './calculator.mjs';
import { startHarness } from './harness.mjs';

let harness;
before(async () => (harness = await startHarness()));
after(() => harness?.stop());

// The first key after the box closes lands in the field the box sends the user to.
const closeAndType = (key) => (page) => Promise.all([page.keyboard.press(key), page.keyboard.type('7')]);
const closers = {
  Enter: closeAndType('Enter'),
  Escape: closeAndType('Escape'),
  OK: (page) => page.click('dialog[open] button'),
  'Enter, the focus off the button': (page) => page.click('dialog[open] p').then(() => closeAndType('Enter')(page)),
};

// What is typed ("\b" empties a field), the warnings, where the focus goes, how each is closed.
const rows = [
  ['first press: grade, then shape', '||||', 'Grade not set: Choose grade|Shape not set: Choose shape', 'Combo1', 'Enter'],
  ['empty dimension', 'Carbon steel|Round bar|\b|', 'Not a number: Type a number in "Diameter"', 'Text2', 'Escape'],
  ['empty pieces', 'Carbon steel|Plate|1 2 3|\b|', 'Not a number: Type a whole number in "pcs"', 'Text5', 'OK'],
  ['Disc thickness named whole', 'Carbon steel|Disc|300 ,||', 'Not a number: Type a number in "Thickness"', 'Text3', 'Enter'],
  ['flat bar of length zero', 'Titanium|Flat bar|50 0 10||', 'Length not set: "Lenght" must not be zero', 'Text3', 'Enter'],
  ['hole wider than the pipe', 'Carbon steel|Pipe dia.|50 60 1||', 'Section not possible: "Int. diameter" > "Ext. diameter"', 'Text3', 'Escape'],
  ['wall thicker than half the pipe', 'Carbon steel|Pipe thk.|50 30 1||', 'Section not possible: 2 × "Thickness" > "Ext. diameter"', 'Text3', 'Enter'],
  ['figures too large', 'Other 99999|Plate|999999999 999999999 999999999|99999999|99999999', 'Value too large: Make "pcs" smaller', 'Text5', 'Enter'],
  ['empty density of Other', 'Other \b|Disc|1 1||', 'Not a number: Type a number in "density"', 'Text1', 'Escape'],
  ['lone comma as density of Other', 'Other ,|Disc|1 1||', 'Not a number: Type a number in "density"', 'Text1', 'OK'],
  ['Enter with the focus off the button', 'Carbon steel|Ring|1 2 1||', 'Section not possible: "Int. diameter" > "Ext. diameter"', 'Text3', 'Enter, the focus off the button'],
];

test('warnings of CALCULATE', async (t) => {
  for (const [name, typed, warnings, focus, close] of rows) {
    await t.test(name, async (t) => {
      const page = await harness.openPage(t);
      await enterTyped(page, typed);
      await page.click('#Command1');
      const seen = await closeWarnings(page, async (page) => {
        assert.ok(await page.$('dialog:modal'), 'the warning is modal');
        await closers[close](page);
      });
      assert.deepEqual(seen, warnings.split('|').map((warning) => `alertdialog: ${warning}`));
      const shown = await snapshot(page);
      assert.equal(shown.focus, focus);
      if (focus === 'Combo1') return;
      assert.deepEqual(shown.panels, []);
      // Closed by a click, the faulty text is selected; closed by a key, the next key replaced it.
      if (close === 'OK') assert.deepEqual(shown.selection, [0, shown.texts[focus].length]);
      else assert.equal(shown.texts[focus], '7');
    });
  }
});
