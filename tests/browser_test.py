#!/usr/bin/env python3
"""The page in headless Chromium, as a user works with it: the start-up state, calculating,
linked selection, typing and its limits, errors, clearing and switching, the layout, its colours
under a dark colour scheme, accessibility as axe-core checks it, installing it and using it
offline, and a phone's screen. Usage: browser_test.py PAGE_FOLDER [AXE_SCRIPT]"""

import contextlib
import io
import json
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

from PIL import Image
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

import headless_chromium

PAGE = pathlib.Path(sys.argv.pop(1) if len(sys.argv) > 1 else "build/web").resolve()
LAYOUT = PAGE.with_name(PAGE.name + "-layout.json")  # the layout table, written beside the page
AXE = pathlib.Path(sys.argv.pop(1) if len(sys.argv) > 1 else
                   "build/axe/node_modules/axe-core/axe.min.js").resolve()
SOURCE = pathlib.Path(__file__).resolve().parent.parent
CAPTION = "Математика - периметър на правоъгълник"
SEVENTY = [["1", "2", "5", "7"], ["70", "35", "14", "10"], ["146", "78", "42", "38"]]


def pixels(twips):
    return (2 * twips + 15) // 30


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls._stack = contextlib.ExitStack()
        cls.driver = cls._stack.enter_context(headless_chromium.browser())
        cls.host = cls._stack.enter_context(headless_chromium.static_host(PAGE))

    @classmethod
    def tearDownClass(cls):
        cls._stack.close()

    def setUp(self):
        self.open(f"{self.host}/index.html")

    def tearDown(self):
        self.js("localStorage.clear()")  # the texts written, kept for this test alone

    def open(self, url):
        headless_chromium.open_page(self.driver, url)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def control(self, name, index):
        return self.driver.find_element(By.CSS_SELECTOR, f'[data-control="{name}({index})"]')

    def box(self, index):
        return self.control("Text2", index)

    def option(self, index):
        return self.control("Option1", index).find_element(By.TAG_NAME, "input")

    def lists(self):
        return self.js("return [...document.querySelectorAll('#window select')]"
                       ".map(list => [...list.options].map(row => row.text))")

    def selection(self):
        return self.js("return [...document.querySelectorAll('#window select')].map(l => l.selectedIndex)")

    def press(self, button):
        self.control("Command1", button).click()

    def calculate(self, count):
        headless_chromium.set_count(self.driver, count)
        self.press(0)

    def test_opens_in_count_mode_with_seventy_and_calculates_it(self):
        self.assertEqual(self.driver.title, CAPTION)
        self.assertEqual(self.js("return document.documentElement.lang"), "bg")
        self.assertEqual(self.js("return document.querySelector('link[rel=icon]').href"),
                         f"{self.host}/ramka.png")
        self.assertEqual((self.box(1).get_property("value"), self.box(1).is_enabled()), ("70", True))
        self.assertEqual((self.box(0).get_property("value"), self.box(0).is_enabled()), ("", False))
        self.assertEqual([self.option(i).is_selected() for i in (0, 1)], [False, True])
        self.assertEqual(self.lists(), [[], [], []])
        self.press(0)
        self.assertEqual(self.lists(), SEVENTY)

    def test_a_row_chosen_in_any_list_is_chosen_in_all_three(self):
        self.press(0)
        lists = self.driver.find_elements(By.TAG_NAME, "select")
        for index, row in ((2, 3), (1, 0), (0, 2)):
            lists[index].find_elements(By.TAG_NAME, "option")[row].click()
            self.assertEqual(self.selection(), [row] * 3, f"mouse in list {index}")
        lists[1].send_keys(Keys.ARROW_UP)
        self.assertEqual(self.selection(), [1] * 3)
        lists[0].send_keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN)
        self.assertEqual(self.selection(), [3] * 3)

    def test_typing_a_mantra_and_the_typing_limits(self):
        self.option(0).click()
        mantra = "Щастие и здраве за всички!"
        self.box(0).send_keys(mantra)  # key by key
        self.press(0)
        self.assertEqual(self.box(1).get_property("value"), str(len(mantra)))
        self.assertEqual([column[-1] for column in self.lists()], ["4", "7", "26"])  # 26 letters
        self.box(0).send_keys("я" * 100)
        self.assertEqual(len(self.box(0).get_property("value")), 100)

        self.option(1).click()
        cases = (("12345", "1234"), ("\U0001F600" * 5, "\U0001F600" * 4),  # characters, not units
                 ("7" * 200_000, "7777"))  # a huge paste
        for typed, kept in cases:
            self.box(1).clear()
            self.box(1).click()
            self.driver.execute_cdp_cmd("Input.insertText", {"text": typed})
            self.assertEqual(self.box(1).get_property("value"), kept)

    def test_an_error_shows_its_box_over_the_page_which_then_works_on(self):
        self.calculate("2e4")
        dialog = self.driver.find_element(By.ID, "error")
        self.assertTrue(dialog.is_displayed())
        self.assertEqual(self.js("return document.querySelector('#error:modal') !== null"), True)
        self.assertEqual(dialog.find_element(By.TAG_NAME, "h2").text, CAPTION)
        self.assertEqual(dialog.find_element(By.TAG_NAME, "p").text,
                         "Грешка при изпълнение 6:\nПрепълване")
        clear = self.control("Command1", 1)
        with self.assertRaises(WebDriverException):  # nothing under the box can be used
            clear.click()
        self.assertEqual(self.lists(), [["1"], ["20000"], []])  # the rows the error left
        dialog.find_element(By.TAG_NAME, "button").click()
        self.assertFalse(dialog.is_displayed())
        self.calculate("70")
        self.assertEqual(self.lists(), SEVENTY)

    def test_enter_and_escape_press_no_button_clear_and_switching_empty_everything(self):
        self.press(0)
        button = self.control("Command1", 1)
        ActionChains(self.driver).move_to_element(button).perform()
        button.send_keys(Keys.ENTER, Keys.ESCAPE)
        self.assertEqual(self.lists(), SEVENTY)
        button.send_keys(Keys.SPACE)
        self.assertEqual((self.lists(), self.box(1).get_property("value")), ([[], [], []], ""))
        self.assertTrue(self.box(1).is_enabled())

        self.option(0).click()
        self.box(0).send_keys("абв")
        self.press(0)
        self.option(1).click()
        self.assertEqual([self.box(i).get_property("value") for i in (0, 1)], ["", ""])
        self.assertEqual(self.lists(), [[], [], []])
        self.assertEqual([self.box(i).is_enabled() for i in (0, 1)], [False, True])

    def test_every_control_stands_at_its_rectangle_with_its_role_and_name(self):
        table = json.loads(LAYOUT.read_text(encoding="utf-8"))
        origin = self.js("const r = document.getElementById('window').getBoundingClientRect();"
                         "return [r.x, r.y, r.width, r.height]")
        self.assertEqual(origin[2:], [475, 424])
        roles = {"note": "textbox", "textbox": "textbox", "list": "listbox", "button": "button",
                 "picture": "button", "frame": "group", "option": "radio", "title": "heading"}
        frame = next(c for c in table["controls"] if c["kind"] == "frame")
        order = []
        for control in table["controls"]:
            label = f'{control["name"]}({control["index"]})'
            element = self.control(control["name"], control["index"])
            if control["hidden"]:
                self.assertFalse(element.is_displayed(), label)
                continue
            left, top, width, height = control["twips"]
            if control["kind"] == "option":
                left, top = left + frame["twips"][0], top + frame["twips"][1]
            expected = [pixels(left), pixels(top), pixels(left + width) - pixels(left),
                        pixels(top + height) - pixels(top)]
            shown = self.js("const r = arguments[0].getBoundingClientRect();"
                            "return [r.x, r.y, r.width, r.height]", element)
            shown = [shown[0] - origin[0], shown[1] - origin[1], shown[2], shown[3]]
            for have, want in zip(shown, expected):
                self.assertLessEqual(abs(have - want), 1, f"{label}: {shown} against {expected}")
            if control["kind"] == "option":
                element = element.find_element(By.TAG_NAME, "input")
            if control["kind"] in roles:
                self.assertEqual((element.aria_role, element.accessible_name),
                                 (roles[control["kind"]], control["accessibleName"]), label)
                order.append(control["tab"])
            else:
                self.assertEqual(element.text, control["text"], label)
        focusable = self.js("return [...document.querySelectorAll('#window [data-control]')]"
                            ".map(e => e.dataset.control)")
        self.assertEqual(order, sorted(order))  # the page's order is the tab order
        self.assertEqual(focusable[:3], ["Text1(0)", "Text1(1)", "Label1(0)"])

    def test_opened_from_the_file_system(self):
        self.driver.get_log("browser")  # what earlier pages logged
        self.open(PAGE.joinpath("index.html").as_uri())
        self.assertEqual(self.box(1).get_property("value"), "70")
        self.press(0)
        self.assertEqual(self.lists(), SEVENTY)
        self.assertEqual(self.driver.get_log("browser"), [])  # no manifest or worker tried there
        self.assertEqual(self.js("return document.querySelector('link[rel=manifest]')"), None)

    def test_runs_only_its_own_code(self):
        self.assertIn("manifest.webmanifest",
                      self.js("return document.querySelector('link[rel=manifest]').href"))
        self.assertEqual(self.js("return document.querySelectorAll('[style], style').length"), 0)
        refused = self.driver.execute_async_script("""
            const done = arguments[0], refused = [];
            document.addEventListener("securitypolicyviolation",
                                      (event) => refused.push(event.effectiveDirective));
            const script = document.createElement("script");
            script.textContent = "window.injected = true";
            document.head.append(script);
            const title = document.querySelector("h1");
            title.setAttribute("onclick", "window.clicked = true");
            title.click();
            const style = document.createElement("style");
            style.textContent = "body { visibility: hidden }";
            document.head.append(style);
            setTimeout(() => done([refused.sort(), window.injected === true,
                                   window.clicked === true,
                                   getComputedStyle(document.body).visibility]), 100);
        """)
        self.assertEqual(refused, [["script-src-attr", "script-src-elem", "style-src-elem"],
                                   False, False, "visible"])
        self.press(0)  # the page itself works on
        self.assertEqual(self.lists(), SEVENTY)

    @contextlib.contextmanager
    def dark(self):
        """The browser asks for a dark colour scheme meanwhile."""
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {
            "features": [{"name": "prefers-color-scheme", "value": "dark"}]})
        try:
            yield
        finally:
            self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})

    def list_rows(self, index):
        return self.control("List1", index).find_elements(By.TAG_NAME, "option")

    def picture_words(self):
        return self.driver.find_element(By.ID, "picture-words").text

    def painted_squares(self, drawing_id="picture-drawing"):
        """The colour inside each square of a drawing as the browser painted it, counted; the
        grid's place comes from the drawing, its columns and rows from its words."""
        drawing = self.driver.find_element(By.ID, drawing_id)
        self.js("arguments[0].scrollIntoView({block: 'center'})", drawing)  # whole in the view
        image = Image.open(io.BytesIO(drawing.screenshot_as_png)).convert("RGB")
        x, y, width, _ = self.js(f"const g = document.querySelectorAll('#{drawing_id} rect')[1];"
                                 "return ['x', 'y', 'width', 'height'].map(k => g[k].baseVal.value)")
        words = drawing.get_attribute("aria-label")
        across, down = map(int, re.match(r"(\d+)\s×\s(\d+)", words).groups())
        square = (width - 1) // (across + 2)
        counted = {}
        for row in range(down + 2):
            for column in range(across + 2):
                colour = "#%02x%02x%02x" % image.getpixel(
                    (int(x) + column * square + 2, int(y) + row * square + 2))
                counted[colour] = counted.get(colour, 0) + 1
        return counted

    def test_a_rows_picture_opens_follows_the_list_and_closes(self):
        picture = self.driver.find_element(By.ID, "picture")
        self.press(0)
        listbox = self.control("List1", 2)
        self.assertIn("Enter", listbox.get_attribute("title"))
        listbox.send_keys(Keys.ENTER)  # no row selected: nothing opens
        self.assertFalse(picture.is_displayed())

        ActionChains(self.driver).double_click(self.list_rows(2)[3]).perform()
        self.assertTrue(picture.is_displayed())
        self.assertEqual(self.selection(), [3] * 3)
        self.assertEqual(self.js("return document.activeElement"), listbox)  # the focus stays
        words = "7 × 10 = 70 квадратчета, 70 букви, рамка от 38 квадратчета"
        self.assertEqual(self.picture_words(), words)
        drawing = self.driver.find_element(By.ID, "picture-drawing")
        self.assertEqual((drawing.get_attribute("role"),
                          drawing.get_attribute("aria-label").replace("\xa0", " ")), ("img", words))
        self.assertEqual(self.driver.find_element(By.ID, "picture-words")
                         .get_attribute("aria-live"), "polite")
        self.assertEqual(self.painted_squares(), {"#c0c000": 38, "#808000": 70})

        listbox.send_keys(Keys.ARROW_UP)
        self.assertEqual(self.picture_words(),
                         "5 × 14 = 70 квадратчета, 70 букви, рамка от 42 квадратчета")
        self.assertEqual(self.painted_squares(), {"#c0c000": 42, "#808000": 70})

        listbox.send_keys(Keys.ESCAPE)
        self.assertFalse(picture.is_displayed())
        self.assertEqual(self.lists(), SEVENTY)
        listbox.send_keys(Keys.ENTER)
        self.assertTrue(picture.is_displayed())

        self.press(1)  # "Изчисти": no row any more, nor any calculation
        self.assertEqual(self.picture_words(),
                         "Първо въведи брой букви и натисни „Изчисли“, после избери ред.")
        self.assertEqual(self.js("return document.querySelectorAll('#picture-drawing rect').length"),
                         1)  # the background alone
        self.driver.find_element(By.ID, "picture-close").click()
        self.assertFalse(picture.is_displayed())
        self.calculate("70")
        self.assertEqual(self.lists(), SEVENTY)

    def open_steps(self):
        """The picture of the last row opened, and its steps page chosen by the tab's arrow key."""
        self.press(0)
        self.list_rows(2)[-1].click()
        self.control("List1", 2).send_keys(Keys.ENTER)
        tab = self.driver.find_element(By.ID, "tab-picture")
        tab.click()
        tab.send_keys(Keys.ARROW_RIGHT)
        return self.driver.find_element(By.ID, "page-steps")

    def step_text(self, element_id):
        return self.driver.find_element(By.ID, element_id).text

    def step_button(self, name):
        return self.driver.find_element(By.XPATH, f"//div[@id='page-steps']//button[.='{name}']")

    def test_the_steps_page_by_its_tabs_buttons_and_keys(self):
        steps = self.open_steps()
        tabs = self.driver.find_elements(By.CSS_SELECTOR, "#picture-tabs [role=tab]")
        self.assertEqual([tab.text for tab in tabs],
                         ["Картина", "Стъпка по стъпка", "Опитай сам", "Промени програмата",
                          "Напиши програмата"])
        self.assertEqual([tab.get_attribute("aria-selected") for tab in tabs],
                         ["false", "true", "false", "false", "false"])
        self.assertEqual(self.js("return document.activeElement"), tabs[1])  # the tab keeps it
        self.assertTrue(steps.is_displayed())
        self.assertFalse(self.driver.find_element(By.ID, "page-picture").is_displayed())
        self.assertIn("Стъпка по стъпка", self.control("List1", 0).get_attribute("title"))
        # The panel's heading names the page shown; what the lists' column names mean stands by
        # the rows' heading.
        self.assertEqual(self.step_text("picture-title"), "Стъпка по стъпка")
        self.assertEqual(self.step_text("steps-axes"),
                         "по абсциса – по хоризонталата, по ордината – по вертикалата")
        # The last row chosen in the lists: the step that listed it.
        self.assertEqual(self.step_text("steps-counter"), "стъпка 13 от 126")
        current = self.driver.find_elements(By.CSS_SELECTOR, "#steps-program li[aria-current]")
        self.assertEqual([line.text.strip().replace("\xa0", " ") for line in current],
                         ["ако P < BestFrame: ред i, j, P;  BestFrame ← P"])

        moves = [("Начало", None, "стъпка 1 от 126"), ("Напред", None, "стъпка 2 от 126"),
                 (None, Keys.ARROW_RIGHT, "стъпка 3 от 126"), ("Назад", None, "стъпка 2 от 126"),
                 (None, Keys.ARROW_LEFT, "стъпка 1 от 126"),
                 ("Следващ ред", None, "стъпка 2 от 126"),
                 (None, Keys.PAGE_DOWN, "стъпка 6 от 126"), (None, Keys.PAGE_UP, "стъпка 2 от 126"),
                 ("Край", None, "стъпка 126 от 126"), (None, Keys.HOME, "стъпка 1 от 126"),
                 (None, Keys.END, "стъпка 126 от 126"),
                 ("Предишен ред", None, "стъпка 13 от 126")]
        for button, key, counter in moves:
            if button:
                self.step_button(button).click()
            else:
                ActionChains(self.driver).send_keys(key).perform()  # to the focused element
            self.assertEqual(self.step_text("steps-counter"), counter, (button, key))
        self.assertFalse(self.step_button("Следващ ред").is_enabled())
        marked = self.driver.find_elements(By.CSS_SELECTOR, "#steps-rows tr[aria-current]")
        self.assertEqual([row.text for row in marked], ["4 7 10 38"])

        # The tie 72 = 8 × 9, its rectangle painted; the live text is polite.
        steps.send_keys(Keys.HOME)
        for _ in range(36):
            steps.send_keys(Keys.ARROW_RIGHT)
        self.assertEqual(self.step_text("steps-sentence"),
                         "72 = 8 × 9: рамката е 38 и не е по-малка от 38, затова не се записва.")
        self.assertEqual(self.driver.find_element(By.ID, "steps-announced").get_attribute(
            "textContent").replace("\xa0", " "), self.step_text("steps-sentence"))
        self.assertEqual(self.driver.find_element(By.ID, "steps-announced")
                         .get_attribute("aria-live"), "polite")
        self.assertEqual(self.painted_squares("steps-drawing"),
                         {"#c0c000": 38, "#808000": 70, "#d8d8b0": 2})
        values = self.js("return [...document.querySelectorAll('#steps-values tr')]"
                         ".slice(1).map(r => r.cells[1].textContent)")
        self.assertEqual(values, ["70", "72", "8", "0", "9", "38", "38", "8", "9"])

        # Space on a focused button presses it; Space elsewhere on the page plays and stops.
        self.step_button("Назад").send_keys(Keys.SPACE)
        self.assertEqual(self.step_text("steps-counter"), "стъпка 36 от 126")
        # Played at one step a second, so that it still plays when the button is read; then at
        # 1000 a second to its end.
        Select(self.driver.find_element(By.ID, "steps-speed")).select_by_index(0)
        steps.send_keys(Keys.SPACE)
        self.assertEqual(self.step_button("Спри").text, "Спри")
        Select(self.driver.find_element(By.ID, "steps-speed")).select_by_index(4)
        WebDriverWait(self.driver, 5).until(
            lambda d: self.step_text("steps-counter") == "стъпка 126 от 126")
        self.assertEqual(self.step_button("Пусни").text, "Пусни")  # stopped at the last

        # A new run shows from its first step; "Изчисти" leaves a sentence that there is none.
        self.calculate("13")
        self.assertEqual(self.step_text("steps-counter"), "стъпка 1 от 23")
        self.press(1)
        self.assertEqual(self.step_text("steps-counter"), "")
        self.assertIn("Още няма изчисление", self.step_text("steps-sentence"))
        self.assertFalse(self.step_button("Напред").is_enabled())
        # The tabs' arrow keys, and Escape, as on the picture's page.
        tabs[1].send_keys(Keys.ARROW_LEFT)
        self.assertEqual(tabs[0].get_attribute("aria-selected"), "true")
        self.assertEqual(self.step_text("picture-title"), "Картина на реда")
        tabs[0].send_keys(Keys.ESCAPE)
        self.assertFalse(self.driver.find_element(By.ID, "picture").is_displayed())

    def test_keeps_its_light_look_under_a_dark_colour_scheme(self):
        with self.dark():
            self.open(f"{self.host}/index.html")
            self.assertTrue(self.js("return matchMedia('(prefers-color-scheme: dark)').matches"))
            self.press(0)
            contrasts = self.js(CONTRAST)
            for label, ratio in contrasts.items():
                self.assertGreaterEqual(ratio, 4.5, label)
            self.assertGreater(len(contrasts), 15)

    def test_axe_finds_no_accessibility_violation_light_or_dark(self):
        for scheme in (contextlib.nullcontext, self.dark):
            with scheme():
                self.open(f"{self.host}/index.html")
                self.press(0)  # with rows in the lists, and the picture of the last one open
                self.list_rows(2)[-1].click()
                self.control("List1", 2).send_keys(Keys.ENTER)
                self.assertTrue(self.driver.find_element(By.ID, "picture").is_displayed())
                self.js(AXE.read_text(encoding="utf-8"))
                self.keys(Keys.F4)
                self.answer(5, 14)  # a verdict and a chart on the practice's page
                self.keys(Keys.F6)  # the program written, run to its end: values, output, rows
                self.write_button("Пусни").click()
                self.assertEqual(self.write_text("output"), "N = 70")
                self.driver.find_element(By.ID, "menu-0").click()  # and a menu open
                for page in ("tab-picture", "tab-steps", "tab-practice", "tab-change", "tab-write"):
                    self.driver.find_element(By.ID, page).click()
                    self.assertEqual(self.axe_violations(), [], (scheme.__name__, page))
                self.write_button("Какво може езикът").click()  # and the language's help
                self.assertEqual(self.axe_violations(), [], (scheme.__name__, "help"))
                self.keys(Keys.ESCAPE)

    def axe_violations(self):
        violations = self.driver.execute_async_script(
            "axe.run(document).then((result) => arguments[0](result.violations))")
        return [(v["id"], [n["target"] for n in v["nodes"]]) for v in violations]

    def test_installable_and_working_offline_after_the_first_visit(self):
        with tempfile.TemporaryDirectory() as folder:
            site = shutil.copytree(PAGE, pathlib.Path(folder) / "site")
            with headless_chromium.static_host(site) as host:
                self.open(f"{host}/")
                self.assertEqual(self.driver.execute_cdp_cmd(
                    "Page.getInstallabilityErrors", {})["installabilityErrors"], [])
                self.driver.execute_async_script(
                    "navigator.serviceWorker.ready.then(() => arguments[0]())")
                self.open(f"{host}/")
                self.assertTrue(self.js("return navigator.serviceWorker.controller !== null"))
            # The host is gone, the network is off, and only the worker's cache can serve.
            self.driver.execute_cdp_cmd("Network.enable", {})
            self.driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
            self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
                "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
            try:
                self.open(f"{host}/")
                self.press(0)
                self.assertEqual(self.lists(), SEVENTY)
            finally:
                self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
                    "offline": False, "latency": 0, "downloadThroughput": -1,
                    "uploadThroughput": -1})
                self.driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": False})
                self.driver.execute_cdp_cmd("Network.disable", {})

    def test_after_a_rebuild_the_next_visits_get_the_new_files(self):
        fetch_css = ("fetch('page.css').then((r) => r.text())"
                     ".then((text) => arguments[0](text.includes('rebuilt')))")
        with tempfile.TemporaryDirectory() as folder:
            site = shutil.copytree(PAGE, pathlib.Path(folder) / "site")
            with headless_chromium.static_host(site) as host:
                self.open(f"{host}/")
                self.driver.execute_async_script(
                    "navigator.serviceWorker.ready.then(() => arguments[0]())")
                with open(site / "page.css", "a", encoding="utf-8") as css:
                    css.write("/* rebuilt */\n")
                subprocess.run(["cmake", f"-DPAGE={site}", f"-DTEMPLATE={SOURCE}/src/web/worker.js",
                                "-P", str(SOURCE / "src/web/worker.cmake")], check=True)
                self.open(f"{host}/")  # the old worker serves, and finds its successor
                cache = re.search(r'const CACHE = "([^"]+)"', (site / "worker.js").read_text())[1]
                self.driver.execute_async_script("""
                  const [cache, done] = arguments;
                  (function wait() {  // until the new worker has taken over, the old cache gone
                    caches.keys().then((names) => names.join() === cache ? done() : setTimeout(wait, 20));
                  })();""", cache)
                self.open(f"{host}/")
                self.assertTrue(self.driver.execute_async_script(fetch_css))

    # The menu bar and "Опитай сам".

    def menu_items(self, menu):
        return self.driver.find_elements(By.CSS_SELECTOR, f"#menu-{menu}-items [role=menuitem]")

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def focused(self):
        return self.js("return document.activeElement")

    def test_the_menu_bar_by_keyboard_and_mouse(self):
        bar = self.driver.find_element(By.ID, "menubar")
        self.assertEqual(bar.get_attribute("role"), "menubar")
        menus = self.driver.find_elements(By.CSS_SELECTOR, "#menubar > .menu > [role=menuitem]")
        self.assertEqual([menu.text for menu in menus], ["Урок", "Помощ"])
        self.assertEqual([menu.find_element(By.TAG_NAME, "u").text for menu in menus], ["У", "П"])
        # The bar stands above the window, as wide as it, and the window keeps its own drawing.
        window = self.driver.find_element(By.ID, "window").rect
        self.assertEqual((bar.rect["width"], bar.rect["y"] + bar.rect["height"]),
                         (window["width"], window["y"]))

        # Alt with the menu's letter opens it at its first item; no row is selected, so the
        # picture cannot act and says so; Down twice and Enter choose "Опитай сам".
        ActionChains(self.driver).key_down(Keys.ALT).send_keys("у").key_up(Keys.ALT).perform()
        items = self.menu_items(0)
        self.assertEqual([item.text.replace("\n", " ") for item in items],
                         ["Картина на реда F2", "Стъпка по стъпка F3", "Опитай сам F4",
                          "Промени програмата F5", "Напиши програмата F6"])
        self.assertEqual(self.focused(), items[0])
        self.assertEqual(items[0].get_attribute("aria-disabled"), "true")
        self.keys(Keys.ENTER)  # a disabled item does nothing
        self.assertFalse(self.driver.find_element(By.ID, "picture").is_displayed())
        self.keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN, Keys.ENTER)
        self.assertTrue(self.driver.find_element(By.ID, "page-practice").is_displayed())
        self.assertEqual(self.focused(), self.driver.find_element(By.ID, "practice-across"))
        self.assertFalse(items[0].is_displayed())  # the menu closed

        # With a row selected, a click on "Урок" and on "Картина на реда" shows its picture.
        self.press(0)
        self.list_rows(2)[3].click()
        menus[0].click()
        self.assertEqual(self.menu_items(0)[0].get_attribute("aria-disabled"), "false")
        self.menu_items(0)[0].click()
        self.assertTrue(self.driver.find_element(By.ID, "page-picture").is_displayed())
        self.assertEqual(self.picture_words(),
                         "7 × 10 = 70 квадратчета, 70 букви, рамка от 38 квадратчета")
        # F3 goes to the steps page, at the step that listed the row; the letters of an open
        # menu choose its items, and Escape closes it where the focus was.
        self.keys(Keys.F3)
        self.assertEqual(self.step_text("steps-counter"), "стъпка 13 от 126")
        menus[1].click()
        self.keys("з")
        about = self.driver.find_element(By.ID, "about")
        self.assertTrue(about.is_displayed())
        self.assertIn("Версия 1.00", about.text)
        self.assertIn("MIT", about.text)
        self.keys(Keys.ESCAPE)
        self.assertFalse(about.is_displayed())
        menus[0].click()
        self.keys(Keys.ESCAPE)
        self.assertEqual(self.focused(), menus[0])
        self.assertEqual(menus[0].get_attribute("aria-expanded"), "false")
        self.keys(Keys.ARROW_RIGHT)
        self.assertEqual(self.focused(), menus[1])

    def open_practice(self, counts):
        self.keys(Keys.F4)
        headless_chromium.set_practice(self.driver, 0, counts)
        self.assertEqual(self.focused(), self.driver.find_element(By.ID, "practice-across"))

    def type_into(self, box, text):
        """All of a box replaced by what is typed, as a pupil does."""
        self.keys(Keys.BACKSPACE * 8, *([text] if text else []))

    def answer(self, across, down):
        """The two sides typed, Tab between them, and Enter, as a pupil does."""
        box = self.driver.find_element(By.ID, "practice-across")
        if self.focused() != box:
            box.click()
        self.type_into(box, str(across))
        self.keys(Keys.TAB)
        self.type_into(box, str(down))
        self.keys(Keys.ENTER)

    def practice_text(self, name):
        """What a part of the practice says, its formulas' no-break spaces read as blanks."""
        return self.driver.find_element(By.ID, f"practice-{name}").text.replace("\xa0", " ")

    def practice_button(self, name):
        return self.driver.find_element(By.XPATH, f"//div[@id='page-practice']//button[.='{name}']")

    def test_a_set_of_level_one_played_from_the_keyboard(self):
        self.open_practice([7, 16, 13, 3, 10])
        self.assertEqual(self.practice_text("task"),
                         "Мантрата има 7 букви, по една в квадратче. Намери правоъгълник, в който "
                         "се побират всички, с най-малка златна рамка.")
        labels = self.js("return [...document.querySelectorAll('#page-practice input')]"
                         ".filter(box => box.checkVisibility()).map(box => box.labels[0].textContent)")
        self.assertEqual(labels, ["по абсциса", "по ордината"])  # the frame at the fifth level
        self.assertEqual(self.practice_text("axes"),
                         "по абсциса – по хоризонталата, по ордината – по вертикалата")
        self.assertEqual(self.step_text("picture-title"), "Опитай сам")
        # What "Виж как го намира програмата" will change, said beside it, and as its description.
        show = self.practice_button("Виж как го намира програмата")
        self.assertEqual(self.practice_text("show-note"), "Това ще смени числото в главния прозорец.")
        self.assertEqual(show.get_attribute("aria-describedby"), "practice-show-note")
        self.answer(2, 5)
        self.assertEqual(self.practice_text("verdict"),
                         "Буквите се побират, но златната рамка около 2 × 5 е 2 × 2 + 2 × 5 + 4 = "
                         "18 квадратчета, а има и по-малка. Подсказка: страните на правоъгълника с "
                         "най-малка рамка са близки една до друга и до √7 ≈ 2,65: числото, което, "
                         "умножено по себе си, дава 7; 2 × 2 = 4.")
        self.assertEqual(self.driver.find_element(By.ID, "practice-verdict")
                         .get_attribute("aria-live"), "polite")
        self.assertEqual(self.focused(), self.practice_button("Опитай пак"))
        self.keys(Keys.ENTER)
        self.answer(3, 3)
        self.assertTrue(self.practice_text("verdict").startswith(
            "Вярно! Златната рамка около 3 × 3 е от 16"))
        self.assertEqual(self.practice_text("progress"), "Задача 1 от 5, точки: 1")
        self.assertEqual(self.focused(), self.practice_button("Следваща задача"))
        self.keys(Keys.ENTER)
        # The old verdict is gone, for a screen reader too.
        self.assertEqual(self.js("return document.getElementById('practice-verdict')"
                                 ".textContent"), "")

        # What the boxes cannot read is not judged, uses no try and stays as typed; the arrows
        # step a box within 1 to N.
        across = self.driver.find_element(By.ID, "practice-across")
        self.type_into(across, "2,5")
        self.keys(Keys.ENTER)
        self.assertEqual(self.practice_text("verdict"), "Страните са цели числа от 1 до 16.")
        self.assertEqual(across.get_property("value"), "2,5")
        self.assertEqual(self.practice_text("progress"), "Задача 2 от 5, точки: 1")
        self.assertEqual(self.focused(), across)
        self.type_into(across, "40")
        self.keys(Keys.ARROW_UP)
        self.assertEqual(across.get_property("value"), "16")
        self.keys(Keys.ARROW_DOWN)
        self.assertEqual(across.get_property("value"), "15")

        self.answer(3, 5)  # 16 letters do not fit
        self.assertEqual(self.practice_text("verdict"),
                         "Буквите не се побират: 3 × 5 = 15 квадратчета, а буквите са 16. Без "
                         "квадратче остава 1 буква. Подсказка: произведението на страните трябва да "
                         "е поне 16.")
        self.assertEqual(self.practice_text("line"), "3 × 5 = 15 квадратчета, а буквите са 16")
        self.assertEqual(self.js("return document.querySelectorAll('#practice-drawing rect"
                                 "[fill=\"#ffb0b0\"]').length"), 1)  # the letter without a square
        self.keys(Keys.ENTER)
        self.answer(4, 4)
        self.keys(Keys.ENTER)
        for across, down in ((4, 4), (2, 2), (3, 4)):
            self.answer(across, down)
            self.assertTrue(self.practice_text("verdict").startswith("Вярно!"))
            self.keys(Keys.ENTER)
        # The end of the set: the score, the stars and what to do next, nothing of the last task.
        score = self.driver.find_element(By.ID, "practice-score")
        self.assertEqual(score.text, "8 точки от 10 ★★☆")
        self.assertEqual(score.get_attribute("aria-label"), "8 точки от 10: 2 звезди от 3")
        self.assertEqual(self.practice_text("best"),
                         "Най-добър резултат на нивото: 8 точки от 10 ★★☆")
        self.assertEqual(self.practice_text("task"),
                         "Петте задачи свършиха: 8 точки от 10. За пет нови задачи натисни "
                         "„Отначало“ или избери друго ниво.")
        self.assertEqual(self.focused(), self.practice_button("Отначало"))
        shown = self.js("return [...document.querySelectorAll('#page-practice :is(input, button,"
                        " #practice-verdict, #practice-drawing)')].filter(e => e.checkVisibility())"
                        ".map(e => e.id || e.textContent)")
        self.assertEqual(shown, ["Отначало"])
        # "Отначало" and another level leave nothing of a verdict either.
        self.keys(Keys.ENTER)
        self.answer(1, 1)
        self.assertNotEqual(self.practice_text("verdict"), "")
        self.js("const level = document.getElementById('practice-level'); level.value = '2';"
                "level.dispatchEvent(new Event('change'))")
        self.assertEqual(self.js("return document.getElementById('practice-verdict')"
                                 ".textContent"), "")

    def test_two_wrong_tries_show_the_solution_and_the_chart_marks_it(self):
        self.open_practice([70])
        self.answer(5, 14)
        self.keys(Keys.ENTER)
        self.answer(6, 12)
        self.assertTrue(self.practice_text("verdict").endswith(
            "Решение: 7 × 10, златна рамка от 38 квадратчета. Същата рамка има и 8 × 9."))
        self.assertEqual(self.js("return [...document.querySelectorAll('#page-practice input')]"
                                 ".slice(0, 2).map(box => box.value)"), ["7", "10"])
        self.assertEqual(self.painted_squares("practice-drawing"), {"#c0c000": 38, "#808000": 70})
        chart = self.driver.find_element(By.ID, "practice-chart")
        self.js("arguments[0].scrollIntoView({block: 'center'})", chart)
        self.assertEqual((chart.get_attribute("role"), chart.get_attribute("aria-label")),
                         ("img", "Диаграмата"))
        self.assertTrue(self.driver.find_element(By.ID, "practice-description")
                        .get_attribute("textContent").startswith("Диаграма. Стълбът над всяко a"))
        # As painted: four gold bars, the sides of the least frame, and the pupil's mark over the
        # bar of 6, each where the drawing puts it.
        image = Image.open(io.BytesIO(chart.screenshot_as_png)).convert("RGB")
        shown = self.js("""
          const rects = [...document.querySelectorAll('#practice-chart rect')];
          const at = (r) => [+r.getAttribute('x') + +r.getAttribute('width') / 2,
                             +r.getAttribute('y') + +r.getAttribute('height') - 3];
          return {gold: rects.filter(r => r.getAttribute('fill') === '#c0c000' &&
                                          +r.getAttribute('height') > 20).map(at),
                  mark: rects.filter(r => r.getAttribute('fill') === '#0040c0').map(at).pop(),
                  labels: [...document.querySelectorAll('#practice-chart text')]
                    .map(t => t.textContent.replaceAll('\\u00a0', ' '))};""")
        self.assertEqual(len(shown["gold"]), 4)
        for x, y in shown["gold"]:
            self.assertEqual("#%02x%02x%02x" % image.getpixel((int(x), int(y))), "#c0c000")
        self.assertEqual("#%02x%02x%02x" % image.getpixel(tuple(map(int, shown["mark"]))),
                         "#0040c0")
        for label in ("√70 ≈ 8,37", "рамка (брой квадратчета)", "страна a по абсцисата", "40"):
            self.assertIn(label, shown["labels"])

    def test_a_level_five_task_played_from_the_keyboard_with_a_wrong_row(self):
        self.keys(Keys.F4)
        headless_chromium.set_practice(self.driver, 4, [7])
        self.assertTrue(self.practice_text("task").startswith(
            "Кои редове ще запише програмата за 7 букви? Въведи ги един по един"))
        frame = self.driver.find_element(By.ID, "practice-frame")
        self.assertTrue(frame.is_displayed())
        self.assertEqual(self.js("return arguments[0].labels[0].textContent", frame), "рамка")
        # Under it, on a line of its own, what it counts, which a screen reader hears as its
        # description.
        note = self.driver.find_element(By.ID, "practice-frame-note")
        self.assertTrue(note.is_displayed())
        self.assertEqual(note.text.replace("\xa0", " "),
                         "Рамката е броят на златните квадратчета около правоъгълника: 2a + 2b + 4; "
                         "програмата го записва в колоната „периметър“.")
        self.assertGreaterEqual(note.rect["y"], frame.rect["y"] + frame.rect["height"])
        self.assertEqual(frame.get_attribute("aria-describedby"), "practice-frame-note")
        self.assertFalse(self.driver.find_element(By.ID, "practice-chart").is_displayed())
        self.assertTrue(self.practice_button("Няма повече редове").is_displayed())

        def give(across, down, perimeter):
            self.driver.find_element(By.ID, "practice-across").click()
            self.type_into(None, str(across))
            self.keys(Keys.TAB)
            self.type_into(None, str(down))
            self.keys(Keys.TAB)
            self.type_into(None, str(perimeter))
            self.keys(Keys.ENTER)

        give(1, 7, 20)
        self.assertEqual(self.practice_text("verdict"), "Вярно: програмата записва 1 × 7, рамка 20.")
        give(2, 4, "")  # an empty frame is not judged
        self.assertEqual(self.practice_text("verdict"), "Рамката е цяло число от 1 до 9999.")
        give(3, 3, 16)  # the closing square before the row from the area 8
        self.assertEqual(self.practice_text("verdict"),
                         "Програмата разглежда площите от по-малките към по-големите, а във всяка "
                         "от тях – делителите i (страните по абсцисата) по ред: преди 3 × 3 тя "
                         "записва друг ред.")
        self.assertEqual(self.focused(), self.practice_button("Опитай пак"))
        self.keys(Keys.ENTER)
        give(2, 4, 16)
        give(3, 3, 16)
        rows = self.js("return [...document.querySelectorAll('#practice-listed tbody tr')]"
                       ".map(r => r.textContent)")
        self.assertEqual(rows, ["1720", "2416", "3316"])
        self.practice_button("Няма повече редове").send_keys(Keys.ENTER)
        self.assertTrue(self.practice_text("verdict").startswith("Вярно: това са всички редове"))
        self.assertEqual(self.practice_text("progress"), "Задача 1 от 5, точки: 1")
        # "Виж как го намира програмата": the steps at the row where the pupil first went wrong.
        self.practice_button("Виж как го намира програмата").click()
        self.assertEqual(self.step_text("steps-counter"), "стъпка 10 от 15")

    def test_show_in_program_runs_the_task_in_the_window_and_opens_its_steps(self):
        self.open_practice([70])
        self.answer(8, 9)
        self.keys(Keys.TAB, Keys.TAB)
        self.assertEqual(self.focused(), self.practice_button("Виж как го намира програмата"))
        self.keys(Keys.ENTER)
        self.assertEqual(self.box(1).get_property("value"), "70")
        self.assertEqual(self.lists(), SEVENTY)
        self.assertEqual(self.selection(), [3] * 3)
        self.assertTrue(self.driver.find_element(By.ID, "page-steps").is_displayed())
        self.assertEqual(self.step_text("steps-counter"), "стъпка 13 от 126")

    def change_cells(self):
        return self.js("return [...document.querySelectorAll('#change-table tbody tr')]"
                       ".map(r => [...r.children].map(c => c.textContent.replaceAll('\\u00a0', ' ')))")

    def change_text(self, name):
        return self.driver.find_element(By.ID, f"change-{name}").text.replace("\xa0", " ")

    def test_the_changed_program_by_keyboard_its_table_chart_and_hunt(self):
        self.keys(Keys.F5)
        self.assertTrue(self.driver.find_element(By.ID, "page-change").is_displayed())
        self.assertEqual(self.driver.find_element(By.ID, "tab-change").get_attribute("aria-selected"),
                         "true")
        count = self.driver.find_element(By.ID, "change-count")
        self.assertEqual(self.focused(), count)
        self.assertEqual(count.get_property("value"), "70")  # the window's count
        self.assertEqual(self.change_cells(), [
            ["както е написана", "1 × 70, 2 × 35, 5 × 14, 7 × 10", "38 – вярно", "106"],
            ["променената", "1 × 70, 2 × 35, 5 × 14, 7 × 10", "38 – вярно", "106"],
            ["всяка страна a от 1 до N", "7 × 10", "38 – вярно", "69"],
            ["формулата", "9 × 8", "38 – вярно", "1"]])
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#change-chart polyline")), 3)

        # A switch off and on again from the keyboard: Tab reaches the switches in the order of
        # the lines, Space ticks.
        root = self.driver.find_element(By.CSS_SELECTOR, "#page-change input[data-part='0']")
        for _ in range(12):
            if self.focused() == root:
                break
            self.keys(Keys.TAB)
        self.assertEqual(self.focused(), root)
        self.keys(Keys.SPACE)
        self.assertFalse(root.is_selected())
        line = self.driver.find_elements(By.CSS_SELECTOR, "#change-lines > li")[10]
        self.assertIn("changed", line.get_attribute("class"))
        self.assertEqual(line.get_attribute("aria-label").replace("\xa0", " "),
                         "Ред 11, променен: ScanDivisors: за i от 2 до N")
        self.assertEqual(self.change_cells()[1][3], "874")
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#change-chart polyline")), 4)
        self.assertEqual(self.change_text("hunt-title"), "Изпробвай промяната")
        why = self.driver.find_element(By.XPATH, "//div[@id='page-change']//button[.='Защо?']")
        self.assertTrue(why.is_displayed())
        why.click()
        self.assertTrue(self.change_text("said").startswith("С делителите до N"))
        self.assertEqual(self.driver.find_element(By.ID, "change-said").get_attribute("aria-live"),
                         "polite")
        root.send_keys(Keys.SPACE)
        self.assertTrue(root.is_selected())
        self.assertEqual(self.change_cells()[1][3], "106")
        self.assertEqual(self.js("return document.getElementById('change-said').textContent"), "")

        # Only the area N, for 5: wrong; then the hunt.
        count.click()
        self.keys(Keys.BACKSPACE * 8, "5")
        self.driver.find_element(By.CSS_SELECTOR, "#page-change input[data-part='1']").send_keys(
            Keys.SPACE)
        self.assertEqual(self.change_cells()[1][1:], ["1 × 5, 3 × 3", "16 – грешно: най-малката е 14",
                                                      "1"])
        self.assertEqual(self.change_text("hunt-title"), "Намери грешката")
        guess = self.driver.find_element(By.ID, "change-guess")
        smallest = self.driver.find_element(
            By.XPATH, "//div[@id='page-change']//button[.='Покажи най-малкото']")
        for tried, said in (("6", "За 6 тази програма намира най-малката рамка, 14."),
                            ("70", "За 70 тази програма намира най-малката рамка, 38."),
                            ("11", "Да, тук тя греши. За 11 тази програма завършва с 4 × 4, рамка "
                                   "20, а програмата, както е написана – с 3 × 4, рамка 18: "
                                   "най-малката рамка е 18, а не 20.")):
            self.assertFalse(smallest.is_enabled())
            guess.click()
            self.keys(Keys.BACKSPACE * 8, tried, Keys.ENTER)
            self.assertEqual(self.change_text("said"), said)
        self.assertTrue(smallest.is_enabled())
        smallest.click()
        self.assertTrue(self.change_text("said").startswith(
            "Най-малкото N, за което тази програма греши, е 5."))

    # "Напиши програмата".

    def write_text(self, name):
        """What a part of the page says, its no-break spaces read as blanks."""
        return self.driver.find_element(By.ID, f"write-{name}").get_attribute(
            "textContent").replace("\xa0", " ")

    def write_button(self, name):
        return self.driver.find_element(By.XPATH, f"//div[@id='page-write']//button[.='{name}']")

    def editor(self):
        return self.driver.find_element(By.ID, "write-editor")

    def chord(self, modifier, key):
        """A key pressed with a modifier held, Ctrl+A or Shift+Tab."""
        ActionChains(self.driver).key_down(modifier).send_keys(key).key_up(modifier).perform()

    def retype(self, text):
        """The editor's whole text replaced by what is typed, key by key."""
        self.editor().click()
        self.chord(Keys.CONTROL, "a")
        self.keys(Keys.DELETE, text)

    def marked(self):
        """The line whose number is marked, the editor's marked line and span, and whether as an
        error."""
        return self.js("""
            const line = document.querySelector('#write-marks .line');
            return [document.querySelector('#write-numbers .line')?.textContent,
                    line?.textContent, line?.querySelector('mark').textContent,
                    document.querySelector('.write-editor').classList.contains('error')]""")

    def rows_of(self, table):
        return self.js(f"return [...document.querySelectorAll('#write-{table} tbody tr')]"
                       ".map(r => [...r.cells].map(c => c.textContent))")

    def test_write_a_program_with_the_signs_and_keys_run_and_step_it(self):
        self.keys(Keys.F6)
        self.assertTrue(self.driver.find_element(By.ID, "page-write").is_displayed())
        editor = self.editor()
        self.assertEqual(self.focused(), editor)
        self.assertEqual((editor.aria_role, editor.accessible_name), ("textbox", "Програмата ти"))
        self.assertEqual(editor.get_property("value"), "N ← броят на буквите\nпокажи N\n")
        self.assertEqual(self.driver.find_element(By.ID, "write-count").get_property("value"), "70")
        # Typed with a sign's button, which puts its sign at the caret and gives the focus back;
        # Tab puts four blanks.
        self.retype("N ")
        sign = self.driver.find_element(By.CSS_SELECTOR, "button.sign[data-text='←']")
        self.assertEqual(sign.accessible_name, "Вмъкни ← (става)")
        sign.click()
        self.assertEqual(self.focused(), editor)
        self.keys(" броят на буквите\nред 1, N, 2N + 6\n", Keys.TAB, "покажи N")
        self.assertEqual(editor.get_property("value"),
                         "N ← броят на буквите\nред 1, N, 2N + 6\n    покажи N")
        # Escape then Tab leaves the editor, the page open; any other key between disarms it.
        self.keys(Keys.ESCAPE, Keys.END, Keys.TAB)
        self.assertEqual(self.focused(), editor)
        self.keys(Keys.BACKSPACE * 4, Keys.ESCAPE, Keys.TAB)
        self.assertEqual(self.focused(), self.driver.find_element(By.ID, "write-count"))
        self.assertTrue(self.driver.find_element(By.ID, "page-write").is_displayed())
        editor.click()
        self.keys(Keys.ESCAPE)
        self.chord(Keys.SHIFT, Keys.TAB)
        self.assertEqual(self.focused(), self.write_button("Какво може езикът"))

        # An error at its place: the line marked in the error's colour, the caret there, and the
        # error said aloud.
        self.assertEqual(editor.get_property("value"),
                         "N ← броят на буквите\nред 1, N, 2N + 6\n    покажи N")
        self.retype("N ← броят на буквите\nред 1, N, 2N + 6\nпокажи N / 2")
        self.write_button("Пусни").click()
        error = ("Ред 3: За деление пиши div (цялото частно) или mod (остатъка); за умножение пиши "
                 "× или *.")
        self.assertEqual(self.write_text("message"), error)
        self.assertEqual(self.write_text("said"), error)
        self.assertEqual(self.driver.find_element(By.ID, "write-said").get_attribute("aria-live"),
                         "polite")
        self.assertEqual(self.marked(), ["3", "покажи N / 2", "/", True])
        caret = [len("N ← броят на буквите\nред 1, N, 2N + 6\nпокажи N ")] * 2
        self.assertEqual([editor.get_property(k) for k in ("selectionStart", "selectionEnd")], caret)
        editor.send_keys(Keys.PAGE_UP)  # the caret elsewhere; a run again brings it back
        self.assertEqual(editor.get_property("selectionStart"), 0)
        self.write_button("Пусни").click()
        self.assertEqual([editor.get_property(k) for k in ("selectionStart", "selectionEnd")], caret)
        # An edit clears the marks; then the program stepped: the line marked, the value changed.
        self.retype("N ← броят на буквите\nред 1, N, 2N + 6\nпокажи N div 2")
        self.assertEqual(self.marked(), [None, None, None, False])
        step = self.write_button("Стъпка")
        step.click()
        self.assertEqual(self.write_text("counter"), "стъпка 1 от 3")
        self.assertEqual(self.write_text("message"), "N става 70, броят на буквите.")
        self.assertEqual(self.write_text("said"), "N става 70, броят на буквите.")
        self.assertEqual(self.marked(), ["1", "N ← броят на буквите", "N ← броят на буквите",
                                         False])
        self.assertEqual(self.rows_of("values"), [["N", "70   ← нова стойност"]])
        self.assertEqual(self.js("return document.querySelector('#write-values tbody tr')"
                                 ".className"), "changed")
        step.click()
        self.assertEqual(self.rows_of("yours"), [["1", "70", "146"]])
        self.assertEqual(self.rows_of("lesson"), [list(row) for row in zip(*SEVENTY)])
        step.click()
        self.assertFalse(step.is_enabled())
        self.assertEqual(self.focused(), self.write_button("Назад"))  # the nearest in use
        self.assertEqual(self.write_text("output"), "N div 2 = 35")
        # Over: the last row judged for the task, "Лентата", in words for a screen reader too.
        self.assertEqual(self.rows_of("yours"), [["1", "70", "146 ✓верен ред"]])
        self.assertEqual(self.write_text("work"), "Твоята програма: 1 деление, 3 стъпки. "
                                                  "Програмата от урока: 106 деления, 348 стъпки.")
        self.write_button("Назад").click()
        self.assertEqual((self.write_text("counter"), self.write_text("output")),
                         ("стъпка 2 от 3", ""))
        self.write_button("Отначало").click()
        self.assertEqual(self.write_text("counter"), "")
        # Another N, stepped by the arrows; a run to the end.
        count = self.driver.find_element(By.ID, "write-count")
        count.click()
        self.keys(Keys.ARROW_UP)
        self.assertEqual(count.get_property("value"), "71")
        self.write_button("Пусни").click()
        self.assertEqual((self.write_text("counter"), self.write_text("output")),
                         ("стъпка 3 от 3", "N div 2 = 35"))
        self.assertEqual(self.rows_of("yours"), [["1", "71", "148 ✓верен ред"]])

    def check(self):
        """"Провери задачата" pressed, and every text its verdict showed until the end."""
        self.js("""
            const verdict = document.getElementById('write-verdict');
            window.verdicts = [];
            new MutationObserver(() => verdicts.push(verdict.textContent))
              .observe(verdict, {childList: true, characterData: true, subtree: true});""")
        self.write_button("Провери задачата").click()
        WebDriverWait(self.driver, 10).until(
            lambda d: self.write_button("Провери задачата").text == "Провери задачата")
        return [text.replace("\xa0", " ") for text in self.js("return verdicts")]

    def start_from(self, start, agree=True):
        """A start chosen from the keyboard in the menu "Започни от", and the question answered."""
        self.driver.find_element(By.ID, "write-start").send_keys(Keys.ARROW_DOWN)
        self.keys(Keys.ARROW_DOWN * start, Keys.ENTER)
        question = self.driver.switch_to.alert
        self.assertEqual(question.text, "Да заменя ли програмата ти? Ако размислиш, „Отмени“ "
                                        "(Ctrl+Z) в полето „Програмата ти“ я връща.")
        question.accept() if agree else question.dismiss()

    def test_write_a_task_checked_wrong_with_its_n_and_right_with_a_star(self):
        self.keys(Keys.F6)
        self.start_from(1)  # "всяка страна", for "Лентата": more rows than one
        self.assertTrue(self.editor().get_property("value").startswith("N ← броят на буквите\n"
                                                                       "BestFrame ← 2N + 6"))
        verdict = self.driver.find_element(By.ID, "write-verdict")
        self.assertEqual(verdict.get_attribute("role"), "status")  # read out as it changes
        shown = self.check()
        self.assertIn("Проверени", shown[0])  # its progress first, a slice at a time
        self.assertEqual(shown[-1], "Грешно за N = 4: записа 2 реда, а трябва точно един: 1, 4, "
                                    "14. Грешно за 999 от 1002 проверени N.")
        show = self.write_button("Покажи стъпките за това N")
        show.click()
        self.assertEqual(self.driver.find_element(By.ID, "write-count").get_property("value"), "4")
        self.assertEqual(self.write_text("message"), "В таблицата се записва 2, 2, 12.")
        self.assertEqual(self.marked()[:2], ["5", "    ако P < BestFrame: ред a, b, P;  BestFrame ← P"])
        self.assertEqual(self.rows_of("yours"), [["1", "4", "14"], ["2", "2", "12"]])
        # The next task keeps a text of its own; "всяка страна" is right for it, but earns no star
        # as a start; changed, it does.
        task = Select(self.driver.find_element(By.ID, "write-task"))
        task.select_by_index(1)
        self.assertEqual(self.editor().get_property("value"), "N ← броят на буквите\nпокажи N\n")
        self.assertTrue(self.write_text("text").startswith("Последният ред трябва да е"))
        self.start_from(1)
        self.assertEqual(self.check()[-1][:49], "Вярно за всяко N от 1 до 1000 и за 16130 и 16380.")
        self.assertTrue(self.write_text("verdict").endswith(
            "Това е програмата „всяка страна“. Промени я или напиши своя."))
        self.assertFalse(show.is_enabled())
        self.editor().click()
        self.chord(Keys.CONTROL, Keys.END)
        self.keys("покажи N")  # no longer the start
        self.assertEqual(self.write_text("verdict"), "")  # an edit ends the verdict
        self.assertTrue(self.check()[-1].endswith("Получаваш звезда ★."))
        self.assertEqual([option.text for option in task.options],
                         ["Лентата", "Най-малката рамка ★", "Същите редове", "С по-малко работа"])
        # A long check, stopped halfway; the page answers meanwhile.
        self.retype("за i от 1 до 30000: x ← i")
        self.write_button("Провери задачата").click()
        count = self.driver.find_element(By.ID, "write-count")
        count.click()
        self.keys(Keys.ARROW_UP)
        self.assertEqual(count.get_property("value"), "5")
        self.assertTrue(self.write_text("verdict").startswith("Проверени "))
        self.write_button("Спри проверката").click()
        self.assertEqual(self.write_text("verdict"), "Проверката е спряна.")
        self.assertEqual(self.write_button("Провери задачата").text, "Провери задачата")

    def test_write_texts_kept_across_a_reload_and_files_opened_and_saved(self):
        self.keys(Keys.F6)
        self.retype("покажи 1")
        Select(self.driver.find_element(By.ID, "write-task")).select_by_index(2)
        self.retype("покажи 3")
        self.open(f"{self.host}/index.html")
        self.keys(Keys.F6)
        task = Select(self.driver.find_element(By.ID, "write-task"))
        for index, text in ((0, "покажи 1"), (2, "покажи 3"), (1, "N ← броят на буквите\n"
                                                              "покажи N\n")):
            task.select_by_index(index)
            self.assertEqual(self.editor().get_property("value"), text)
        task.select_by_index(0)

        # A file through the file chooser: refused where it is not UTF-8 text, the text as it was;
        # the question declined; then opened, and undo brings the old text back.
        chooser = self.js("""
            const file = document.getElementById('write-file');
            window.chosen = 0;
            file.addEventListener('click', (event) => { ++chosen; event.preventDefault(); });
            return [file.accept, file.hidden]""")
        self.assertEqual(chooser, [".txt,text/plain", True])
        with tempfile.TemporaryDirectory() as folder:
            def choose(name, data, answer):
                path = pathlib.Path(folder) / name
                path.write_bytes(data)
                self.write_button("Отвори…").click()
                document = self.driver.execute_cdp_cmd("DOM.getDocument", {})["root"]["nodeId"]
                node = self.driver.execute_cdp_cmd("DOM.querySelector", {
                    "nodeId": document, "selector": "#write-file"})["nodeId"]
                self.driver.execute_cdp_cmd("DOM.setFileInputFiles",
                                            {"files": [str(path)], "nodeId": node})
                if answer is not None:
                    question = WebDriverWait(self.driver, 5).until(lambda d: d.switch_to.alert)
                    question.accept() if answer else question.dismiss()
            choose("bytes.txt", b"\xff\xfe1", True)
            WebDriverWait(self.driver, 5).until(lambda d: self.write_text("message").startswith(
                "Файлът не е текст в UTF-8"))
            self.assertEqual(self.editor().get_property("value"), "покажи 1")
            choose("two.txt", "\ufeffпокажи 2\nред 1, 2, 8\n".encode(), False)
            choose("two.txt", "\ufeffпокажи 2\nред 1, 2, 8\n".encode(), True)
            WebDriverWait(self.driver, 5).until(
                lambda d: self.editor().get_property("value") == "покажи 2\nред 1, 2, 8\n")
            self.assertEqual(self.js("return chosen"), 3)
            self.editor().click()
            self.chord(Keys.CONTROL, "z")
            self.assertEqual(self.editor().get_property("value"), "покажи 1")
            ActionChains(self.driver).key_down(Keys.CONTROL).key_down(Keys.SHIFT).send_keys(
                "z").key_up(Keys.SHIFT).key_up(Keys.CONTROL).perform()
            self.assertEqual(self.editor().get_property("value"), "покажи 2\nред 1, 2, 8\n")

            # Saved as a download of the text's bytes, under the task's name.
            self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                        {"behavior": "allow", "downloadPath": folder})
            self.write_button("Запази като…").click()
            saved = pathlib.Path(folder) / "Лентата.txt"
            WebDriverWait(self.driver, 10).until(lambda d: saved.exists())
            self.assertEqual(saved.read_bytes(), "покажи 2\nред 1, 2, 8\n".encode())
            self.assertEqual(self.write_text("said"),
                             "Програмата е запазена във файла „Лентата.txt“.")

    def test_write_the_start_menu_and_the_help_by_keyboard(self):
        self.keys(Keys.F6)
        start = self.driver.find_element(By.ID, "write-start")
        start.send_keys(Keys.ENTER)
        items = self.driver.find_elements(By.CSS_SELECTOR, "#write-starts [role=menuitem]")
        self.assertEqual([item.text for item in items],
                         ["празен лист", "всяка страна", "програмата от урока"])
        self.assertEqual((start.get_attribute("aria-expanded"), self.focused()), ("true", items[0]))
        self.keys(Keys.ARROW_UP)
        self.assertEqual(self.focused(), items[2])
        self.keys(Keys.ESCAPE)  # closes the menu alone
        self.assertEqual((items[0].is_displayed(), self.focused()), (False, start))
        self.assertTrue(self.driver.find_element(By.ID, "page-write").is_displayed())
        self.start_from(2, agree=False)
        self.assertEqual(self.editor().get_property("value"), "N ← броят на буквите\nпокажи N\n")
        self.start_from(0)
        self.assertEqual(self.editor().get_property("value"), "")
        start.click()
        self.driver.find_elements(By.CSS_SELECTOR, "#write-starts [role=menuitem]")[2].click()
        self.assertEqual(self.editor().get_property("value").count("\n"), 14)  # nothing asked

        help_button = self.write_button("Какво може езикът")
        help_button.send_keys(Keys.ENTER)
        help_box = self.driver.find_element(By.ID, "write-help")
        self.assertTrue(help_box.is_displayed())
        text = self.driver.find_element(By.CSS_SELECTOR, "#write-help .help-text")
        self.assertEqual(self.focused(), text)  # its arrows scroll it
        self.assertEqual(self.js("return [...document.querySelectorAll('#write-help h3')]"
                                 ".map(h => h.textContent)")[-1], "Клавишите в редактора")
        self.assertEqual(self.js("return document.querySelector('#write-help pre:nth-of-type(2)')"
                                 ".textContent"),  # an example, without its indentation
                         "x ← 5        # x става 5; може и x <- 5 или x := 5\n"
                         "x ← x + 1    # x става с 1 по-голямо")
        self.keys(Keys.ESCAPE)
        self.assertFalse(help_box.is_displayed())
        self.assertTrue(self.driver.find_element(By.ID, "page-write").is_displayed())
        self.assertEqual(self.focused(), help_button)

    def legend(self):
        return self.js("return [...document.querySelectorAll('#change-legend > *')]"
                       ".map(e => e.tagName + ' ' + e.textContent.replaceAll('\\u00a0', ' '))")

    def test_the_changed_program_explains_its_names_and_shows_no_n_it_does_not_hold(self):
        """The legend under the program, names as terms with their meanings and √N with the
        page's N; a box without an N: the table's cells empty, the chart marks none."""
        self.keys(Keys.F5)
        legend = self.legend()
        self.assertEqual([term for term in legend if term.startswith("DT")],
                         ["DT N", "DT LetterCount", "DT RootSide", "DT SquareSide", "DT BestFrame",
                          "DT ScanDivisors", "DT mod", "DT div", "DT i × j", "DT деления"])
        self.assertIn("DD остатъкът при деление.", legend)
        self.assertIn("√70 ≈ 8,37: числото, което, умножено по себе си, дава 70; 8 × 8 = 64, "
                      "9 × 9 = 81.", legend[5])
        self.assertEqual(self.js("return document.getElementById('change-legend')"
                                 ".getAttribute('aria-label')"), "Имената в програмата")
        # Under the program and above the table.
        program, shown, table = (self.driver.find_element(By.ID, name).rect for name in
                                 ("change-lines", "change-legend", "change-table"))
        self.assertGreaterEqual(shown["y"], program["y"] + program["height"])
        self.assertLessEqual(shown["y"] + shown["height"], table["y"])
        count = self.driver.find_element(By.ID, "change-count")
        count.click()
        self.keys(Keys.BACKSPACE * 8, "99999")
        self.assertEqual(count.get_property("value"), "99999")
        self.assertEqual(self.change_text("note"), "N е цяло число от 1 до 16 380.")
        self.assertEqual([row[1:] for row in self.change_cells()], [["", "", ""]] * 4)
        self.assertEqual(self.js("return [...document.querySelectorAll('#change-chart text')]"
                                 ".filter(t => t.textContent.startsWith('N =')).length"), 0)
        self.assertNotIn("70", self.legend()[5])
        self.keys(Keys.BACKSPACE * 8, "3")
        self.assertEqual(self.change_cells()[0][1:], ["1 × 3, 2 × 2", "12 – вярно", "0"])

    def test_fits_a_phone_screen_without_scrolling_or_zooming_out(self):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": 360, "height": 640, "deviceScaleFactor": 2, "mobile": True})
        try:
            self.open(f"{self.host}/index.html")
            fit = self.js("return [document.documentElement.scrollWidth, innerWidth,"
                          " visualViewport.scale,"
                          " document.getElementById('window').getBoundingClientRect().width]")
            self.assertEqual(fit, [360, 360, 1, 360])
            self.press(0)
            self.assertEqual(self.lists(), SEVENTY)
            # Every page of the panel fits as well; the program's lines keep whole, scrolling
            # inside their box.
            self.list_rows(2)[3].click()
            for key, page in ((Keys.F2, "page-picture"), (Keys.F3, "page-steps"),
                              (Keys.F4, "page-practice"), (Keys.F6, "page-write")):
                self.keys(key)
                self.assertTrue(self.driver.find_element(By.ID, page).is_displayed())
                self.assertEqual(self.js("return document.documentElement.scrollWidth"), 360, page)
                tabs = self.js(TABS)
                self.assertEqual([fits for fits, _ in tabs], [True] * 5, page)
            # The steps' program wraps its lines, as the changed program's page does: no line cut,
            # the marked one whole in view at every step, the longest among them.
            self.keys(Keys.F3)
            for step, line in ((0, 1), (2, 3), (16, 7), (125, 10)):
                self.js("ramka._ramka_step_go_to(arguments[0])", step)
                WebDriverWait(self.driver, 5).until(
                    lambda d: self.step_text("steps-counter").startswith(f"стъпка {step + 1} "))
                self.assertEqual(self.js("return [...document.querySelectorAll('#steps-program li')]"
                                         ".findIndex(li => li.hasAttribute('aria-current')) + 1"),
                                 line)
                self.assertEqual(self.js(PROGRAM_CUT), [], step)
            self.assertEqual(self.js("return document.documentElement.scrollWidth"), 360)
            # The practice opened from the menu by touch: a tap on "Урок", then on "Опитай сам",
            # each reaching the item under the finger, above the window's boxes.
            self.keys(Keys.ESCAPE)
            self.js("window.scrollTo(0, 0)")
            menu = self.driver.find_element(By.ID, "menu-0")
            self.tap(menu)
            for item in self.menu_items(0):
                self.assertTrue(self.js(
                    "const r = arguments[0].getBoundingClientRect();"
                    "return arguments[0].contains(document.elementFromPoint("
                    "r.x + r.width / 2, r.y + r.height / 2))", item), item.text)
            self.tap(self.menu_items(0)[2])
            self.assertTrue(self.driver.find_element(By.ID, "page-practice").is_displayed())
            # Taps on the buttons, each large enough for a finger.
            headless_chromium.set_practice(self.driver, 0, [67])
            self.assertGreaterEqual(self.practice_button("Провери").rect["height"], 44)
            self.answer(1, 67)
            self.assertEqual(self.js("return document.documentElement.scrollWidth"), 360)
            # No formula of the verdict breaks across lines, and no two words of the chart
            # overlap, each at least 12 px high.
            self.assertEqual(self.js(FORMULA_LINES), [])
            self.assertEqual(self.js(CHART_OVERLAPS), [])
            for name in ("Опитай пак", "Провери"):
                self.tap(self.practice_button(name))
            self.assertTrue(self.practice_text("verdict").endswith(
                "Решение: 7 × 10, златна рамка от 38 квадратчета. Същата рамка има и 8 × 9."))
            self.assertEqual(self.js(FORMULA_LINES), [])
            self.assertEqual(self.js(CHART_OVERLAPS), [])
            self.assertEqual(self.js("return document.documentElement.scrollWidth"), 360)
            # The changed program, a switch off, its table and its chart whole on the phone.
            self.keys(Keys.F5)
            self.tap(self.driver.find_element(By.CSS_SELECTOR,
                                              "#page-change input[data-part='1']"))
            self.assertEqual(self.change_cells()[1][2], "38 – вярно")
            self.assertEqual(self.js(TABS), tabs)  # the words within, the widths as they were
            self.assertEqual(self.js("return document.documentElement.scrollWidth"), 360)
            self.assertEqual(self.js(CHART_OVERLAPS.replace("practice-chart", "change-chart")), [])
            self.assertGreaterEqual(self.driver.find_element(By.ID, "change-guess").rect["height"],
                                    44)
            # The program written: the lesson's, with an error in its last line, then stepped
            # where both tables have rows; every part whole and apart, in the page's width.
            self.keys(Keys.F6)
            self.start_from(2)
            self.editor().click()
            self.chord(Keys.CONTROL, Keys.END)
            self.keys("x ← 70 / 2")
            self.tap(self.write_button("Пусни"))
            self.assertTrue(self.write_text("message").startswith("Ред 15: За деление пиши div"))
            self.assertEqual(self.js(WRITE_LAYOUT), [])
            self.retype("N ← броят на буквите\nза a от 1 до N: ред a, N, 2a + 2N + 4\n"
                        "покажи N, 2N + 6, 70 × 70 × 7")
            self.tap(self.write_button("Пусни"))
            self.assertEqual(len(self.rows_of("yours")), 70)
            self.assertTrue(self.write_text("message").startswith("Ред 3: 70 × 70 × 7 дава"))
            self.assertEqual(self.js(WRITE_LAYOUT), [])
            self.assertEqual(self.js("return document.documentElement.scrollWidth"), 360)
        finally:
            self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def tap(self, element):
        """A finger's tap at the middle of an element, as a touch screen delivers it."""
        self.js("arguments[0].scrollIntoView({block: 'center'})", element)
        where = self.js("const r = arguments[0].getBoundingClientRect();"
                        "return [r.x + r.width / 2, r.y + r.height / 2]", element)
        point = [{"x": where[0], "y": where[1]}]
        for kind, points in (("touchStart", point), ("touchEnd", [])):
            self.driver.execute_cdp_cmd("Input.dispatchTouchEvent",
                                        {"type": kind, "touchPoints": points})


