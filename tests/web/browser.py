"""Headless Chromium driven by Selenium, the way the browser tests need it: a fresh
profile, downloads into a folder of the test's own, the request log on, and controls found
by their role and accessible name as a screen reader user finds them."""
import contextlib
import http.server
import json
import os
import pathlib
import tempfile
import threading
import time

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By


class Deadline(Exception):
    pass


def wait_until(condition, seconds, what):
    """Polls `condition` until it gives something true; fails saying `what` at the deadline."""
    end = time.monotonic() + seconds
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > end:
            raise Deadline(f"gave up after {seconds} s waiting for {what}")
        time.sleep(0.05)


def xpath_text(text):
    if "'" not in text:
        return f"'{text}'"
    return "concat('" + text.replace("'", "',\"'\",'") + "')"


class Browser:
    """`words`, when given, translates the Japanese names the stories use into the page's
    language before looking a control up (see words.Words.of_japanese)."""

    def __init__(self, downloads, width=1280, height=900, words=None):
        self.words = words
        self.profile = tempfile.TemporaryDirectory(prefix="vesk-chromium-")
        self.downloads = pathlib.Path(downloads)
        self.downloads.mkdir(parents=True, exist_ok=True)
        options = webdriver.ChromeOptions()
        options.binary_location = os.environ.get("VESK_CHROMIUM", "/usr/bin/chromium")
        for argument in ("--headless=new", "--disable-gpu", "--disable-background-networking",
                         "--disable-component-update", "--no-first-run", "--disable-sync",
                         "--disable-dev-shm-usage", f"--user-data-dir={self.profile.name}",
                         f"--window-size={width},{height}", "--lang=ja"):
            options.add_argument(argument)
        if os.geteuid() == 0:
            options.add_argument("--no-sandbox")  # Chromium refuses to run as root otherwise
        options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
        options.add_experimental_option("prefs", {
            "download.default_directory": str(self.downloads),
            "download.prompt_for_download": False,
        })
        service = Service(os.environ.get("VESK_CHROMEDRIVER", "/usr/bin/chromedriver"))
        self.driver = webdriver.Chrome(service=service, options=options)
        self.driver.set_page_load_timeout(60)
        self.driver.set_script_timeout(60)
        self.use_downloads(self.downloads)

    def use_downloads(self, folder):
        self.downloads = pathlib.Path(folder)
        self.downloads.mkdir(parents=True, exist_ok=True)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": str(self.downloads)})
        return self.downloads

    def close(self):
        with contextlib.suppress(WebDriverException):
            self.driver.quit()
        self.profile.cleanup()

    def open(self, url):
        self.driver.get(url)
        wait_until(lambda: self.driver.execute_script(
            "return document.documentElement.dataset.ready === 'true'"), 60, "the page to get ready")

    def drawn(self):
        """Waits until no row of the table waits to show a change (the page draws the rows
        out of view after the frame that shows the change)."""
        wait_until(lambda: self.driver.execute_script("return !document.querySelector('[data-drawing]')"),
                   10, "the table's rows to be drawn")

    def find(self, role, name):
        """The one control whose computed role and accessible name are these, once the
        table is drawn."""
        self.drawn()
        if self.words:
            name = self.words.of_japanese(name)
        q = xpath_text(name)
        candidates = self.driver.find_elements(
            By.XPATH,
            f"//*[@aria-label={q}] | //button[normalize-space(.)={q}]"
            f" | //label[normalize-space(text()[1])={q} or normalize-space(.)={q}]//*[self::input or self::select]"
            f" | //*[@role='region' or self::table][normalize-space(@aria-label)={q}]")
        found = [e for e in candidates if e.aria_role == role and e.accessible_name == name]
        if len(found) != 1:
            seen = [(e.aria_role, e.accessible_name) for e in candidates]
            raise AssertionError(f"expected one {role} named {name!r}, found {len(found)} among {seen}")
        return found[0]

    def scroll_to(self, element):
        self.driver.execute_script(
            "arguments[0].scrollIntoView({block: 'center', inline: 'center'})", element)

    def click(self, element):
        """Scrolls the element to the middle of its box first, clear of sticky headers."""
        self.scroll_to(element)
        element.click()

    def requests(self, document_url):
        """Every URL that the document at `document_url` asked for since the last call, from
        the browser's request log (the browser's own pages, such as its new-tab page, are
        left out)."""
        urls = []
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] != "Network.requestWillBeSent":
                continue
            params = message["params"]
            if params.get("documentURL", "").split("#")[0] == document_url:
                urls.append(params["request"]["url"])
        return urls

    def wait_for_download(self, name, seconds=30):
        path = self.downloads / name
        partial = self.downloads / (name + ".crdownload")
        wait_until(lambda: path.exists() and not partial.exists() and path.stat().st_size > 0,
                   seconds, f"the download {name}")
        return path


@contextlib.contextmanager
def static_server(folder):
    """A local static web server for `folder` on a free port of 127.0.0.1."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=str(folder), **kwargs)

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Quiet)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f"http://127.0.0.1:{server.server_address[1]}"
    finally:
        server.shutdown()
        server.server_close()
        thread.join(10)
