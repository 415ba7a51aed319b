// The editable grade box: a text that can be typed, an arrow button and a list of entries that
// opens under it. Only choosing an entry, from the list by mouse or keyboard or with the arrow
// keys on the closed box, runs the box's handler; typed text chooses nothing, even a grade's name.

// `onChoose()` runs after each choice, with the chosen name already in the box.
export function attachGradeBox(input, { onChoose }) {
  const list = document.getElementById(input.getAttribute('aria-controls'));
  const button = document.querySelector(`button[aria-controls="${list.id}"]`);
  let options = [];
  let current = -1;
  let highlighted = -1;

  const isOpen = () => !list.hidden;

  function highlight(index) {
    options[highlighted]?.setAttribute('aria-selected', 'false');
    highlighted = index;
    const option = options[index];
    if (!option) {
      input.removeAttribute('aria-activedescendant');
      return;
    }
    option.setAttribute('aria-selected', 'true');
    input.setAttribute('aria-activedescendant', option.id);
    option.scrollIntoView({ block: 'nearest' });
  }

  function open() {
    list.hidden = false;
    input.setAttribute('aria-expanded', 'true');
    highlight(current);
  }

  function close() {
    highlight(-1);
    list.hidden = true;
    input.setAttribute('aria-expanded', 'false');
  }

  function choose(index) {
    close();
    current = index;
    input.value = options[index].textContent;
    onChoose();
  }

  // The arrow keys and the wheel on the closed box choose the next or previous entry.
  function step(delta) {
    const index = current + delta;
    if (index >= 0 && index < options.length) choose(index);
  }

  // Letters typed into the open list move to the next entry that starts with them.
  function seek(letter) {
    const wanted = letter.toLowerCase();
    for (let offset = 1; offset <= options.length; offset += 1) {
      const index = (highlighted + offset + options.length) % options.length;
      if (options[index].textContent.toLowerCase().startsWith(wanted)) {
        highlight(index);
        return;
      }
    }
  }

  const openListKeys = {
    ArrowDown: () => highlight(Math.min(highlighted + 1, options.length - 1)),
    ArrowUp: () => highlight(Math.max(highlighted - 1, 0)),
    PageDown: () => highlight(Math.min(highlighted + 10, options.length - 1)),
    PageUp: () => highlight(Math.max(highlighted - 10, 0)),
    Home: () => highlight(0),
    End: () => highlight(options.length - 1),
    Enter: () => (highlighted >= 0 ? choose(highlighted) : close()),
    Escape: close,
    F4: close,
  };

  input.addEventListener('keydown', (event) => {
    const { key } = event;
    const toggles = key === 'F4' || (event.altKey && (key === 'ArrowDown' || key === 'ArrowUp'));
    if (isOpen()) {
      if (key === 'Tab') {
        close();
        return;
      }
      const action = toggles ? close : openListKeys[key];
      if (action) action();
      else if (key.length === 1 && !event.ctrlKey && !event.metaKey) seek(key);
      else return;
      event.preventDefault();
      return;
    }
    if (toggles && !(key === 'ArrowUp' && event.altKey)) open();
    else if (event.ctrlKey || event.altKey || event.metaKey) return;
    else if (key === 'ArrowDown' || key === 'PageDown') step(1);
    else if (key === 'ArrowUp' || key === 'PageUp') step(-1);
    else return;
    event.preventDefault();
  });

  // The box keeps the focus while its button and list are used.
  button.addEventListener('mousedown', (event) => {
    event.preventDefault();
    input.focus();
    if (isOpen()) close();
    else open();
  });
  list.addEventListener('mousedown', (event) => event.preventDefault());
  list.addEventListener('mousemove', (event) => {
    const index = options.indexOf(event.target.closest('[role="option"]'));
    if (index >= 0 && index !== highlighted) highlight(index);
  });
  list.addEventListener('click', (event) => {
    const index = options.indexOf(event.target.closest('[role="option"]'));
    if (index >= 0) choose(index);
  });
  // A press anywhere but on the list or its button closes the list, choosing nothing.
  input.addEventListener('mousedown', () => {
    if (isOpen()) close();
  });
  input.addEventListener('blur', close);

  return {
    input,
    button,
    list,
    isOpen,
    step,
    hasFocus: () => document.activeElement === input,
    // Appends the entries, choosing none of them.
    setEntries(names) {
      options = names.map((name, index) => {
        const option = document.createElement('div');
        option.id = `${list.id}-${index}`;
        option.setAttribute('role', 'option');
        option.setAttribute('aria-selected', 'false');
        option.textContent = name;
        return option;
      });
      list.replaceChildren(...options);
      current = -1;
    },
  };
}
