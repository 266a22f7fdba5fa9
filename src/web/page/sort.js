// Sorting the table by a column, as a sortable table does: each header is a button;
// pressing it sorts ascending, again descending, a third time back to enemy order, and
// aria-sort on the header says which. Only the order of the enemies shown changes, never an
// enemy's number, values or selection. The order is taken when a header is pressed, so a
// row does not run away from the field being edited, and again when an image is opened.
import { columnValues, orderBy } from './fields.js';

const NEXT = { none: 'ascending', ascending: 'descending', descending: 'none' };

export class TableSort {
  // table: the EnemyTable, which shows the enemies in the order it is given.
  constructor(table, labels) {
    this.table = table;
    this.value = columnValues(labels);
    this.column = null;
    this.direction = 'none';
    this.heads = Array.from(table.table.tHead.rows[0].cells).filter((th) => th.dataset.col && th.dataset.col !== 'pick');
    for (const th of this.heads) {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = th.textContent;
      button.addEventListener('click', () => this.press(th.dataset.col));
      th.replaceChildren(button);
    }
    document.addEventListener('vesk-table-drawn', () => { if (this.column) this.arrange(); });
  }

  press(col) {
    this.direction = col === this.column ? NEXT[this.direction] : 'ascending';
    this.column = this.direction === 'none' ? null : col;
    for (const th of this.heads) {
      if (th.dataset.col === this.column) th.setAttribute('aria-sort', this.direction);
      else th.removeAttribute('aria-sort');
    }
    this.arrange();
  }

  // Shows the enemies in the order of the sorted column's current values, or in enemy order.
  arrange() {
    const start = performance.now();
    const { rows, values } = this.table;
    const order = this.column
      ? orderBy(rows.length, (m) => this.value(this.column, values, m), this.direction)
      : rows.map((_, m) => m);
    this.table.showOrder(order);
    void document.body.offsetHeight;  // lay out the new order, inside the measure
    performance.measure('vesk-sort', { start, end: performance.now() });
  }
}
