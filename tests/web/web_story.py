"""The browser page's user story and its measurements, in headless Chromium.

    web_story.py story PAGE TOOLS WORK file|http [SCREENSHOT]
    web_story.py performance PAGE TOOLS WORK RUNS

TOOLS is a folder holding vesk, vesk-sample-image, vesk-mgba-apply and node_modules/axe-core.
The story edits a sample image in the page and checks every download against what `vesk`
makes from the same edits, the patch also against mGBA's loader; sorting changes only the
row order; the chart follows an edit; bad files are refused and change nothing; no request
leaves the page; axe-core finds nothing serious in the light or the dark scheme. From a
file the page speaks Japanese, from a server English (after its switch), and after every
kind of message nothing of the other language shows.
"""
import base64
import csv
import gzip
import io
import os
import pathlib
import shutil
import statistics
import subprocess
import sys

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

from browser import Browser, static_server, wait_until, xpath_text
from words import Words, foreign_text

# The edits, typed in the page and given to `vesk set`.
STAT_EDIT = ("037 攻", "150", ["37", "attack=150"])
ABILITY_EDIT = ("012 能力2", "63", ["12", "ability2=63"])
BULK = ("attack", "*=", "1.5", ["100-199", "attack*=1.5"])
# 攻 and 防 of rows 030-032, copied and pasted to rows 060-062; a spreadsheet's row pasted
# into 070, each value read as the stat field reads it.
COPIED, PASTED = (30, 31, 32), (60, 61, 62)
RULE_PASTE = ("070 攻", "abc\t12.5\t-5\t300", ["70", "attack=0", "defense=12", "speed=0", "magic=255"])


class Story:
    # `vesk` speaks the page's language, so that its notes and diff lines compare.
    locale = "C.UTF-8"

    def __init__(self, page, tools, work):
        self.page = pathlib.Path(page).resolve()
        self.tools = pathlib.Path(tools).resolve()
        self.work = pathlib.Path(work).resolve()
        if self.work.exists():
            shutil.rmtree(self.work)
        self.work.mkdir(parents=True)
        if not self.page.exists():
            sys.exit(f"no page at {self.page}: build it first (cmake --preset web && "
                     "cmake --build --preset web)")

    def tool(self, name, *args, ok=(0,)):
        # In the page's language, whatever the locale the story runs in, so that vesk's
        # notes can be compared with the page's.
        env = {k: v for k, v in os.environ.items() if not k.startswith(("LC_", "LANG"))}
        env["LANG"] = self.locale
        result = subprocess.run([str(self.tools / name), *map(str, args)], capture_output=True,
                                text=True, timeout=60, env=env)
        if result.returncode not in ok:
            raise AssertionError(f"{name} {args} exited {result.returncode}: {result.stderr}")
        return result

    def column(self, image, key):
        """A field of every enemy, by number, as `vesk export` reads it from the image."""
        rows = csv.DictReader(io.StringIO(self.tool("vesk", "export", image).stdout.lstrip("\ufeff")))
        return {int(row["enemy"]): row[key] for row in rows}

    def field(self, image, enemy, key):
        return self.column(image, key)[enemy]

    def sample(self, name, seed=1):
        path = self.work / name
        self.tool("vesk-sample-image", path, seed)
        return path


def type_into(field, text):
    field.send_keys(Keys.CONTROL, "a")
    field.send_keys(text, Keys.TAB)


def edit_field(browser, role, name, text):
    """Clicks a table field, as a user would, and types into the control it becomes."""
    browser.click(browser.find(role, name))
    field = browser.driver.switch_to.active_element
    assert (field.aria_role, field.accessible_name) == (role, name), \
        f"focus went to {field.aria_role} {field.accessible_name!r}, not {role} {name!r}"
    type_into(field, text)


# Keys typed into an emptied stat field, what it then shows, and whether a note beside the
# cell says why, as the window's field shows it: letters are not taken, leading zeros go, a
# value is kept within 0-255, and an emptied field shows a selected 0 that the next digit
# replaces.
STAT_TYPING = [("007", "7", False), ("abc", "0", True), ("12.5", "125", True), ("-5", "5", True),
               ("300", "255", True), (Keys.BACKSPACE + "9", "9", True)]


def check_stat_typing(browser):
    browser.click(browser.find("textbox", "038 攻"))
    press(browser, Keys.F2)
    field = browser.driver.switch_to.active_element
    for keys, shown, noted in STAT_TYPING:
        field.send_keys(Keys.CONTROL, "a")
        field.send_keys(Keys.BACKSPACE)
        browser.driver.execute_script("document.getElementById('cell-note').textContent = ''")
        field.send_keys(keys)
        assert field.get_attribute("value") == shown, \
            f"typing {keys!r} shows {field.get_attribute('value')!r}, not {shown!r}"
        assert bool(page_text(browser, "cell-note")) == noted, f"the note after {keys!r}: {page_text(browser, 'cell-note')!r}"
    press(browser, Keys.ESCAPE)


def press(browser, *keys, hold=None):
    """Keys as the user presses them, with `hold` (Ctrl, Shift, Alt) held down around them."""
    chain = ActionChains(browser.driver)
    if hold:
        chain.key_down(hold)
    chain.send_keys(*keys)
    if hold:
        chain.key_up(hold)
    chain.perform()


def choose_ability(browser, name, label):
    """Types part of the ability's name into the cell and picks it from the choices."""
    browser.click(browser.find("combobox", name))
    press(browser, Keys.ENTER)
    field = browser.driver.switch_to.active_element
    field.send_keys(Keys.CONTROL, "a")
    field.send_keys(label.split(" : ")[1][1:])
    option = browser.driver.find_element("xpath", f"//li[@role='option'][.={xpath_text(label)}]")
    assert option.aria_role == "option" and field.get_attribute("aria-expanded") == "true"
    option.click()
    assert browser.find("combobox", name).text == label


