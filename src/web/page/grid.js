// The enemy table as a WAI-ARIA grid: one tab stop whose place moves with the focus (a
// roving tabindex), arrow keys and the spreadsheet keys between cells, a range of cells
// chosen with Shift or by dragging, copied and pasted as tab-separated text. Editing a
// cell is the table's own business (EnemyTable.startEdit / editKey); this only moves.

// Tab-separated text as spreadsheets copy it: a cell in double quotes may hold tabs,
// line breaks and doubled quotes. A final line break ends the last row, not a new one.
export function parseTsv(tsv) {
  const rows = [];
  let row = [], cell = '', i = 0;
  while (i < tsv.length) {
    const c = tsv[i];
    if (c === '"' && cell === '') {
      let j = i + 1;
      while (j < tsv.length && !(tsv[j] === '"' && tsv[j + 1] !== '"')) j += tsv[j] === '"' ? 2 : 1;
      cell = tsv.slice(i + 1, j).replace(/""/g, '"');
      i = j + 1;
      continue;
    }
    if (c === '\t') { row.push(cell); cell = ''; } else if (c === '\n' || c === '\r') {
      if (c === '\r' && tsv[i + 1] === '\n') i++;
      row.push(cell); rows.push(row); row = []; cell = '';
    } else cell += c;
    i++;
  }
  if (cell !== '' || row.length) { row.push(cell); rows.push(row); }
  return rows;
}

