// The page's words: every text the user sees or hears comes from the catalog compiled
// into the core, looked up by its English source text. A text with a number or a name
// in it names them as {placeholders}, filled from `params`. The HTML names its texts in
// data-text (the element's first text) and data-text-ATTRIBUTE attributes.
let lookUp = (msgid) => msgid;
const listeners = [];

export function useCatalog(find) {
  lookUp = find;
}

export function text(msgid, params = {}) {
  return lookUp(msgid).replace(/\{(\w+)\}/g, (whole, name) => (name in params ? String(params[name]) : whole));
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
  applyTexts();
  for (const listener of listeners) listener();
}
