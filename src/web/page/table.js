// The table of all 200 enemies: one row each, a cell per editable value, marks on the
// cells that differ from the original image. The window's labels and the game's names come
// from the core, the page's own words from the catalog. The keys and the pointer between
// cells are the grid's (grid.js); a cell being edited is this.
//
// Each enemy keeps its row for good. The rows are the items of a flexible box, so a sorted
// order is shown by giving each row its place (CSS order), which moves the rows' boxes
// without laying out a cell again; where the browser reads such a box in the order shown
// (reading-flow), screen readers follow it too, and elsewhere the rows are moved instead.
//
// A change is drawn at once only in the rows in view or nearly so; the other rows wait
// and are drawn after the browser has shown those, a frame's worth at a time. Laying out
// a changed text is the dearest part of an edit, and a change to 200 rows would otherwise
// hold up the frame that shows it by all 200. Whatever reads a row, or moves into it,
// draws it first (drawNow).
import { GridKeys } from './grid.js';
import { ChoiceList, abilityKeys, abilityMatches, readAbility } from './choices.js';
import { text, onLanguageChange } from './text.js';

// Where each field sits in an enemy's row of values: handed over by the core.
let HP, HP_POSITION, KERO, STATS, COUNT, ABILITIES;

const NOTE_SECONDS = 5;
const NOTHING = -2;  // the row values before an image is shown, unlike any real value
const VIEW_MARGIN = 0.5;  // rows this far outside the table's box, in its heights, count as in view
const FIELDS_PER_FRAME = 300;  // how many changed fields of the waiting rows a frame draws

// Sets an element's text, keeping its text node when it has one: a changed text node is
// laid out again, a new one is built into the page's boxes and accessibility tree anew.
function setText(element, value) {
  const node = element.firstChild;
  if (node?.nodeType === Node.TEXT_NODE && !node.nextSibling) {
    if (node.data !== value) node.data = value;
  } else if (element.textContent !== value) {
    element.textContent = value;
  }
}

function escapeHtml(value) {
  return value.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
}

// Which enemies a filter asks for: numbers, ranges such as 100-199 and parts of names,
// separated by commas ("0-9,20"); an empty filter asks for all of them.
export function filterMatcher(wanted, names) {
  const parts = wanted.normalize('NFKC').split(/[,、]/).map((part) => part.trim()).filter(Boolean);
  if (!parts.length) return () => true;
  const tests = parts.map((part) => {
    const range = /^(\d+)\s*[-~〜]\s*(\d+)$/.exec(part);
    if (range) {
      const [low, high] = [Number(range[1]), Number(range[2])].sort((a, b) => a - b);
      return (m) => m >= low && m <= high;
    }
    if (/^\d+$/.test(part)) return (m) => m === Number(part);
    return (m) => names[m].includes(part);
  });
  return (m) => tests.some((test) => test(m));
}

// What the window's rule did to a stat field's text, in words, or '' when it only took
// away leading zeros or nothing.
export function statNote(typed, shown) {
  if (typed.trim() === '') return text('An empty field is 0.');
  if (Number(shown) === 255 && !/^0*255$/.test(typed.trim())) return text('The highest value is 255; {typed} became 255.', { typed });
  if (shown !== typed.replace(/^0+(?=\d)/, '')) return text('{typed} is read as {value}.', { typed, value: shown });
  return '';
}

