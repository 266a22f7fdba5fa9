// What a table column's value is when rows are ordered or drawn: HP and ケロ by the number
// their list shows (a label that is no number, HP's "????", has none), stats as stored,
// abilities by ID (an unused slot has none), names in Japanese collation order.

export function columnValues(labels) {
  const { rowValues: width } = labels;
  const { hpPosition, kero, stats, abilities } = labels.rowLayout;
  const number = (text) => (Number.isNaN(Number(text)) ? null : Number(text));
  const hp = labels.hp.map(number);
  const keroValue = labels.kero.map(number);
  const collator = new Intl.Collator('ja');
  const byName = labels.enemyNames.map((_, m) => m).sort((a, b) => collator.compare(labels.enemyNames[a], labels.enemyNames[b]) || a - b);
  const nameRank = new Int32Array(byName.length);
  byName.forEach((m, rank) => { nameRank[m] = rank; });
  // The value of column `col` (a field's data-col) for enemy m in a row-values array, or null.
  return (col, values, m) => {
    const at = m * width;
    if (col === 'name') return nameRank[m];
    if (col === 'hp') return hp[values[at + hpPosition]] ?? null;
    if (col === 'kero') return keroValue[values[at + kero]] ?? null;
    if (col[0] === 's') return values[at + stats + Number(col.slice(1))];
    const id = values[at + abilities + Number(col.slice(1))];
    return id < 0 ? null : id;
  };
}

// Enemy numbers ordered by a column's value, ties and equal values in enemy order; enemies
// without a value come last in either direction.
export function orderBy(count, value, direction) {
  const keys = Array.from({ length: count }, (_, m) => value(m));
  const sign = direction === 'descending' ? -1 : 1;
  return keys.map((_, m) => m).sort((a, b) => {
    const ka = keys[a], kb = keys[b];
    if (ka === kb) return a - b;
    if (ka === null) return 1;
    if (kb === null) return -1;
    return sign * (ka - kb);
  });
}
