// The fields as a user fills them: the key rule on typed, pasted, dropped and composed text,
// what each edit hides of the results on screen, and the selection on entering a field.

import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { chooseGrade, chooseShape, enterEstimate, estimateRoundBar, keys, snapshot, typeInto } from './calculator.mjs';
import { startHarness } from './harness.mjs';

let harness;
before(async () => {
  harness = await startHarness();
  const origin = new URL(harness.server.url).origin;
  await harness.browser.defaultBrowserContext().overridePermissions(origin, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
});
after(() => harness?.stop());

const paste = (text) => (page) => page.evaluate((text) => navigator.clipboard.writeText(text), text).then(() => keys('Control+KeyV')(page));
// A drag from another program, dropped at the start of the field: a copy, which leaves its source
// whole.
const drop = (id, text) => async (page) => {
  const box = await (await page.$(`#${id}`)).boundingBox();
  const cdp = await page.createCDPSession();
  const data = { items: [{ mimeType: 'text/plain', data: text }], dragOperationsMask: 1 | 16 };
  await page.evaluate(() => window.addEventListener('dragover', (event) => (window.dropEffect = event.dataTransfer.dropEffect)));
  for (const type of ['dragEnter', 'dragOver', 'drop']) await cdp.send('Input.dispatchDragEvent', { type, x: box.x + 2, y: box.y + 5, data });
  assert.equal(await page.evaluate(() => window.dropEffect), 'copy');
};
// An input method composing the text one character at a time, then committing it.
const compose = (text) => async (page) => {
  const cdp = await page.createCDPSession();
  for (let end = 1; end <= text.length; end += 1) await cdp.send('Input.imeSetComposition', { text: text.slice(0, end), selectionStart: end, selectionEnd: end });
  await cdp.send('Input.insertText', { text });
};
const undoAfterCalculate = (page) => page.click('#Command1').then(() => page.click('#Text6')).then(() => keys('Control+KeyZ')(page));

// From the round bar's results on screen (Text2 100, Text3 1000, Text5 4, Text6 2,50): enter the
// field by Tab, type, then do the rest; the field's text and the panels left on screen.
const rows = [
  ['full stop in a dimension types a comma', 'Text2', '12.5', null, '12,5', ''],
  ['full stop in the price types a comma, the weights stay', 'Text6', '3.5', null, '3,5', 'Frame4'],
  ['pieces take digits only', 'Text5', '1.2,3x', null, '123', ''],
  ['a letter in the price types nothing, hides the price', 'Text6', 'x', null, '2,50', 'Frame4'],
  ['blank, minus and plus type nothing, hide both', 'Text3', ' -+', null, '1000', ''],
  ['a key in the read-only density hides both', 'Text1', '5', null, '7,85', ''],
  ['dimensions stop at nine characters', 'Text2', '1234567890123', null, '123456789', ''],
  ['the price stops at eight characters', 'Text6', '1234567890', null, '12345678', 'Frame4'],
  ['Enter types nothing, hides both', 'Text2', '', keys('Enter'), '100', ''],
  ['Escape in the price hides the price', 'Text6', '', keys('Escape'), '2,50', 'Frame4'],
  ['Delete in a dimension hides both', 'Text3', '', keys('Delete'), '', ''],
  ['Delete in the price hides the price', 'Text6', '', keys('Delete'), '', 'Frame4'],
  ['Cut hides both', 'Text5', '', keys('Control+KeyX'), '', ''],
  ['Copy hides both, as its key reaches the rule', 'Text2', '', keys('Control+KeyC'), '100', ''],
  ['paste goes through the rule', 'Text2', '', paste('1a2.5'), '12,5', ''],
  ['paste into the pieces keeps digits', 'Text5', '', paste('1.5 pcs'), '15', ''],
  ['paste stops at the maximum length', 'Text6', '', paste('12.345.678'), '12,345,6', 'Frame4'],
  ['drop lands where the pointer is, as a copy, through the rule', 'Text3', '', drop('Text3', '7.x5'), '7,51000', ''],
  ['composed text goes through the rule', 'Text6', '', compose('4.q'), '4,', 'Frame4'],
  ['undo of a price hides the price', 'Text6', '9', undoAfterCalculate, '2,50', 'Frame4'],
  ['a price option hides the price', 'Text6', '', (page) => page.click('#Option2'), '2,50', 'Frame4'],
  ['the selected price option hides the price too', 'Text6', '', (page) => page.click('#Option1'), '2,50', 'Frame4'],
  ['choosing a grade hides both', 'Text6', '', (page) => chooseGrade(page, 'Carbon steel'), '2,50', ''],
  ['choosing a shape hides both and resets the dimensions', 'Text2', '', (page) => chooseShape(page, 'Round bar'), '0,0', ''],
];

test('every way text enters a field, and what it hides', async (t) => {
  const page = await harness.openPage(t);
  for (const [name, field, typed, then, text, panels] of rows) {
    await t.test(name, async () => {
      await estimateRoundBar(page);
      assert.deepEqual((await snapshot(page)).panels, ['Frame4', 'Frame5']);
      await typeInto(page, field, typed);
      await then?.(page);
      const shown = await snapshot(page);
      assert.deepEqual([shown.texts[field], shown.panels.join()], [text, panels]);
    });
  }
});

test('keys sent in a burst after Tab all land, CALCULATE included', async (t) => {
  const page = await harness.openPage(t);
  await enterEstimate(page, { grade: 'Carbon steel', shape: 'Round bar' });
  await page.focus('#Combo2');
  const keys = ['Tab', '2', '5', '.', '4', 'Tab', '3', '0', '0', 'Tab', '6', 'Tab', '1', '.', '1', 'Tab', 'Enter'];
  await Promise.all(keys.map((key) => page.keyboard.press(key)));
  const shown = await snapshot(page);
  const texts = ['Text2', 'Text3', 'Text5', 'Text6'].map((id) => shown.texts[id]);
  assert.deepEqual([...texts, shown.lines[1]], ['25,4', '300', '6', '1,1', '6 pcs: 7,14 Kg']);
});

// Where the selection is after entering a field, with Text3 reading "1000".
const entries = [
  ['a click selects the whole text', 'Text3', [0, 4], (page, box) => page.mouse.click(box.x + 5, box.y + 5)],
  ['a drag selects what it passes over', 'Text3', [0, 2], async (page, box) => {
    await page.mouse.move(box.x + 2, box.y + 5);
    await page.mouse.down();
    await page.mouse.move(box.x + 18, box.y + 5, { steps: 4 }).then(() => page.mouse.up());
  }],
  ['a click in the density of Other leaves the caret', 'Text1', [0, 0], (page, box) => page.mouse.click(box.x + 2, box.y + 5)],
  ['Tab into the density selects nothing', 'Text1', [0, 0], (page) => page.focus('#Command1').then(() => keys('Tab')(page))],
  ['coming back from another tab is not entering', 'Text3', [1, 1], async (page) => {
    await page.$eval('#Text3', (field) => {
      field.focus();
      field.setSelectionRange(1, 1);
    });
    const other = await page.browser().newPage();
    await other.bringToFront();
    await page.waitForFunction(() => !document.hasFocus());
    await other.close();
    await page.bringToFront();
    await page.waitForFunction(() => document.hasFocus());
  }],
];

test('entering a field', async (t) => {
  const page = await harness.openPage(t);
  await enterEstimate(page, { grade: 'Other', shape: 'Flat bar', dimensions: ['0', '1000'] });
  for (const [name, field, selection, enter] of entries) {
    await t.test(name, async () => {
      await page.focus('#Combo1');
      await enter(page, await (await page.$(`#${field}`)).boundingBox());
      const shown = await snapshot(page);
      assert.deepEqual([shown.focus, shown.selection], [field, selection]);
    });
  }
});