export class EnemyTable {
  // handlers: hp(m, position), kero(m, index), stat(m, k, text) -> stored value,
  // statText(text) -> {text, selectAll} after an edit, ability(m, slot, text) -> "" or a
  // problem, paste([{enemy, column, text}]) as one change, selection(count, hidden),
  // filtered(shown), focus(hint).
  constructor(table, labels, handlers) {
    this.table = table;
    this.body = table.tBodies[0];
    this.labels = labels;
    this.handlers = handlers;
    this.width = labels.rowValues;
    ({ hp: HP, hpPosition: HP_POSITION, kero: KERO, stats: STATS, count: COUNT, abilities: ABILITIES } = labels.rowLayout);
    this.numbers = labels.enemies.map((label) => label.slice(0, 3));
    this.abilitySlots = Array.from({ length: labels.maxAbilities }, (_, slot) => slot);
    this.cols = ['pick', 'name', 'hp', 'kero', 's0', 's1', 's2', 's3', ...this.abilitySlots.map((slot) => `a${slot}`)];
    this.nameColumns();
    this.columnIndex = Object.fromEntries(this.cols.map((col, c) => [col, c]));
    this.lastChecked = -1;
    this.editing = null;  // {standIn, control, m, col} while a cell is edited
    this.noteArea = document.getElementById('cell-note');
    this.choices = new ChoiceList(document.getElementById('cell-choices'));
    this.abilityKeys = abilityKeys(labels.abilities);
    this.writeHead();
    this.listen();
    onLanguageChange(() => this.languageChanged());
  }

  // The columns' names in the chosen language: the window's labels for HP, ケロ and the
  // stats, the page's words for the rest.
  nameColumns() {
    const labels = this.labels;
    this.columns = [labels.hpField, labels.keroField, ...labels.statFields,
      ...this.abilitySlots.map((slot) => text('Ability {slot}', { slot: slot + 1 }))];
    this.heads = [text('Select'), text('Number and name'), ...this.columns];
  }

  writeHead() {
    const head = this.table.querySelector('#enemy-head');
    const kinds = ['pick', 'name', 'hp', 'kero', 'stat', 'stat', 'stat', 'stat', ...this.abilitySlots.map(() => 'ability')];
    head.innerHTML = this.heads.map((label, i) => `<th scope="col" class="${kinds[i]}" data-col="${this.cols[i]}">${escapeHtml(label)}</th>`).join('');
  }

  // After a switch of language: the headers (in their sort buttons, once there are some),
  // every field's name and mark, and what the table had said.
  languageChanged() {
    this.nameColumns();
    Array.from(this.table.tHead.rows[0].cells).forEach((th, c) => {
      (th.firstElementChild ?? th).textContent = this.heads[c];
    });
    if (!this.rows) return;
    this.nameFields();
    for (const m of this.order) this.waiting.set(m, true);  // the marks' titles, in the new language
    this.drawInView();
    this.drawLater();
    this.note(null, '');
    this.handlers.filtered(this.rows.filter((row) => !row.hidden).length);
    this.selectionChanged();
    const item = this.grid?.current;
    this.handlers.focus(item && document.activeElement === item ? this.hint(item) : '');
  }

  // Starts the keys between cells, once the headers have their sort buttons. The tab
  // stop comes with the first image shown (refresh).
  startGrid(box) {
    this.box = box;
    this.grid = new GridKeys(this, box);
    const drawInView = () => this.drawInView();
    box.addEventListener('scroll', drawInView, { passive: true });
    addEventListener('scroll', drawInView, { passive: true });
    addEventListener('resize', drawInView);
  }

  // Draws every row once, before any image: 200 rows of empty fields, laid out while the
  // page loads, so that opening an image only fills in their values (see show()).
  drawRows() {
    const rows = [];
    for (let m = 0; m < this.numbers.length; m++) rows.push(this.rowHtml(m));
    this.body.innerHTML = rows.join('');
    // Enemy m's row and its stand-ins by column (a cell being edited holds a real control
    // instead), and the enemies top to bottom.
    this.rows = Array.from(this.body.rows);
    this.fields = this.rows.map((row) => {
      const byColumn = {};
      for (const control of row.querySelectorAll('[data-col]')) byColumn[control.dataset.col] = control;
      return byColumn;
    });
    this.order = this.rows.map((_, m) => m);
    // The core's values, and those the fields show, which lag behind in waiting rows.
    this.values = new Int32Array(this.numbers.length * this.width).fill(NOTHING);
    this.drawnValues = this.values.slice();
    this.marked = new Uint8Array(this.values.length);
    this.originals = this.values;
    this.waiting = new Map();  // enemy -> whether all its marks are to be compared anew
  }

