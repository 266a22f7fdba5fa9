"""The hosted build (the web preset's site/ folder) from a local server, one capability a run:

    site_story.py installable|offline|update|launch SITE TOOLS WORK
"""
import base64
import gzip
import shutil
import sys

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

from browser import Browser, static_server, wait_until
from web_story import STAT_EDIT, Story, bytes_of, edit_field, open_image, page_text

ROWS = "return document.querySelectorAll('#enemies tbody tr').length === 200"
CACHES = "caches.keys().then(arguments[arguments.length - 1])"


def first_visit(browser, server):
    browser.open(f"{server}/")
    wait_until(lambda: browser.driver.execute_script("return navigator.serviceWorker.controller"),
               30, "the service worker to take over the page")


def installable(s, browser, folder):
    with static_server(folder) as server:
        first_visit(browser, server)
        errors = browser.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
        assert not errors, f"Chromium finds the site not installable: {errors}"
    size = sum(len(gzip.compress(p.read_bytes(), 9)) for p in folder.rglob("*") if p.is_file())
    print(f"site first load: {size} bytes gzip-compressed ({size / 1024:.1f} KiB; budget 200 KiB)")
    assert size <= 200 * 1024, "the site's first load is over its budget"


def offline(s, browser, folder):
    with static_server(folder) as server:
        first_visit(browser, server)
    browser.driver.execute_cdp_cmd("Network.enable", {})
    browser.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
        "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
    browser.open(f"{server}/")
    open_image(browser, s.sample("sample.gb"))
    wait_until(lambda: browser.driver.execute_script(ROWS), 30, "all 200 rows")


def update(s, browser, folder):
    with static_server(folder) as server:
        first_visit(browser, server)
        for path in (folder / "index.html", folder / "sw.js"):  # the next build
            path.write_text(path.read_text(encoding="utf-8").replace('"version">', '"version">next-')
                            .replace("CACHE = 'vesk-web-", "CACHE = 'vesk-web-next-"), encoding="utf-8")
        browser.open(f"{server}/")
        wait_until(lambda: "新しい版" in page_text(browser, "site-status"), 30, "the new version's message")
        wait_until(lambda: [c[:14] for c in browser.driver.execute_async_script(CACHES)] == ["vesk-web-next-"],
                   10, "the new build's cache alone")
        browser.open(f"{server}/")
        assert browser.driver.find_element("css selector", ".version").text.startswith("next-")


# Headless Chromium opens no app window, so a stand-in launch queue keeps the page's
# consumer, which gets a file of the origin's private file system.
STAND_IN_QUEUE = "Object.defineProperty(window, 'launchQueue', {value: {setConsumer(c) { window.consumer = c; }}});"
LAUNCH = """const done = arguments[1];
navigator.storage.getDirectory().then((d) => d.getFileHandle('sample.gb', {create: true})).then(async (h) => {
  const w = await h.createWritable(); await w.write(Uint8Array.from(atob(arguments[0]), (c) => c.charCodeAt(0)));
  await w.close(); window.handle = h; await window.consumer({files: [h]});
}).then(() => done(''), (e) => done(String(e)));"""
READ_BACK = """window.handle.getFile().then((f) => f.arrayBuffer()).then((b) => arguments[0](
  btoa(Array.from(new Uint8Array(b), (c) => String.fromCharCode(c)).join(''))));"""


def launch(s, browser, folder):
    original, expected = s.sample("sample.gb"), s.work / "expected.gb"
    shutil.copy(original, expected)
    s.tool("vesk", "set", expected, *STAT_EDIT[2], "--no-backup")
    browser.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": STAND_IN_QUEUE})
    with static_server(folder) as server:
        browser.open(f"{server}/")
        assert not browser.driver.execute_async_script(LAUNCH, base64.b64encode(bytes_of(original)).decode())
        wait_until(lambda: browser.driver.execute_script(ROWS), 30, "all 200 rows")
        edit_field(browser, "textbox", *STAT_EDIT[:2])
        ActionChains(browser.driver).key_down(Keys.CONTROL).send_keys("s").key_up(Keys.CONTROL).perform()
        wait_until(lambda: "上書き保存しました" in page_text(browser, "history-feedback"), 10, "the save into the file")
        saved = base64.b64decode(browser.driver.execute_async_script(READ_BACK))
        assert saved == bytes_of(expected), "the file saved back differs from vesk set's"


if __name__ == "__main__":
    story = {"installable": installable, "offline": offline, "update": update, "launch": launch}
    if len(sys.argv) != 5 or sys.argv[1] not in story:
        sys.exit(__doc__)
    s = Story(*sys.argv[2:])
    shutil.copytree(s.page, s.work / "site")
    browser = Browser(s.work / "downloads")
    try:
        story[sys.argv[1]](s, browser, s.work / "site")
    finally:
        browser.close()
    print(f"site {sys.argv[1]}: passed")