# Each formula of the verdict, its parts joined by no-break spaces, that the page lays out on
# more than one line.
FORMULA_LINES = """
const verdict = document.getElementById("practice-verdict");
const text = verdict.firstChild;
const broken = [];
if (!text) return ["no verdict"];
for (const found of text.textContent.matchAll(/[0-9√]+(?:\u00a0[×+=≈:]\u00a0[0-9a-z√,]+)+/g)) {
  const range = document.createRange();
  range.setStart(text, found.index);
  range.setEnd(text, found.index + found[0].length);
  const tops = new Set([...range.getClientRects()].map((r) => Math.round(r.top)));
  if (tops.size !== 1) broken.push(found[0]);
}
if (!text.textContent.includes("\u00a0")) broken.push("no formula");
return broken;
"""

# The lines of the steps' program that its box cuts, or that reach past the screen, and whether
# the marked line stands whole within the box.
PROGRAM_CUT = """
const box = document.getElementById("steps-program");
const edge = box.getBoundingClientRect();
const cut = [];
if (box.scrollWidth > box.clientWidth) cut.push("the box scrolls sideways");
for (const line of box.children) {
  const range = document.createRange();
  range.selectNodeContents(line);
  const words = range.getBoundingClientRect();
  if (line.scrollWidth > line.clientWidth || words.right > edge.right + 0.5 ||
      words.right > innerWidth) cut.push(line.textContent);
}
const marked = box.querySelector("li[aria-current]");
if (!marked) cut.push("no marked line");
else {
  const at = marked.getBoundingClientRect();
  if (at.left < edge.left || at.right > edge.right || at.top < edge.top || at.bottom > edge.bottom)
    cut.push("marked: " + marked.textContent);
}
return cut;
"""