  // Shows an opened image's values: only the fields that differ from the last image's
  // are drawn again, and every mark is compared anew.
  build(values, originals) {
    if (this.editing) this.finishEdit(false);
    this.refresh(values, originals, true);
  }

  // Each field is a light stand-in with the field's role, name and value; a real input or
  // list takes its place only while the cell is edited. Two thousand real form controls
  // would take the browser many times longer to draw than the whole table does. The
  // enemy's name, the row's header, describes every field of its row.
  rowHtml(r) {
    const field = (col, role) =>
      `<td><span class="field" tabindex="-1" role="${role}" data-col="${col}" aria-label="${escapeHtml(this.fieldName(r, col))}"`
      + ` aria-describedby="row-${r}"${role === 'combobox' ? ' aria-expanded="false"' : ''}></span></td>`;
    let html = `<tr data-enemy="${r}"><td class="pick"><input type="checkbox" tabindex="-1" data-col="pick" aria-label="${escapeHtml(this.fieldName(r, 'pick'))}"></td>`
      + `<th scope="row" class="name" id="row-${r}" tabindex="-1">${escapeHtml(this.labels.enemies[r])}</th>`
      + field('hp', 'combobox')
      + field('kero', 'combobox');
    for (let k = 0; k < 4; k++) html += field(`s${k}`, 'textbox');
    for (const slot of this.abilitySlots) html += field(`a${slot}`, 'combobox');
    return html + '</tr>';
  }

  // The accessible name of enemy m's field in column `col`, such as "037 攻".
  fieldName(m, col) {
    const number = this.numbers[m];
    if (col === 'pick') return text('Select {number}', { number });
    if (col[0] === 'a') return text('{number} Ability {slot}', { number, slot: Number(col.slice(1)) + 1 });
    return text('{number} {column}', { number, column: this.columns[this.columnIndex[col] - 2] });
  }

  // The rows in the order shown, top to bottom, filtered out ones included.
  shownRows() {
    return this.order.map((m) => this.rows[m]);
  }

  // Shows the enemies in `order`, top to bottom.
  showOrder(order) {
    if (this.editing) this.finishEdit(true);
    this.order = order.slice();
    if (CSS.supports('reading-flow', 'flex-visual')) {
      order.forEach((m, place) => { this.rows[m].style.order = place; });
      // The accessibility tree reads the new order only once the body's children change.
      this.body.append(this.childrenChanged ??= document.createTextNode(''));
      this.childrenChanged.remove();
    } else {
      this.body.append(...this.shownRows());
    }
    this.drawInView();
  }

  // Every field's accessible name, in the language now chosen.
  nameFields() {
    this.fields.forEach((byColumn, m) => {
      for (const [col, field] of Object.entries(byColumn)) field.setAttribute('aria-label', this.fieldName(m, col));
    });
  }

  enemyOf(element) {
    return Number(element.closest('tr').dataset.enemy);
  }

  editable(item) {
    return item.classList.contains('field');
  }

  // HP and ケロ are lists: they open rather than take typing.
  opens(item) {
    return item.dataset.col === 'hp' || item.dataset.col === 'kero';
  }

  isEditing(element) {
    return this.editing !== null && element === this.editing.control;
  }

