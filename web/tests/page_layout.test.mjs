// The page against the desktop's form: every control of ui/form1.ui where the form puts it, with
// its caption, font, colour, visibility, length limit, accessible name and tab order; and the
// state the load handler leaves. The form is read here afresh, so these check the generator and
// the stylesheet, not a copy of either.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import { startHarness, repoRoot } from './harness.mjs';

let harness;
let formXml;
before(async () => {
  formXml = await readFile(path.join(repoRoot, 'ui', 'form1.ui'), 'utf8');
  harness = await startHarness();
});
after(() => harness.stop());

// Every control of the form as the page draws it, beside what the form says: its place in window
// pixels (the form's are relative to the container), the properties that the page must carry,
// and the element's box, font, colour and attributes, measured with every control shown.
function measure(xml) {
  const form = new DOMParser().parseFromString(xml, 'application/xml');
  const property = (widget, name) =>
    [...widget.children].find((c) => c.tagName === 'property' && c.getAttribute('name') === name);
  const value = (widget, name) => property(widget, name)?.firstElementChild?.textContent;
  const window = form.querySelector('ui > widget');
  const origin = document.getElementById('Form1').getBoundingClientRect();
  const hidden = [...document.querySelectorAll('#Form1 [hidden]')];
  hidden.forEach((element) => element.removeAttribute('hidden'));
  const controls = [...window.querySelectorAll('widget')].map((widget) => {
    let x = 0;
    let y = 0;
    for (let w = widget; w !== window; w = w.parentElement) {
      const rect = property(w, 'geometry').querySelector('rect');
      x += Number(rect.querySelector('x').textContent);
      y += Number(rect.querySelector('y').textContent);
    }
    const rect = property(widget, 'geometry').querySelector('rect');
    const name = widget.getAttribute('name');
    const element = document.getElementById(name);
    const box = element?.getBoundingClientRect();
    const style = element && getComputedStyle(element);
    const color = property(widget, 'palette')?.querySelector('active colorrole[role="WindowText"] color');
    const font = property(widget, 'font');
    return {
      name,
      kind: widget.getAttribute('class'),
      form: {
        box: [x, y, Number(rect.querySelector('width').textContent), Number(rect.querySelector('height').textContent)],
        text: value(widget, 'text') ?? value(widget, 'currentText') ?? value(widget, 'title'),
        family: value(widget, 'fontFamily'),
        points: value(widget, 'fontPointSize'),
        bold: font?.querySelector('bold')?.textContent === 'true',
        underline: font?.querySelector('underline')?.textContent === 'true',
        color: color && `rgb(${['red', 'green', 'blue'].map((c) => color.querySelector(c).textContent).join(', ')})`,
        visible: value(widget, 'visible') !== 'false',
        maxLength: value(widget, 'maxLength'),
        checked: value(widget, 'checked') === 'true',
        // A name of the control's own, or else the caption whose buddy it is.
        accessibleName:
          value(widget, 'accessibleName') ??
          value([...form.querySelectorAll('widget')].find((w) => value(w, 'buddy') === name) ?? widget, 'text'),
      },
      page: element && {
        box: [box.left - origin.left, box.top - origin.top, box.width, box.height],
        text:
          element.type === 'radio'
            ? element.labels[0].textContent
            : element.tagName === 'INPUT'
              ? element.value
              : (element.querySelector(':scope > legend') ?? element).textContent,
        family: style.fontFamily.split(',')[0].replaceAll('"', '').trim(),
        pixels: parseFloat(style.fontSize),
        bold: Number(style.fontWeight) >= 700,
        underline: style.textDecorationLine.includes('underline'),
        color: style.color,
        visible: !hidden.includes(element),
        maxLength: element.maxLength > 0 ? String(element.maxLength) : undefined,
        checked: element.checked === true,
      },
    };
  });
  hidden.forEach((element) => element.setAttribute('hidden', ''));
  return controls;
}