def select_range(browser, first, last):
    browser.click(browser.find("checkbox", f"{first} 選択"))
    last_box = browser.find("checkbox", f"{last} 選択")
    browser.scroll_to(last_box)
    ActionChains(browser.driver).key_down(Keys.SHIFT).click(last_box).key_up(Keys.SHIFT).perform()


def open_image(browser, path):
    browser.find("button", "イメージを開く").send_keys(str(path))


def page_text(browser, element_id):
    return browser.driver.find_element("id", element_id).text


def said(browser, japanese):
    """What the page says, in its language, where it says `japanese` in Japanese."""
    return browser.words.of_japanese(japanese) if browser.words else japanese


# The game's data (names, ability and list labels), which stays as it is in either
# language: from a core of the test's own.
DATA_TEXTS = """const done = arguments[arguments.length - 1];
  createVeskCore().then(core => { const l = core.labels();
    done([...l.enemies, ...l.abilities, ...l.hp, ...l.kero]); });"""


# A name the story's table writes for enemy 000, which the page then quotes back.
MISNAMED = "ハエおんな"


def check_one_language(browser):
    """No text or accessible name of the page is in the other language, apart from the game's
    data and what the story itself wrote."""
    language = browser.words.language if browser.words else "ja"
    texts = browser.driver.execute_script(
        "return [document.body.innerText, ...Array.from(document.querySelectorAll('[aria-label], [title]'),"
        " e => (e.getAttribute('aria-label') || '') + ' ' + (e.getAttribute('title') || ''))].join('\\n')")
    allowed = browser.driver.execute_async_script(DATA_TEXTS)
    allowed += ["日本語", "攻", "防", "早", "魔", "ケロ", "能力", MISNAMED]
    foreign = foreign_text(language, texts, allowed)
    assert not foreign, f"{language} page shows: {foreign!r}"


def focused_name(browser):
    return browser.driver.switch_to.active_element.accessible_name


def table_state(browser):
    browser.drawn()
    return browser.driver.execute_script(
        "return [document.querySelector('#enemies tbody').textContent, document.getElementById('changes').textContent]")


def in_table(browser):
    return browser.driver.execute_script("return document.getElementById('enemies').contains(document.activeElement)")


def hidden_part(browser):
    """How far the focused cell reaches out of the table's box or under its sticky header
    row and name column (0 when it is fully in view)."""
    return browser.driver.execute_script("""
        const cell = document.activeElement.closest('td, th'), box = document.getElementById('table-box');
        const b = box.getBoundingClientRect(), r = cell.getBoundingClientRect();
        const head = document.querySelector('#enemy-head th.name').getBoundingClientRect();
        const left = cell.cellIndex > 1 ? head.right : b.left, top = cell.closest('thead') ? b.top : head.bottom;
        const right = b.left + box.clientLeft + box.clientWidth, bottom = b.top + box.clientTop + box.clientHeight;
        return Math.max(0, left - r.left, r.right - right, top - r.top, r.bottom - bottom);""")


def block(browser, rows, columns=("攻", "防")):
    return [[browser.find("textbox", f"{m:03} {c}").text for c in columns] for m in rows]


# Keys from 000 能力8 and the cell each one reaches, as in a spreadsheet.
SPREADSHEET_KEYS = [(Keys.HOME, None, "000 選択"), (Keys.END, Keys.CONTROL, "199 能力8"),
                    (Keys.HOME, Keys.CONTROL, "000 選択"), (Keys.ARROW_RIGHT, Keys.CONTROL, "000 能力8"),
                    (Keys.ARROW_DOWN, Keys.CONTROL, "199 能力8"), (Keys.PAGE_UP, None, None)]


def check_grid_keys(browser):
    """The table is one tab stop in and one out; the keys move between the cells of every
    column without changing a value, each reached cell fully in view; Esc puts an edit
    back; a range copies and pastes as tab-separated text, pasted values read as typed."""
    browser.find("button", "一括変更").send_keys(Keys.TAB)  # to the bulk edit's notes, then the table
    press(browser, Keys.TAB)
    assert in_table(browser), f"Tab from the bulk edit went to {focused_name(browser)!r}"
    entered = focused_name(browser)
    press(browser, Keys.TAB)
    assert not in_table(browser), f"one Tab should leave the table, not reach {focused_name(browser)!r}"
    press(browser, Keys.TAB, hold=Keys.SHIFT)
    assert focused_name(browser) == entered, "Shift+Tab comes back to the same cell"
    before = table_state(browser)
    press(browser, Keys.HOME, hold=Keys.CONTROL)
    reached = []
    for _ in range(16):
        for key in (Keys.ARROW_DOWN, Keys.ARROW_UP, Keys.ARROW_RIGHT):
            press(browser, key)
            assert hidden_part(browser) < 1, f"{focused_name(browser)} is {hidden_part(browser)} px out of view"
        reached.append(focused_name(browser))
    assert len(set(reached)) == 15 and all("000" in n for n in reached), reached
    for key, hold, name in SPREADSHEET_KEYS:
        press(browser, key, hold=hold)
        assert name is None or focused_name(browser) == said(browser, name), \
            f"{key!r} reached {focused_name(browser)!r}, not {name!r}"
        assert hidden_part(browser) < 1, f"{focused_name(browser)} is out of view"
    assert table_state(browser) == before, "moving between cells changed a value"

    for role, name, keys in (("textbox", "037 攻", ("9", "9")), ("combobox", "020 HP", (Keys.ARROW_DOWN,))):
        browser.click(browser.find(role, name))
        press(browser, Keys.ENTER, *keys, Keys.ESCAPE)
        assert focused_name(browser) == said(browser, name) and table_state(browser) == before, \
            f"Esc did not restore {name}"

    browser.click(browser.find("textbox", f"{COPIED[0]:03} 攻"))
    press(browser, Keys.ARROW_DOWN, Keys.ARROW_DOWN, Keys.ARROW_RIGHT, hold=Keys.SHIFT)
    press(browser, "c", hold=Keys.CONTROL)
    browser.click(browser.find("textbox", f"{PASTED[0]:03} 攻"))
    press(browser, "v", hold=Keys.CONTROL)
    assert block(browser, PASTED) == block(browser, COPIED), "the pasted range differs from the copied one"
    name, pasted, _ = RULE_PASTE
    browser.click(browser.find("textbox", name))
    browser.driver.execute_script(
        "const data = new DataTransfer(); data.setData('text/plain', arguments[0]);"
        "document.activeElement.dispatchEvent(new ClipboardEvent('paste', {clipboardData: data, bubbles: true}))", pasted)
    assert block(browser, [70], ("攻", "防", "早", "魔")) == [["0", "12", "0", "255"]]
    assert page_text(browser, "cell-note"), "the changed pasted values are not noted beside the cell"


