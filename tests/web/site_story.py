"""The hosted build of the page (the web preset's site/ folder) in headless Chromium from a
local server, one story per capability:

    site_story.py installable|offline|update|launch SITE TOOLS WORK

installable: Chromium reports no installability error and the first load keeps to its size;
offline: after one visit the page loads and opens an image with the network off;
update: a changed build replaces the cached one on the next visit, and the page says so;
launch: a .gb handed over through the launch queue opens into the table and is saved back.
"""
import base64
import gzip
import shutil
import sys

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

from browser import Browser, static_server, wait_until
from web_story import STAT_EDIT, Story, bytes_of, edit_field, open_image, page_text

FIRST_LOAD_BUDGET_KIB = 200


def rows(browser):
    return browser.driver.execute_script("return document.querySelectorAll('#enemies tbody tr').length")


def wait_for_table(browser):
    wait_until(lambda: rows(browser) == 200, 30, "all 200 rows")


def wait_for_worker(browser):
    wait_until(lambda: browser.driver.execute_script("return Boolean(navigator.serviceWorker.controller)"),
               30, "the service worker to take over the page")


def visit(site, tools, work, story):
    """Runs `story(s, browser, url, folder)` on a copy of the site served from `folder`."""
    s = Story(site, tools, work)
    folder = s.work / "site"
    shutil.copytree(s.page, folder)
    browser = Browser(s.work / "downloads")
    try:
        story(s, browser, folder)
    finally:
        browser.close()


def installable(s, browser, folder):
    with static_server(folder) as server:
        browser.open(f"{server}/")
        wait_for_worker(browser)
        manifest = browser.driver.execute_cdp_cmd("Page.getAppManifest", {})
        assert not manifest["errors"], f"the manifest has errors: {manifest['errors']}"
        errors = browser.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
        assert not errors, f"Chromium finds the site not installable: {errors}"
    size = sum(len(gzip.compress(path.read_bytes(), 9)) for path in folder.rglob("*") if path.is_file())
    print(f"site first load: {size} bytes gzip-compressed ({size / 1024:.1f} KiB; "
          f"budget {FIRST_LOAD_BUDGET_KIB} KiB)")
    assert size <= FIRST_LOAD_BUDGET_KIB * 1024, "the site's first load is over its budget"


def offline(s, browser, folder):
    with static_server(folder) as server:
        url = f"{server}/"
        browser.open(url)
        wait_for_worker(browser)
    browser.driver.execute_cdp_cmd("Network.enable", {})
    browser.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
        "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
    browser.open(url)
    open_image(browser, s.sample("sample.gb"))
    wait_for_table(browser)


def update(s, browser, folder):
    with static_server(folder) as server:
        url = f"{server}/"
        browser.open(url)
        wait_for_worker(browser)
        # The next build: another version in the page and so another cache name.
        for name in ("index.html", "sw.js"):
            path = folder / name
            text = path.read_text(encoding="utf-8")
            path.write_text(text.replace('<span class="version">', '<span class="version">next-')
                            .replace("const CACHE = 'vesk-web-", "const CACHE = 'vesk-web-next-"),
                            encoding="utf-8")
        browser.open(url)
        wait_until(lambda: "新しい版" in page_text(browser, "site-status"), 30, "the new version's message")
        # The new worker removes the old cache once it is active.
        caches = lambda: browser.driver.execute_async_script("caches.keys().then(arguments[arguments.length - 1])")
        wait_until(lambda: len(caches()) == 1 and caches()[0].startswith("vesk-web-next-"), 10,
                   "the new cache alone")
        browser.open(url)
        shown = browser.driver.find_element("css selector", ".version").text
        assert shown.startswith("next-"), f"the visit after the update still shows version {shown}"


# The installed app gets the file it was opened with through window.launchQueue; headless
# Chromium opens no app window, so a stand-in queue keeps the page's consumer, and the test
# hands it a file of the origin's private file system.
STAND_IN_QUEUE = ("Object.defineProperty(window, 'launchQueue', {value: {setConsumer(c) {"
                  " window.launchConsumer = c; }}});")
LAUNCH = """const [bytes, done] = [arguments[0], arguments[arguments.length - 1]];
(async () => {
  const folder = await navigator.storage.getDirectory();
  const handle = await folder.getFileHandle('sample.gb', {create: true});
  const writable = await handle.createWritable();
  await writable.write(Uint8Array.from(atob(bytes), (c) => c.charCodeAt(0)));
  await writable.close();
  window.launchedHandle = handle;
  await window.launchConsumer({files: [handle]});
})().then(() => done(''), (error) => done(String(error)));"""
READ_BACK = """const done = arguments[arguments.length - 1];
window.launchedHandle.getFile().then((f) => f.arrayBuffer()).then((b) => {
  let text = ''; for (const c of new Uint8Array(b)) text += String.fromCharCode(c); done(btoa(text));
});"""


def launch(s, browser, folder):
    original = s.sample("sample.gb")
    expected = s.work / "expected.gb"
    shutil.copy(original, expected)
    s.tool("vesk", "set", expected, *STAT_EDIT[2], "--no-backup")
    browser.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": STAND_IN_QUEUE})
    with static_server(folder) as server:
        browser.open(f"{server}/")
        problem = browser.driver.execute_async_script(LAUNCH, base64.b64encode(bytes_of(original)).decode())
        assert not problem, f"launching with the file failed: {problem}"
        wait_for_table(browser)
        edit_field(browser, "textbox", *STAT_EDIT[:2])
        ActionChains(browser.driver).key_down(Keys.CONTROL).send_keys("s").key_up(Keys.CONTROL).perform()
        wait_until(lambda: "上書き保存しました" in page_text(browser, "file-status"), 10, "the save into the file")
        saved = base64.b64decode(browser.driver.execute_async_script(READ_BACK))
        assert saved == bytes_of(expected), "the file saved back differs from vesk set's"
        assert not list(s.work.glob("downloads/*")), "saving into the file also downloaded one"


if __name__ == "__main__":
    stories = {"installable": installable, "offline": offline, "update": update, "launch": launch}
    if len(sys.argv) != 5 or sys.argv[1] not in stories:
        sys.exit(__doc__)
    visit(*sys.argv[2:], stories[sys.argv[1]])
    print(f"site {sys.argv[1]}: passed")
