// The README's round bar, estimated as a user does it: the mouse chooses the grade and presses
// CALCULATE, the keyboard does the rest, with no pause between keys.
export async function estimateRoundBar(page) {
  await page.click('#Combo1Button');
  const grades = await page.$$('#Combo1List [role="option"]');
  const texts = await Promise.all(grades.map((option) => option.evaluate((e) => e.textContent)));
  await grades[texts.indexOf('Carbon steel')].click();
  await page.keyboard.press('Tab');
  // Typing on a closed list chooses the entry that starts so.
  await page.keyboard.type('Ro');
  await page.keyboard.press('Tab');
  for (const [i, text] of ['100', '1000', '4', '2.50'].entries()) {
    if (i > 0) await page.keyboard.press('Tab');
    await page.keyboard.type(text);
  }
  await page.click('#Command1');
  return page.evaluate(() =>
    ['Label19', 'Label20', 'Label21', 'Label22', 'Label23', 'Label24'].map((id) => document.getElementById(id).innerText),
  );
}