def asks_before_leaving(browser):
    """Whether leaving now would ask first: the page's beforeunload handler cancels it."""
    return browser.driver.execute_script(
        "const e = new Event('beforeunload', {cancelable: true}); window.dispatchEvent(e);"
        "return e.defaultPrevented")


def bytes_of(path):
    return pathlib.Path(path).read_bytes()


def keyboard(browser, *keys, modifiers=(Keys.CONTROL,)):
    chain = ActionChains(browser.driver)
    for key in modifiers:
        chain.key_down(key)
    chain.send_keys(*keys)
    for key in modifiers:
        chain.key_up(key)
    chain.perform()


def press_until_disabled(browser, name, first_keys):
    """Presses the keys once and then the button named `name` until it is disabled."""
    keyboard(browser, *first_keys[0], modifiers=first_keys[1])
    for _ in range(50):
        button = browser.find("button", name)
        if not button.is_enabled():
            return
        button.click()
    raise AssertionError(f"{name} is still enabled after 50 presses")


def downloaded_image(browser, s, folder):
    browser.use_downloads(s.work / folder)
    browser.find("button", "イメージを保存").click()
    return bytes_of(browser.wait_for_download("sample.gb"))


def appearing(browser, role, name, seconds=10):
    """The control once it has appeared, as a dialog's does."""
    def attempt():
        try:
            return browser.find(role, name)
        except AssertionError:
            return None
    return wait_until(attempt, seconds, f"the {role} {name!r}")


def wait_kept(browser):
    """Until the browser's storage holds the page's latest state."""
    wait_until(lambda: browser.driver.execute_script(
        "const d = document.documentElement.dataset; return d.state !== undefined && d.keptState === d.state"),
        10, "the edits to be kept in the browser's storage")


def in_view(browser, element_id):
    return browser.driver.execute_script(
        "const r = document.getElementById(arguments[0]).getBoundingClientRect();"
        "return r.height > 0 && r.top >= 0 && r.bottom <= innerHeight", element_id)


def check_undo_and_restore(browser, s, original, url):
    """An import and a patch on top of the story's cell and bulk edits; the patch applied
    from the bottom of the page says so in view. All undone, the image is the opened one;
    all redone, what `vesk` makes of the same edits, and so again after a reload restores
    the kept session."""
    imported, patched = s.work / "imported.gb", s.work / "patched.gb"
    shutil.copy(s.work / "expected.gb", imported)
    s.tool("vesk", "set", imported, "50", "defense=77", "--no-backup")
    s.tool("vesk", "export", imported, "-o", s.work / "import.csv")
    shutil.copy(imported, patched)
    s.tool("vesk", "set", patched, "60", "speed=9", "--no-backup")
    s.tool("vesk", "patch", "create", imported, patched, "-o", s.work / "edit.bps")
    browser.find("button", "表を読み込む（CSV / JSON）").send_keys(str(s.work / "import.csv"))
    wait_until(lambda: "import.csv" in page_text(browser, "output-feedback"), 10, "the import's result")
    browser.driver.execute_script("window.scrollTo(0, document.body.scrollHeight)")
    browser.find("button", "パッチを当てる（BPS / IPS）").send_keys(str(s.work / "edit.bps"))
    wait_until(lambda: "edit.bps" in page_text(browser, "output-feedback"), 10, "the patch's result")
    assert in_view(browser, "output-feedback"), "the patch's result is out of view"
    check_one_language(browser)
    assert not page_text(browser, "file-feedback"), "an earlier message stayed"

    press_until_disabled(browser, "元に戻す", (["z"], (Keys.CONTROL,)))
    assert downloaded_image(browser, s, "undone") == bytes_of(original), "undoing all is not the opened image"
    press_until_disabled(browser, "やり直す", (["y"], (Keys.CONTROL,)))
    assert page_text(browser, "history-feedback") == said(browser, "やり直しました。")
    assert downloaded_image(browser, s, "redone") == bytes_of(patched), "redoing all is not vesk's result"

    browser.click(browser.find("textbox", "061 防"))
    type_into(browser.driver.switch_to.active_element, "1")
    assert asks_before_leaving(browser), "an edit after saving must ask before leaving"
    keyboard(browser, "z")
    keyboard(browser, "z", modifiers=(Keys.CONTROL, Keys.SHIFT))
    wait_kept(browser)
    before = browser.driver.execute_script("return document.documentElement.dataset.state")
    # Gone without the leaving question, as a crash or a closed tab would go.
    browser.driver.execute_script("window.addEventListener('beforeunload', e => e.stopImmediatePropagation(), true)")
    browser.open(url)
    assert browser.driver.execute_script("return document.documentElement.lang") == \
        (browser.words.language if browser.words else "ja"), "the chosen language is not kept after a reload"
    browser.click(appearing(browser, "button", "復元する"))
    wait_until(lambda: "sample.gb" in page_text(browser, "document-name"), 10, "the restored image")
    assert browser.driver.execute_script("return document.documentElement.dataset.state") == before
    assert browser.find("button", "元に戻す").is_enabled(), "the undo history is restored"
    assert asks_before_leaving(browser), "the restored edits are still unsaved"
    restored = s.work / "restored.gb"
    shutil.copy(patched, restored)
    s.tool("vesk", "set", restored, "61", "defense=1", "--no-backup")
    assert downloaded_image(browser, s, "restored") == bytes_of(restored), "the restored image differs"


