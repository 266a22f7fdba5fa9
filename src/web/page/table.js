// The table of all 200 enemies: one row each, a field per editable value, marks on the
// fields that differ from the original image. Every label comes from the core.

// Where each field sits in an enemy's row of values: handed over by the core.
let HP, HP_POSITION, KERO, STATS, COUNT, ABILITIES;

function escapeHtml(text) {
  return text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
}

export class EnemyTable {
  // handlers: hp(m, position), kero(m, index), stat(m, k, text) -> stored value,
  // statText(text) -> {text, selectAll} after an edit, ability(m, slot, text) -> "" or a problem,
  // selection(count), problem(text).
  constructor(table, labels, handlers) {
    this.table = table;
    this.body = table.tBodies[0];
    this.labels = labels;
    this.handlers = handlers;
    this.width = labels.rowValues;
    ({ hp: HP, hpPosition: HP_POSITION, kero: KERO, stats: STATS, count: COUNT, abilities: ABILITIES } = labels.rowLayout);
    this.numbers = labels.enemies.map((label) => label.slice(0, 3));
    this.abilityColumns = Array.from({ length: labels.maxAbilities }, (_, i) => `能力${i + 1}`);
    this.columns = [labels.hpField, labels.keroField, ...labels.statFields, ...this.abilityColumns];
    this.hpOptions = labels.hp.map((text, p) => `<option value="${p}">${escapeHtml(text)}</option>`).join('');
    this.keroOptions = labels.kero.map((text, p) => `<option value="${p}">${escapeHtml(text)}</option>`).join('');
    this.lastChecked = -1;
    this.writeHead();
    this.listen();
  }

  writeHead() {
    const head = this.table.querySelector('#enemy-head');
    const kinds = ['pick', 'name', 'hp', 'kero', 'stat', 'stat', 'stat', 'stat', ...this.abilityColumns.map(() => 'ability')];
    const cells = ['選択', '番号・名前', ...this.columns];
    const cols = ['pick', 'name', 'hp', 'kero', 's0', 's1', 's2', 's3', ...this.abilityColumns.map((_, slot) => `a${slot}`)];
    head.innerHTML = cells.map((text, i) => `<th scope="col" class="${kinds[i]}" data-col="${cols[i]}">${escapeHtml(text)}</th>`).join('');
  }

  // Draws every row once, before any image: 200 rows of empty fields, laid out while the
  // page loads, so that opening an image only fills in their values (see show()).
  drawRows() {
    const rows = [];
    for (let m = 0; m < this.numbers.length; m++) rows.push(this.rowHtml(m));
    this.body.innerHTML = rows.join('');
    this.rows = Array.from(this.body.rows);
    // Each row's fields by column, kept up to date as stand-ins turn into controls.
    this.fields = this.rows.map((row) => {
      const byColumn = {};
      for (const control of row.querySelectorAll('[data-col]')) byColumn[control.dataset.col] = control;
      return byColumn;
    });
    this.values = new Int32Array(this.numbers.length * this.width).fill(-2);
    this.marked = new Uint8Array(this.values.length);
    this.originals = this.values;
  }

  // Shows an opened image's values.
  build(values, originals) {
    this.marked.fill(0);
    for (const cell of this.body.querySelectorAll('td.changed')) cell.classList.remove('changed');
    this.values.fill(-2);
    this.refresh(values, originals);
  }

  // Each field starts as a light stand-in with the field's role, name and value; the real
  // input or list takes its place when the field gets focus. Two thousand real form
  // controls would take the browser many times longer to draw than the whole table does.
  rowHtml(m) {
    const number = this.numbers[m];
    const field = (col, role, column) =>
      `<td><span class="field" tabindex="0" role="${role}" data-col="${col}" aria-label="${number} ${escapeHtml(column)}"`
      + `${role === 'combobox' ? ' aria-expanded="false"' : ''}></span></td>`;
    let html = `<tr data-enemy="${m}"><td class="pick"><input type="checkbox" data-col="pick" aria-label="${number} 選択"></td>`
      + `<th scope="row" class="name">${escapeHtml(this.labels.enemies[m])}</th>`
      + field('hp', 'combobox', this.columns[0])
      + field('kero', 'combobox', this.columns[1]);
    for (let k = 0; k < 4; k++) html += field(`s${k}`, 'textbox', this.columns[2 + k]);
    for (let slot = 0; slot < this.labels.maxAbilities; slot++) html += field(`a${slot}`, 'combobox', this.columns[6 + slot]);
    return html + '</tr>';
  }

