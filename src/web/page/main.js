// The page: opens images, hands every edit to the core, shows the table, the changes and
// the downloads. What the page says about the enemy data comes from the core; the core
// keeps the undo history too, and the page keeps all of it in the browser's storage.
import { loadCore } from './core.js';
import { startLanguage } from './language.js';
import { text, onLanguageChange } from './text.js';
import { EnemyTable } from './table.js';
import { readBytes, isFile, saveBytes, withExtension, browserReason } from './files.js';
import { keepForOffline, takeLaunchedFiles, writeBack, canPickFiles, pickFile } from './install.js';
import { TableSort } from './sort.js';
import { BalanceChart } from './chart.js';
import { setUpMessages, tell, clearMessage } from './messages.js';
import { SessionStore } from './storage.js';
import { showListing } from './changes_view.js';

const $ = (id) => document.getElementById(id);
const BYTES = 'application/octet-stream';

const page = {
  core: null,
  labels: null,
  doc: null,
  table: null,
  chart: null,
  store: null,
  imageName: '',
  originalName: '',  // only when an original was opened on its own
  handle: null,  // the file the image was opened from, to save back into
  savedState: 0,  // the core's state when the image was last saved or opened
  originals: null,  // the original's row values, fetched again only when it changes
};

const unsaved = () => page.doc.hasImage() && page.doc.state() !== page.savedState;

function showProblems(problems) {
  const list = $('problems');
  list.replaceChildren(...problems.map((problem) => {
    const item = document.createElement('li');
    item.textContent = problem;
    return item;
  }));
}

// A question in a modal dialog: 'yes' or 'no' as the user chose, '' when it was closed
// with Esc.
function ask(question, yes, no) {
  const dialog = $('ask');
  $('ask-text').textContent = question;
  $('ask-yes').textContent = yes;
  $('ask-no').textContent = no;
  dialog.returnValue = '';
  dialog.showModal();
  return new Promise((resolve) => {
    dialog.addEventListener('close', () => resolve(dialog.returnValue), { once: true });
  });
}

// The file being edited, the original when one was opened, and whether edits are unsaved.
function showDocument() {
  if (!page.doc.hasImage()) return;
  $('document-bar').hidden = false;
  $('document-name').textContent = page.originalName
    ? text('Editing {name}, compared with the original {original}', { name: page.imageName, original: page.originalName })
    : text('Editing {name}', { name: page.imageName });
  $('document-state').textContent = unsaved() ? text('Unsaved changes') : text('Saved');
  $('undo').disabled = !page.doc.canUndo();
  $('redo').disabled = !page.doc.canRedo();
}

function sessionRecord() {
  const doc = page.doc;
  return {
    image: doc.image(), original: doc.originalImage(), ownOriginal: Boolean(page.originalName),
    history: doc.history(), state: doc.state(), savedState: page.savedState,
    name: page.imageName, originalName: page.originalName,
    // Only a real handle can be stored; the browser keeps its permission with it.
    handle: globalThis.FileSystemFileHandle && page.handle instanceof FileSystemFileHandle ? page.handle : null,
  };
}

// After every change and every save: the bar, and the whole session into storage.
function documentChanged() {
  showDocument();
  document.documentElement.dataset.state = String(page.doc.state());
  page.store.keep(sessionRecord);
}

// After every change: the table's values and marks, and the changes view.
function update() {
  page.table.refresh(page.doc.rows(), page.originals);
  // The changed fields are laid out on their own first, each in its contained box. A
  // changed view of the changes lays the page out from the top, and when both wait for
  // the same layout the browser folds the fields into it and lays out every row again
  // (about three times the time of both apart).
  void document.body.offsetHeight;
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
  measured(measure, update);
  documentChanged();
}

function showChanges() {
  const { text: list, count } = page.doc.changes();
  const others = page.doc.otherDifferences();
  showListing($('changes'), list);
  $('change-summary').textContent =
    text('{count} fields differ from the original image. Bytes outside the enemy data that differ: {others}', { count, others });
}

function enableEditor() {
  // Until then the table's scrolling box, which holds no tab stop yet, is kept out of
  // the Tab order as well.
  $('editor').classList.remove('waiting');
  $('editor').removeAttribute('aria-hidden');
  $('table-box').removeAttribute('tabindex');
  for (const id of ['changes-panel', 'output-panel', 'chart-panel']) $(id).hidden = false;
}