  // The field a stat or ability stand-in becomes while it is edited, holding its value.
  realControl(standIn) {
    const col = standIn.dataset.col;
    const control = document.createElement('input');
    control.type = 'text';
    control.autocomplete = 'off';
    if (col.startsWith('s')) Object.assign(control, { inputMode: 'numeric', maxLength: 3, size: 3 });
    else {
      control.className = 'ability';
      control.setAttribute('role', 'combobox');
      control.setAttribute('aria-autocomplete', 'list');
    }
    control.value = standIn.textContent;
    control.dataset.col = col;
    for (const name of ['aria-label', 'aria-describedby', 'title']) {
      if (standIn.hasAttribute(name)) control.setAttribute(name, standIn.getAttribute(name));
    }
    return control;
  }

  // The value a list cell (HP, ケロ) holds: its place in its list.
  listValue(m, col) {
    return this.values[m * this.width + (col === 'hp' ? HP_POSITION : KERO)];
  }

  // A list cell keeps the focus and opens its choices under it; a stat or ability cell
  // becomes a text field: `how` 'caret' puts the caret after the value, otherwise the
  // value is selected, so that a typed character replaces it.
  startEdit(standIn, how) {
    if (this.editing) this.finishEdit(true);
    this.drawNow(standIn);
    const m = this.enemyOf(standIn), col = standIn.dataset.col;
    if (this.opens(standIn)) {
      this.editing = { standIn, control: standIn, m, col };
      const all = this.labels[col].map((_, i) => i);
      const reopen = () => this.choices.show(all, this.listValue(m, col));
      this.choices.attach(standIn, this.labels[col], { reopen, onChoose: () => this.finishEdit(true), free: false });
      reopen();
      return;
    }
    const control = this.realControl(standIn);
    this.editing = { standIn, control, m, col };
    standIn.replaceWith(control);
    control.focus({ preventScroll: true });
    if (how === 'caret') control.setSelectionRange(control.value.length, control.value.length);
    else control.select();
    if (col.startsWith('a')) {
      const reopen = () => this.choices.show(abilityMatches(control.value, this.abilityKeys));
      this.choices.attach(control, this.labels.abilities, { reopen, onChoose: () => this.finishEdit(true), free: true });
      control.addEventListener('input', reopen);
    }
  }

  // Ends an edit, storing it or putting the value back, and the stand-in back in its place.
  finishEdit(commit) {
    const editing = this.editing;
    if (!editing) return;
    const { standIn, control } = editing;
    const focused = document.activeElement === control;
    if (commit) this.commit(editing);
    this.editing = null;
    this.choices.detach();
    if (control !== standIn) control.replaceWith(standIn);
    this.grid.adopt(standIn);
    if (focused) standIn.focus({ preventScroll: true });
  }

  commit({ control, m, col }) {
    const at = m * this.width;
    const chosen = this.choices.chosen();
    if (col === 'hp' || col === 'kero') {
      if (chosen >= 0 && chosen !== this.listValue(m, col)) this.handlers[col](m, chosen);
    } else if (col.startsWith('s')) {
      const k = Number(col.slice(1));
      if (control.value !== String(this.values[at + STATS + k])) this.handlers.stat(m, k, control.value);
    } else {
      const slot = Number(col.slice(1));
      const typed = control.value;
      if (chosen < 0 && (typed.trim() === '' || typed === this.labels.abilities[this.values[at + ABILITIES + slot]])) return;
      const found = chosen >= 0 ? { id: chosen } : readAbility(typed, this.labels.abilities, this.abilityKeys);
      const problem = found.problem ?? this.handlers.ability(m, slot, found.number ?? String(found.id));
      if (problem) this.note(control.closest('td'), text('{field}: {note}', { field: control.getAttribute('aria-label'), note: problem }));
    }
  }