  // The real control for a stand-in, holding the row's current value.
  realControl(standIn) {
    const col = standIn.dataset.col;
    const m = Number(standIn.closest('tr').dataset.enemy);
    const at = m * this.width;
    let control;
    if (col === 'hp' || col === 'kero') {
      control = document.createElement('select');
      control.innerHTML = col === 'hp' ? this.hpOptions : this.keroOptions;
      control.value = String(this.values[at + (col === 'hp' ? HP_POSITION : KERO)]);
    } else {
      control = document.createElement('input');
      control.type = 'text';
      control.autocomplete = 'off';
      if (col.startsWith('s')) {
        Object.assign(control, { inputMode: 'numeric', maxLength: 3, size: 3 });
      } else {
        control.className = 'ability';
        control.setAttribute('list', 'ability-labels');
      }
      control.value = standIn.textContent;
    }
    control.dataset.col = col;
    control.setAttribute('aria-label', standIn.getAttribute('aria-label'));
    if (standIn.title) control.title = standIn.title;
    return control;
  }

  upgrade(standIn) {
    const control = this.realControl(standIn);
    standIn.replaceWith(control);
    this.fields[Number(control.closest('tr').dataset.enemy)][control.dataset.col] = control;
    control.focus();
    if (control.select) control.select();
    return control;
  }

  control(m, col) {
    return this.fields[m][col];
  }

  // Shows new values from the core: only fields whose value or mark changed are touched.
  refresh(values, originals) {
    for (let i = 0; i < values.length; i++) {
      if (values[i] === this.values[i]) continue;
      const m = Math.floor(i / this.width), field = i % this.width;
      this.show(m, field, values[i]);
    }
    const originalsChanged = originals.some((v, i) => v !== this.originals[i]);
    this.values = values.slice();
    this.originals = originals;
    this.markAll(values, originals, originalsChanged);
  }

  show(m, field, value) {
    if (field === COUNT) {
      // Slots past the enemy's ability count stay in the row, hidden.
      for (let slot = 0; slot < this.labels.maxAbilities; slot++) this.control(m, `a${slot}`).hidden = slot >= value;
      return;
    }
    let control = null, text = '', choice = String(value);
    if (field === HP_POSITION) [control, text] = [this.control(m, 'hp'), this.labels.hp[value]];
    else if (field === KERO) [control, text] = [this.control(m, 'kero'), this.labels.kero[value]];
    else if (field >= STATS && field < COUNT) [control, text] = [this.control(m, `s${field - STATS}`), choice];
    else if (field >= ABILITIES && value >= 0) {
      [control, text] = [this.control(m, `a${field - ABILITIES}`), this.labels.abilities[value]];
      choice = text;
    }
    if (!control) return;
    if (control.tagName === 'SPAN') control.textContent = text;
    else control.value = choice;
  }

  // A field is marked when its value differs from the original; its title and the hint
  // line say what the original was.
  markAll(values, originals, force) {
    for (let m = 0; m < this.rows.length; m++) {
      const at = m * this.width;
      this.mark(m, 'hp', at + HP, values, originals, force, (v, i) => `${this.labels.hp[originals[i - HP + HP_POSITION]]} (hp_index ${v})`);
      this.mark(m, 'kero', at + KERO, values, originals, force, (v) => this.labels.kero[v]);
      for (let k = 0; k < this.labels.statFields.length; k++) this.mark(m, `s${k}`, at + STATS + k, values, originals, force, (v) => String(v));
      for (let slot = 0; slot < this.labels.maxAbilities; slot++) {
        this.mark(m, `a${slot}`, at + ABILITIES + slot, values, originals, force,
          (v) => (v < 0 ? 'なし' : this.labels.abilities[v]));
      }
    }
  }

  mark(m, col, i, values, originals, force, describe) {
    const differs = values[i] !== originals[i] ? 1 : 0;
    if (differs === this.marked[i] && !(differs && force)) return;
    this.marked[i] = differs;
    const control = this.control(m, col);
    if (!control) return;
    control.parentElement.classList.toggle('changed', differs === 1);
    if (differs) {
      control.title = `元の値: ${describe(originals[i], i)}`;
    } else {
      control.removeAttribute('title');
    }
  }

  filter(text) {
    const wanted = text.trim();
    const number = /^\d+$/.test(wanted) ? Number(wanted) : -1;
    this.rows.forEach((row, m) => {
      row.hidden = wanted !== '' && m !== number && !this.labels.enemies[m].includes(wanted);
    });
  }

  selectedEnemies() {
    return this.rows.filter((row) => row.cells[0].firstChild.checked).map((row) => Number(row.dataset.enemy));
  }

  selectShown(on) {
    for (const row of this.rows) if (!row.hidden || !on) row.cells[0].firstChild.checked = on;
    this.handlers.selection(this.selectedEnemies().length);
  }