# A stand-in for the file a picker gives, since the real picker cannot be driven: it hands
# over the bytes given and keeps what each save writes.
STAND_IN_PICKER = """
const bytes = Uint8Array.from(atob(arguments[0]), c => c.charCodeAt(0));
window.writes = [];
const handle = { kind: 'file', name: 'inplace.gb', getFile: async () => new File([bytes], 'inplace.gb'),
  createWritable: async () => { const parts = [];
    return { write: async (b) => parts.push(new Uint8Array(b)), close: async () => writes.push(new Blob(parts)) }; } };
window.showOpenFilePicker = async () => [handle];
window.standInHandle = handle;
"""


def last_write(browser, count):
    wait_until(lambda: browser.driver.execute_script("return writes.length") == count, 10, f"save {count}")
    return base64.b64decode(browser.driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "const r = new FileReader(); r.onload = () => done(r.result.split(',')[1]); r.readAsDataURL(writes.at(-1));"))


def check_save_in_place(browser, s, original):
    """Opened through the picker over unsaved edits (asked first), saved with Ctrl+S, then
    after another edit with the button: each save writes the whole image as `vesk` makes it."""
    browser.driver.execute_script(STAND_IN_PICKER, base64.b64encode(bytes_of(original)).decode())
    edit_field(browser, "textbox", "069 攻", "5")
    picker = browser.find("button", "イメージを開く")
    browser.scroll_to(picker)
    ActionChains(browser.driver).click(picker).perform()  # WebDriver refuses to click a file input itself
    browser.click(appearing(browser, "button", "破棄して開く"))
    wait_until(lambda: "inplace.gb" in page_text(browser, "document-name"), 10, "the picked image")
    expected = s.work / "inplace.gb"
    shutil.copy(original, expected)
    for count, (enemy, text, key) in enumerate([("070", "3", "attack"), ("071", "4", "speed")], 1):
        edit_field(browser, "textbox", f"{enemy} {'攻' if key == 'attack' else '早'}", text)
        s.tool("vesk", "set", expected, enemy, f"{key}={text}", "--no-backup")
        if count == 1:
            keyboard(browser, "s")
        else:
            browser.click(browser.find("button", "開いたファイルに上書き保存 (Ctrl+S)"))
        assert last_write(browser, count) == bytes_of(expected), f"save {count} differs from vesk's"
    assert not asks_before_leaving(browser), "nothing is unsaved after saving in place"
    # A file that cannot be written is named in the page's language, not the browser's.
    browser.driver.execute_script("standInHandle.createWritable = async () => {"
                                  " throw new DOMException('The file is locked.', 'NoModificationAllowedError'); }")
    edit_field(browser, "textbox", "072 攻", "6")
    keyboard(browser, "s")
    reason = said(browser, "ファイルがロックされているか、読み取り専用です。")
    wait_until(lambda: reason in browser.driver.find_element("css selector", "body").text, 10, "the refused save")
    check_one_language(browser)
    assert asks_before_leaving(browser), "a refused save leaves the edit unsaved"
    browser.click(browser.find("button", "元に戻す"))
    wait_until(lambda: not asks_before_leaving(browser), 10, "the undone edit to leave nothing unsaved")


def check_requests(browser, page_url):
    made = browser.requests(page_url)
    assert page_url in made, f"the request log does not show the page itself: {made}"
    others = [u for u in made if u != page_url and not u.startswith(("data:", "blob:"))]
    assert not others, f"the page made requests beyond itself: {others}"
    assert browser.driver.current_url == page_url, f"the page went to {browser.driver.current_url}"
    resources = browser.driver.execute_script(
        "return performance.getEntriesByType('resource').map(e => e.name)"
        ".filter(n => !n.startsWith('data:') && !n.startsWith('blob:'))")
    assert not resources, f"the page loaded resources: {resources}"
    errors = [e["message"] for e in browser.driver.get_log("browser") if e["level"] == "SEVERE"]
    assert not errors, f"the page reported errors: {errors}"


def check_accessibility(browser, axe):
    browser.driver.execute_script(axe.read_text(encoding="utf-8"))
    result = browser.driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "axe.run(document, {resultTypes: ['violations']})"
        ".then(r => done(r.violations.map(v => [v.id, v.impact, v.nodes.length, v.help,"
        "  v.nodes.slice(0, 3).map(n => n.html.slice(0, 120))])))"
        ".catch(e => done([['axe failed', 'critical', 0, String(e)]]));")
    bad = [v for v in result if v[1] in ("serious", "critical")]
    assert not bad, f"axe-core found serious or critical violations: {bad}"
    return result


def shown_rows(browser, col):
    """(enemy, the field's text) of every row, top to bottom as the rows are seen."""
    browser.drawn()
    return browser.driver.execute_script(
        "return Array.from(document.querySelectorAll('#enemies tbody tr'), r => {"
        "  const f = r.querySelector(`[data-col='${arguments[0]}']`);"
        "  return [r.getBoundingClientRect().top, Number(r.dataset.enemy), f.value ?? f.textContent]; })"
        ".sort((a, b) => a[0] - b[0]).map(([, m, value]) => [m, value])", col)


