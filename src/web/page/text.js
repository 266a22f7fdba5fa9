// The page's words: every text the user sees or hears comes from the catalog compiled
// into the core, looked up by its English source text. A text with a number or a name
// in it names them as {placeholders}, filled from `params`. The HTML names its texts in
// data-text (the element's first text) and data-text-ATTRIBUTE attributes.

// The texts looked up in the chosen language, kept since a table of 200 enemies asks for
// the same few thousand times and each look-up is a call into the core.
let lookUp = (msgid) => msgid;
const found = new Map();
const listeners = [];

export function useCatalog(find) {
  lookUp = find;
  found.clear();
}

export function text(msgid, params = {}) {
  let chosen = found.get(msgid);
  if (chosen === undefined) found.set(msgid, chosen = lookUp(msgid));
  return chosen.replace(/\{(\w+)\}/g, (whole, name) => (name in params ? String(params[name]) : whole));
}

// Runs `listener` after every change of language, for texts a module made itself.
export function onLanguageChange(listener) {
  listeners.push(listener);
}

function setFirstText(element, value) {
  const first = Array.from(element.childNodes).find((node) => node.nodeType === Node.TEXT_NODE);
  if (first) first.data = value;
  else element.prepend(value);
}

// Fills every element marked with data-text or data-text-ATTRIBUTE in the chosen language.
export function applyTexts(root = document) {
  for (const element of root.querySelectorAll('*')) {
    for (const { name, value } of Array.from(element.attributes)) {
      if (name === 'data-text') setFirstText(element, text(value));
      else if (name.startsWith('data-text-')) element.setAttribute(name.slice('data-text-'.length), text(value));
    }
  }
  if (root === document) document.title = text(document.documentElement.dataset.title);
}

export function languageChanged() {
  found.clear();
  applyTexts();
  for (const listener of listeners) listener();
}
