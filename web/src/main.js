// The page's entry: loads the core, then runs the window's load handler.

import { loadCore } from './core.js';
import { browserDesktop } from './desktop.js';
import { createForm1 } from './form1.js';

const core = await loadCore();
// The link's address is written into the page from the maker's details.
const form1 = createForm1(core, browserDesktop(document.body), {
  linkAddress: document.getElementById('Label8').href,
});
form1.load();
