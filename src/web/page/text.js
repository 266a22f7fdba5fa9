// The page's words: every text the user sees or hears comes from the catalog compiled
// into the core, looked up by its English source text. A text with a number or a name
// in it names them as {placeholders}, filled from `params`.
let lookUp = (msgid) => msgid;

export function useCatalog(find) {
  lookUp = find;
}

export function text(msgid, params = {}) {
  return lookUp(msgid).replace(/\{(\w+)\}/g, (whole, name) => (name in params ? String(params[name]) : whole));
}
