// Driving the calculator page as a user does, and reading back what it shows. Keys go through
// puppeteer's keyboard, clicks through its mouse.

// What the page shows: texts, visible panels and lines, price options, focus and selection.
export const snapshot = (page) =>
  page.evaluate(() => {
    const byId = (id) => document.getElementById(id);
    const shown = (id) => !byId(id).hidden;
    const focused = document.activeElement;
    return {
      texts: Object.fromEntries(['Combo1', 'Text1', 'Text2', 'Text3', 'Text4', 'Text5', 'Text6'].map((id) => [id, byId(id).value])),
      shape: byId('Combo2').selectedOptions[0]?.text ?? '',
      panels: ['Frame4', 'Frame5'].filter(shown),
      lines: ['Label19', 'Label20', 'Label21', 'Label22', 'Label23', 'Label24'].map((id) => (shown(id) ? byId(id).textContent : null)),
      options: [byId('Option1').checked, byId('Option2').checked, byId('Option2').disabled],
      densityReadOnly: byId('Text1').readOnly,
      focus: focused?.id ?? '',
      selection: focused?.value === undefined ? null : [focused.selectionStart, focused.selectionEnd],
    };
  });

export async function chooseGrade(page, name) {
  await page.click('#Combo1Button');
  const options = await page.$$('#Combo1List [role="option"]');
  await options[await page.$$eval('#Combo1List [role="option"]', (all, name) => all.findIndex((o) => o.textContent === name), name)].click();
}

// The shape list is a native <select>, whose popup is the browser's own.
export const chooseShape = (page, name) => page.select('#Combo2', name);

// Presses the keys in turn; "Alt+ArrowDown" holds Alt down over the key.
export const keys = (...sequence) => async (page) => {
  for (const key of sequence) {
    const [modifier, name] = key.includes('+') ? key.split('+') : [null, key];
    if (modifier) await page.keyboard.down(modifier);
    await page.keyboard.press(name);
    if (modifier) await page.keyboard.up(modifier);
  }
};

// Enters a field by Tab from the control before it and types with no wait between the keys;
// "\b" empties the field instead.
export async function typeInto(page, id, text) {
  await page.evaluate((id) => {
    const order = ['Combo2', 'Text2', 'Text3', 'Text4', 'Text5', 'Text6', 'Command1', 'Text1'];
    const visible = order.filter((f) => !document.getElementById(f).hidden);
    document.getElementById(visible[visible.lastIndexOf(id) - 1]).focus();
  }, id);
  await Promise.all([page.keyboard.press('Tab'), page.keyboard.type(text === '\b' ? '' : text)]);
  if (text === '\b') await page.keyboard.press('Backspace');
}

// Grade by mouse, the density typed for "Other", the shape, then each field entered by Tab and
// typed, the price basis clicked when it differs from the shape's (kg: per kilogram).
export async function enterEstimate(page, { grade, density, shape, dimensions = [], pieces, price, basis }) {
  if (grade) await chooseGrade(page, grade);
  if (density) {
    await page.click('#Text1');
    await keys('Control+KeyA')(page);
    await typeInto(page, 'Text1', density);
  }
  if (shape) await chooseShape(page, shape);
  for (const [index, text] of dimensions.entries()) await typeInto(page, `Text${index + 2}`, text);
  if (pieces) await typeInto(page, 'Text5', pieces);
  if (price) await typeInto(page, 'Text6', price);
  const [perKilogram, , perMetreDisabled] = (await snapshot(page)).options;
  if (basis && (basis === 'kg') !== perKilogram && !perMetreDisabled) await page.click(basis === 'kg' ? '#Option1' : '#Option2');
}

// An estimate as the tables write it: "grade[ density]|shape|dimensions|pieces|price|basis", each
// part empty to leave it.
export function enterTyped(page, typed) {
  const [grade, shape, dimensions, pieces, price, basis] = typed.split('|');
  const [gradeName, density] = grade.split(/ (?=[\d\b,])/);
  return enterEstimate(page, { grade: gradeName, density, shape, dimensions: dimensions ? dimensions.split(' ') : [], pieces, price, basis });
}

// The open warning as "role: title: prompt", or null.
const openWarning = (page) =>
  page.evaluate(() => {
    const dialog = document.querySelector('dialog[open]');
    const text = (attribute) => document.getElementById(dialog.getAttribute(attribute)).textContent;
    return dialog && `${dialog.getAttribute('role')}: ${text('aria-labelledby')}: ${text('aria-describedby')}`;
  });

// Closes each warning that opens (three at most) with `close`, and gives them back.
export async function closeWarnings(page, close = keys('Enter')) {
  const seen = [];
  for (let warning = await openWarning(page); warning && seen.length < 3; warning = await openWarning(page)) {
    seen.push(warning);
    await close(page);
  }
  return seen;
}

// The round bar of the screenshot as a user estimates it: the mouse chooses the grade and presses
// CALCULATE; the keyboard, with no pause between keys, chooses the shape by typing on the closed
// list and does the rest. Both panels are on screen after; gives the lines shown.
export async function estimateRoundBar(page) {
  await chooseGrade(page, 'Carbon steel');
  await Promise.all(['Tab', 'R', 'o', 'Tab', ...'100', 'Tab', ...'1000', 'Tab', '4', 'Tab', ...'2.50'].map((key) => page.keyboard.press(key)));
  await page.click('#Command1');
  return (await snapshot(page)).lines;
}