// Shows the document the core now holds, opened or restored, as a fresh table.
function showOpened(name, handle) {
  showProblems([]);
  $('file-status').textContent = '';
  page.imageName = name;
  page.handle = handle;
  $('save-in-place').hidden = !handle;
  page.originals = page.doc.originalRows();
  enableEditor();  // first, so that the table knows which of its rows are in view
  page.table.build(page.doc.rows(), page.originals);
  showChanges();
  page.chart.schedule();
}

// The bytes of a file the user gave, or null once `place` says why it could not be read.
async function bytesOf(file, place) {
  try {
    return await readBytes(file);
  } catch (error) {
    tell(place, text('{name} could not be read: {reason}', { name: file.name, reason: browserReason(error) }), 'error');
    return null;
  }
}

async function openImage(file, handle = null) {
  if (!isFile(file)) return tell('file-feedback', text('That is not a file.'), 'error');
  if (unsaved() && (await ask(text('{current} has unsaved changes. Discard them and open {name}?', { current: page.imageName, name: file.name }),
    text('Discard and open'), text('Keep editing'))) !== 'yes') {
    return tell('file-feedback', text('{name} was not opened; nothing changed.', { name: file.name }));
  }
  const start = performance.now();
  const bytes = await bytesOf(file, 'file-feedback');
  if (!bytes) return;
  const problem = page.doc.openImage(bytes);
  if (problem) return tell('file-feedback', text('{name}: {problem}', { name: file.name, problem }), 'error');
  page.savedState = page.doc.state();
  showOpened(file.name, handle);
  void document.body.offsetHeight;
  performance.measure('vesk-open-to-table', { start, end: performance.now() });
  // A file that does not look like a cartridge image is opened all the same, and named.
  const warnings = page.doc.imageWarnings();
  tell('file-feedback', [text('Opened {name}.', { name: file.name }), ...warnings].join(' '), warnings.length ? 'error' : 'note');
  documentChanged();
  document.dispatchEvent(new CustomEvent('vesk-table-drawn'));
}

async function pickImage() {
  try {
    const picked = await pickFile();
    if (picked) await openImage(picked.file, picked.handle);
  } catch (error) {
    tell('file-feedback', text('The file could not be opened: {reason}', { reason: browserReason(error) }), 'error');
  }
}

async function openOriginal(file) {
  if (!isFile(file)) return;
  const bytes = await bytesOf(file, 'file-feedback');
  if (!bytes) return;
  const problem = page.doc.openOriginal(bytes);
  if (problem) return tell('file-feedback', text('{name}: {problem}', { name: file.name, problem }), 'error');
  page.originalName = file.name;
  tell('file-feedback', text('Opened {name} as the original to compare with.', { name: file.name }));
  page.originals = page.doc.originalRows();
  if (page.doc.hasImage()) {
    update();
    documentChanged();
  }
}

function bulkFields() {
  $('bulk-field').replaceChildren(...page.labels.bulkFields.map(({ name, label }) => new Option(label, name)));
}

function bulkEdit(event) {
  event.preventDefault();
  const enemies = page.table.selectedEnemies();
  if (enemies.length === 0) return tell('bulk-feedback', text('Select the rows to change first.'), 'error');
  const assignment = `${$('bulk-field').value}${$('bulk-operation').value}${$('bulk-value').value.trim()}`;
  const start = performance.now();
  const result = page.doc.bulkEdit(enemies, assignment);
  if (result.problem) return tell('bulk-feedback', result.problem, 'error');
  update();
  void document.body.offsetHeight;
  performance.measure('vesk-bulk-edit', { start, end: performance.now() });
  $('bulk-notes').textContent = result.notes.join('\n');
  const hidden = page.table.hiddenSelected();
  tell('bulk-feedback', [
    text('Changed {rows} rows.', { rows: enemies.length }),
    hidden ? text('{hidden} of them are hidden by the filter.', { hidden }) : '',
    result.notes.length ? text('{count} notes (values kept in range, table entries chosen by value):', { count: result.notes.length }) : '',
  ].filter(Boolean).join(' '));
  documentChanged();
}

// Undo or redo, told beside the buttons (or the bar, for the keys).
function step(direction) {
  const start = performance.now();
  const done = direction === 'undo' ? page.doc.undo() : page.doc.redo();
  if (!done) return tell('history-feedback', direction === 'undo' ? text('Nothing to undo.') : text('Nothing to redo.'));
  update();
  void document.body.offsetHeight;
  performance.measure(`vesk-${direction}`, { start, end: performance.now() });
  tell('history-feedback', direction === 'undo' ? text('Undone.') : text('Redone.'));
  documentChanged();
}

function imageSaved() {
  page.savedState = page.doc.state();
  documentChanged();
}