  // Keys while a cell is edited: Enter stores and moves down (Shift+Enter up), Tab stores
  // and leaves the table, Esc puts the value back; ← or → at the end of a number's text
  // and ↑ or ↓ in it store and move. In a list of choices the arrow keys, Home, End and
  // the page keys walk the choices, Enter or Space takes one, Esc closes it unchanged.
  editKey(event) {
    const { standIn, col } = this.editing;
    const isList = this.opens(standIn), ability = col.startsWith('a');
    const walk = { ArrowDown: 1, ArrowUp: -1, PageDown: 10, PageUp: -10, Home: -1e4, End: 1e4 }[event.key];
    const vertical = event.key === 'ArrowDown' || event.key === 'ArrowUp';
    if (walk && !event.altKey && (isList || (ability && (vertical || (this.choices.isOpen() && event.key.startsWith('Page')))))) {
      event.preventDefault();
      this.choices.move(walk);
      return;
    }
    let rows = 0, columns = 0;
    switch (event.key) {
      case 'Escape':
        event.preventDefault();
        if (ability && this.choices.isOpen()) this.choices.close();
        else this.finishEdit(false);
        return;
      case 'Tab': this.finishEdit(true); return;
      case 'Enter':
        event.preventDefault();
        this.finishEdit(true);
        if (!isList) this.grid.step(standIn, event.shiftKey ? -1 : 1, 0);
        return;
      case ' ':
        if (!isList) return;
        event.preventDefault();
        this.finishEdit(true);
        return;
      case 'ArrowDown': case 'ArrowUp':
        event.preventDefault();
        if (isList) return this.finishEdit(true);  // Alt+↑ or Alt+↓: take the choice and close
        if (ability) return;
        rows = event.key === 'ArrowUp' ? -1 : 1;
        break;
      case 'ArrowLeft': case 'ArrowRight': {
        const control = event.target;
        if (!col.startsWith('s')) return;
        const edge = event.key === 'ArrowLeft' ? control.selectionEnd === 0 : control.selectionStart === control.value.length;
        if (!edge) return;
        columns = event.key === 'ArrowLeft' ? -1 : 1;
        break;
      }
      default: return;
    }
    event.preventDefault();
    this.finishEdit(true);
    this.grid.step(standIn, rows, columns);
  }

  // A short note beside a cell, for the rule's changes and refusals; a polite live region.
  note(cell, message) {
    const area = this.noteArea;
    clearTimeout(this.noteTimer);
    area.textContent = message;
    if (!message || !cell) return;
    const place = cell.getBoundingClientRect();
    Object.assign(area.style, { left: `${Math.max(4, Math.min(place.left, innerWidth - area.offsetWidth - 4))}px`, top: `${place.bottom + 2}px` });
    this.noteTimer = setTimeout(() => { area.textContent = ''; }, NOTE_SECONDS * 1000);
  }

  // The text a cell shows, as copied.
  cellText(row, c) {
    this.drawNow(row);
    const cell = row.cells[c], item = cell.firstElementChild;
    if (item?.type === 'checkbox') return item.checked ? '1' : '';
    if (item?.hidden) return '';
    if (item && this.isEditing(item)) return this.editing.standIn.textContent;
    return cell.textContent;
  }

  // One pasted value read as typing reads it: the text the core's setter takes, with a
  // note when the rule changed it, or the problem.
  readPasted(m, col, typed) {
    const at = m * this.width;
    if (col === 'hp' || col === 'kero') {
      const index = this.labels[col].indexOf(typed.trim());
      return index >= 0 ? { value: String(index) } : { problem: text('“{typed}” is not one of the choices.', { typed }) };
    }
    if (col.startsWith('s')) {
      const shown = this.handlers.statText(typed).text;
      return { value: shown, note: statNote(typed.slice(0, 3), shown) };
    }
    const slot = Number(col.slice(1));
    if (slot >= this.values[at + COUNT]) return { problem: text('This enemy has no ability in this slot.') };
    const found = readAbility(typed, this.labels.abilities, this.abilityKeys);
    if (found.problem) return found;
    const id = found.id ?? Number(found.number);
    return id < this.labels.abilities.length ? { value: String(id) } : { problem: text('No ability has the number {typed}.', { typed }) };
  }

