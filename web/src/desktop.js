// What the window asks of the browser: a modal warning, and the maker's web site in a new tab.
// Tests watch these two seams instead of a real box or browser window.

import { createWarningDialog } from './warning_dialog.js';

export function browserDesktop(host) {
  const warning = createWarningDialog(host);
  return {
    showWarning: (message) => warning.show(message),
    openWebPage(url) {
      // The page the link opens gets no handle on this one.
      window.open(url, '_blank', 'noopener');
    },
  };
}
