#!/usr/bin/env python3
"""The page in headless Chromium: the time from Enter on a selected row to its picture, for the
strip 1 × 16130, the square 128 × 128 (the last row of 16380) and 7 × 10 (the last row of 70),
each opened anew from closed, read from the browser's own clock. Three figures: the key's
handling (from the event's time stamp until the picture is in the page), the frame that shows it
(from its animation-frame callback to the first task after it has painted), and the whole, from
the event to that task, which also holds the wait for the frame. The key comes at a random
moment of the frame, as a user's does.
Usage: bench/picture_page_bench.py [PAGE_FOLDER] [RUNS]   (run `make web` first)"""

import pathlib
import statistics
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests"))
import headless_chromium  # noqa: E402

page = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/web").resolve()
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 25

# Closes the picture, selects the row, then presses Enter on the list once a frame has gone by,
# and reports the time from the key's event to the frame after the picture was drawn.
OPEN = """
const [row, done] = arguments;
const list = document.querySelector('[data-control="List1(2)"]');
document.getElementById("picture").hidden = true;
list.focus();
list.selectedIndex = row < 0 ? list.options.length + row : row;
list.dispatchEvent(new Event("change"));
requestAnimationFrame(() => setTimeout(() => {
  list.addEventListener("keydown", (event) => {
    const handled = performance.now();  // after the page's own listeners, which ran first
    requestAnimationFrame(() => {
      const frame = performance.now();
      setTimeout(() => done([handled - event.timeStamp, performance.now() - frame,
                             performance.now() - event.timeStamp,
                             document.getElementById("picture-words").textContent]));
    });
  }, { once: true });
  list.dispatchEvent(new KeyboardEvent("keydown", { key: "Enter", bubbles: true }));
}, Math.random() * 16));
"""

with headless_chromium.browser() as driver, headless_chromium.static_host(page) as host:
    driver.set_window_size(1000, 700)
    headless_chromium.open_page(driver, f"{host}/index.html")
    for count, row in (("16130", 0), ("16380", -1), ("70", -1)):
        headless_chromium.set_count(driver, count)
        driver.find_element("css selector", '[data-control="Command1(0)"]').click()
        samples = [driver.execute_async_script(OPEN, row) for _ in range(runs)]
        words = samples[-1][3]
        handled, frame, whole = ([sample[i] for sample in samples] for i in range(3))
        print(f"page, {words}, medians of {runs}: handling {statistics.median(handled):.2f} ms, "
              f"its frame {statistics.median(frame):.2f} ms, event to painted frame "
              f"{statistics.median(whole):.2f} ms (max {max(whole):.2f} ms)")