# The chart's words that overlap another, or stand under 12 px, as the browser lays them out.
# The tabs whose words stand outside their borders, and each tab's width.
TABS = """
return [...document.querySelectorAll('#picture-tabs [role="tab"]')].map(tab => {
  const range = document.createRange();
  range.selectNodeContents(tab);
  const words = range.getBoundingClientRect(), edge = tab.getBoundingClientRect();
  return [words.left >= edge.left && words.right <= edge.right, Math.round(edge.width)];
});
"""

# What of the page that writes the program stands outside the screen's width, cuts its words, or
# overlaps another part: each control, heading, paragraph and table, the boxes that scroll whole
# and not cut sideways.
WRITE_LAYOUT = """
const parts = [...document.querySelectorAll("#page-write :is(button, select, input, label, h3, p,"
  + " table, .write-scroll, .write-editor)")].filter((e) => e.checkVisibility()
  && !e.closest(".write-editor *, .write-scroll *, .unseen") && !e.matches(".unseen"));
const found = [];
if (parts.length < 30) found.push("too few parts: " + parts.length);
const name = (e) => e.id || e.textContent.slice(0, 20) || e.tagName;
parts.forEach((e, i) => {
  const a = e.getBoundingClientRect();
  if (a.left < 0 || a.right > innerWidth) found.push("outside: " + name(e));
  if (e.matches("button, label, h3") && e.scrollWidth > e.clientWidth + 1) found.push("cut: " + name(e));
  for (const f of parts.slice(i + 1)) {
    const b = f.getBoundingClientRect();
    if (e.contains(f) || f.contains(e) || e.control === f || f.control === e) continue;
    if (a.left < b.right - 1 && b.left < a.right - 1 && a.top < b.bottom - 1 && b.top < a.bottom - 1)
      found.push(name(e) + " / " + name(f));
  }
});
for (const box of document.querySelectorAll("#page-write .write-scroll"))
  if (box.scrollWidth > box.clientWidth) found.push("cut sideways: " + name(box));
return found;
"""

