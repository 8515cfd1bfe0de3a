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
        words = "7 × 10 = 70 квадрата, 70 букви, рамка от 38 квадратчета"
        self.assertEqual(self.picture_words(), words)
        drawing = self.driver.find_element(By.ID, "picture-drawing")
        self.assertEqual((drawing.get_attribute("role"),
                          drawing.get_attribute("aria-label").replace("\xa0", " ")), ("img", words))
        self.assertEqual(self.driver.find_element(By.ID, "picture-words")
                         .get_attribute("aria-live"), "polite")
        self.assertEqual(self.painted_squares(), {"#c0c000": 38, "#808000": 70})

        listbox.send_keys(Keys.ARROW_UP)
        self.assertEqual(self.picture_words(),
                         "5 × 14 = 70 квадрата, 70 букви, рамка от 42 квадратчета")
        self.assertEqual(self.painted_squares(), {"#c0c000": 42, "#808000": 70})

        listbox.send_keys(Keys.ESCAPE)
        self.assertFalse(picture.is_displayed())
        self.assertEqual(self.lists(), SEVENTY)
        listbox.send_keys(Keys.ENTER)
        self.assertTrue(picture.is_displayed())

        self.press(1)  # "Изчисти": no row any more
        self.assertEqual(self.picture_words(), "Няма избран ред: избери ред в списъците.")
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
                         ["Картина", "Стъпка по стъпка", "Опитай сам", "Промени програмата"])
        self.assertEqual([tab.get_attribute("aria-selected") for tab in tabs],
                         ["false", "true", "false", "false"])
        self.assertEqual(self.js("return document.activeElement"), tabs[1])  # the tab keeps it
        self.assertTrue(steps.is_displayed())
        self.assertFalse(self.driver.find_element(By.ID, "page-picture").is_displayed())
        self.assertIn("Стъпка по стъпка", self.control("List1", 0).get_attribute("title"))
        # The last row chosen in the lists: the step that listed it.
        self.assertEqual(self.step_text("steps-counter"), "стъпка 13 от 126")
        current = self.driver.find_elements(By.CSS_SELECTOR, "#steps-program li[aria-current]")
        self.assertEqual([line.text.strip() for line in current],
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
        Select(self.driver.find_element(By.ID, "steps-speed")).select_by_index(4)
        steps.send_keys(Keys.SPACE)
        self.assertEqual(self.step_button("Спри").text, "Спри")
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
                self.driver.find_element(By.ID, "menu-0").click()  # and a menu open
                for page in ("tab-picture", "tab-steps", "tab-practice", "tab-change"):
                    self.driver.find_element(By.ID, page).click()
                    violations = self.driver.execute_async_script(
                        "axe.run(document).then((result) => arguments[0](result.violations))")
                    self.assertEqual([(v["id"], [n["target"] for n in v["nodes"]])
                                      for v in violations], [], (scheme.__name__, page))

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
        self.assertEqual(self.picture_words(), "7 × 10 = 70 квадрата, 70 букви, рамка от 38 квадратчета")
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
        self.answer(2, 5)
        self.assertEqual(self.practice_text("verdict"),
                         "Буквите се побират, но златната рамка около 2 × 5 е 2 × 2 + 2 × 5 + 4 = "
                         "18 квадратчета, а най-малката е 16 – с 2 квадратчета повече. Подсказка: "
                         "страните на правоъгълника с най-малка рамка са близки една до друга. "
                         "2 × 2 = 4 и 3 × 3 = 9: 7 е между тях (√7 ≈ 2,6).")
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
                         "Буквите не се побират: 3 × 5 = 15 квадрата, а буквите са 16. Без квадрат "
                         "остава 1 буква. Подсказка: произведението на страните трябва да е поне 16.")
        self.assertEqual(self.practice_text("line"), "3 × 5 = 15 квадрата, а буквите са 16")
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
        self.assertEqual(self.js("return arguments[0].labels[0].textContent", frame), "периметър")
        # Beside it, what it counts, which a screen reader hears as its description.
        note = self.driver.find_element(By.ID, "practice-frame-note")
        self.assertTrue(note.is_displayed())
        self.assertEqual(note.text.replace("\xa0", " "),
                         "златните квадратчета около правоъгълника: 2a + 2b + 4")
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
        self.assertEqual(self.practice_text("verdict"), "Периметърът е цяло число от 1 до 9999.")
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
            ["както е написана", "1 × 70, 2 × 35, 5 × 14, 7 × 10", "38 – вярно", "84"],
            ["променената", "1 × 70, 2 × 35, 5 × 14, 7 × 10", "38 – вярно", "84"],
            ["всяка страна a от 1 до N", "7 × 10", "38 – вярно", "70"],
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
        self.assertEqual(self.change_cells()[1][3], "828")
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#change-chart polyline")), 4)
        why = self.driver.find_element(By.XPATH, "//div[@id='page-change']//button[.='Защо?']")
        self.assertTrue(why.is_displayed())
        why.click()
        self.assertTrue(self.change_text("said").startswith("С делителите до N"))
        self.assertEqual(self.driver.find_element(By.ID, "change-said").get_attribute("aria-live"),
                         "polite")
        root.send_keys(Keys.SPACE)
        self.assertTrue(root.is_selected())
        self.assertEqual(self.change_cells()[1][3], "84")
        self.assertEqual(self.js("return document.getElementById('change-said').textContent"), "")

        # Only the area N, for 5: wrong; then the hunt.
        count.click()
        self.keys(Keys.BACKSPACE * 8, "5")
        self.driver.find_element(By.CSS_SELECTOR, "#page-change input[data-part='1']").send_keys(
            Keys.SPACE)
        self.assertEqual(self.change_cells()[1][1:], ["1 × 5, 3 × 3", "16 – грешно: най-малката е 14",
                                                      "1"])
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
                              (Keys.F4, "page-practice")):
                self.keys(key)
                self.assertTrue(self.driver.find_element(By.ID, page).is_displayed())
                self.assertEqual(self.js("return document.documentElement.scrollWidth"), 360, page)
                tabs = self.js(TABS)
                self.assertEqual([fits for fits, _ in tabs], [True] * 4, page)
            self.keys(Keys.F3)
            program = self.js("const box = document.getElementById('steps-program');"
                              "return [box.scrollWidth > box.clientWidth, box.clientWidth,"
                              " getComputedStyle(box.children[6]).whiteSpace]")
            self.assertEqual(program[0::2], [True, "pre"])
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
