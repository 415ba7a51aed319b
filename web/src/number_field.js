// An input field whose text enters one character at a time through a key handler, whatever
// brings it: a typed key, a paste, a drop or an input method. The handler gets a character code
// (8 is backspace) and returns what the field takes in its place, 0 for nothing.

const BACKSPACE = 8;

// Keys that type a control character, as the classic desktop hands them to a key handler.
const controlKeys = { Backspace: BACKSPACE, Enter: 13, Escape: 27 };

// The character code a key press types, or 0 when it types none: Tab moves the focus and
// Delete, arrows and modifiers carry no character. Ctrl+letter gives 1 to 26.
export function typedKeyCode(event) {
  const { key } = event;
  if (event.isComposing || key === 'Process' || key === 'Dead') return 0;
  if (event.ctrlKey || event.metaKey) {
    return /^[a-z]$/i.test(key) ? key.toUpperCase().charCodeAt(0) - 64 : 0;
  }
  if (key.length === 1) return key.charCodeAt(0);
  return controlKeys[key] ?? 0;
}

// What the rule keeps of a text, character by character, as if each were typed.
function filtered(text, keyHandler) {
  let accepted = '';
  for (let i = 0; i < text.length; i += 1) {
    const code = keyHandler(text.charCodeAt(i));
    if (code !== 0 && code !== BACKSPACE) accepted += String.fromCharCode(code);
  }
  return accepted;
}

// Every way the browser offers to put text into a field, but composition, whose steps cannot be
// refused and which is filtered as a whole when it ends.
function isInsertion(inputType) {
  return inputType.startsWith('insert') && inputType !== 'insertCompositionText';
}

function plainText(transfer) {
  return transfer?.getData('text/plain') ?? '';
}

// Attaches the rule and the entry behaviour to `field`:
//   keyHandler(code) -> code   sees every character before the field takes it;
//   onFocus()                  runs whenever the user enters the field (not when the window
//                              comes back); a press of the mouse that enters the field runs
//                              it on release, unless the press dragged a selection of its own;
//                              without it, the field keeps its caret where it was;
//   onEdit()                   runs after every change the user makes to the text.
export function attachNumberField(field, { keyHandler, onFocus, onEdit }) {
  let inserting = false;
  let composing = null;
  let enteringByMouse = false;
  let windowLeft = false;
  let lastSelection = [field.value.length, field.value.length];

  function insert(text) {
    if (field.readOnly) return;
    const accepted = filtered(text, keyHandler);
    if (accepted === '') return;
    inserting = true;
    try {
      // The editor's own command keeps Undo and Redo working, and the maximum length.
      document.execCommand('insertText', false, accepted);
    } finally {
      inserting = false;
    }
  }

  field.addEventListener('keydown', (event) => {
    enteringByMouse = false;
    // Also a key the field will not take, and any key in a read-only field.
    const code = typedKeyCode(event);
    if (code !== 0) keyHandler(code);
  });

  field.addEventListener('beforeinput', (event) => {
    if (inserting || !isInsertion(event.inputType)) return;
    event.preventDefault();
    insert(event.data ?? plainText(event.dataTransfer));
  });

  field.addEventListener('compositionstart', () => {
    composing = { value: field.value, start: field.selectionStart, end: field.selectionEnd };
  });
  field.addEventListener('compositionend', (event) => {
    if (composing === null) return;
    const { value, start, end } = composing;
    composing = null;
    field.value = value;
    field.setSelectionRange(start, end);
    insert(event.data ?? '');
  });

  field.addEventListener('input', () => {
    if (composing === null) onEdit();
  });

  field.addEventListener('mousedown', () => {
    enteringByMouse = document.activeElement !== field;
  });
  // The release may come anywhere on the page.
  document.addEventListener('mouseup', () => {
    const entering = enteringByMouse;
    enteringByMouse = false;
    if (entering && field.selectionStart === field.selectionEnd) onFocus?.();
  });

  field.addEventListener('blur', () => {
    // The field keeps the focus while another window is in front.
    windowLeft = document.activeElement === field;
    lastSelection = [field.selectionStart, field.selectionEnd];
  });
  field.addEventListener('focus', () => {
    if (windowLeft) {
      windowLeft = false;
      return;
    }
    // Tab selects the whole text before this runs.
    if (!onFocus) field.setSelectionRange(...lastSelection);
    // What the press selects comes after this: a selection made now would be dragged away.
    else if (!enteringByMouse) onFocus();
  });

  // Dropped text goes through the rule where the pointer is, and the source keeps its text,
  // since the field may take only part of it.
  const acceptDrag = (event) => {
    if (!event.dataTransfer?.types.includes('text/plain')) return;
    event.preventDefault();
    event.dataTransfer.dropEffect = field.readOnly ? 'none' : 'copy';
  };
  field.addEventListener('dragenter', acceptDrag);
  field.addEventListener('dragover', acceptDrag);
  field.addEventListener('drop', (event) => {
    event.preventDefault();
    if (field.readOnly) return;
    const text = plainText(event.dataTransfer);
    const caret = document.caretPositionFromPoint?.(event.clientX, event.clientY);
    field.focus();
    if (caret?.offsetNode === field) field.setSelectionRange(caret.offset, caret.offset);
    insert(text);
  });

  return {
    // The program writes the text: no edit of the user, the caret after the text.
    setText(text) {
      field.value = text;
      lastSelection = [text.length, text.length];
    },
  };
}