function tsvCell(value) {
  return /[\t\n\r"]/.test(value) ? `"${value.replace(/"/g, '""')}"` : value;
}

export class GridKeys {
  // owner: the EnemyTable, which knows what a cell holds and how it is edited.
  constructor(owner, box) {
    this.owner = owner;
    this.table = owner.table;
    this.box = box;
    this.current = null;
    this.anchor = null;  // {row, c}: where a range starts; the focused cell is its other end
    this.painted = [];
    this.dragging = false;
    this.table.setAttribute('role', 'grid');
    this.table.setAttribute('aria-multiselectable', 'true');
    for (const item of this.table.tHead.querySelectorAll('button')) item.tabIndex = -1;
    this.listen();
  }

  // Header row first, then the body rows as shown (sorted, without the filtered-out ones).
  shownRows() {
    return [this.table.tHead.rows[0], ...this.owner.shownRows().filter((r) => !r.hidden)];
  }

  // What takes the focus in a cell: its control, the header's button, or the cell itself.
  item(row, c) {
    const cell = row.cells[c];
    const child = cell.firstElementChild;
    if (row.parentElement === this.table.tHead) return child?.tagName === 'BUTTON' ? child : cell;
    return child && !child.hidden ? child : cell;
  }

  position(element) {
    const cell = element.closest('td, th');
    return cell && this.table.contains(cell) ? { row: cell.parentElement, c: cell.cellIndex, cell } : null;
  }

  // Makes `item` the grid's one tab stop.
  adopt(item) {
    if (this.current && this.current !== item) this.current.tabIndex = -1;
    item.tabIndex = 0;
    this.current = item;
  }

  // The tab stop when none is set yet, or when a filter hid the row it was on or the
  // field it was on went (an ability slot past a new count).
  settle() {
    if (this.current?.hidden) this.adopt(this.current.closest('td'));
    if (this.current?.isConnected && !this.current.closest('tr').hidden) return;
    const rows = this.shownRows();
    const column = this.current ? Math.max(0, this.position(this.current)?.c ?? 2) : 2;
    this.adopt(this.item(rows[Math.min(1, rows.length - 1)], column));
    this.clearRange();
  }

  focusItem(item) {
    this.adopt(item);
    item.focus({ preventScroll: true });
    this.reveal(item.closest('td, th'));
  }

  // Scrolls the cell fully into view, clear of the sticky header row and name column.
  reveal(cell) {
    const head = this.table.tHead;
    const inHead = head.contains(cell), sticky = cell.cellIndex === 1;
    this.box.style.scrollPaddingTop = inHead ? '0px' : `${head.offsetHeight}px`;
    this.box.style.scrollPaddingLeft = sticky ? '0px' : `${head.rows[0].cells[1].offsetWidth}px`;
    cell.scrollIntoView({ block: 'nearest', inline: 'nearest' });
  }

  moveTo(row, c, extend) {
    const inBody = row.parentElement !== this.table.tHead;
    if (!(extend && inBody && this.anchor)) this.anchor = inBody ? { row, c } : null;
    this.owner.drawNow(row);
    this.focusItem(this.item(row, c));
    this.paintRange();
  }

  // From the item with the focus by rows and columns, as a finished edit moves on.
  step(item, rowsBy, columnsBy) {
    const { row, c } = this.position(item);
    const rows = this.shownRows();
    const r = Math.min(rows.length - 1, Math.max(1, rows.indexOf(row) + rowsBy));
    this.moveTo(rows[r], Math.min(this.columnCount() - 1, Math.max(0, c + columnsBy)), false);
  }

  columnCount() {
    return this.table.tHead.rows[0].cells.length;
  }

  // The range as [first row, last row] indexes into shownRows() and [first, last] columns.
  range() {
    const focus = this.current && this.position(this.current);
    if (!this.anchor || !focus || focus.row.parentElement === this.table.tHead) return null;
    const rows = this.shownRows();
    const a = rows.indexOf(this.anchor.row), b = rows.indexOf(focus.row);
    if (a < 1) return null;
    return { rows, top: Math.min(a, b), bottom: Math.max(a, b),
      left: Math.min(this.anchor.c, focus.c), right: Math.max(this.anchor.c, focus.c) };
  }

  clearRange() {
    for (const cell of this.painted) { cell.classList.remove('in-range'); cell.removeAttribute('aria-selected'); }
    this.painted = [];
  }

  paintRange() {
    this.clearRange();
    const range = this.range();
    if (!range || (range.top === range.bottom && range.left === range.right)) return;
    for (let r = range.top; r <= range.bottom; r++) {
      for (let c = range.left; c <= range.right; c++) {
        const cell = range.rows[r].cells[c];
        cell.classList.add('in-range');
        cell.setAttribute('aria-selected', 'true');
        this.painted.push(cell);
      }
    }
  }

  // Rows and columns of the range, or of the focused cell alone.
  selectedBlock() {
    const range = this.range();
    if (range) return range;
    const focus = this.position(this.current);
    const rows = this.shownRows();
    const r = rows.indexOf(focus.row);
    return { rows, top: r, bottom: r, left: focus.c, right: focus.c };
  }

  copyText() {
    const { rows, top, bottom, left, right } = this.selectedBlock();
    const lines = [];
    for (let r = top; r <= bottom; r++) {
      const cells = [];
      for (let c = left; c <= right; c++) cells.push(tsvCell(this.owner.cellText(rows[r], c)));
      lines.push(cells.join('\t'));
    }
    return lines.join('\n');
  }

  ownsFocus() {
    const active = document.activeElement;
    return this.table.contains(active) && !this.owner.isEditing(active);
  }

  key(event) {
    const item = event.target;
    if (this.owner.isEditing(item)) return this.owner.editKey(event);
    const at = this.position(item);
    if (!at) return;
    const rows = this.shownRows();
    const ctrl = event.ctrlKey || event.metaKey;
    const last = this.columnCount() - 1, bottom = rows.length - 1;
    let r = rows.indexOf(at.row), c = at.c;
    const page = () => Math.max(1, Math.floor((this.box.clientHeight - this.table.tHead.offsetHeight)
      / Math.max(1, rows[Math.max(1, r)].offsetHeight)));
    switch (event.key) {
      case 'ArrowUp': r = ctrl ? 1 : r - 1; break;
      case 'ArrowDown':
        if (event.altKey) { if (this.owner.opens(item)) this.owner.startEdit(item, 'open'); event.preventDefault(); return; }
        r = ctrl ? bottom : r + 1; break;
      case 'ArrowLeft': c = ctrl ? 0 : c - 1; break;
      case 'ArrowRight': c = ctrl ? last : c + 1; break;
      case 'Home': if (ctrl) r = 1; c = 0; break;
      case 'End': if (ctrl) r = bottom; c = last; break;
      case 'PageUp': r = Math.max(1, r - page()); break;
      case 'PageDown': r += page(); break;
      case 'Escape': this.anchor = { row: at.row, c }; this.clearRange(); return;
      case 'Enter': case 'F2': case ' ':
        if (this.owner.editable(item) && (event.key !== ' ' || this.owner.opens(item))) {
          event.preventDefault();
          this.owner.startEdit(item, this.owner.opens(item) ? 'open' : event.key === 'F2' ? 'caret' : 'all');
        }
        return;
      default:
        // A character typed on a text cell starts editing it, the character replacing the
        // value (Backspace or Delete emptying it): the browser puts the key into the field
        // that has the focus by then.
        if ((event.key.length === 1 || ['Process', 'Backspace', 'Delete'].includes(event.key)) && !ctrl && !event.altKey && this.owner.editable(item) && !this.owner.opens(item)) {
          this.owner.startEdit(item, 'all');
        }
        return;
    }
    event.preventDefault();
    r = Math.min(bottom, Math.max(0, r));
    c = Math.min(last, Math.max(0, c));
    this.moveTo(rows[r], c, event.shiftKey);
  }

  listen() {
    const table = this.table, body = table.tBodies[0];
    table.addEventListener('keydown', (event) => this.key(event));
    table.addEventListener('focusin', (event) => {
      if (this.owner.isEditing(event.target)) return;
      if (this.position(event.target)) this.adopt(event.target);
    });
    // A press on a cell focuses it (Shift extends the range, dragging draws one); a second
    // press on the focused cell, or a tap, starts editing it.
    body.addEventListener('pointerdown', (event) => {
      const at = this.position(event.target);
      if (!at || this.owner.isEditing(event.target) || event.button !== 0) return;
      const item = this.item(at.row, at.c);
      this.pressed = item === this.current && document.activeElement === item;
      if (item.type === 'checkbox') return;
      event.preventDefault();
      this.moveTo(at.row, at.c, event.shiftKey);
      this.dragging = event.pointerType === 'mouse';
    });
    body.addEventListener('pointerover', (event) => {
      if (!this.dragging || !(event.buttons & 1)) { this.dragging = false; return; }
      const at = this.position(event.target);
      if (at && at.row.parentElement === body) this.moveTo(at.row, at.c, true);
    });
    document.addEventListener('pointerup', () => { this.dragging = false; });
    body.addEventListener('click', (event) => {
      const item = event.target.closest('.field');
      if (!item || event.shiftKey || !this.owner.editable(item) || this.owner.isEditing(item)) return;
      if (this.pressed || event.pointerType === 'touch' || event.pointerType === 'pen') {
        this.owner.startEdit(item, this.owner.opens(item) ? 'open' : 'all');
      }
    });
    document.addEventListener('copy', (event) => {
      if (!this.ownsFocus()) return;
      event.preventDefault();
      event.clipboardData.setData('text/plain', this.copyText());
    });
    document.addEventListener('paste', (event) => {
      if (!this.ownsFocus()) return;
      const { rows, top, left } = this.selectedBlock();
      if (top < 1) return;
      event.preventDefault();
      const pasted = parseTsv(event.clipboardData.getData('text/plain'));
      const done = this.owner.paste(pasted, rows, top, left);
      if (done) {
        this.anchor = { row: rows[top], c: left };
        this.moveTo(rows[done.bottom], done.right, true);
      }
    });
  }
}