def tab_stops_in_editor(browser):
    """Where a dozen presses of Tab from the top of the page land inside the editor."""
    browser.driver.execute_script("document.activeElement.blur()")
    landed = []
    for _ in range(12):
        ActionChains(browser.driver).send_keys(Keys.TAB).perform()
        landed.append(browser.driver.execute_script(
            "const a = document.activeElement; return a.closest('#editor') ? a.outerHTML.slice(0, 60) : ''"))
    return [place for place in landed if place]


def read_order(browser):
    """The enemies in the order a screen reader reads the rows: the row headers ("007 : …")
    as the accessibility tree holds them."""
    nodes = browser.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    by_id = {n["nodeId"]: n for n in nodes}
    read, walk = [], [nodes[0]]
    while walk:
        node = walk.pop()
        if node.get("role", {}).get("value") == "rowheader":
            read.append(int(node["name"]["value"][:3]))
        walk.extend(by_id[c] for c in reversed(node.get("childIds", [])) if c in by_id)
    return read


def sorted_headers(browser):
    return browser.driver.execute_script(
        "return Array.from(document.querySelectorAll('#enemy-head th[aria-sort]'),"
        " th => [th.textContent, th.getAttribute('aria-sort')])")


def check_sorting(browser, s, expected):
    """攻 ascending by click, descending by Enter, then enemy order again: the saved image
    and the selection stay as they were."""
    selection = page_text(browser, "selection-count")
    attack = browser.find("button", "攻")
    for press, order, sign in ((browser.click, "ascending", 1), (lambda b: b.send_keys(Keys.ENTER), "descending", -1)):
        press(attack)
        assert sorted_headers(browser) == [["攻", order]], sorted_headers(browser)
        keys = [(sign * int(value), m) for m, value in shown_rows(browser, "s0")]
        assert keys == sorted(keys), f"the rows are not in {order} order of 攻"
        assert read_order(browser) == [m for _, m in keys], "a screen reader reads another order than shown"
    assert page_text(browser, "selection-count") == selection, "sorting changed the selection"
    browser.use_downloads(s.work / "downloads-sorted")
    browser.find("button", "イメージを保存").click()
    assert bytes_of(browser.wait_for_download("sample.gb")) == bytes_of(expected), "sorting changed the image"
    browser.click(attack)
    assert not sorted_headers(browser), "a third press leaves no column sorted"
    assert [m for m, _ in shown_rows(browser, "s0")] == list(range(200)), "enemy order is back"


def check_sorting_by_moving_rows(s, original, url):
    """The same sorting in a browser without reading-flow, where the rows are moved."""
    browser = Browser(s.work / "downloads-moved")
    try:
        browser.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source":
            "const supports = CSS.supports.bind(CSS); CSS.supports = (...a) => a[0] !== 'reading-flow' && supports(...a);"})
        browser.open(url)
        open_image(browser, original)
        wait_until(lambda: "sample.gb" in page_text(browser, "document-name"), 10, "the opened image")
        check_sorting(browser, s, original)
    finally:
        browser.close()


def chart_disagreements(browser):
    """Chart points whose name or value is not their table row's, or whose bar is not to
    the same scale as the others."""
    return browser.driver.execute_script("""
        const rows = new Map(Array.from(document.querySelectorAll('#enemies tbody tr'), r => [r.dataset.enemy, r]));
        const scales = new Set(), wrong = [];
        for (const point of document.querySelectorAll('#chart .point')) {
          const row = rows.get(point.dataset.enemy), field = row.querySelector("[data-col='s0']");
          const value = field.value ?? field.textContent, label = point.getAttribute('aria-label');
          if (!label.startsWith(`${row.cells[1].textContent} 攻 ${value} `)
              && !label.startsWith(`${row.cells[1].textContent} 攻 ${value}（`)) wrong.push([label, value]);
          const height = Number(point.querySelector('.bar').getAttribute('height'));
          if (Number(value) > 0) scales.add((height / Number(value)).toFixed(6));
        }
        return scales.size === 1 ? wrong : wrong.concat([['bar scales', [...scales]]]);""")


def check_chart(browser, s, original):
    Select(browser.find("combobox", "グラフの項目")).select_by_value("s0")
    edit_field(browser, "textbox", "040 攻", "201")
    wait_until(lambda: not chart_disagreements(browser), 5, "the chart to show the table's 攻")
    point = browser.driver.find_element("css selector", "#chart .point[data-enemy='40']")
    closing = ")" if browser.words else "）"
    assert point.get_attribute("aria-label").endswith(s.field(original, 40, "attack") + closing)
    type_into(browser.find("textbox", "040 攻"), s.field(original, 40, "attack"))
    # The points are one tab stop, walked with the arrow keys; the focused one is named.
    browser.find("checkbox", "値の順に並べる").send_keys(Keys.TAB)
    assert focused_name(browser).startswith("000 "), f"Tab went to {focused_name(browser)!r}"
    browser.driver.switch_to.active_element.send_keys(Keys.ARROW_RIGHT)
    assert focused_name(browser).startswith("001 ") and page_text(browser, "chart-point") == focused_name(browser)


def dark_scheme(browser):
    browser.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {
        "features": [{"name": "prefers-color-scheme", "value": "dark"}]})
    background = browser.driver.execute_script("return getComputedStyle(document.documentElement).backgroundColor")
    assert background == "rgb(18, 18, 18)", f"the dark scheme did not apply: {background}"