  // Tab-separated rows pasted from the cell at rows[top], column left: every value through
  // the rules of typing, all of them handed on as one change. Gives the last row and
  // column reached.
  paste(pasted, rows, top, left) {
    const cells = [], notes = [];
    let bottom = top, right = left;
    pasted.forEach((line, i) => {
      const row = rows[top + i];
      if (!row) return;
      bottom = top + i;
      line.forEach((typed, j) => {
        const col = this.cols[left + j];
        if (!col) return;
        right = Math.max(right, left + j);
        if (col === 'pick' || col === 'name') return;
        const m = Number(row.dataset.enemy);
        const read = this.readPasted(m, col, typed);
        const name = this.fields[m][col].getAttribute('aria-label');
        if (read.problem) notes.push(text('{field}: {note}', { field: name, note: read.problem }));
        else {
          if (read.note) notes.push(text('{field}: {note}', { field: name, note: read.note }));
          cells.push({ enemy: m, column: col, text: read.value });
        }
      });
    });
    if (cells.length) this.handlers.paste(cells);
    const outside = pasted.length - (bottom - top + 1);
    if (outside > 0) notes.push(text('{count} rows did not fit below the table’s end and were left out.', { count: outside }));
    this.note(rows[top].cells[left], [text('Pasted {count} values.', { count: cells.length }), ...notes.slice(0, 3)].join(' '));
    return { bottom, right };
  }

  control(m, col) {
    return this.fields[m][col];
  }

  // Takes new values from the core. Only fields whose value or mark changed are touched:
  // at once in the rows in view, later in the others. `remark`: the original or the
  // language changed, so every mark is compared anew.
  refresh(values, originals, remark = false) {
    const since = performance.now();
    remark ||= originals.some((v, i) => v !== this.originals[i]);
    this.values = values.slice();
    this.originals = originals;
    for (let m = 0; m < this.rows.length; m++) {
      if (remark || this.outdated(m)) this.waiting.set(m, remark || this.waiting.get(m) === true);
    }
    this.drawInView();
    const current = this.grid?.current;
    if (current) this.drawNow(current);
    this.drawLater(since);
    if (!this.editing) this.grid?.settle();
  }

  outdated(m) {
    for (let i = m * this.width, end = i + this.width; i < end; i++) {
      if (this.values[i] !== this.drawnValues[i]) return true;
    }
    return false;
  }

  // Draws enemy m's row if it waits; gives how many of its fields changed.
  drawRow(m) {
    if (!this.waiting.has(m)) return 0;
    const remark = this.waiting.get(m);
    this.waiting.delete(m);
    let changed = 0;
    for (let i = m * this.width, field = 0; field < this.width; i++, field++) {
      if (this.values[i] === this.drawnValues[i]) continue;
      this.drawnValues[i] = this.values[i];
      this.show(m, field, this.values[i]);
      changed++;
    }
    this.markEnemy(m, this.values, this.originals, remark);
    return changed;
  }

  // Brings the row holding `element` up to date before it is read or moved into.
  drawNow(element) {
    const row = element.closest('tr');
    if (row?.dataset.enemy !== undefined) this.drawRow(Number(row.dataset.enemy));
  }

  drawInView() {
    if (this.waiting.size) for (const m of this.rowsInView()) this.drawRow(m);
  }

  // The enemies whose rows are in the table's box or within VIEW_MARGIN of it, and in the
  // window, top to bottom.
  rowsInView() {
    if (!this.box) return [];
    const box = this.box.getBoundingClientRect(), margin = box.height * VIEW_MARGIN;
    const top = Math.max(box.top, 0) - margin, bottom = Math.min(box.bottom, innerHeight) + margin;
    if (bottom <= top) return [];
    const shown = this.order.filter((m) => !this.rows[m].hidden);
    const place = (i) => this.rows[shown[i]].getBoundingClientRect();
    // The rows follow each other down the table, so the first one in view is found by halving.
    let low = 0, high = shown.length;
    while (low < high) {
      const middle = (low + high) >> 1;
      if (place(middle).bottom < top) low = middle + 1;
      else high = middle;
    }
    let end = low;
    while (end < shown.length && place(end).top <= bottom) end++;
    return shown.slice(low, end);
  }

