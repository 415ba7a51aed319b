// The warning box: a modal dialog with a title, a one-line prompt, the exclamation icon and one
// OK button. Screen readers announce it as an alert, by its title and prompt.

const svgNamespace = 'http://www.w3.org/2000/svg';

function svgElement(name, attributes) {
  const element = document.createElementNS(svgNamespace, name);
  for (const [attribute, value] of Object.entries(attributes)) {
    element.setAttribute(attribute, value);
  }
  return element;
}

// A yellow triangle with an exclamation mark, drawn for this program.
function exclamationIcon() {
  const icon = svgElement('svg', {
    viewBox: '0 0 32 32',
    width: '32',
    height: '32',
    class: 'warning-icon',
    'aria-hidden': 'true',
  });
  icon.append(
    svgElement('path', {
      d: 'M16 2 L31 29 H1 Z',
      fill: '#ffd21f',
      stroke: '#6b5200',
      'stroke-width': '1.5',
      'stroke-linejoin': 'round',
    }),
    svgElement('rect', { x: '14.25', y: '10', width: '3.5', height: '11', rx: '1', fill: '#000' }),
    svgElement('circle', { cx: '16', cy: '25', r: '2', fill: '#000' }),
  );
  return icon;
}

function element(name, className, id) {
  const made = document.createElement(name);
  made.className = className;
  if (id) made.id = id;
  return made;
}

// Builds the dialog into `host` once; `show({title, prompt})` opens it and resolves when OK,
// Enter or Escape has closed it.
export function createWarningDialog(host) {
  const dialog = element('dialog', 'warning', 'Warning');
  dialog.setAttribute('role', 'alertdialog');
  dialog.setAttribute('aria-labelledby', 'WarningTitle');
  dialog.setAttribute('aria-describedby', 'WarningPrompt');
  const title = element('div', 'warning-title', 'WarningTitle');
  const body = element('div', 'warning-body');
  const prompt = element('p', 'warning-prompt', 'WarningPrompt');
  const buttons = element('div', 'warning-buttons');
  const ok = element('button', 'warning-ok');
  ok.type = 'button';
  ok.textContent = 'OK';
  body.append(exclamationIcon(), prompt);
  buttons.append(ok);
  dialog.append(title, body, buttons);
  host.append(dialog);

  // Closed at once, so that the focus is where the window puts it before the next key arrives.
  let closed = null;
  function finish(event) {
    event?.preventDefault();
    const resolve = closed;
    closed = null;
    if (dialog.open) dialog.close();
    resolve?.();
  }
  ok.addEventListener('click', finish);
  dialog.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' || event.key === 'Escape') finish(event);
  });
  dialog.addEventListener('cancel', finish);
  // Any other way the browser closes it; the close of a box shown again since comes late.
  dialog.addEventListener('close', () => {
    if (!dialog.open) finish();
  });

  return {
    dialog,
    show({ title: titleText, prompt: promptText }) {
      title.textContent = titleText;
      prompt.textContent = promptText;
      return new Promise((resolve) => {
        closed = resolve;
        dialog.showModal();
      });
    },
  };
}
