// The calculator window's handlers, one for each control and event, as the desktop window has
// them. All state lives in the page's controls; each handler reads what it needs, lets the core
// do the arithmetic and writes the outcome back.

import { attachGradeBox } from './grade_box.js';
import { attachNumberField } from './number_field.js';
import { guardWheel } from './wheel_guard.js';

const control = (id) => document.getElementById(id);

// Each input the core can find fault with: the field to mend and the caption that names it.
const inputRows = {
  Density: ['Text1', 'Label2'],
  Dimension1: ['Text2', 'Label5'],
  Dimension2: ['Text3', 'Label9'],
  Dimension3: ['Text4', 'Label10'],
  Pieces: ['Text5', 'Label14'],
  Price: ['Text6', 'Label15'],
};

// The three dimension rows: caption, field, unit.
const dimensionRows = [
  ['Label5', 'Text2', 'Label11'],
  ['Label9', 'Text3', 'Label12'],
  ['Label10', 'Text4', 'Label13'],
];

// `desktop` is what the window asks of the browser: showWarning({title, prompt}) -> Promise
// resolved once the warning is closed, and openWebPage(url).
export function createForm1(core, desktop, { linkAddress }) {
  const [Combo1, Combo2, Text1, Text5, Text6] = ['Combo1', 'Combo2', 'Text1', 'Text5', 'Text6'].map(control);
  const [Frame4, Frame5, Option1, Option2] = ['Frame4', 'Frame5', 'Option1', 'Option2'].map(control);
  const fields = {};

  // Both panels: the weights, then the prices that follow from them.
  function hideResultPanels() {
    Frame4.hidden = true;
    Frame5.hidden = true;
  }

  // The prices alone: what a price or its basis makes stale.
  function hidePricePanel() {
    Frame5.hidden = true;
  }

  function label8Click(event) {
    event.preventDefault();
    desktop.openWebPage(linkAddress);
  }

  function setDensityFieldLook(fixed) {
    // A fixed density reads as a flat value; "Other" makes it an ordinary input field.
    Text1.classList.toggle('flat', fixed);
    Text1.readOnly = fixed;
  }

  function combo1Click() {
    hideResultPanels();
    const grade = core.gradeFromText(Combo1.value);
    if (!grade) return;
    const changed = Text1.value !== grade.densityText;
    fields.Text1.setText(grade.densityText);
    if (changed) text1Change();
    setDensityFieldLook(grade.densityFixed);
  }

  function shapeText() {
    return Combo2.selectedIndex >= 0 ? Combo2.options[Combo2.selectedIndex].text : '';
  }

  function combo2Click() {
    hideResultPanels();
    const shape = core.shapeFromText(shapeText());
    if (!shape) return;
    dimensionRows.forEach(([captionId, fieldId, unitId], index) => {
      const row = shape.rows[index];
      control(captionId).hidden = !row.visible;
      control(fieldId).hidden = !row.visible;
      fields[fieldId].setText(core.dimensionResetText);
      control(unitId).hidden = !row.visible;
      control(captionId).textContent = row.caption;
    });
    Option1.disabled = false;
    Option1.checked = shape.selectedBasis === 'PerKilogram';
    Option2.disabled = !shape.perMetreEnabled;
    Option2.checked = shape.selectedBasis === 'PerMetre';
  }

  function readInput() {
    return {
      shapeText: shapeText(),
      densityText: Text1.value,
      piecesText: Text5.value,
      dimension1Text: control('Text2').value,
      dimension2Text: control('Text3').value,
      dimension3Text: control('Text4').value,
      priceText: Text6.value,
      priceBasis: Option1.checked ? 'PerKilogram' : 'PerMetre',
    };
  }

  function showLine(id, shown, line) {
    control(id).hidden = !shown;
    if (shown) control(id).textContent = line;
  }

  async function command1Click() {
    const result = core.computeEstimate(readInput());
    if (result.status !== 'Ok') {
      await reportFaultyInput(result);
      return;
    }
    Frame4.hidden = false;
    Frame5.hidden = !result.pricePanelShown;
    if (result.gradeMissing) await desktop.showWarning(core.gradeMissingWarning);
    if (result.piecesReset) fields.Text5.setText('1');
    control('Label20').hidden = !result.allPiecesShown;
    control('Label23').hidden = !result.allPiecesShown;
    if (result.shapeMissing) {
      await desktop.showWarning(core.shapeMissingWarning);
      Combo1.focus();
      return;
    }
    control('Label19').textContent = result.weightPieceLine;
    control('Label20').textContent = result.weightAllLine;
    control('Label22').textContent = result.costPieceLine;
    control('Label23').textContent = result.costAllLine;
    showLine('Label21', result.metreWeightShown, result.weightMetreLine);
    // The core prices a metre only per kilogram, that is with Option2 cleared.
    showLine('Label24', result.metreWeightShown && result.metreCostShown, result.costMetreLine);
    Combo1.focus();
  }

  // A figure that cannot be computed hides both panels, so that nothing on screen contradicts
  // the inputs, and leaves the user in the field to mend.
  async function reportFaultyInput(result) {
    const [fieldId, captionId] = inputRows[result.faultyField];
    const warning = core.inputWarning(
      result.status,
      result.faultyField,
      control(captionId).textContent,
      control(inputRows.Dimension1[1]).textContent,
    );
    hideResultPanels();
    await desktop.showWarning(warning);
    const field = control(fieldId);
    field.focus();
    field.select();
  }

  const option1Click = hidePricePanel;
  const option2Click = hidePricePanel;

  // Any change of the density, typed or written by a grade, makes both panels stale.
  const text1Change = hideResultPanels;

  // A key handler: what a typed character makes stale is hidden, then the field's key rule says
  // what the field takes of it.
  const keyPress = (hideStale, fieldKey) => (code) => {
    hideStale();
    return fieldKey(code);
  };
  const text1KeyPress = keyPress(hideResultPanels, core.decimalFieldKey);
  const text2KeyPress = keyPress(hideResultPanels, core.decimalFieldKey);
  const text3KeyPress = keyPress(hideResultPanels, core.decimalFieldKey);
  const text4KeyPress = keyPress(hideResultPanels, core.decimalFieldKey);
  const text5KeyPress = keyPress(hideResultPanels, core.piecesFieldKey);
  const text6KeyPress = keyPress(hidePricePanel, core.decimalFieldKey);

  const selectAll = (id) => () => control(id).select();
  const text2GotFocus = selectAll('Text2');
  const text3GotFocus = selectAll('Text3');
  const text4GotFocus = selectAll('Text4');
  const text5GotFocus = selectAll('Text5');
  const text6GotFocus = selectAll('Text6');

  // Edits without a typed key (Delete, Cut, Undo, a drop) make the same figures stale.
  const text2Edited = hideResultPanels;
  const text3Edited = hideResultPanels;
  const text4Edited = hideResultPanels;
  const text5Edited = hideResultPanels;
  const text6Edited = hidePricePanel;

  // Each field with its key, focus and edit handlers; the density field selects nothing on
  // entry, and any change of its text is its edit.
  const numberFields = [
    ['Text1', text1KeyPress, undefined, text1Change],
    ['Text2', text2KeyPress, text2GotFocus, text2Edited],
    ['Text3', text3KeyPress, text3GotFocus, text3Edited],
    ['Text4', text4KeyPress, text4GotFocus, text4Edited],
    ['Text5', text5KeyPress, text5GotFocus, text5Edited],
    ['Text6', text6KeyPress, text6GotFocus, text6Edited],
  ];

  const gradeBox = attachGradeBox(Combo1, { onChoose: combo1Click });

  function connectHandlers() {
    control('Label8').addEventListener('click', label8Click);
    // The link is a caption: a press on it leaves the focus where it was.
    control('Label8').addEventListener('mousedown', (event) => event.preventDefault());
    Combo2.addEventListener('change', combo2Click);
    control('Command1').addEventListener('click', () => command1Click());
    Option1.addEventListener('click', option1Click);
    Option2.addEventListener('click', option2Click);
    // Arrow keys move the choice between the options without a click.
    Option1.addEventListener('change', option1Click);
    Option2.addEventListener('change', option2Click);
    for (const [id, keyHandler, onFocus, onEdit] of numberFields) {
      fields[id] = attachNumberField(control(id), { keyHandler, onFocus, onEdit });
    }
    guardWheel(Combo1, gradeBox);
    guardWheel(gradeBox.button, gradeBox);
    guardWheel(Combo2, {
      hasFocus: () => document.activeElement === Combo2,
      step(delta) {
        const index = Combo2.selectedIndex + delta;
        if (index < 0 || index >= Combo2.options.length) return;
        Combo2.selectedIndex = index;
        combo2Click();
      },
    });
  }

  // Fills the grade and shape lists, choosing no entry, and puts the focus in the grade box.
  function load() {
    connectHandlers();
    gradeBox.setEntries(core.grades.map((grade) => grade.name));
    Combo2.append(...core.shapes.map((shape) => new Option(shape.name)));
    Combo2.selectedIndex = -1;
    Combo1.focus();
  }

  return { load, command1Click };
}