// Texts that the window writes at start-up in place of the form's, and the picture.
const textsNotFromTheForm = new Set(['Label8', 'Label16', 'Label17', 'Label25', 'Label26', 'Image1', 'Combo2']);

test('every control of the form stands where the form puts it and looks as it says', async (t) => {
  const page = await harness.openPage(t);
  const controls = await page.evaluate(measure, formXml);
  assert.equal(controls.length, 46, 'the form has 46 controls');
  const window = await page.$eval('#Form1', (form) => [form.offsetWidth, form.offsetHeight]);
  assert.deepEqual(window, [442, 488], 'the client area');
  // Shown, so that screen readers see every control.
  await page.evaluate(() => document.querySelectorAll('#Form1 [hidden]').forEach((e) => (e.hidden = false)));
  for (const { name, kind, form, page: drawn } of controls) {
    await t.test(name, async () => {
      assert.ok(drawn, `an element with the id ${name}`);
      assert.deepEqual(drawn.box, form.box, 'place and size in pixels');
      assert.equal(drawn.visible, form.visible, 'visible at start');
      if (form.text !== undefined && !textsNotFromTheForm.has(name)) assert.equal(drawn.text, form.text, 'caption or text');
      if (form.family) assert.equal(drawn.family, form.family, 'font family');
      // The form's points at 96 pixels to the inch.
      if (form.points) assert.equal(drawn.pixels, (Number(form.points) * 96) / 72, 'font size');
      assert.equal(drawn.bold, form.bold, 'bold');
      assert.equal(drawn.underline, form.underline, 'underlined');
      if (form.color) assert.equal(drawn.color, form.color, 'text colour');
      assert.equal(drawn.maxLength, form.maxLength, 'maximum length');
      if (kind === 'QRadioButton') assert.equal(drawn.checked, form.checked, 'selected');
      if (/NumberField|QComboBox|QRadioButton|QPushButton/.test(kind)) {
        const node = await page.accessibility.snapshot({ root: await page.$(`#${name}`), interestingOnly: false });
        assert.equal(node.name, form.accessibleName, 'accessible name');
      }
    });
  }
});

// What the desktop draws beyond the form: the maker's details, each from ui/branding.h.
test('the maker details and the link come from the branding', async (t) => {
  const page = await harness.openPage(t);
  const branding = await readFile(path.join(repoRoot, 'ui', 'branding.h'), 'utf8');
  const detail = (name) => new RegExp(`${name}\\[\\] = "([^"]*)"`).exec(branding)[1];
  const rows = [
    { name: 'street', id: 'Label16', text: detail('kStreet') },
    { name: 'town', id: 'Label17', text: detail('kPostcodeTownProvinceCountry') },
    { name: 'telephone', id: 'Label25', text: `ph.  ${detail('kTelephone')}` },
    { name: 'fax', id: 'Label26', text: `fax. ${detail('kFax')}` },
    { name: 'link caption', id: 'Label8', text: detail('kWebHost') },
  ];
  for (const row of rows) {
    await t.test(row.name, async () => {
      // innerText as drawn: the two blanks after "ph." must stay two.
      assert.equal(await page.$eval(`#${row.id}`, (e) => e.innerText), row.text);
    });
  }
  const link = await page.$eval('#Label8', (a) => [a.href, a.target, a.rel]);
  assert.deepEqual(link, [`http://${detail('kWebHost')}/`, '_blank', 'noopener']);
  const logo = await page.$eval('#Image1', (img) => [img.complete, img.naturalWidth, img.alt]);
  assert.deepEqual(logo, [true, 401, detail('kMakerName')], 'the logo, loaded');
});

