#!/usr/bin/env python3
"""The steps page in headless Chromium: the time from a key on the page to the step it shows,
for the first step (Home), a middle one (Right onto it) and the last (End) of the runs of 70,
16130 (the most steps of all) and 16380 (the largest count that completes), read from the
browser's own clock as for the picture: the key's handling (from the event's time stamp until
the step is in the page), the frame that shows it, and the whole, from the event to the first
task after that frame has painted. The key comes at a random moment of the frame.
Usage: bench/steps_page_bench.py [PAGE_FOLDER] [RUNS]   (run `make web` first)"""

import pathlib
import statistics
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests"))
import headless_chromium  # noqa: E402

page = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/web").resolve()
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 25

# Shows the step before, lets a frame go by, then presses the key on the page and reports the
# time from the key's event to the frame after the step was drawn.
STEP = """
const [before, key, done] = arguments;
const steps = document.getElementById("page-steps");
ramka._ramka_step_go_to(before);
steps.focus();
requestAnimationFrame(() => setTimeout(() => {
  steps.addEventListener("keydown", (event) => {
    queueMicrotask(() => {  // after the page's own drawing, which the change queued first
      const handled = performance.now();
      requestAnimationFrame(() => {
        const frame = performance.now();
        setTimeout(() => done([handled - event.timeStamp, performance.now() - frame,
                               performance.now() - event.timeStamp,
                               document.getElementById("steps-counter").textContent]));
      });
    });
  }, { once: true });
  steps.dispatchEvent(new KeyboardEvent("keydown", { key, bubbles: true }));
}, Math.random() * 16));
"""

with headless_chromium.browser() as driver, headless_chromium.static_host(page) as host:
    driver.set_window_size(1300, 800)
    headless_chromium.open_page(driver, f"{host}/index.html")
    driver.find_element("css selector", '[data-control="Command1(0)"]').click()
    driver.find_elements("css selector", '[data-control="List1(2)"] option')[0].click()
    driver.execute_script("document.querySelector('[data-control=\"List1(2)\"]').dispatchEvent("
                          "new KeyboardEvent('keydown', {key: 'Enter', bubbles: true}))")
    driver.find_element("id", "tab-steps").click()
    for count in ("70", "16130", "16380"):
        headless_chromium.set_count(driver, count)
        driver.find_element("css selector", '[data-control="Command1(0)"]').click()
        last = driver.execute_script("return JSON.parse(ramka.UTF8ToString(ramka._ramka_step())).count") - 1
        for name, before, key in (("first", last, "Home"), ("middle", last // 2 - 1, "ArrowRight"),
                                  ("last", 0, "End")):
            samples = [driver.execute_async_script(STEP, before, key) for _ in range(runs)]
            handled, frame, whole = ([sample[i] for sample in samples] for i in range(3))
            print(f"page, the {name} step of {count} ({samples[-1][3]}), medians of {runs}: "
                  f"handling {statistics.median(handled):.2f} ms, its frame "
                  f"{statistics.median(frame):.2f} ms, event to painted frame "
                  f"{statistics.median(whole):.2f} ms (max {max(whole):.2f} ms)")
