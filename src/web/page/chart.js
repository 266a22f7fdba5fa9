// The balance chart: one chosen field of all 200 enemies as SVG bars (the edited image)
// with a short line on each (the original), by enemy number or by value. Selected rows
// get a dark bar and a mark under the axis. It is redrawn in the frame after a change,
// touching only the points whose place, values or selection changed. The table holds the
// same numbers as text; the points are one tab stop, moved through with the arrow keys.
import { columnValues, orderBy } from './fields.js';
import { text, onLanguageChange } from './text.js';

const SVG = 'http://www.w3.org/2000/svg';
const SLOT = 5, BAR = 4, LEFT = 52, TOP = 10, HEIGHT = 200, BELOW = 30;

function svg(name, attributes = {}, parent = null) {
  const element = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
  if (parent) parent.append(element);
  return element;
}

// A round top for the scale: 255 -> 300, 25690 -> 30000.
function scaleTop(largest) {
  if (largest <= 0) return 1;
  const step = 10 ** Math.floor(Math.log10(largest));
  return Math.ceil(largest / step) * step;
}

export class BalanceChart {
  // elements: {svg, field (select), sorted (checkbox), readout}; table: the EnemyTable.
  constructor(elements, table, labels) {
    Object.assign(this, elements);
    this.table = table;
    this.labels = labels;
    this.value = columnValues(labels);
    this.count = labels.enemies.length;
    this.frame = 0;
    this.top = -1;
    const fields = [['hp', labels.hpField], ['kero', labels.keroField], ...labels.statFields.map((label, k) => [`s${k}`, label])];
    this.field.replaceChildren(...fields.map(([col, label]) => new Option(label, col)));
    this.fieldLabels = Object.fromEntries(fields);
    this.drawFrame();
    onLanguageChange(() => {
      this.byValue.textContent = text('Smallest value first →');
      for (const point of this.points) point.state = '';
      this.schedule();
    });
    this.points = Array.from({ length: this.count }, (_, m) => this.makePoint(m));
    this.order = this.points.map((_, m) => m);
    this.current = 0;
    this.points[0].g.setAttribute('tabindex', '0');
    this.listen();
  }

  drawFrame() {
    const width = LEFT + this.count * SLOT + 8;
    this.svg.setAttribute('viewBox', `0 0 ${width} ${TOP + HEIGHT + BELOW}`);
    this.axis = svg('g', { class: 'axis', 'aria-hidden': 'true' }, this.svg);
    svg('line', { x1: LEFT, x2: width, y1: TOP + HEIGHT, y2: TOP + HEIGHT }, this.axis);
    this.ticks = [0, 0.5, 1].map((part) => {
      const y = TOP + HEIGHT * (1 - part);
      svg('line', { x1: LEFT - 4, x2: width, y1: y, y2: y, class: 'grid' }, this.axis);
      return svg('text', { x: LEFT - 6, y: y + 4, 'text-anchor': 'end' }, this.axis);
    });
    this.numbers = [0, 50, 100, 150, this.count - 1].map((m) => {
      const text = svg('text', { x: LEFT + m * SLOT + SLOT / 2, y: TOP + HEIGHT + 26, 'text-anchor': 'middle' }, this.axis);
      text.textContent = String(m).padStart(3, '0');
      return text;
    });
    this.byValue = svg('text', { x: LEFT + (this.count * SLOT) / 2, y: TOP + HEIGHT + 26, 'text-anchor': 'middle' }, this.axis);
    this.byValue.textContent = text('Smallest value first →');
    this.plot = svg('g', {}, this.svg);
  }

  makePoint(m) {
    const g = svg('g', { class: 'point', role: 'img', tabindex: '-1', 'data-enemy': m }, this.plot);
    const point = {
      g,
      title: svg('title', {}, g),
      hit: svg('rect', { class: 'hit', x: 0, y: TOP, width: SLOT, height: HEIGHT }, g),
      bar: svg('rect', { class: 'bar', x: (SLOT - BAR) / 2, width: BAR }, g),
      mark: svg('rect', { class: 'mark', x: 0, width: SLOT, height: 2 }, g),
      pick: svg('rect', { class: 'pick', x: 0, y: TOP + HEIGHT + 3, width: SLOT, height: 5 }, g),
      state: '',
    };
    return point;
  }

