// The mouse wheel changes a list only while the list has the keyboard focus, as on the classic
// desktop. Elsewhere the turn scrolls the page, so that scrolling past a closed list never chooses
// an entry the user did not pick.

// `step(+1 | -1)` moves the list's choice one entry down or up and runs its handler; `hasFocus()`
// says whether the list has the focus.
export function guardWheel(list, { hasFocus, step }) {
  list.addEventListener(
    'wheel',
    (event) => {
      if (!hasFocus() || event.deltaY === 0) return;
      event.preventDefault();
      step(event.deltaY > 0 ? 1 : -1);
    },
    { passive: false },
  );
}
