// The page against the desktop's form: every control of ui/form1.ui where the form puts it, with
// its caption, font, colour, visibility, length limit, accessible name and tab order; and the
// state the load handler leaves. The form is read here afresh, so these check the generator and
// the stylesheet, not a copy of either.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import { startHarness, repoRoot } from './harness.mjs';

let harness, formXml;
before(async () => ([formXml, harness] = await Promise.all([readFile(path.join(repoRoot, 'ui', 'form1.ui'), 'utf8'), startHarness()])));
after(() => harness.stop());

// Every control of the form as the page draws it, beside what the form says, with every control
// shown: its place in window pixels (the form's are relative to the container), its text, font
// (the form's points at 96 pixels to the inch), colour, visibility at start, length limit and
// option state. What the form leaves unsaid is not compared.
function measure(xml) {
  const form = new DOMParser().parseFromString(xml, 'application/xml');
  const property = (widget, name) => [...widget.children].find((c) => c.tagName === 'property' && c.getAttribute('name') === name);
  const value = (widget, name) => property(widget, name)?.firstElementChild?.textContent;
  const number = (rect, name) => Number(rect.querySelector(name).textContent);
  const window = form.querySelector('ui > widget');
  const origin = document.getElementById('Form1').getBoundingClientRect();
  const hidden = [...document.querySelectorAll('#Form1 [hidden]')];
  hidden.forEach((element) => element.removeAttribute('hidden'));
  const controls = [...window.querySelectorAll('widget')].map((widget) => {
    const rect = property(widget, 'geometry').querySelector('rect');
    const box = [0, 0, number(rect, 'width'), number(rect, 'height')];
    for (let w = widget; w !== window; w = w.parentElement) {
      box[0] += number(property(w, 'geometry').querySelector('rect'), 'x');
      box[1] += number(property(w, 'geometry').querySelector('rect'), 'y');
    }
    const name = widget.getAttribute('name');
    const color = property(widget, 'palette')?.querySelector('active colorrole[role="WindowText"] color');
    const font = property(widget, 'font');
    const said = {
      box,
      text: value(widget, 'text') ?? value(widget, 'currentText') ?? value(widget, 'title'),
      family: value(widget, 'fontFamily'),
      pixels: value(widget, 'fontPointSize') && (Number(value(widget, 'fontPointSize')) * 96) / 72,
      bold: font?.querySelector('bold')?.textContent === 'true',
      underline: font?.querySelector('underline')?.textContent === 'true',
      color: color && `rgb(${['red', 'green', 'blue'].map((c) => color.querySelector(c).textContent).join(', ')})`,
      visible: value(widget, 'visible') !== 'false',
      maxLength: value(widget, 'maxLength'),
      checked: widget.getAttribute('class') === 'QRadioButton' ? value(widget, 'checked') === 'true' : undefined,
    };
    const element = document.getElementById(name);
    if (!element) return { name, kind: widget.getAttribute('class'), form: said };
    const drawn = element.getBoundingClientRect();
    const style = getComputedStyle(element);
    const page = {
      box: [drawn.left - origin.left, drawn.top - origin.top, drawn.width, drawn.height],
      text: element.type === 'radio' ? element.labels[0].textContent
        : element.tagName === 'INPUT' ? element.value : (element.querySelector(':scope > legend') ?? element).textContent,
      family: style.fontFamily.split(',')[0].replaceAll('"', '').trim(),
      pixels: parseFloat(style.fontSize),
      bold: Number(style.fontWeight) >= 700,
      underline: style.textDecorationLine.includes('underline'),
      color: style.color,
      visible: !hidden.includes(element),
      maxLength: element.maxLength > 0 ? String(element.maxLength) : undefined,
      checked: element.checked,
    };
    for (const key of ['text', 'family', 'pixels', 'color', 'checked']) if (said[key] === undefined) page[key] = undefined;
    // A name of the control's own, or else the caption whose buddy it is.
    const accessibleName = value(widget, 'accessibleName') ?? value([...form.querySelectorAll('widget')].find((w) => value(w, 'buddy') === name) ?? widget, 'text');
    return { name, kind: widget.getAttribute('class'), form: said, page, accessibleName };
  });
  hidden.forEach((element) => element.setAttribute('hidden', ''));
  return controls;
}

// Texts that the window writes at start-up in place of the form's, and the picture.
const textsNotFromTheForm = new Set(['Label8', 'Label16', 'Label17', 'Label25', 'Label26', 'Image1', 'Combo2']);

