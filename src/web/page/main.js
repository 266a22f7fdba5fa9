// The page: opens images, hands every edit to the core, shows the table, the changes and
// the downloads. What the page says about the enemy data comes from the core.
import { loadCore } from './core.js';
import { startLanguage } from './language.js';
import { EnemyTable } from './table.js';
import { readBytes, isFile, saveBytes, withExtension } from './files.js';
import { keepForOffline, takeLaunchedFiles, writeBack } from './install.js';
import { TableSort } from './sort.js';
import { BalanceChart } from './chart.js';
import { text } from './text.js';
import { showListing } from './changes_view.js';

const $ = (id) => document.getElementById(id);
const BYTES = 'application/octet-stream';

const page = {
  core: null,
  labels: null,
  doc: null,
  table: null,
  chart: null,
  imageName: '',
  handle: null,  // the file the installed app was opened with, to save back into
  unsaved: false,
  originals: null,  // the original's row values, fetched again only when it changes
};

function say(text) {
  $('message').textContent = text;
}

function showProblems(problems) {
  const list = $('problems');
  list.replaceChildren(...problems.map((text) => {
    const item = document.createElement('li');
    item.textContent = text;
    return item;
  }));
}

// After every change: the table's values and marks, and the changes view.
function update() {
  page.table.refresh(page.doc.rows(), page.originals);
  showChanges();
  page.chart.schedule();
}

// Marks the time an edit takes until its marks and diff are laid out (the page's own
// performance measures, which the browser tests read).
function measured(name, work) {
  const start = performance.now();
  const result = work();
  void document.body.offsetHeight;  // lay out what changed, inside the measure
  performance.measure(name, { start, end: performance.now() });
  return result;
}

function edited(measure = 'vesk-update') {
  page.unsaved = true;
  measured(measure, update);
}

function showChanges() {
  const { text, count } = page.doc.changes();
  const others = page.doc.otherDifferences();
  showListing($('changes'), text);
  $('change-summary').textContent =
    `${count} 件の項目が元のイメージと異なります。敵の項目以外で異なるバイト: ${others}`;
}

function enableEditor() {
  $('editor').classList.remove('waiting');
  for (const id of ['changes-panel', 'output-panel', 'chart-panel']) $(id).hidden = false;
}

async function openImage(file, handle = null) {
  const start = performance.now();
  if (!isFile(file)) {
    say('ファイルではありません。');
    return;
  }
  const problem = page.doc.openImage(await readBytes(file));
  if (problem) {
    say(`${file.name}: ${problem}`);
    return;
  }
  say('');
  showProblems([]);
  page.imageName = file.name;
  page.handle = handle;
  $('save-in-place').hidden = !handle;
  page.unsaved = false;
  page.originals = page.doc.originalRows();
  page.table.build(page.doc.rows(), page.originals);
  enableEditor();
  showChanges();
  page.chart.schedule();
  void document.body.offsetHeight;
  performance.measure('vesk-open-to-table', { start, end: performance.now() });
  // A file that does not look like a cartridge image is opened all the same, and named.
  const warnings = page.doc.imageWarnings();
  $('file-status').textContent = [`${file.name} を開きました。`, ...warnings].join(' ');
  document.dispatchEvent(new CustomEvent('vesk-table-drawn'));
}

async function openOriginal(file) {
  if (!isFile(file)) return;
  const problem = page.doc.openOriginal(await readBytes(file));
  if (problem) {
    say(`${file.name}: ${problem}`);
    return;
  }
  say('');
  $('file-status').textContent = `元のイメージ: ${file.name}`;
  page.originals = page.doc.originalRows();
  if (page.doc.hasImage()) update();
}

// Pasted cells, each already read as typing reads it, stored one by one.
function pasteCells(cells) {
  for (const { enemy, column, text: value } of cells) {
    if (column === 'hp') page.doc.setHpPosition(enemy, Number(value));
    else if (column === 'kero') page.doc.setKeroIndex(enemy, Number(value));
    else if (column[0] === 's') page.doc.setStatText(enemy, Number(column.slice(1)), value);
    else page.doc.setAbilityText(enemy, Number(column.slice(1)), value);
  }
}

function bulkFields() {
  $('bulk-field').replaceChildren(...page.labels.bulkFields.map(({ name, label }) => new Option(label, name)));
}

function bulkEdit(event) {
  event.preventDefault();
  const enemies = page.table.selectedEnemies();
  if (enemies.length === 0) {
    say('一括変更する行を選んでください。');
    return;
  }
  const assignment = `${$('bulk-field').value}${$('bulk-operation').value}${$('bulk-value').value.trim()}`;
  const start = performance.now();
  const result = page.doc.bulkEdit(enemies, assignment);
  if (result.problem) {
    say(result.problem);
    return;
  }
  say('');
  const hidden = page.table.hiddenSelected();
  $('bulk-summary').textContent = `${enemies.length} 行を変更しました。` +
    (hidden ? text('{hidden} of them are hidden by the filter.', { hidden }) : '') +
    (result.notes.length ? `注記 ${result.notes.length} 件（範囲内に収めた値、値から選んだ表の項目）:` : '');
  $('bulk-notes').textContent = result.notes.join('\n');
  page.unsaved = true;
  update();
  void document.body.offsetHeight;
  performance.measure('vesk-bulk-edit', { start, end: performance.now() });
}