def check_phone_width(browser):
    """At 390 px: no sideways scrolling, every name whole, tap targets of 44 px, and a range
    of rows selected through the filter."""
    browser.driver.set_window_size(390, 844)
    wait_until(lambda: browser.driver.execute_script("return window.innerWidth") <= 400, 10,
               "the phone-sized window")
    script = browser.driver.execute_script
    overflow = script("return document.documentElement.scrollWidth - document.documentElement.clientWidth")
    assert overflow <= 0, f"the page scrolls sideways by {overflow} px at 390 px"
    box = browser.find("region", "敵の一覧の表")
    assert script("return arguments[0].scrollWidth > arguments[0].clientWidth", box), \
        "the table should scroll inside its own box"
    cut = script("return Array.from(document.querySelectorAll('tbody th.name'))"
                 ".filter(th => th.scrollWidth > th.clientWidth || th.scrollHeight > th.clientHeight).map(th => th.textContent)")
    assert not cut, f"{len(cut)} names are cut off, such as {cut[:3]}"
    small = script("return Array.from(document.querySelectorAll('#editor button, #editor input, #editor select, tbody td'))"
                   ".filter(e => e.offsetParent && (e.offsetWidth < 44 || e.offsetHeight < 44)).map(e => e.outerHTML.slice(0, 80))")
    assert not small, f"tap targets under 44 px: {small[:3]}"
    name = browser.driver.find_element("css selector", "tbody th.name")
    script("arguments[0].scrollLeft = arguments[0].scrollWidth", box)
    left = script("return arguments[0].getBoundingClientRect().left", name)
    assert 0 <= left < 100, f"number and name scrolled out of view (left {left})"
    shown = lambda: script("return document.querySelectorAll('#enemies tbody tr:not([hidden])').length")
    filter_box = browser.driver.find_element("id", "filter")
    for wanted, rows in (("zzz", 0), ("0-9,20", 11), ("100-199", 100)):
        type_into(filter_box, wanted)
        assert shown() == rows, f"the filter {wanted!r} shows {shown()} rows, not {rows}"
        assert bool(page_text(browser, "filter-status")) == (rows == 0), "only a filter matching nothing says so"
    browser.click(browser.find("button", "表示中の行をすべて選択"))
    assert page_text(browser, "selection-count").startswith("100 "), page_text(browser, "selection-count")
    type_into(filter_box, "0-9")
    assert page_text(browser, "selection-count").count("100") == 2, "the hidden selected rows are not counted"
    browser.click(browser.find("button", "選択を解除"))
    type_into(filter_box, "")
    browser.driver.set_window_size(1280, 900)


# Clicks a button with the table at its top and scrolls the table to its end at once;
# gives the enemies in view and their 攻 as the next frame shows them.
SCROLLED_AFTER_CLICK = """
const done = arguments[arguments.length - 1], box = document.getElementById('table-box');
box.scrollTop = 0;
arguments[0].click();
box.scrollTop = box.scrollHeight;
box.scrollIntoView();
requestAnimationFrame(() => {
  const view = box.getBoundingClientRect(), top = Math.max(view.top, 0), bottom = Math.min(view.bottom, innerHeight);
  done(Array.from(document.querySelectorAll('#enemies tbody tr:not([hidden])'), (row) => [row, row.getBoundingClientRect()])
    .filter(([, place]) => place.bottom > top && place.top < bottom)
    .map(([row]) => [Number(row.dataset.enemy), row.querySelector("[data-col='s0']").textContent]));
});
"""