  // Draws the waiting rows once the browser has shown the frame with the rows in view:
  // rows scrolled into view since then first, then the others from the top, a frame's
  // worth each time. The table is marked as being drawn until none waits, and the time
  // from the first waiting row to the last drawn is measured.
  drawLater(since = performance.now()) {
    if (!this.waiting.size) {
      if (this.waitingSince === undefined) return;
      delete this.table.dataset.drawing;
      void document.body.offsetHeight;
      performance.measure('vesk-all-rows-drawn', { start: this.waitingSince, end: performance.now() });
      this.waitingSince = undefined;
      return;
    }
    this.waitingSince ??= since;
    this.table.dataset.drawing = 'true';
    if (this.drawing) return;
    this.drawing = true;
    requestAnimationFrame(() => setTimeout(() => {
      this.drawing = false;
      this.drawInView();
      let fields = 0;
      for (const m of this.order) {
        if (fields >= FIELDS_PER_FRAME) break;
        if (this.waiting.has(m)) fields += 1 + this.drawRow(m);
      }
      this.drawLater();
    }));
  }

  show(m, field, value) {
    if (field === COUNT) {
      // Slots past the enemy's ability count stay in the row, hidden; the empty cell
      // takes the focus in their place, named as the field would be.
      for (const slot of this.abilitySlots) {
        const field = this.control(m, `a${slot}`), hide = slot >= value;
        if (field.hidden !== hide) field.hidden = hide;
        const cell = this.rows[m].cells[this.columnIndex[`a${slot}`]];
        const name = hide ? field.getAttribute('aria-label') : null;
        if (cell.getAttribute('aria-label') === name) continue;
        if (hide) cell.setAttribute('aria-label', name);
        else cell.removeAttribute('aria-label');
      }
      return;
    }
    let control = null, shown = '';
    if (field === HP_POSITION) [control, shown] = [this.control(m, 'hp'), this.labels.hp[value]];
    else if (field === KERO) [control, shown] = [this.control(m, 'kero'), this.labels.kero[value]];
    else if (field >= STATS && field < COUNT) [control, shown] = [this.control(m, `s${field - STATS}`), String(value)];
    else if (field >= ABILITIES) [control, shown] = [this.control(m, `a${field - ABILITIES}`), value >= 0 ? this.labels.abilities[value] : ''];
    if (control) setText(control, shown);
  }

  // A field is marked when its value differs from the original; its title and the hint
  // line say what the original was.
  markEnemy(m, values, originals, force) {
    const at = m * this.width;
    this.mark(m, 'hp', at + HP, values, originals, force,
      (v, i) => text('{hp} (entry {index} of the HP list)', { hp: this.labels.hp[originals[i - HP + HP_POSITION]], index: v }));
    this.mark(m, 'kero', at + KERO, values, originals, force, (v) => this.labels.kero[v]);
    for (let k = 0; k < this.labels.statFields.length; k++) this.mark(m, `s${k}`, at + STATS + k, values, originals, force, (v) => String(v));
    for (const slot of this.abilitySlots) {
      this.mark(m, `a${slot}`, at + ABILITIES + slot, values, originals, force,
        (v) => (v < 0 ? text('No ability') : this.labels.abilities[v]));
    }
  }