test('the fonts are drawn by Liberation Sans where Arial and Microsoft Sans Serif are missing', async (t) => {
  const page = await harness.openPage(t);
  const cdp = await page.createCDPSession();
  await cdp.send('DOM.enable');
  await cdp.send('CSS.enable');
  const { root } = await cdp.send('DOM.getDocument');
  const rows = [
    { name: 'Arial label', id: 'Label1' },
    { name: 'Microsoft Sans Serif label', id: 'Label16' },
    { name: 'bold advertising', id: 'Label6' },
    { name: 'field', id: 'Text5' },
    { name: 'button', id: 'Command1' },
  ];
  for (const row of rows) {
    await t.test(row.name, async () => {
      const { nodeId } = await cdp.send('DOM.querySelector', { nodeId: root.nodeId, selector: `#${row.id}` });
      const { fonts } = await cdp.send('CSS.getPlatformFontsForNode', { nodeId });
      assert.deepEqual(
        fonts.map((font) => font.familyName),
        ['Liberation Sans'],
      );
    });
  }
});

test('Tab visits the form tab stops in order, skipping hidden fields and the unselected option', async (t) => {
  const page = await harness.openPage(t);
  const stops = [...formXml.matchAll(/<tabstop>(\w+)<\/tabstop>/g)].map((m) => m[1]);
  const reachable = await page.evaluate(
    (names) =>
      names.filter((name) => {
        const element = document.getElementById(name);
        return element.checkVisibility() && !(element.type === 'radio' && !element.checked);
      }),
    stops,
  );
  assert.deepEqual(reachable, ['Combo1', 'Combo2', 'Text5', 'Text6', 'Command1', 'Text1', 'Option1']);
  const visited = [];
  for (let i = 0; i < reachable.length; i += 1) {
    visited.push(await page.evaluate(() => document.activeElement.id));
    await page.keyboard.press('Tab');
  }
  assert.deepEqual(visited, reachable);
});

test('at start the lists are filled, nothing is chosen, the focus is in the grade box', async (t) => {
  const page = await harness.openPage(t);
  const state = await page.evaluate(() => ({
    focus: document.activeElement.id,
    gradeText: document.getElementById('Combo1').value,
    grades: document.querySelectorAll('#Combo1List [role="option"]').length,
    shapes: document.getElementById('Combo2').options.length,
    shapeChosen: document.getElementById('Combo2').selectedIndex,
    shown: ['Frame4', 'Frame5', 'Text2', 'Text3', 'Text4', 'Label5', 'Label9', 'Label10', 'Text1', 'Combo1']
      .filter((id) => document.getElementById(id).checkVisibility()),
  }));
  assert.deepEqual(state, {
    focus: 'Combo1',
    gradeText: 'choose grade',
    grades: 16,
    shapes: 7,
    shapeChosen: -1,
    shown: ['Text1', 'Combo1'],
  });
});

test('the hand pointer shows over the link only', async (t) => {
  const page = await harness.openPage(t);
  const cursors = await page.evaluate(() =>
    ['Label8', 'Label6', 'Image1', 'Command1'].map((id) => getComputedStyle(document.getElementById(id)).cursor),
  );
  assert.match(cursors[0], /hand-pointer\.png.* 12 1, pointer$/);
  assert.ok(cursors.slice(1).every((cursor) => !cursor.includes('hand-pointer')), cursors.join(' | '));
});

test('on a phone the window fits the width without scrolling sideways, and a tap is a click', async (t) => {
  const page = await harness.openPage(t, {
    viewport: { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 3 },
  });
  const sizes = await page.evaluate(() => ({
    scroll: document.documentElement.scrollWidth,
    inner: window.innerWidth,
    visual: Math.round(window.visualViewport.width),
    inputmode: ['Text1', 'Text2', 'Text5', 'Text6'].map((id) => document.getElementById(id).inputMode),
  }));
  assert.ok(sizes.scroll <= sizes.inner, `the page is ${sizes.scroll} wide in a ${sizes.inner} viewport`);
  assert.equal(sizes.visual, 442, 'the whole window across the screen');
  assert.deepEqual(sizes.inputmode, ['decimal', 'decimal', 'numeric', 'decimal']);
  const box = await (await page.$('#Option2')).boundingBox();
  await page.touchscreen.tap(box.x + 6, box.y + box.height / 2);
  assert.equal(await page.$eval('#Option2', (option) => option.checked), true, 'the tapped option is chosen');
});