def story(page, tools, work, mode, screenshot=None):
    """The story from a file in Japanese, and from a server in English."""
    s = Story(page, tools, work)
    words = Words("en") if mode == "http" else None
    if words:
        s.locale = "en_US.UTF-8"
    original = s.sample("sample.gb")
    expected = s.work / "expected.gb"
    shutil.copy(original, expected)
    for _, _, args in (STAT_EDIT, ABILITY_EDIT):
        s.tool("vesk", "set", expected, *args, "--no-backup")
    for source, target in zip(COPIED, PASTED):
        stats = [f"{key}={s.field(original, source, key)}" for key in ("attack", "defense")]
        s.tool("vesk", "set", expected, str(target), *stats, "--no-backup")
    s.tool("vesk", "set", expected, *RULE_PASTE[2], "--no-backup")
    bulk = s.tool("vesk", "set", expected, *BULK[3], "--no-backup")
    clamped = bulk.stderr.splitlines()

    with static_server(s.page.parent) as server:
        url = s.page.as_uri() if mode == "file" else f"{server}/{s.page.name}"
        browser = Browser(s.work / "downloads", words=words)
        try:
            browser.open(url)
            if words:
                browser.find("button", "English").click()
            assert not tab_stops_in_editor(browser), "Tab reaches the editor before an image is open"
            open_image(browser, original)
            wait_until(lambda: browser.driver.execute_script(
                "return document.querySelectorAll('#enemies tbody tr').length") == 200, 30,
                "all 200 rows")

            edit_field(browser, "textbox", *STAT_EDIT[:2])
            choose_ability(browser, ABILITY_EDIT[0], s.field(expected, 12, "ability2"))
            select_range(browser, "100", "199")
            assert page_text(browser, "selection-count").startswith("100 "), "100 rows selected"
            Select(browser.find("combobox", "項目")).select_by_value(BULK[0])
            Select(browser.find("combobox", "操作")).select_by_value(BULK[1])
            type_into(browser.find("textbox", "値"), BULK[2])
            # Rows scrolled into view show the change in the first frame that shows them.
            attack = s.column(expected, "attack")
            seen = browser.driver.execute_async_script(SCROLLED_AFTER_CLICK, browser.find("button", "一括変更"))
            assert seen and all(attack[m] == value for m, value in seen), f"rows scrolled into view show {seen}"

            # The clamping is reported as `vesk set` reports it.
            wait_until(lambda: page_text(browser, "bulk-notes").splitlines() == clamped, 10,
                       f"the clamping notes of vesk set: {clamped}")
            assert clamped, "the bulk edit should clamp some values"
            check_stat_typing(browser)
            check_grid_keys(browser)
            # Rows out of view show a change a few frames later; then every row shows the image.
            assert [tuple(row) for row in shown_rows(browser, "s0")] == sorted(attack.items()), \
                "a row does not show the image's 攻"

            # The changes view is `vesk diff`'s list.
            diff = s.tool("vesk", "diff", original, expected, ok=(1,)).stdout.splitlines()
            wait_until(lambda: page_text(browser, "changes").splitlines() == diff[:-1], 10,
                       "the changes view to list what vesk diff lists")
            stat = browser.find("textbox", "037 攻")
            assert stat.find_element("xpath", "..").get_attribute("class") == "changed"
            assert stat.get_attribute("title").endswith(s.field(original, 37, "attack"))

            assert asks_before_leaving(browser), "leaving with unsaved changes must ask first"
            browser.find("button", "イメージを保存").click()
            image = browser.wait_for_download("sample.gb")
            assert not asks_before_leaving(browser), "nothing is unsaved after the download"
            assert bytes_of(image) == bytes_of(expected), "the page's image differs from vesk set's"
            check_sorting(browser, s, expected)
            check_chart(browser, s, original)
            browser.find("button", "BPS パッチを保存").click()
            patch = browser.wait_for_download("sample.bps")
            s.tool("vesk", "patch", "apply", original, patch, "-o", s.work / "by-vesk.gb")
            s.tool("vesk-mgba-apply", original, patch, s.work / "by-mgba.gb")
            assert bytes_of(s.work / "by-vesk.gb") == bytes_of(expected), "vesk patch apply"
            assert bytes_of(s.work / "by-mgba.gb") == bytes_of(expected), "mGBA's loader"
            browser.find("button", "CSV を保存").click()
            csv = browser.wait_for_download("sample.csv")
            s.tool("vesk", "export", expected, "-o", s.work / "by-vesk.csv")
            assert bytes_of(csv) == bytes_of(s.work / "by-vesk.csv"), "CSV differs from vesk export"
            assert asks_before_leaving(browser), "a CSV download does not save the image"
            check_undo_and_restore(browser, s, original, url)
            check_save_in_place(browser, s, original)
            if screenshot:
                browser.click(browser.find("textbox", "037 攻"))
                browser.driver.execute_script("window.scrollTo(0, 0)")
                browser.driver.save_screenshot(str(screenshot))

            refusals(s, browser, csv, expected)
            check_one_language(browser)
            check_phone_width(browser)
            axe = s.tools / "node_modules/axe-core/axe.min.js"
            violations = check_accessibility(browser, axe)
            dark_scheme(browser)
            dark = check_accessibility(browser, axe)
            check_requests(browser, url)
            if not words:
                check_sorting_by_moving_rows(s, original, url)
            print(f"story ({mode}): passed; axe-core minor/moderate findings: {violations}, dark: {dark}")
        finally:
            browser.close()


def refusals(s, browser, csv, expected):
    """Bad input is refused with a message and leaves the page as it was."""
    before = page_text(browser, "changes")

    bad = s.work / "bad.csv"
    lines = bytes_of(csv).decode("utf-8").split("\r\n")
    lines[1] = lines[1].replace(",ハエおとこ,", f",{MISNAMED},")
    lines[2] = ",".join(c if i != 6 else "999" for i, c in enumerate(lines[2].split(",")))
    bad.write_bytes("\r\n".join(lines).encode("utf-8"))
    refused = s.tool("vesk", "import", expected, bad, "--dry-run", ok=(1,)).stderr.splitlines()
    expected_problems = [l.removeprefix(f"vesk: {bad}: ") for l in refused if l.startswith(f"vesk: {bad}: ")]
    browser.find("button", "表を読み込む（CSV / JSON）").send_keys(str(bad))
    wait_until(lambda: browser.driver.find_elements("css selector", "#problems li"), 10,
               "the import problems")
    shown = [li.text for li in browser.driver.find_elements("css selector", "#problems li")]
    assert len(expected_problems) >= 2 and shown == expected_problems, (shown, expected_problems)
    assert page_text(browser, "changes") == before, "a refused table changed the image"
    check_one_language(browser)

    short = s.work / "short.gb"
    short.write_bytes(bytes_of(expected)[:1000])
    open_image(browser, short)
    wait_until(lambda: said(browser, "ファイルが小さすぎます。敵データを読み込めませんでした。") in page_text(browser, "file-feedback"),
               10, "the short-file message")
    assert page_text(browser, "changes") == before, "a short file changed the page"
    check_one_language(browser)

    other = s.sample("other.gb", seed=2)
    other_edited = s.work / "other-edited.gb"
    shutil.copy(other, other_edited)
    s.tool("vesk", "set", other_edited, "5", "magic=1", "--no-backup")
    foreign = s.work / "foreign.bps"
    s.tool("vesk", "patch", "create", other, other_edited, "-o", foreign)
    browser.find("button", "パッチを当てる（BPS / IPS）").send_keys(str(foreign))
    wait_until(lambda: "foreign.bps" in page_text(browser, "output-feedback"), 10, "the patch refusal")
    assert page_text(browser, "changes") == before, "a foreign patch changed the image"
    check_one_language(browser)

    # A bulk change without rows.
    browser.click(browser.find("button", "選択を解除"))
    browser.find("button", "一括変更").click()
    wait_until(lambda: said(browser, "一括変更する行を選んでください。") in page_text(browser, "bulk-feedback"),
               10, "the refused bulk change")
    check_one_language(browser)

    # A file that is no Game Boy image opens all the same, and is named as such.
    noise = s.work / "noise.gb"
    noise.write_bytes(os.urandom(131072))
    open_image(browser, noise)
    warnings = {"en": "Game Boy", "ja": "ゲームボーイのイメージではないかもしれません"}
    language = "en" if browser.words else "ja"
    wait_until(lambda: warnings[language] in page_text(browser, "file-feedback"),
               10, "the warning about a file that is no cartridge image")
    # It stays after a switch of language, in the other language.
    other = "ja" if browser.words else "en"
    browser.driver.find_element("id", f"language-{other}").click()
    wait_until(lambda: warnings[other] in page_text(browser, "file-feedback"), 10, "the warning after a switch")
    browser.driver.find_element("id", f"language-{language}").click()


