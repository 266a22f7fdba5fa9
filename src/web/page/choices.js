// The list of choices a cell offers while it is edited, in the ARIA combobox pattern: the
// field keeps the focus, a listbox under it shows the choices, and the arrow keys walk
// them (aria-activedescendant). HP and ケロ show all their values with the current one
// highlighted; an ability field shows the abilities whose number or name holds what was
// typed.
import { text } from './text.js';

const SHOWN_CHOICES = 60;

// Comparable text: full-width letters and digits as plain ones, katakana as hiragana, so
// that ジュウジカ and じゅうじか find the same ability.
function folded(value) {
  return value.normalize('NFKC').toLowerCase()
    .replace(/[\u30a1-\u30f6]/g, (c) => String.fromCharCode(c.charCodeAt(0) - 0x60));
}

export class ChoiceList {
  constructor(list) {
    this.list = list;
    this.field = null;
    this.ids = [];
    this.active = -1;
    this.list.addEventListener('pointerdown', (event) => {
      const option = event.target.closest('[role="option"]');
      if (!option) return;
      event.preventDefault();  // the field keeps the focus
      this.active = this.ids.indexOf(Number(option.dataset.id));
      this.onChoose();
    });
  }

  // labels: every choice's text; reopen(): shows the list again after it was closed;
  // onChoose(): a choice was pressed. `free`: the field's own text counts as no choice.
  attach(field, labels, { reopen, onChoose, free }) {
    Object.assign(this, { field, labels, reopen, onChoose, free });
    field.setAttribute('aria-expanded', 'false');
    field.setAttribute('aria-controls', this.list.id);
  }

  detach() {
    this.close();
    this.field = null;
  }

  isOpen() {
    return !this.list.hidden;
  }

  show(ids, active = -1) {
    this.ids = ids;
    const shown = ids.slice(0, Math.max(SHOWN_CHOICES, active + 1));
    this.list.replaceChildren(...shown.map((id) => {
      const option = document.createElement('li');
      option.role = 'option';
      option.id = `choice-${id}`;
      option.dataset.id = id;
      option.textContent = this.labels[id];
      return option;
    }));
    if (!shown.length) return this.close();
    const place = this.field.getBoundingClientRect();
    Object.assign(this.list.style, { left: `${Math.max(0, Math.min(place.left, innerWidth - 280))}px`, top: `${place.bottom}px` });
    this.list.hidden = false;
    this.field.setAttribute('aria-expanded', 'true');
    this.highlight(active);
  }

  close() {
    this.list.hidden = true;
    this.list.replaceChildren();
    this.active = -1;
    this.field?.setAttribute('aria-expanded', 'false');
    this.field?.removeAttribute('aria-activedescendant');
  }

  highlight(index) {
    this.list.children[this.active]?.setAttribute('aria-selected', 'false');
    this.active = index;
    const option = this.list.children[index];
    if (!option) return this.field.removeAttribute('aria-activedescendant');
    option.setAttribute('aria-selected', 'true');
    this.field.setAttribute('aria-activedescendant', option.id);
    option.scrollIntoView({ block: 'nearest' });
  }

  // By `by` choices, or to the first or last; a free field's own text sits before the
  // first choice.
  move(by) {
    if (!this.isOpen()) return this.reopen();
    const count = this.list.children.length;
    const low = this.free ? -1 : 0;
    this.highlight(Math.min(count - 1, Math.max(low, this.active + by)));
  }

  chosen() {
    return this.isOpen() && this.active >= 0 ? this.ids[this.active] : -1;
  }
}

// Ability IDs for typed text: the one with that number first, then those whose label
// holds it.
export function abilityMatches(typed, keys) {
  const wanted = folded(typed.trim());
  if (!wanted) return [];
  const ids = [];
  const number = /^\d+$/.test(wanted) ? Number(wanted) : -1;
  if (number >= 0 && number < keys.length) ids.push(number);
  keys.forEach((key, id) => { if (id !== number && key.includes(wanted)) ids.push(id); });
  return ids;
}

export function abilityKeys(labels) {
  return labels.map(folded);
}

// The ability typed text stands for: a number (which the core checks), a whole label, or
// the one ability whose number or name holds the text; otherwise why there is none.
export function readAbility(typed, labels, keys) {
  const wanted = typed.trim();
  if (/^\d+$/.test(wanted)) return { number: wanted };
  const exact = labels.indexOf(wanted);
  if (exact >= 0) return { id: exact };
  const ids = abilityMatches(wanted, keys);
  if (ids.length === 1) return { id: ids[0] };
  if (!ids.length) return { problem: text('No ability matches “{typed}”.', { typed: wanted }) };
  return { problem: text('{count} abilities match “{typed}”; choose one from the list.', { count: ids.length, typed: wanted }) };
}