// Each font is drawn by Liberation Sans where Arial and Microsoft Sans Serif are missing.
test('every control of the form stands where the form puts it and looks as it says', async (t) => {
  const page = await harness.openPage(t);
  const cdp = await page.createCDPSession();
  await Promise.all([cdp.send('DOM.enable'), cdp.send('CSS.enable')]);
  const { root } = await cdp.send('DOM.getDocument');
  const controls = await page.evaluate(measure, formXml);
  assert.equal(controls.length, 46, 'the form has 46 controls');
  assert.deepEqual(await page.$eval('#Form1', (form) => [form.offsetWidth, form.offsetHeight]), [442, 488], 'the client area');
  // Shown, so that screen readers see every control.
  await page.evaluate(() => document.querySelectorAll('#Form1 [hidden]').forEach((e) => (e.hidden = false)));
  for (const { name, kind, form, page: drawn, accessibleName } of controls) {
    await t.test(name, async () => {
      assert.ok(drawn, `an element with the id ${name}`);
      const drawsText = Boolean(drawn.text);
      if (textsNotFromTheForm.has(name)) for (const side of [drawn, form]) delete side.text;
      assert.deepEqual(drawn, form);
      if (form.family && drawsText) {
        // A radio button's caption is its label.
        const selector = kind === 'QRadioButton' ? `label[for=${name}]` : `#${name}`;
        const { nodeId } = await cdp.send('DOM.querySelector', { nodeId: root.nodeId, selector });
        const { fonts } = await cdp.send('CSS.getPlatformFontsForNode', { nodeId });
        assert.deepEqual(fonts.map((font) => font.familyName), ['Liberation Sans'], 'drawn by');
      }
      if (/NumberField|QComboBox|QRadioButton|QPushButton/.test(kind)) {
        const node = await page.accessibility.snapshot({ root: await page.$(`#${name}`), interestingOnly: false });
        assert.equal(node.name, accessibleName, 'accessible name');
      }
    });
  }
});

// What the desktop draws beyond the form: the maker's details, from ui/branding.h.
test('the maker details come from the branding', async (t) => {
  const page = await harness.openPage(t);
  const branding = await readFile(path.join(repoRoot, 'ui', 'branding.h'), 'utf8');
  const detail = (name) => new RegExp(`${name}\\[\\] = "([^"]*)"`).exec(branding)[1];
  // innerText as drawn: the two blanks after "ph." must stay two.
  const drawn = await page.evaluate(() => ['Label16', 'Label17', 'Label25', 'Label26', 'Label8'].map((id) => document.getElementById(id).innerText));
  assert.deepEqual(drawn, [detail('kStreet'), detail('kPostcodeTownProvinceCountry'), `ph.  ${detail('kTelephone')}`, `fax. ${detail('kFax')}`, detail('kWebHost')]);
  const logo = await page.$eval('#Image1', (img) => [img.complete, img.naturalWidth, img.alt]);
  assert.deepEqual(logo, [true, 401, detail('kMakerName')], 'the logo, loaded');
});

test('Tab visits the form tab stops in order, skipping hidden fields and the unselected option', async (t) => {
  const page = await harness.openPage(t);
  // A stop that Tab skips, or a control it visits between the stops, leaves the rest unvisited.
  const visited = [];
  for (const [, stop] of formXml.matchAll(/<tabstop>(\w+)<\/tabstop>/g)) {
    if ((await page.evaluate(() => document.activeElement.id)) !== stop) continue;
    visited.push(stop);
    await page.keyboard.press('Tab');
  }
  assert.deepEqual(visited, ['Combo1', 'Combo2', 'Text5', 'Text6', 'Command1', 'Text1', 'Option1']);
});

test('at start the lists are filled, nothing is chosen, the focus is in the grade box', async (t) => {
  const page = await harness.openPage(t);
  // The focus in the grade box is what every page of these tests waits for.
  const state = await page.evaluate(() => [
    document.getElementById('Combo1').value,
    document.querySelectorAll('#Combo1List [role="option"]').length,
    document.getElementById('Combo2').options.length,
    document.getElementById('Combo2').selectedIndex,
    ['Frame4', 'Frame5', 'Text2', 'Text3', 'Text4', 'Label5', 'Label9', 'Label10', 'Text1', 'Combo1'].filter((id) => document.getElementById(id).checkVisibility()),
  ]);
  assert.deepEqual(state, ['choose grade', 16, 7, -1, ['Text1', 'Combo1']]);
});

test('the hand pointer shows over the link only', async (t) => {
  const page = await harness.openPage(t);
  const cursors = await page.evaluate(() => ['Label8', 'Label6', 'Image1', 'Command1'].map((id) => getComputedStyle(document.getElementById(id)).cursor));
  assert.match(cursors[0], /hand-pointer\.png.* 12 1, pointer$/);
  assert.ok(cursors.slice(1).every((cursor) => !cursor.includes('hand-pointer')), cursors.join(' | '));
});

test('on a phone the window fits the width without scrolling sideways, and a tap is a click', async (t) => {
  const page = await harness.openPage(t, { viewport: { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 3 } });
  const [scroll, inner, visual, inputModes] = await page.evaluate(() => [document.documentElement.scrollWidth, window.innerWidth,
    Math.round(window.visualViewport.width), ['Text1', 'Text2', 'Text5', 'Text6'].map((id) => document.getElementById(id).inputMode)]);
  assert.ok(scroll <= inner, `the page is ${scroll} wide in a ${inner} viewport`);
  // The whole window across the screen, and the keyboards for numbers.
  assert.deepEqual([visual, inputModes], [442, ['decimal', 'decimal', 'numeric', 'decimal']]);
  const box = await (await page.$('#Option2')).boundingBox();
  await page.touchscreen.tap(box.x + 6, box.y + box.height / 2);
  assert.equal(await page.$eval('#Option2', (option) => option.checked), true, 'the tapped option is chosen');
});
