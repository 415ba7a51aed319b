// Driving the calculator page as a user does, and reading back what it shows, for the behaviour
// tests. Keys go through puppeteer's keyboard, clicks through its mouse.

export const panels = ['Frame4', 'Frame5'];

// What the page shows: field texts, which controls are visible, result lines, focus, selection.
export function snapshot(page) {
  return page.evaluate(() => {
    const byId = (id) => document.getElementById(id);
    const ids = ['Combo1', 'Text1', 'Text2', 'Text3', 'Text4', 'Text5', 'Text6'];
    const shown = (id) => !byId(id).hidden;
    const focused = document.activeElement;
    return {
      texts: Object.fromEntries(ids.map((id) => [id, byId(id).value])),
      shape: byId('Combo2').selectedOptions[0]?.text ?? '',
      shown: ['Frame4', 'Frame5', 'Label5', 'Label9', 'Label10', 'Label20', 'Label21', 'Label23', 'Label24']
        .filter(shown),
      lines: Object.fromEntries(['Label19', 'Label20', 'Label21', 'Label22', 'Label23', 'Label24']
        .map((id) => [id, shown(id) ? byId(id).textContent : null])),
      options: [byId('Option1').checked, byId('Option2').checked, byId('Option2').disabled],
      densityReadOnly: byId('Text1').readOnly,
      focus: focused?.id ?? '',
      selection: focused?.value === undefined ? null : [focused.selectionStart, focused.selectionEnd],
    };
  });
}

export const shownPanels = async (page) => (await snapshot(page)).shown.filter((id) => panels.includes(id));

// The grade from the open list, by mouse.
export async function chooseGrade(page, name) {
  await page.click('#Combo1Button');
  const options = await page.$$('#Combo1List [role="option"]');
  const names = await Promise.all(options.map((option) => option.evaluate((o) => o.textContent)));
  await options[names.indexOf(name)].click();
}

// The shape list is a native <select>: its popup is the browser's own.
export async function chooseShape(page, name) {
  await page.select('#Combo2', name);
}

// Enters a field by Tab from the control before it, then types; no wait between the keys.
export async function typeInto(page, id, text) {
  await page.evaluate((id) => {
    const fields = ['Combo2', 'Text2', 'Text3', 'Text4', 'Text5', 'Text6', 'Command1', 'Text1'];
    const visible = fields.filter((f) => !document.getElementById(f).hidden);
    document.getElementById(visible[visible.indexOf(id) - 1]).focus();
  }, id);
  await Promise.all([page.keyboard.press('Tab'), page.keyboard.type(text)]);
}

export const ctrl = async (page, key) => {
  await page.keyboard.down('Control');
  await page.keyboard.press(key);
  await page.keyboard.up('Control');
};

// The open warning's title and prompt, or null.
export const openWarning = (page) =>
  page.evaluate(() => {
    const dialog = document.querySelector('dialog[open]');
    if (!dialog) return null;
    const text = (attribute) => document.getElementById(dialog.getAttribute(attribute)).textContent;
    return { role: dialog.getAttribute('role'), title: text('aria-labelledby'), prompt: text('aria-describedby') };
  });

// Closes each warning that opens with `key`, and gives back the warnings' titles and prompts.
export async function closeWarnings(page, key = 'Enter') {
  const seen = [];
  for (let warning = await openWarning(page); warning && seen.length < 3; warning = await openWarning(page)) {
    seen.push(warning);
    await page.keyboard.press(key);
  }
  return seen;
}

// Carbon steel, a round bar 100 x 1000, 4 pieces at 2,50 per kilogram: both panels on screen.
export async function showRoundBar(page) {
  await chooseGrade(page, 'Carbon steel');
  await chooseShape(page, 'Round bar');
  await typeInto(page, 'Text2', '100');
  await typeInto(page, 'Text3', '1000');
  await typeInto(page, 'Text5', '4');
  await typeInto(page, 'Text6', '2.50');
  await page.click('#Command1');
}