def performance(page, tools, work, runs):
    s = Story(page, tools, work)
    original = s.sample("sample.gb")
    size = len(gzip.compress(bytes_of(s.page), 9))
    figures = {"load to ready": [], "open to table": [], "bulk edit of 200 rows with diff": [], "undo of the bulk edit": [],
               "one edit's marks and diff": [], "chart after an edit": [], "sorting 200 rows": [],
               "BPS creation": [], "all rows drawn after opening": [], "all rows drawn after the bulk edit": [],
               "all rows drawn after the undo": []}
    browser = Browser(s.work / "downloads")
    try:
        for run in range(runs):
            browser.use_downloads(s.work / f"downloads-{run}")
            browser.open(s.page.as_uri())
            open_image(browser, original)
            measure = lambda name: browser.driver.execute_script(
                "const e = performance.getEntriesByName(arguments[0]); return e.length ? e[e.length - 1].duration : null", name)
            wait_until(lambda: measure("vesk-open-to-table") is not None, 30, "the table")
            all_drawn = lambda: (browser.drawn(), measure("vesk-all-rows-drawn"), browser.driver.execute_script(
                "performance.clearMeasures('vesk-all-rows-drawn')"))[1]
            figures["all rows drawn after opening"].append(all_drawn())
            browser.click(browser.find("button", "表示中の行をすべて選択"))
            Select(browser.find("combobox", "項目")).select_by_value("attack")
            Select(browser.find("combobox", "操作")).select_by_value("+=")
            type_into(browser.find("textbox", "値"), "1")
            browser.find("button", "一括変更").click()
            wait_until(lambda: measure("vesk-bulk-edit") is not None, 10, "the bulk edit")
            figures["all rows drawn after the bulk edit"].append(all_drawn())
            browser.click(browser.find("button", "元に戻す"))
            wait_until(lambda: measure("vesk-undo") is not None, 10, "the undo")
            figures["all rows drawn after the undo"].append(all_drawn())
            Select(browser.find("combobox", "グラフの項目")).select_by_value("s1")
            wait_until(lambda: measure("vesk-chart") is not None, 10, "the chart")
            browser.driver.execute_script("performance.clearMeasures('vesk-chart')")
            edit_field(browser, "textbox", "037 防", str(run + 1))
            wait_until(lambda: measure("vesk-update") is not None, 10, "the edit's update")
            wait_until(lambda: measure("vesk-chart") is not None, 10, "the chart after the edit")
            browser.click(browser.find("button", "攻"))
            figures["chart after an edit"].append(measure("vesk-chart"))
            figures["sorting 200 rows"].append(measure("vesk-sort"))
            browser.find("button", "BPS パッチを保存").click()
            wait_until(lambda: measure("vesk-bps") is not None, 10, "the BPS patch")
            figures["load to ready"].append(browser.driver.execute_script(
                "return performance.getEntriesByName('vesk-ready')[0].startTime"))
            figures["open to table"].append(measure("vesk-open-to-table"))
            figures["bulk edit of 200 rows with diff"].append(measure("vesk-bulk-edit"))
            figures["undo of the bulk edit"].append(measure("vesk-undo"))
            figures["one edit's marks and diff"].append(measure("vesk-update"))
            figures["BPS creation"].append(measure("vesk-bps"))
            # Saving the image leaves nothing unsaved, so the next load is not held up.
            browser.find("button", "イメージを保存").click()
            browser.wait_for_download("sample.gb")
            wait_kept(browser)
    finally:
        browser.close()
    medians = {name: statistics.median(values) for name, values in figures.items()}
    print(f"vesk-web.html: {s.page.stat().st_size} bytes, {size} bytes gzip-compressed "
          f"({size / 1024:.1f} KiB; budget 200 KiB)")
    for name, value in medians.items():
        print(f"{name}: median {value:.1f} ms of {runs} runs "
              f"(min {min(figures[name]):.1f}, max {max(figures[name]):.1f})")
    # The size is the same on every machine and always held to its budget. Times depend on
    # what else the machine runs (CI shares two cores with other builds), so they are held
    # to theirs only when asked, on a quiet machine: VESK_WEB_TIME_BUDGETS=1.
    budgets = [("size in KiB", size / 1024, 200)]
    if os.environ.get("VESK_WEB_TIME_BUDGETS") == "1":
        budgets += [("open to table", medians["open to table"], 50),
                    ("one edit's marks and diff", medians["one edit's marks and diff"], 4),
                    ("bulk edit of 200 rows with diff", medians["bulk edit of 200 rows with diff"], 16),
                    ("undo of the bulk edit", medians["undo of the bulk edit"], 4),
                    ("sorting 200 rows", medians["sorting 200 rows"], 16),
                    ("chart after an edit", medians["chart after an edit"], 8)]
    over = [f"{name} {value:.1f} > {limit}" for name, value, limit in budgets if value > limit]
    assert not over, f"over budget: {over}"
    print(f"performance: passed ({', '.join(name for name, _, _ in budgets)} within budget)")


if __name__ == "__main__":
    command, *rest = sys.argv[1:]
    if command == "story" and len(rest) in (4, 5):
        story(*rest)
    elif command == "performance" and len(rest) == 4:
        performance(*rest[:3], int(rest[3]))
    else:
        sys.exit(__doc__)
