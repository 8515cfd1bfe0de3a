#!/usr/bin/env python3
"""The page that changes the program in headless Chromium: the time from a switch ticked, or the
last digit of N typed, to the table and the chart drawn again in the page, for 70, 16130 (the most
divisions) and 16380 (the most rows), read from the browser's own clock as for the practice: the
event's handling (from its time stamp until the page has drawn), the frame that shows it, and the
whole, from the event to the first task after that frame has painted; six runs of each first,
untimed, while the browser compiles the page's code.
Usage: bench/change_page_bench.py [PAGE_FOLDER] [RUNS]   (run `make web` first)"""

import pathlib
import statistics
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests"))
import headless_chromium  # noqa: E402

page = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/web").resolve()
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 25

# Puts N into its box, lets a frame go by, then ticks a switch (or types N's last digit) and
# reports the time from the event to the frame after the page drew the table and the chart.
CHANGE = headless_chromium.TIMED + """
const [count, what, done] = arguments;
const box = document.getElementById("change-count");
const root = document.querySelector("#page-change input[data-part='0']");
const typed = what === "typed" ? count.slice(0, -1) : count;
box.value = typed;
box.dispatchEvent(new Event("input", { bubbles: true }));
requestAnimationFrame(() => setTimeout(() => {
  const target = what === "typed" ? box : root;
  target.addEventListener(what === "typed" ? "input" : "change", (event) => timed(event, done, () => [
    document.querySelectorAll("#change-chart polyline").length,
    document.querySelector("#change-table td:last-child").textContent]), { once: true });
  if (what === "typed") {
    box.value = count;
    box.dispatchEvent(new Event("input", { bubbles: true }));
  } else {
    root.click();
  }
}, Math.random() * 16));
"""

with headless_chromium.browser() as driver, headless_chromium.static_host(page) as host:
    driver.set_window_size(1600, 1000)
    headless_chromium.open_page(driver, f"{host}/index.html")
    driver.execute_script("document.dispatchEvent(new KeyboardEvent('keydown', {key: 'F5'}))")
    for what in ("switch", "typed"):
        for count in ("70", "16130", "16380"):
            for _ in range(6):  # untimed, while the browser compiles the page's code
                driver.execute_async_script(CHANGE, count, what)
            samples = [driver.execute_async_script(CHANGE, count, what) for _ in range(runs)]
            handled, frame, whole = ([sample[i] for sample in samples] for i in range(3))
            work = [h + f for h, f in zip(handled, frame)]
            print(f"page, {'a switch ticked' if what == 'switch' else 'N typed'} for {count} "
                  f"({samples[-1][3]} lines in the chart), medians of {runs}: handling "
                  f"{statistics.median(handled):.2f} ms, its frame {statistics.median(frame):.2f} "
                  f"ms, handling plus frame {statistics.median(work):.2f} ms (max "
                  f"{max(work):.2f} ms), event to painted frame {statistics.median(whole):.2f} ms "
                  f"(max {max(whole):.2f} ms)")
