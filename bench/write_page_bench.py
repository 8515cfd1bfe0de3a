#!/usr/bin/env python3
"""The page that writes the program in headless Chromium, with the program from the lesson in its
editor for the task "Същите редове": the time from a click on "Стъпка" (the first step of 70, a middle one, the first of 16130,
whose run is recorded then), on "Назад" (at the end of 16130) and on "Пусни" (70 and 16130) to
the step drawn in the page, read from the browser's own clock as for the steps page: the click's
handling (from its time stamp until the page has drawn), the frame that shows it, and the whole,
from the event to the first task after that frame has painted. Then "Провери задачата", from the
click to its verdict painted, with the progress it showed meanwhile; and the core alone, counting
runs of the program from the lesson for 16130 and for every N from 1 to 1000, timed around the
call in the page. Six runs of each first, untimed, while the browser compiles the page's code.
Usage: bench/write_page_bench.py [PAGE_FOLDER] [RUNS]   (run `make web` first)"""

import pathlib
import statistics
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests"))
import headless_chromium  # noqa: E402

page = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/web").resolve()
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 25

# Puts N into its box afresh, which ends the run shown, and gets the page ready with the buttons
# given (to the end, back to the start, a step), lets a frame go by, then clicks a button and reports the time from the click's event
# to the frame after the page drew the step.
CLICK = headless_chromium.TIMED + """
const [count, ready, button, done] = arguments;
const press = (index) => document.querySelector(`#page-write button[data-write="${index}"]`);
const box = document.getElementById("write-count");
for (const typed of ["", count]) {
  box.value = typed;
  box.dispatchEvent(new Event("input", { bubbles: true }));
}
for (const index of ready) ramka._ramka_write_press(index);
requestAnimationFrame(() => setTimeout(() => {
  press(button).addEventListener("click", (event) => timed(event, done, () => [
    document.getElementById("write-counter").textContent]), { once: true });
  press(button).click();
}, Math.random() * 16));
"""

# Clicks "Провери задачата" and reports the time from the click's event to the frame after its
# verdict was drawn, the progress shown meanwhile, and the verdict.
CHECK = """
const done = arguments[0];
const verdict = document.getElementById("write-verdict");
const check = document.querySelector('#page-write button[data-write="4"]');
const shown = [];
requestAnimationFrame(() => setTimeout(() => {
  check.addEventListener("click", (event) => {
    new MutationObserver((changes, observer) => {
      shown.push(verdict.textContent);
      if (verdict.textContent.startsWith("Проверени")) return;
      observer.disconnect();
      requestAnimationFrame(() => setTimeout(() => done([performance.now() - event.timeStamp,
                                                         shown])));
    }).observe(verdict, { childList: true, characterData: true, subtree: true });
  }, { once: true });
  check.click();
}, Math.random() * 16));
"""

# Counting runs of the program from the lesson for each N from `first` to `last`, timed in the
# page around the core's call: milliseconds, and the steps they made.
RUNS = """
const [first, last] = arguments;
const start = performance.now();
const steps = ramka._ramka_lesson_runs(first, last);
return [performance.now() - start, steps];
"""


def report(name, samples):
    handled, frame, whole = ([sample[i] for sample in samples] for i in range(3))
    work = [h + f for h, f in zip(handled, frame)]
    print(f"page, {name} ({samples[-1][3]}), medians of {len(samples)}: handling "
          f"{statistics.median(handled):.2f} ms, its frame {statistics.median(frame):.2f} ms, "
          f"handling plus frame {statistics.median(work):.2f} ms (max {max(work):.2f} ms), event "
          f"to painted frame {statistics.median(whole):.2f} ms (max {max(whole):.2f} ms)")


with headless_chromium.browser() as driver, headless_chromium.static_host(page) as host:
    driver.set_window_size(1600, 1000)
    headless_chromium.open_page(driver, f"{host}/index.html")
    driver.execute_script("document.dispatchEvent(new KeyboardEvent('keydown', {key: 'F6'}))")
    # The task "Същите редове", and the program from the lesson, which is right for it.
    driver.execute_script("ramka._ramka_write_task(2); ramka._ramka_write_start(2)")
    RUN, STEP, BACK, RESTART = 0, 1, 2, 3
    for name, count, ready, button in (
            ("the first step of 70", "70", [RUN, RESTART], STEP),
            ("a step in the middle of 70", "70", [RUN, RESTART] + [STEP] * 170, STEP),
            ("the first step of 16130, its run recorded", "16130", [], STEP),
            ("a step back at the end of 16130", "16130", [RUN], BACK),
            ("a run for 70", "70", [], RUN),
            ("a run for 16130", "16130", [], RUN)):
        for _ in range(6):  # untimed, while the browser compiles the page's code
            driver.execute_async_script(CLICK, count, ready, button)
        report(name, [driver.execute_async_script(CLICK, count, ready, button)
                      for _ in range(runs)])

    driver.execute_async_script(CHECK)  # untimed
    checks = [driver.execute_async_script(CHECK) for _ in range(max(5, runs // 5))]
    times = [time for time, _ in checks]
    progress = [text for text in checks[-1][1] if text.startswith("Проверени")]
    print(f"page, \"Провери задачата\" on the program from the lesson, click to its verdict "
          f"painted, median of {len(checks)}: {statistics.median(times):.0f} ms (max "
          f"{max(times):.0f} ms), {len(progress)} progress texts shown ({progress[0]} … "
          f"{progress[-1]}), then: {checks[-1][1][-1][:60]}…".replace("\xa0", " "))

    for first, last in ((16130, 16130), (1, 1000)):
        for _ in range(3):
            driver.execute_script(RUNS, first, last)
        samples = [driver.execute_script(RUNS, first, last) for _ in range(runs)]
        times = [time for time, _ in samples]
        span = f"{first}" if first == last else f"every N from {first} to {last}"
        print(f"WebAssembly, a counting run of the program from the lesson for {span} "
              f"({samples[-1][1]:.0f} steps), median of {runs}: {statistics.median(times):.2f} ms "
              f"(min {min(times):.2f} ms, max {max(times):.2f} ms)")