  // `force`: the original or the language changed, so the mark is compared with what it
  // shows.
  mark(m, col, i, values, originals, force, describe) {
    const differs = values[i] !== originals[i] ? 1 : 0;
    if (differs === this.marked[i] && !force) return;
    this.marked[i] = differs;
    const control = this.control(m, col), cell = this.rows[m].cells[this.columnIndex[col]];
    if (cell.classList.contains('changed') !== (differs === 1)) cell.classList.toggle('changed', differs === 1);
    const title = differs ? text('Original value: {value}', { value: describe(originals[i], i) }) : null;
    if (title === null) {
      if (control.hasAttribute('title')) control.removeAttribute('title');
    } else if (control.title !== title) {
      control.title = title;
    }
  }

  // Shows only the rows the filter asks for; gives how many that is.
  filter(wanted) {
    if (this.editing) this.finishEdit(true);
    const matches = filterMatcher(wanted, this.labels.enemies);
    let shown = 0;
    this.rows.forEach((row, m) => {
      const show = matches(m);
      if (row.hidden === show) row.hidden = !show;
      shown += show;
    });
    this.drawInView();
    this.grid.settle();
    this.handlers.filtered(shown);
    this.selectionChanged();
    return shown;
  }

  selectedEnemies() {
    return this.rows.filter((row) => row.cells[0].firstChild.checked).map((row) => Number(row.dataset.enemy));
  }

  hiddenSelected() {
    return this.rows.filter((row) => row.hidden && row.cells[0].firstChild.checked).length;
  }

  selectionChanged() {
    this.handlers.selection(this.selectedEnemies().length, this.hiddenSelected());
  }

  selectShown(on) {
    for (const row of this.rows) if (!row.hidden || !on) row.cells[0].firstChild.checked = on;
    this.selectionChanged();
  }

  // What the hint line says about a focused field: its original value, when it differs.
  hint(item) {
    return item.title ? text('{field}: {note}', { field: item.getAttribute('aria-label'), note: item.title }) : '';
  }

  listen() {
    const body = this.body;
    body.addEventListener('focusin', (event) => {
      const item = event.target;
      this.drawNow(item);
      this.handlers.focus(this.hint(item));
    });
    body.addEventListener('focusout', (event) => {
      if (this.isEditing(event.target)) this.finishEdit(true);
    });
    // A stat field takes a typed character only when it is a digit, and three at most, as
    // the window's does; whatever an edit leaves in it then goes through the core's one
    // rule. What the rule refuses or changes is said beside the cell.
    body.addEventListener('beforeinput', (event) => {
      const input = event.target;
      if (!input.dataset.col?.startsWith('s') || event.inputType !== 'insertText' || !event.data) return;
      const cell = input.closest('td');
      if (/[^0-9]/.test(event.data)) {
        event.preventDefault();
        this.note(cell, text('Only digits can be typed here.'));
      } else if (input.value.length - (input.selectionEnd - input.selectionStart) + event.data.length > 3) {
        this.note(cell, text('At most three digits.'));
      }
    });
    body.addEventListener('input', (event) => {
      const input = event.target;
      if (!input.dataset.col?.startsWith('s')) return;
      const typed = input.value;
      const shown = this.handlers.statText(typed);
      const said = statNote(typed, shown.text);
      if (said) this.note(input.closest('td'), said);
      if (shown.text !== typed) input.value = shown.text;
      if (shown.selectAll) input.select();
      else input.setSelectionRange(input.value.length, input.value.length);
    });
    body.addEventListener('click', (event) => {
      const box = event.target;
      if (box.dataset.col !== 'pick') return;
      const m = Number(box.closest('tr').dataset.enemy);
      if (event.shiftKey && this.lastChecked >= 0) {
        // The range as the rows are shown, which a sort may have reordered.
        const shown = this.shownRows();
        const ends = [shown.indexOf(this.rows[m]), shown.indexOf(this.rows[this.lastChecked])];
        for (const row of shown.slice(Math.min(...ends), Math.max(...ends) + 1)) {
          if (!row.hidden) row.cells[0].firstChild.checked = box.checked;
        }
      }
      this.lastChecked = m;
      this.selectionChanged();
    });
  }
}