CHART_OVERLAPS = """
const texts = [...document.querySelectorAll("#practice-chart text")];
const boxes = texts.map((t) => t.getBoundingClientRect());
const found = [];
if (texts.length < 5) found.push("too few words: " + texts.length);
texts.forEach((t, i) => {
  if (parseFloat(getComputedStyle(t).fontSize) < 12) found.push("small: " + t.textContent);
  for (let j = i + 1; j < texts.length; ++j) {
    const a = boxes[i], b = boxes[j];
    if (a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
      found.push(t.textContent + " / " + texts[j].textContent);
  }
});
return found;
"""

# For every control with text, the contrast of its text colour against the first opaque
# background at or above it, as WCAG computes it.
CONTRAST = """
const rgb = (css) => css.match(/[\\d.]+/g).map(Number);
const luminance = ([r, g, b]) => [r, g, b].map((c) => c / 255)
  .map((c) => c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4)
  .reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
const result = {};
for (const element of document.querySelectorAll("#window [data-control]")) {
  if (!element.textContent && !element.matches("input, textarea, select")) continue;
  if (element.hidden) continue;
  let surface = element;
  while (rgb(getComputedStyle(surface).backgroundColor)[3] === 0) surface = surface.parentElement;
  const text = luminance(rgb(getComputedStyle(element).color));
  const back = luminance(rgb(getComputedStyle(surface).backgroundColor));
  result[element.dataset.control] =
    (Math.max(text, back) + 0.05) / (Math.min(text, back) + 0.05);
}
return result;
"""

if __name__ == "__main__":
    unittest.main()