  // The text the table shows for the field: the list's label for HP and ケロ.
  text(col, values, m) {
    const at = m * this.labels.rowValues, layout = this.labels.rowLayout;
    if (col === 'hp') return this.labels.hp[values[at + layout.hpPosition]];
    if (col === 'kero') return this.labels.kero[values[at + layout.kero]];
    return String(values[at + layout.stats + Number(col.slice(1))]);
  }

  // Redraws in the next frame; changes within one frame are drawn once.
  schedule() {
    if (!this.frame) this.frame = requestAnimationFrame(() => this.draw());
  }

  draw() {
    this.frame = 0;
    const start = performance.now();
    const { values, originals } = this.table;
    const col = this.field.value;
    const now = [], before = [];
    let largest = 0;
    for (let m = 0; m < this.count; m++) {
      now.push(this.value(col, values, m));
      before.push(this.value(col, originals, m));
      largest = Math.max(largest, now[m] ?? 0, before[m] ?? 0);
    }
    const top = scaleTop(largest);
    if (top !== this.top) {
      this.top = top;
      this.ticks.forEach((tick, i) => { tick.textContent = String((top * i) / 2); });
    }
    const sorted = this.sorted.checked;
    for (const text of this.numbers) text.style.display = sorted ? 'none' : '';
    this.byValue.style.display = sorted ? '' : 'none';
    this.order = sorted ? orderBy(this.count, (m) => now[m], 'ascending') : this.order.map((_, m) => m);
    const selected = new Set(this.table.selectedEnemies());
    this.order.forEach((m, place) => {
      const state = `${col}|${place}|${now[m]}|${before[m]}|${selected.has(m)}|${top}`;
      if (state !== this.points[m].state) this.place(this.points[m], state, place, col, m, now[m], before[m], selected.has(m));
    });
    void this.svg.getBoundingClientRect();
    performance.measure('vesk-chart', { start, end: performance.now() });
  }

  place(point, state, place, col, m, now, before, selected) {
    point.state = state;
    const y = (value) => TOP + HEIGHT * (1 - (value ?? 0) / this.top);
    point.g.setAttribute('transform', `translate(${LEFT + place * SLOT} 0)`);
    point.bar.setAttribute('y', y(now));
    point.bar.setAttribute('height', TOP + HEIGHT - y(now));
    point.mark.setAttribute('y', y(before) - 1);
    point.mark.style.display = before === null ? 'none' : '';
    point.g.classList.toggle('selected', selected);
    const params = {
      enemy: this.labels.enemies[m], field: this.fieldLabels[col],
      value: this.text(col, this.table.values, m), original: this.text(col, this.table.originals, m),
    };
    const label = selected ? text('{enemy} {field} {value} (original value {original}), selected', params)
      : text('{enemy} {field} {value} (original value {original})', params);
    point.g.setAttribute('aria-label', label);
    point.title.textContent = label;
  }

  // One tab stop: the arrow keys, Home and End move among the points in their shown order.
  move(event) {
    const at = this.order.indexOf(this.current);
    const to = { ArrowRight: at + 1, ArrowLeft: at - 1, Home: 0, End: this.count - 1 }[event.key];
    if (to === undefined) return;
    event.preventDefault();
    const m = this.order[Math.max(0, Math.min(this.count - 1, to))];
    this.points[this.current].g.setAttribute('tabindex', '-1');
    this.current = m;
    this.points[m].g.setAttribute('tabindex', '0');
    this.points[m].g.focus();
  }

  listen() {
    this.svg.addEventListener('keydown', (event) => this.move(event));
    const show = (event) => {
      const point = event.target.closest?.('.point');
      if (point) this.readout.textContent = point.getAttribute('aria-label');
    };
    this.svg.addEventListener('focusin', (event) => {
      const point = event.target.closest('.point');
      if (!point) return;
      this.points[this.current].g.setAttribute('tabindex', '-1');
      this.current = Number(point.dataset.enemy);
      point.setAttribute('tabindex', '0');
      show(event);
    });
    this.svg.addEventListener('pointerover', show);
    this.field.addEventListener('change', () => this.schedule());
    this.sorted.addEventListener('change', () => this.schedule());
  }
}
