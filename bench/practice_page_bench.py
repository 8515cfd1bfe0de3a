#!/usr/bin/env python3
"""The practice in headless Chromium: the time from Enter in a number box (a check) to its
verdict, drawing and chart in the page, for a wrong answer (the chart of the side tried), a right
one (the whole chart) and one that leaves letters without a square, for 70 and 1000 letters (the
most of any level), read from the browser's own clock as for the steps page: the key's handling
(from the event's time stamp until all three are in the page), the frame that shows them, and
the whole, from the event to the first task after that frame has painted.
Usage: bench/practice_page_bench.py [PAGE_FOLDER] [RUNS]   (run `make web` first)"""

import pathlib
import statistics
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests"))
import headless_chromium  # noqa: E402

page = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/web").resolve()
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 25

# Sets the sides, lets a frame go by, then presses Enter in the second box and reports the time
# from the key's event to the frame after the check was drawn.
CHECK = """
const [across, down, done] = arguments;
const box = document.getElementById("practice-down");
for (const [index, side] of [[0, across], [1, down]]) {
  const text = String(side), size = ramka.lengthBytesUTF8(text) + 1, at = ramka._malloc(size);
  ramka.stringToUTF8(text, at, size);
  ramka._ramka_practice_type(index, at);
  ramka._free(at);
}
box.focus();
requestAnimationFrame(() => setTimeout(() => {
  box.addEventListener("keydown", (event) => {
    queueMicrotask(() => {  // after the page's own drawing, which the key does at once
      const handled = performance.now();
      requestAnimationFrame(() => {
        const frame = performance.now();
        setTimeout(() => done([handled - event.timeStamp, performance.now() - frame,
                               performance.now() - event.timeStamp,
                               document.getElementById("practice-verdict").textContent,
                               document.querySelectorAll("#practice-chart rect").length]));
      });
    });
  }, { once: true });
  box.dispatchEvent(new KeyboardEvent("keydown", { key: "Enter", bubbles: true }));
}, Math.random() * 16));
"""

with headless_chromium.browser() as driver, headless_chromium.static_host(page) as host:
    driver.set_window_size(1300, 900)
    headless_chromium.open_page(driver, f"{host}/index.html")
    driver.execute_script("document.dispatchEvent(new KeyboardEvent('keydown', {key: 'F4'}))")
    for count, right in ((70, (7, 10)), (1000, (32, 32))):
        for name, sides in (("wrong", (1, count)), ("right", right), ("short", (1, 1))):
            samples = []
            for _ in range(runs):
                headless_chromium.set_practice(driver, 0, [count])
                samples.append(driver.execute_async_script(CHECK, *sides))
            handled, frame, whole = ([sample[i] for sample in samples] for i in range(3))
            work = [h + f for h, f in zip(handled, frame)]
            print(f"page, a {name} answer for {count} ({samples[-1][3][:30]}…, "
                  f"{samples[-1][4]} rectangles in the chart), medians of {runs}: handling "
                  f"{statistics.median(handled):.2f} ms, its frame {statistics.median(frame):.2f} "
                  f"ms, handling plus frame {statistics.median(work):.2f} ms (max "
                  f"{max(work):.2f} ms), event to painted frame {statistics.median(whole):.2f} ms "
                  f"(max {max(whole):.2f} ms)")