function download(kind, place = 'output-feedback') {
  const name = page.imageName;
  if (kind === 'image') {
    saveBytes(page.doc.image(), name, BYTES);
    imageSaved();
    return tell(place, text('{name} was handed to the browser as a download.', { name }));
  }
  let file;
  if (kind === 'bps') {
    file = withExtension(name, 'bps');
    saveBytes(measured('vesk-bps', () => page.doc.bpsPatch()), file, BYTES);
  } else if (kind === 'ips') {
    const result = page.doc.ipsPatch();
    if (result.problem) return tell(place, result.problem, 'error');
    file = withExtension(name, 'ips');
    saveBytes(result.patch, file, BYTES);
  } else {
    file = withExtension(name, kind);
    saveBytes(kind === 'csv' ? page.doc.csv() : page.doc.json(), file, kind === 'csv' ? 'text/csv' : 'application/json');
  }
  tell(place, text('{name} was handed to the browser as a download. The image itself is not saved by this.', { name: file }));
}

async function saveInPlace(place) {
  try {
    if (!(await writeBack(page.handle, page.doc.image()))) {
      return tell(place, text('Writing to {name} was not allowed.', { name: page.imageName }), 'error');
    }
  } catch (error) {
    return tell(place, text('{name} could not be saved: {reason}', { name: page.imageName, reason: browserReason(error) }), 'error');
  }
  imageSaved();
  tell(place, text('Saved into {name}.', { name: page.imageName }));
}

async function importTable(file) {
  const bytes = await bytesOf(file, 'output-feedback');
  if (!bytes) return;
  const problems = page.doc.importTable(bytes);
  showProblems(problems);
  if (problems.length) {
    return tell('output-feedback', text('{name}: not loaded because of {count} problems. Nothing changed.', { name: file.name, count: problems.length }), 'error');
  }
  edited();
  tell('output-feedback', text('Loaded {name}.', { name: file.name }));
}

async function applyPatch(file) {
  showProblems([]);
  const bytes = await bytesOf(file, 'output-feedback');
  if (!bytes) return;
  const problem = page.doc.applyPatch(bytes);
  if (problem) return tell('output-feedback', text('{name}: {problem}', { name: file.name, problem }), 'error');
  edited();
  tell('output-feedback', text('Applied {name}.', { name: file.name }));
}

// What was kept in storage from an earlier visit, offered back when it holds unsaved work.
async function offerRestore() {
  if (!(await page.store.open())) return;
  const kept = await page.store.take();
  if (!kept || kept.state === kept.savedState || page.doc.hasImage()) {
    if (page.doc.hasImage()) page.store.keep(sessionRecord);  // opened before storage was ready
    return;
  }
  const answer = await ask(text('Unsaved changes to {name} were kept from your last visit. Restore them?', { name: kept.name }),
    text('Restore'), text('Discard'));
  if (answer === 'no') {
    await page.store.forget();
    return tell('file-feedback', text('The kept changes were discarded.'));
  }
  // Closed without an answer: nothing is thrown away until another image is opened.
  if (answer !== 'yes') return tell('file-feedback', text('The kept changes to {name} stay until another image is opened.', { name: kept.name }));
  const problem = page.doc.restore(kept.image, kept.original, kept.ownOriginal, kept.history);
  if (problem) return tell('file-feedback', problem, 'error');
  page.savedState = kept.savedState;
  page.originalName = kept.originalName;
  showOpened(kept.name, kept.handle);
  tell('file-feedback', text('Restored {name} with its undo history.', { name: kept.name }));
  documentChanged();
}

// A file input hands its file on and forgets it, so that the same file can be picked again.
function onFile(id, action) {
  $(id).addEventListener('change', async (event) => {
    const file = event.target.files[0];
    event.target.value = '';
    if (file) await action(file);
  });
}

// The page's keys: undo and redo everywhere but in a text being typed (a field outside
// the table, or a cell being edited, which undo their own typing), and Ctrl+S saving into
// the opened file, or as a download where there is none.
function onKey(event) {
  if (!(event.ctrlKey || event.metaKey) || event.altKey || !page.doc.hasImage() || $('ask').open) return;
  const key = event.key.toLowerCase();
  const typing = event.target.matches?.('input[type="text"], input[type="search"], input:not([type]), textarea');
  if ((key === 'z' || key === 'y') && typing) return;
  if (key === 'z' || key === 'y') {
    event.preventDefault();
    step(key === 'y' || event.shiftKey ? 'redo' : 'undo');
  } else if (key === 's') {
    event.preventDefault();
    if (page.handle) saveInPlace('history-feedback');
    else download('image', 'history-feedback');
  }
}

