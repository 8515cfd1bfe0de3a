#!/usr/bin/env python3
"""The page in headless Chromium: time from navigation to ready (the count box shows "70")
against a static copy of the same controls without WebAssembly, alternating the two; the time
from a click on "Изчисли" for 16130 until the three lists have painted; and the page's size.
Each time is read from the browser's own clock (performance marks and event time stamps).
Usage: bench/page_bench.py [PAGE_FOLDER] [RUNS]   (run `make web` first)"""

import pathlib
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests"))
import headless_chromium  # noqa: E402

page = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/web").resolve()
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 21

READY = "return performance.getEntriesByName('ready').map(mark => mark.startTime)[0]"

# Arms a timer for the next click on "Изчисли": from the click's event to the frame after the
# lists have painted.
ARM = """
const button = document.querySelector('[data-control="Command1(0)"]');
window.clickTime = new Promise((resolve) => button.addEventListener("click", (event) => {
  requestAnimationFrame(() => setTimeout(() => resolve(performance.now() - event.timeStamp)));
}, { once: true, capture: true }));
"""

def quartiles(values):
    q = statistics.quantiles(values, n=4)
    return f"{statistics.median(values):.2f} ms (quartiles {q[0]:.2f}-{q[2]:.2f})"


with tempfile.TemporaryDirectory() as folder, headless_chromium.browser() as driver:
    site = pathlib.Path(folder) / "site"
    shutil.copytree(page, site)
    with headless_chromium.static_host(site) as host:
        # The static page: the built page's own controls as HTML, without its scripts.
        headless_chromium.open_page(driver, f"{host}/index.html")
        html = driver.execute_script("""
          const copy = document.documentElement.cloneNode(true);
          copy.querySelectorAll('script').forEach((script) => script.remove());
          return '<!DOCTYPE html>' + copy.outerHTML;""")
        html = html.replace("</body>", "<script>performance.mark('ready')</script></body>")
        (site / "static.html").write_text(html, encoding="utf-8")

        times = {"index.html": [], "static.html": []}
        for _ in range(runs):
            for name, samples in times.items():
                driver.get(f"{host}/{name}")
                while (ready := driver.execute_script(READY)) is None:
                    pass
                samples.append(ready)

        headless_chromium.open_page(driver, f"{host}/index.html")
        headless_chromium.set_count(driver, "16130")  # more digits than a user may type
        button = driver.find_element("css selector", '[data-control="Command1(0)"]')
        clicks = []
        for _ in range(30):
            driver.execute_script(ARM)
            button.click()
            clicks.append(driver.execute_async_script("window.clickTime.then(arguments[0])"))
        rows = driver.execute_script("return document.querySelector('select').options.length")

size = sum(f.stat().st_size for f in page.iterdir() if f.is_file())
ready, bare = times["index.html"], times["static.html"]
print(f"navigation to ready, median of {runs}: page {quartiles(ready)}, static page "
      f"{quartiles(bare)}, ratio {statistics.median(ready) / statistics.median(bare):.2f}")
print(f"click on Изчисли for 16130 until the lists have painted ({rows} rows): "
      f"median {statistics.median(clicks):.2f} ms, max {max(clicks):.2f} ms over {len(clicks)}")
print(f"page size: {size / 1024:.1f} KB in {sum(1 for f in page.iterdir() if f.is_file())} files")
