// The fields as a user fills them: the key rule on typed, pasted, dropped and composed text,
// what each edit hides of the results on screen, and the selection on entering a field.

import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { chooseGrade, chooseShape, ctrl, showRoundBar, shownPanels, snapshot, typeInto } from './calculator.mjs';
import { startHarness } from './harness.mjs';

let harness;
before(async () => {
  harness = await startHarness();
  const context = harness.browser.defaultBrowserContext();
  await context.overridePermissions(harness.server.origin, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
});
after(() => harness?.stop());

const press = (...keys) => async (page) => {
  for (const key of keys) await page.keyboard.press(key);
};

// Text as the clipboard, a drag from another program and an input method bring it.
const paste = (text) => async (page) => {
  await page.evaluate((text) => navigator.clipboard.writeText(text), text);
  await ctrl(page, 'KeyV');
};
async function drop(page, id, text) {
  const box = await (await page.$(`#${id}`)).boundingBox();
  const cdp = await page.createCDPSession();
  const data = { items: [{ mimeType: 'text/plain', data: text }], dragOperationsMask: 1 | 16 };
  for (const type of ['dragEnter', 'dragOver', 'drop']) {
    await cdp.send('Input.dispatchDragEvent', { type, x: box.x + 2, y: box.y + box.height / 2, data });
  }
}
const compose = (text) => async (page) => {
  const cdp = await page.createCDPSession();
  for (let end = 1; end <= text.length; end += 1) {
    await cdp.send('Input.imeSetComposition', { text: text.slice(0, end), selectionStart: end, selectionEnd: end });
  }
  await cdp.send('Input.insertText', { text });
};

// Each row starts from the round bar's results on screen (Text2 100, Text3 1000, Text5 4,
// Text6 2,50) and enters `field` by Tab, then does what the row says.
const rows = [
  { name: 'full stop in a dimension types a comma', field: 'Text2', type: '12.5', text: '12,5', panels: [] },
  { name: 'full stop in the price types a comma, weights stay', field: 'Text6', type: '3.5', text: '3,5',
    panels: ['Frame4'] },
  { name: 'pieces take digits only', field: 'Text5', type: '1.2,3x', text: '123', panels: [] },
  { name: 'a letter in the price types nothing, hides the price', field: 'Text6', type: 'x', text: '2,50',
    panels: ['Frame4'] },
  { name: 'blank, minus and plus type nothing, hide both', field: 'Text3', type: ' -+', text: '1000', panels: [] },
  { name: 'a key in the read-only density hides both', field: 'Text1', type: '5', text: '7,85', panels: [] },
  { name: 'dimensions stop at nine characters', field: 'Text2', type: '1234567890123', text: '123456789',
    panels: [] },
  { name: 'the price stops at eight characters', field: 'Text6', type: '1234567890', text: '12345678',
    panels: ['Frame4'] },
  { name: 'Enter types nothing, hides both', field: 'Text2', then: press('Enter'), text: '100', panels: [] },
  { name: 'Escape in the price hides the price', field: 'Text6', then: press('Escape'), text: '2,50',
    panels: ['Frame4'] },
  { name: 'Delete in a dimension hides both', field: 'Text3', then: press('Delete'), text: '', panels: [] },
  { name: 'Delete in the price hides the price', field: 'Text6', then: press('Delete'), text: '',
    panels: ['Frame4'] },
  { name: 'Cut hides both', field: 'Text5', then: (page) => ctrl(page, 'KeyX'), text: '', panels: [] },
  { name: 'Copy hides both, as its key reaches the rule', field: 'Text2', then: (page) => ctrl(page, 'KeyC'),
    text: '100', panels: [] },
  { name: 'paste goes through the rule', field: 'Text2', then: paste('1a2.5'), text: '12,5', panels: [] },
  { name: 'paste into the pieces keeps digits', field: 'Text5', then: paste('1.5 pcs'), text: '15', panels: [] },
  { name: 'paste stops at the maximum length', field: 'Text6', then: paste('12.345.678'), text: '12,345,6',
    panels: ['Frame4'] },
  { name: 'drop lands where the pointer is, through the rule', field: 'Text3',
    then: (page) => drop(page, 'Text3', '7.x5'), text: '7,51000', panels: [] },
  { name: 'composed text goes through the rule', field: 'Text6', then: compose('4.q'), text: '4,',
    panels: ['Frame4'] },
  { name: 'undo of a price hides the price', field: 'Text6', type: '9',
    then: async (page) => {
      await page.click('#Command1');
      await page.click('#Text6');
      await ctrl(page, 'KeyZ');
    }, text: '2,50', panels: ['Frame4'] },
  { name: 'a price option hides the price', field: 'Text6', then: (page) => page.click('#Option2'),
    text: '2,50', panels: ['Frame4'] },
  { name: 'the selected price option hides the price too', field: 'Text6',
    then: (page) => page.click('#Option1'), text: '2,50', panels: ['Frame4'] },
  { name: 'choosing a grade hides both', field: 'Text6', then: (page) => chooseGrade(page, 'Carbon steel'),
    text: '2,50', panels: [] },
  { name: 'choosing a shape hides both and resets the dimensions', field: 'Text2',
    then: (page) => chooseShape(page, 'Round bar'), text: '0,0', panels: [] },
];

test('every way text enters a field, and what it hides', async (t) => {
  const page = await harness.openPage(t);
  for (const row of rows) {
    await t.test(row.name, async () => {
      await showRoundBar(page);
      assert.deepEqual(await shownPanels(page), ['Frame4', 'Frame5']);
      await typeInto(page, row.field, row.type ?? '');
      await row.then?.(page);
      assert.equal((await snapshot(page)).texts[row.field], row.text);
      assert.deepEqual(await shownPanels(page), row.panels);
    });
  }
});

test('a drop from elsewhere is a copy and leaves its source whole', async (t) => {
  const page = await harness.openPage(t);
  await page.evaluate(() => {
    window.dropEffects = [];
    window.addEventListener('dragover', (event) => window.dropEffects.push(event.dataTransfer.dropEffect));
  });
  await chooseShape(page, 'Plate');
  await drop(page, 'Text2', '5');
  assert.deepEqual(await page.evaluate(() => [...new Set(window.dropEffects)]), ['copy']);
  assert.equal((await snapshot(page)).texts.Text2, '50,0');
});

test('keys sent in a burst after Tab all land, CALCULATE included', async (t) => {
  const page = await harness.openPage(t);
  await chooseGrade(page, 'Carbon steel');
  await chooseShape(page, 'Round bar');
  await page.focus('#Combo2');
  const keys = ['Tab', '2', '5', '.', '4', 'Tab', '3', '0', '0', 'Tab', '6', 'Tab', '1', '.', '1', 'Tab', 'Enter'];
  await Promise.all(keys.map((key) => page.keyboard.press(key)));
  const shown = await snapshot(page);
  assert.deepEqual([shown.texts.Text2, shown.texts.Text3, shown.texts.Text5, shown.texts.Text6],
    ['25,4', '300', '6', '1,1']);
  assert.equal(shown.lines.Label20, '6 pcs: 7,14 Kg');
});

// Where the selection is after entering a field.
const entries = [
  { name: 'a click selects the whole text', field: 'Text3', selection: [0, 4],
    enter: (page, box) => page.mouse.click(box.x + 5, box.y + 5) },
  { name: 'a drag selects what it passes over', field: 'Text3', selection: [0, 2],
    enter: async (page, box) => {
      await page.mouse.move(box.x + 2, box.y + 5);
      await page.mouse.down();
      await page.mouse.move(box.x + 18, box.y + 5, { steps: 4 });
      await page.mouse.up();
    } },
  { name: 'a click in the density of Other leaves the caret', field: 'Text1', selection: [0, 0],
    enter: (page, box) => page.mouse.click(box.x + 2, box.y + 5) },
  { name: 'Tab into the density selects nothing', field: 'Text1', selection: [0, 0],
    enter: async (page) => {
      await page.focus('#Command1');
      await page.keyboard.press('Tab');
    } },
];

test('entering a field', async (t) => {
  const page = await harness.openPage(t);
  await chooseGrade(page, 'Other');
  await chooseShape(page, 'Flat bar');
  await typeInto(page, 'Text3', '1000');
  for (const row of entries) {
    await t.test(row.name, async () => {
      await page.focus('#Combo1');
      await row.enter(page, await (await page.$(`#${row.field}`)).boundingBox());
      const shown = await snapshot(page);
      assert.deepEqual([shown.focus, shown.selection], [row.field, row.selection]);
    });
  }
});
