#!/usr/bin/env python3
"""Takes the README's screenshot of the page in headless Chromium: "Изчисли" for 70, the last
row selected in all three lists. Usage: scripts/page-screenshot.py PAGE_FOLDER SCREENSHOT.png"""

import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests"))
import headless_chromium  # noqa: E402

page, shot = pathlib.Path(sys.argv[1]).resolve(), sys.argv[2]
with headless_chromium.browser() as driver:
    headless_chromium.open_page(driver, page.joinpath("index.html").as_uri())
    driver.find_element("css selector", '[data-control="Command1(0)"]').click()
    driver.find_elements("css selector", '[data-control="List1(2)"] option')[-1].click()
    driver.find_element("id", "window").screenshot(shot)
