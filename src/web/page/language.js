// The 日本語 / English switch: Japanese unless the user chose English, the choice kept in
// the browser for the next visit, the page's lang attribute following it.
import { useCatalog, languageChanged } from './text.js';

const KEY = 'vesk-language';
const LANGUAGES = ['ja', 'en'];

function remembered() {
  try {
    const code = localStorage.getItem(KEY);
    return LANGUAGES.includes(code) ? code : 'ja';
  } catch {
    return 'ja';  // storage refused (a private window, a blocked file:// origin)
  }
}

function remember(code) {
  try {
    localStorage.setItem(KEY, code);
  } catch {
    // The choice then lasts for this visit only.
  }
}

// buttons: {ja, en}, the two buttons of the switch.
export function startLanguage(core, buttons) {
  useCatalog((msgid) => core.text(msgid));
  const choose = (code) => {
    core.setLanguage(code);
    document.documentElement.lang = code;
    for (const each of LANGUAGES) buttons[each].setAttribute('aria-pressed', String(each === code));
    languageChanged();
  };
  for (const code of LANGUAGES) {
    buttons[code].addEventListener('click', () => {
      remember(code);
      choose(code);
    });
  }
  choose(remembered());
}