function wire() {
  onFile('open-image', openImage);
  onFile('open-original', openOriginal);
  onFile('import-table', importTable);
  onFile('apply-patch', applyPatch);
  // Where the browser can, the image is opened with a handle, so that it can be saved back.
  $('open-image').addEventListener('click', (event) => {
    if (!canPickFiles()) return;
    event.preventDefault();
    pickImage();
  });
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    const item = event.dataTransfer.items?.[0];
    if (item && item.kind !== 'file') return tell('file-feedback', text('That is not a file.'), 'error');
    openImage(event.dataTransfer.files[0]);
  });
  $('filter').addEventListener('input', (event) => page.table.filter(event.target.value));
  $('select-shown').addEventListener('click', () => page.table.selectShown(true));
  $('select-none').addEventListener('click', () => page.table.selectShown(false));
  $('bulk').addEventListener('submit', bulkEdit);
  $('undo').addEventListener('click', () => step('undo'));
  $('redo').addEventListener('click', () => step('redo'));
  for (const kind of ['image', 'bps', 'ips', 'csv', 'json']) {
    $(`save-${kind}`).addEventListener('click', () => download(kind));
  }
  $('save-in-place').addEventListener('click', () => saveInPlace('output-feedback'));
  document.addEventListener('keydown', onKey);
  window.addEventListener('beforeunload', (event) => {
    if (!unsaved()) return;
    event.preventDefault();
    event.returnValue = '';
  });
  onLanguageChange(relabel);
}

// After a switch of language: the texts the core made are asked for again; messages and
// notes already shown go, as they would with the next action, except that an image that
// may not be a cartridge is named again.
function relabel() {
  page.labels.bulkFields = page.core.bulkFields();
  const field = $('bulk-field').value;
  bulkFields();
  $('bulk-field').value = field;
  clearMessage();
  $('bulk-notes').textContent = '';
  showDocument();
  if (!page.doc.hasImage()) return;
  showChanges();
  const warnings = page.doc.imageWarnings();
  if (warnings.length) tell('file-feedback', warnings.join(' '), 'error');
}

// Pasted cells [{enemy, column, text}], each already read as typing reads it (HP and ケロ
// as their list positions), stored as one undo step.
function paste(cells) {
  const { doc } = page;
  doc.beginStep();
  for (const { enemy, column, text: value } of cells) {
    if (column === 'hp') doc.setHpPosition(enemy, Number(value));
    else if (column === 'kero') doc.setKeroIndex(enemy, Number(value));
    else if (column[0] === 's') doc.setStatText(enemy, Number(column.slice(1)), value);
    else doc.setAbilityText(enemy, Number(column.slice(1)), value);
  }
  doc.endStep();
  clearMessage();
  edited();
}

async function start() {
  const { core: loaded, labels, document: doc } = await loadCore();
  Object.assign(page, { core: loaded, labels, doc });
  setUpMessages();
  startLanguage(loaded, { ja: $('language-ja'), en: $('language-en') });
  labels.bulkFields = loaded.bulkFields();  // in the language chosen, not the first one
  page.table = new EnemyTable($('enemies'), labels, {
    hp: (m, p) => { doc.setHpPosition(m, p); clearMessage(); edited(); },
    kero: (m, p) => { doc.setKeroIndex(m, p); clearMessage(); edited(); },
    stat: (m, k, typed) => { const v = doc.setStatText(m, k, typed); clearMessage(); edited(); return v; },
    statText: (typed) => loaded.statFieldText(typed),
    ability: (m, slot, typed) => { const problem = doc.setAbilityText(m, slot, typed); if (!problem) { clearMessage(); edited(); } return problem; },
    paste,
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
  page.store = new SessionStore({
    failed: (reason) => tell('file-feedback', text('This browser cannot keep your edits ({reason}). Save the image before you close the page.', { reason }), 'error'),
    kept: (record) => { document.documentElement.dataset.keptState = String(record.state); },
  });
  bulkFields();
  wire();
  for (const id of ['open-image', 'open-original']) $(id).disabled = false;
  $('file-status').textContent = text('Open an image (.gb).');
  keepForOffline((message) => { $('site-status').textContent = message; });
  // A file the app was launched with opens once the kept session was offered back.
  const offered = offerRestore();
  takeLaunchedFiles(async (file, handle) => {
    await offered;
    await openImage(file, handle);
  });
  document.documentElement.dataset.ready = 'true';
  performance.mark('vesk-ready');
}

start().catch((error) => {
  $('file-status').textContent = text('The page could not be prepared: {reason}', { reason: String(error) });
});