function download(kind) {
  const name = page.imageName;
  if (kind === 'image') {
    saveBytes(page.doc.image(), name, BYTES);
    page.unsaved = false;
  } else if (kind === 'bps') {
    saveBytes(measured('vesk-bps', () => page.doc.bpsPatch()), withExtension(name, 'bps'), BYTES);
  } else if (kind === 'ips') {
    const result = page.doc.ipsPatch();
    if (result.problem) say(result.problem);
    else saveBytes(result.patch, withExtension(name, 'ips'), BYTES);
  } else if (kind === 'csv') {
    saveBytes(page.doc.csv(), withExtension(name, 'csv'), 'text/csv');
  } else if (kind === 'json') {
    saveBytes(page.doc.json(), withExtension(name, 'json'), 'application/json');
  }
}

async function saveInPlace() {
  try {
    if (!(await writeBack(page.handle, page.doc.image()))) return say('ファイルへの書き込みが許可されませんでした。');
  } catch (error) {
    return say(`${page.imageName} に保存できませんでした: ${error.message}`);
  }
  page.unsaved = false;
  say('');
  $('file-status').textContent = `${page.imageName} に上書き保存しました。`;
}

async function importTable(file) {
  const problems = page.doc.importTable(await readBytes(file));
  showProblems(problems);
  if (problems.length) {
    say(`${file.name}: ${problems.length} 件の問題があるため読み込みませんでした。何も変更していません。`);
    return;
  }
  say(`${file.name} を読み込みました。`);
  edited();
}

async function applyPatch(file) {
  const problem = page.doc.applyPatch(await readBytes(file));
  if (problem) {
    say(`${file.name}: ${problem}`);
    return;
  }
  say(`${file.name} を当てました。`);
  edited();
}

// A file input hands its file on and forgets it, so that the same file can be picked again.
function onFile(id, action) {
  $(id).addEventListener('change', async (event) => {
    const file = event.target.files[0];
    event.target.value = '';
    if (file) await action(file);
  });
}

function wire() {
  onFile('open-image', openImage);
  onFile('open-original', openOriginal);
  onFile('import-table', importTable);
  onFile('apply-patch', applyPatch);
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    const item = event.dataTransfer.items?.[0];
    if (item && item.kind !== 'file') return say('ファイルではありません。');
    openImage(event.dataTransfer.files[0]);
  });
  $('filter').addEventListener('input', (event) => page.table.filter(event.target.value));
  $('select-shown').addEventListener('click', () => page.table.selectShown(true));
  $('select-none').addEventListener('click', () => page.table.selectShown(false));
  $('bulk').addEventListener('submit', bulkEdit);
  for (const kind of ['image', 'bps', 'ips', 'csv', 'json']) {
    $(`save-${kind}`).addEventListener('click', () => download(kind));
  }
  $('save-in-place').addEventListener('click', saveInPlace);
  document.addEventListener('keydown', (event) => {
    if (!page.handle || !(event.ctrlKey || event.metaKey) || event.key !== 's') return;
    event.preventDefault();
    saveInPlace();
  });
  window.addEventListener('beforeunload', (event) => {
    if (!page.unsaved) return;
    event.preventDefault();
    event.returnValue = '';
  });
}

async function start() {
  const { core, labels, document: doc } = await loadCore();
  Object.assign(page, { core, labels, doc });
  startLanguage(core, { ja: $('language-ja'), en: $('language-en') });
  page.table = new EnemyTable($('enemies'), labels, {
    hp: (m, p) => { doc.setHpPosition(m, p); edited(); },
    kero: (m, p) => { doc.setKeroIndex(m, p); edited(); },
    stat: (m, k, text) => { const v = doc.setStatText(m, k, text); edited(); return v; },
    statText: (typed) => core.statFieldText(typed),
    ability: (m, slot, text) => { const problem = doc.setAbilityText(m, slot, text); if (!problem) edited(); return problem; },
    paste: (cells) => { pasteCells(cells); edited(); },
    selection: (count, hidden) => {
      $('selection-count').textContent = hidden ? text('{count} rows selected, {hidden} of them hidden by the filter', { count, hidden })
        : text('{count} rows selected', { count });
      page.chart.schedule();
    },
    filtered: (shown) => { $('filter-status').textContent = shown ? '' : text('No enemy matches the filter.'); },
    focus: (hint) => { $('original-hint').textContent = hint; },
  });
  page.table.drawRows();
  new TableSort(page.table, labels);
  page.table.startGrid($('table-box'));
  page.chart = new BalanceChart({ svg: $('chart'), field: $('chart-field'), sorted: $('chart-sorted'), readout: $('chart-point') },
    page.table, labels);
  bulkFields();
  wire();
  for (const id of ['open-image', 'open-original']) $(id).disabled = false;
  $('file-status').textContent = 'イメージ（.gb）を開いてください。';
  keepForOffline((text) => { $('site-status').textContent = text; });
  takeLaunchedFiles(openImage);
  document.documentElement.dataset.ready = 'true';
  performance.mark('vesk-ready');
}

start().catch((error) => {
  $('file-status').textContent = `ページを準備できませんでした: ${error}`;
});