  listen() {
    const body = this.body;
    body.addEventListener('focusin', (event) => {
      let control = event.target;
      if (control.classList.contains('field')) control = this.upgrade(control);
      this.handlers.focus(control.title ? `${control.getAttribute('aria-label')}: ${control.title}` : '');
    });
    // A stat field takes a typed character only when it is a digit, as the window's does;
    // whatever an edit leaves in it then goes through the core's one rule.
    body.addEventListener('beforeinput', (event) => {
      if (!event.target.dataset.col?.startsWith('s') || event.inputType !== 'insertText') return;
      if (event.data && /[^0-9]/.test(event.data)) event.preventDefault();
    });
    body.addEventListener('input', (event) => {
      const input = event.target;
      if (!input.dataset.col?.startsWith('s')) return;
      const shown = this.handlers.statText(input.value);
      if (shown.text !== input.value) input.value = shown.text;
      if (shown.selectAll) input.select();
      else input.setSelectionRange(input.value.length, input.value.length);
    });
    body.addEventListener('change', (event) => this.changed(event.target));
    body.addEventListener('pointerdown', (event) => {
      const standIn = event.target.firstElementChild;
      if (event.target.tagName === 'TD' && standIn?.classList.contains('field')) {
        event.preventDefault();
        standIn.focus();
      }
    });
    body.addEventListener('click', (event) => {
      const box = event.target;
      if (box.dataset.col !== 'pick') return;
      const m = Number(box.closest('tr').dataset.enemy);
      if (event.shiftKey && this.lastChecked >= 0) {
        // The range as the rows are shown, which a sort may have reordered.
        const shown = Array.from(this.body.rows);
        const ends = [shown.indexOf(this.rows[m]), shown.indexOf(this.rows[this.lastChecked])];
        for (const row of shown.slice(Math.min(...ends), Math.max(...ends) + 1)) {
          if (!row.hidden) row.cells[0].firstChild.checked = box.checked;
        }
      }
      this.lastChecked = m;
      this.handlers.selection(this.selectedEnemies().length);
    });
    body.addEventListener('keydown', (event) => this.navigate(event));
  }

  changed(control) {
    const col = control.dataset.col;
    if (!col || col === 'pick') return;
    const m = Number(control.closest('tr').dataset.enemy);
    if (col === 'hp') this.handlers.hp(m, Number(control.value));
    else if (col === 'kero') this.handlers.kero(m, Number(control.value));
    else if (col.startsWith('s')) control.value = String(this.handlers.stat(m, Number(col.slice(1)), control.value));
    else if (col.startsWith('a')) {
      const slot = Number(col.slice(1));
      const problem = this.handlers.ability(m, slot, control.value);
      if (problem) {
        this.handlers.problem(`${control.getAttribute('aria-label')}: ${problem}`);
        control.value = this.labels.abilities[this.values[m * this.width + ABILITIES + slot]];
      }
    }
  }

  // Spreadsheet moves: Enter and Shift+Enter down and up, Ctrl+arrows from any field, and
  // plain arrows in the stat fields (sideways only at the edge of the text).
  navigate(event) {
    const control = event.target;
    const col = control.dataset.col;
    if (!col) return;
    const stat = col.startsWith('s') && control.tagName === 'INPUT';
    const atStart = stat && control.selectionStart === 0 && control.selectionEnd === 0;
    const atEnd = stat && control.selectionStart === control.value.length;
    let move = null;
    if (event.key === 'Enter' && control.tagName !== 'BUTTON') move = event.shiftKey ? 'up' : 'down';
    else if (event.ctrlKey || stat) {
      if (event.key === 'ArrowUp') move = 'up';
      else if (event.key === 'ArrowDown') move = 'down';
      else if (event.key === 'ArrowLeft' && (event.ctrlKey || atStart)) move = 'left';
      else if (event.key === 'ArrowRight' && (event.ctrlKey || atEnd)) move = 'right';
    }
    if (!move) return;
    const target = this.neighbour(control, move);
    if (!target) return;
    event.preventDefault();
    if (control.tagName === 'INPUT' && control.type === 'text') this.changed(control);
    target.focus();  // a stand-in turns into its control here
    const focused = document.activeElement;
    if (focused.select) focused.select();
  }

  neighbour(control, move) {
    const row = control.closest('tr');
    const controls = (r) => Array.from(r.querySelectorAll('[data-col]'));
    if (move === 'left' || move === 'right') {
      const list = controls(row);
      return list[list.indexOf(control) + (move === 'left' ? -1 : 1)] ?? null;
    }
    // The row above or below as shown, which a sort may have reordered.
    let next = row;
    do next = move === 'up' ? next.previousElementSibling : next.nextElementSibling; while (next?.hidden);
    if (!next) return null;
    const list = controls(next);
    return list.find((c) => c.dataset.col === control.dataset.col) ?? list[list.length - 1];
  }
}
