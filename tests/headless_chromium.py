"""Debian's Chromium, headless, driven through its driver: for the page's tests and benchmark."""

import contextlib
import functools
import http.server
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait


@contextlib.contextmanager
def browser():
    """A headless Chromium on an empty profile that reaches no network of its own."""
    with tempfile.TemporaryDirectory() as profile:
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--window-size=800,600",
                     "--force-device-scale-factor=1", f"--user-data-dir={profile}"):
            options.add_argument(flag)
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        try:
            yield driver
        finally:
            driver.quit()


def open_page(driver, url):
    """Opens the page and waits until it is ready: the window built and loaded."""
    driver.get(url)
    WebDriverWait(driver, 10).until(
        lambda d: d.execute_script("return 'ready' in document.documentElement.dataset"))


def set_count(driver, text):
    """Puts a text into the count box by code, as a program may, longer than a user may type."""
    driver.execute_script(
        "const text = arguments[0], size = ramka.lengthBytesUTF8(text) + 1;"
        "const at = ramka._malloc(size); ramka.stringToUTF8(text, at, size);"
        "ramka._ramka_set_text(1, at); ramka._free(at);", text)


def set_practice(driver, level, counts):
    """A set of the given counts for the practice, at level 1 to 3, as the tests need it."""
    driver.execute_script(
        "const text = arguments[1], size = ramka.lengthBytesUTF8(text) + 1;"
        "const at = ramka._malloc(size); ramka.stringToUTF8(text, at, size);"
        "ramka._ramka_practice_counts(arguments[0], at); ramka._free(at);",
        level, ",".join(str(count) for count in counts))


# For the benchmarks, a script's function: once the page's own drawing for an event has run (its
# change queued it first), reports through `done` the event's handling (from its time stamp until
# then), the frame that shows it, and the whole, from the event to the first task after that frame
# has painted, followed by what `more` then gives.
TIMED = """
function timed(event, done, more) {
  queueMicrotask(() => queueMicrotask(() => {
    const handled = performance.now();
    requestAnimationFrame(() => {
      const frame = performance.now();
      setTimeout(() => done([handled - event.timeStamp, performance.now() - frame,
                             performance.now() - event.timeStamp, ...more()]));
    });
  }));
}
"""


@contextlib.contextmanager
def static_host(folder):
    """Serves a folder on a free port of the loopback address; yields its address."""
    handler = functools.partial(QuietHandler, directory=str(folder))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f"http://127.0.0.1:{server.server_address[1]}"
    finally:
        server.shutdown()
        server.server_close()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass
