#!/usr/bin/env python3
"""The page in headless Chromium against a static copy of itself (its own HTML, without the
scripts), alternating the two: the first contentful paint of each, and when the page is
interactive (the core loaded and bound, so that a click on "Изчисли" lists rows); then the time
from a click on "Изчисли" for 16130 until the three lists have painted; and the page's size.
Each time is read from the browser's own clock (paint timing, performance marks and event time
stamps). The service worker is bypassed, so that both pages come from the host as on a first
visit. Usage: bench/page_bench.py [PAGE_FOLDER] [RUNS]   (run `make web` first)"""

import pathlib
import re
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests"))
import headless_chromium  # noqa: E402

page = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/web").resolve()
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 31

# Once the page has painted (and, for the page, is ready): the first contentful paint, and the
# ready mark where there is one.
TIMES = """
const done = arguments[0];
(function wait() {
  const paint = performance.getEntriesByName('first-contentful-paint')[0];
  const ready = performance.getEntriesByName('ready')[0];
  if (paint && (ready || !document.querySelector('script'))) {
    done([paint.startTime, ready ? ready.startTime : null]);
  } else {
    setTimeout(wait, 5);
  }
})();
"""

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
    html = (site / "index.html").read_text(encoding="utf-8")
    (site / "static.html").write_text(re.sub(r"<script[^>]*></script>\n?", "", html),
                                      encoding="utf-8")
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": True})
    with headless_chromium.static_host(site) as host:
        paints = {"index.html": [], "static.html": []}
        interactive = []
        for _ in range(runs):
            for name, samples in paints.items():
                driver.get(f"{host}/{name}")
                paint, ready = driver.execute_async_script(TIMES)
                samples.append(paint)
                if ready is not None:
                    interactive.append(ready)

        headless_chromium.open_page(driver, f"{host}/index.html")
        headless_chromium.set_count(driver, "16130")  # more digits than a user may type
        button = driver.find_element("css selector", '[data-control="Command1(0)"]')
        clicks = []
        for _ in range(30):
            driver.execute_script(ARM)
            button.click()
            clicks.append(driver.execute_async_script("window.clickTime.then(arguments[0])"))
        rows = driver.execute_script("return document.querySelector('select').options.length")

files = [f for f in page.iterdir() if f.is_file()]
size = sum(f.stat().st_size for f in files)
fcp, bare = paints["index.html"], paints["static.html"]
print(f"first contentful paint, median of {runs}: page {quartiles(fcp)}, static copy "
      f"{quartiles(bare)}, ratio {statistics.median(fcp) / statistics.median(bare):.2f}")
print(f"interactive (core loaded and bound): {quartiles(interactive)}, "
      f"{statistics.median(interactive) / statistics.median(bare):.2f} × the static copy's "
      f"first paint")
print(f"click on Изчисли for 16130 until the lists have painted ({rows} rows): "
      f"median {statistics.median(clicks):.2f} ms, max {max(clicks):.2f} ms over {len(clicks)}")
print(f"page size: {size / 1024:.1f} KB in {len(files)} files")
