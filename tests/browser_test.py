#!/usr/bin/python3
"""The HTML page in a real browser: Debian's Chromium, driven by Selenium through ChromeDriver.

    browser_test.py PROGRAM EXAMPLE_FOLDER [--screenshot PNG]

Over the example's page and a save with hostile names: 205 rows; every column in view at
1366x768, the leading ones scrolled sideways; sorting by a header's button, by mouse and
keyboard, with aria-sort telling the truth; the search box's words, foldings and minimums,
the toggles, a click on a town, the count and the none line; shading and stripes; the view
kept over a reload; axe-core's rules; the print; the save's time; names are text, never
markup; no request leaves the page; the console stays free of errors; without script the
whole table shows in order. With --screenshot, the example's page (sorted by one level) is
saved as a picture too.

Exits 77 (skipped) where Chromium, ChromeDriver or Selenium is missing, unless
TIDEWRIT_BROWSER_TEST=required, as in CI; axe-core comes from tests/node_modules
(npm ci --prefix tests), required there too.
"""
import base64
import os
import re
import statistics
import shutil
import subprocess
import sys
import tempfile
from datetime import datetime, timezone
from pathlib import Path

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"

# Columns of the page: 番号, 所在, 状態, 名前, 統率 to 名声, then the 27 levels.
NUMBER, TOWN, STATE, NAME, LEADERSHIP = 0, 1, 2, 3, 4
SURVEYING = 4 + 5 + 7  # 測量, the eighth level
SPANISH = 4 + 5 + 13  # スペ (スペイン)
TEXT_CELLS = (TOWN, STATE, NAME)
AXE = Path(__file__).resolve().parent / "node_modules" / "axe-core" / "axe.min.js"
FLEET = "\uff0d艦隊に勤務中\uff0d"

ROWS = "Array.from(document.querySelectorAll('#navigators tbody tr'))"
SHOWN = ROWS + ".filter(r => getComputedStyle(r).display != 'none')"
SHOWN_NUMBERS = "return " + SHOWN + ".map(r => +r.dataset.number);"


REQUIRED = os.environ.get("TIDEWRIT_BROWSER_TEST") == "required"


def skip(reason):
    if REQUIRED:
        sys.exit("the browser test cannot run: " + reason)
    print("skipped: " + reason)
    sys.exit(77)


def page_of(program, folder, arguments, out, env=None):
    with open(out, "wb") as page:
        subprocess.run([program, "/h", *arguments], cwd=folder, stdout=page, check=True, env=env)
    return out


def printed_order(page):
    """The navigator numbers in the order the program printed the rows."""
    return [int(n) for n in re.findall(rb'<tr data-number="(\d+)"', page.read_bytes())]


def hostile_folder(example, folder):
    """The example's town list and save, with markup and control bytes in some names, one
    navigator moved to パルマ and one to ラスパルマス, and a known last-written time."""
    shutil.copy(example / "townlist.txt", folder / "townlist.txt")
    save = bytearray((example / "SAVEDATA.CDS").read_bytes())
    names = {  # name1, name2 as raw bytes (18 at most, as the entry has room for)
        0: (b"<b>bold</b>", b"<img src=x>"),
        1: (b"</td><td>9", b"<script>x=1"),
        2: (b"\"quoted'&amp;", b"a&b<c>d"),
        3: (b"bell\x07\x1b[31m", b"del\x7fend"),
        4: (b"lead\x81", b"\x83\x41<i>"),  # a lone lead byte, which the program drops
        5: (b"a\x80b", b"\x83\x80\x81<"),  # 0x80 alone, and as the second byte of ム; a lead before <, dropped
    }
    for number, (name1, name2) in names.items():
        entry = 37450 + 144 * number
        save[entry + 50:entry + 69] = name1.ljust(19, b"\0")
        save[entry + 69:entry + 88] = name2.ljust(19, b"\0")
    save[37450 + 144 * 6 + 46], save[37450 + 144 * 7 + 46] = 72, 104  # パルマ, ラスパルマス
    for number in range(0, 205, 3):  # the last level: a third share the highest value, none stands out
        save[37450 + 144 * number + 37] = 13
    (folder / "SAVEDATA.CDS").write_bytes(bytes(save))
    written = datetime(2026, 12, 9, 12, 3, 30, tzinfo=timezone.utc).timestamp()  # 21:03 in Tokyo
    os.utime(folder / "SAVEDATA.CDS", (written, written))
    # As a browser shows them: markup as text, control bytes as "?".
    return {
        0: "<b>bold</b> <img src=x>",
        1: "</td><td>9 <script>x=1",
        2: "\"quoted'&amp; a&b<c>d",
        3: "bell??[31m del?end",
        4: "lead \u30a2<i>",
        5: "a?b \u30e0<",
    }


class Browser:
    def __init__(self, script=True):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service

        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1280,800",
                         "--lang=ja", "--disable-background-networking", "--no-first-run"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
        if not script:
            options.add_experimental_option("prefs", {"profile.managed_default_content_settings.javascript": 2})
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)

    def open(self, page):
        self.driver.get(page.as_uri())
        self.driver.get_log("performance")  # the page's own load, which is checked apart
        return self

    def shown(self):
        return self.driver.execute_script(SHOWN_NUMBERS)

    def cells(self, column):
        return self.driver.execute_script(
            "return " + SHOWN + ".map(r => r.cells[arguments[0]].textContent);", column)

    def everyone(self):
        """Every row's number and cell texts, hidden or not, in save order."""
        return sorted(self.driver.execute_script(
            "return " + ROWS + ".map(r => [+r.dataset.number, Array.from(r.cells).map(c => c.textContent)]);"))

    def run(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def header(self, column):
        from selenium.webdriver.common.by import By
        return self.driver.find_elements(By.CSS_SELECTOR, "#navigators thead th button")[column]

    def click_header(self, column):
        self.header(column).click()

    def sorted_as(self):
        return self.run("return Array.from(document.querySelectorAll('#navigators th'))"
                        ".map(h => h.getAttribute('aria-sort'));")

    def press(self, *toggles):
        """Press the toggles of these kinds (tavern, inn, fleet)."""
        from selenium.webdriver.common.by import By
        for keep in toggles:
            self.driver.find_element(By.CSS_SELECTOR, "button[data-keep=%s]" % keep).click()

    def filter(self, word):
        """Type `word` over whatever the search box holds, as a player would."""
        from selenium.webdriver.common.by import By
        from selenium.webdriver.common.keys import Keys
        box = self.driver.find_element(By.CSS_SELECTOR, "input[type=search]")
        box.send_keys(Keys.CONTROL, "a")
        box.send_keys(Keys.BACKSPACE)
        if word:
            box.send_keys(word)

    def quit(self):
        self.driver.quit()


failures = []


def check(condition, what):
    print(("ok:     " if condition else "FAILED: ") + what)
    if not condition:
        failures.append(what)


def check_requests_and_console(browser, page, what):
    """Nothing asked for but the page itself; no error in the console."""
    import json
    browser.driver.get(page.as_uri())
    requests = []
    for entry in browser.driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            requests.append(message["params"]["request"]["url"])
    check(requests == [page.as_uri()], what + ": the page asks for nothing but itself " + str(requests))
    errors = [e for e in browser.driver.get_log("browser") if e["level"] in ("SEVERE", "WARNING")]
    check(errors == [], what + ": no error in the console " + str(errors))
    cookies = browser.driver.execute_script(
        "return [document.cookie, localStorage.length, sessionStorage.length];")
    check(cookies == ["", 0, 0], what + ": no cookie, nothing stored")


def check_example(browser, program, example, work):
    from selenium.webdriver.common.keys import Keys
    page = page_of(program, example, [], work / "page.html")
    by_name = page_of(program, example, ["/n"], work / "by-name.html")
    by_town = page_of(program, example, ["/t"], work / "by-town.html")
    check(page.stat().st_size < 256 * 1024, "the page is under 256 KB")
    check_requests_and_console(browser, page, "example")

    for made, sorted_by in ((by_name, NAME), (by_town, TOWN), (page, NUMBER)):
        browser.open(made)
        check(browser.sorted_as() == [None] * sorted_by + ["ascending"] + [None] * (35 - sorted_by),
              made.name + " starts with aria-sort ascending on column %d only" % sorted_by)
    check(browser.shown() == printed_order(page) == list(range(205)), "205 rows, in save order")
    check(browser.run("return !document.getElementById('tools').hidden;"),
          "the search box shows where the script runs")

    browser.click_header(TOWN)
    browser.click_header(NUMBER)
    check(browser.shown() == list(range(204, -1, -1)) and browser.sorted_as()[NUMBER] == "descending",
          "番号's first click sorts falling, and aria-sort says so")
    for press, falling in ((browser.click_header, True), (browser.click_header, False),
                           (lambda c: browser.header(c).send_keys(Keys.ENTER), True),
                           (lambda c: browser.header(c).send_keys(Keys.SPACE), False)):
        press(SURVEYING)
        levels = [int(v) for v in browser.cells(SURVEYING)]
        check(levels == sorted(levels, reverse=falling) and levels[0] != levels[-1]
              and browser.sorted_as()[SURVEYING] == ("descending" if falling else "ascending"),
              "a click, or Enter, sorts a level falling, then a click, or Space, rising, and aria-sort says so")
    check(browser.header(SURVEYING).accessible_name == "測量" and browser.header(SPANISH).accessible_name == "スペ"
          and browser.run("return [arguments[0].title, arguments[0].parentNode.title];", browser.header(SPANISH))
          == ["スペイン"] * 2, "a header's name has no arrow, an abbreviation's whole label is its description")
    browser.run("arguments[0].focus();", browser.driver.find_element("id", "filter"))
    tabbed = [browser.driver.switch_to.active_element.send_keys(Keys.TAB) or browser.run(
        "return document.activeElement.textContent;") for _ in range(5)]
    check(tabbed == ["酒場", "宿屋", "艦隊", "番号", "所在"], "Tab goes from the box to the toggles and the headers")

    browser.click_header(NAME)
    check(browser.shown() == printed_order(by_name), "the name's header gives the /n order")
    browser.click_header(NAME)
    check(browser.shown() == printed_order(by_name)[::-1], "and a second click reverses it")
    browser.click_header(TOWN)
    check(browser.shown() == printed_order(by_town), "the town's header gives the /t order")

    sorts = [browser.run("var t = performance.now(); arguments[0].click(); document.body.offsetWidth;"
                         "return performance.now() - t;", browser.header(c)) for c in range(36)]
    print("median time of a sort on the example's page: %.1f ms" % statistics.median(sorts))
    check_search(browser)
    check_looks(browser)
    if present("axe-core (npm ci --prefix tests)", AXE.exists()):
        browser.run(AXE.read_text())
        violations = browser.driver.execute_async_script(
            "axe.run().then(r => arguments[0](r.violations.map(v => v.id + ': ' + v.nodes.length)));")
        check(violations == [], "axe-core finds no violation " + str(violations))
    return page


def check_search(browser):
    everyone = browser.everyone()

    def holding(*words):
        return [n for n, cells in everyone if all(any(w in cells[c] for c in TEXT_CELLS) for w in words)]

    def at_least(column, least):
        return [n for n, cells in everyone if int(cells[column]) >= least]

    def state_is(*states):
        return [n for n, cells in everyone if cells[STATE] in states]

    cases = [  # typed, the rows it keeps, which toggles are on
        ("かたりな", holding("カタリナ"), ()),  # hiragana as katakana
        ("ハヤテ", holding("はやて"), ()),  # and katakana as hiragana
        ("ＡＮＮＡ", holding("Anna"), ()),  # full-width letters, either case
        ("ｶﾞﾙｼｱ", holding("ガルシア"), ()),  # half-width katakana, a voiced mark
        ("ﾍﾟﾄﾞﾛ", holding("ペドロ"), ()),  # and a semi-voiced one
        ("その他（２）", holding("その他(2)"), ()),  # full-width digits and signs
        ("マルセイユ\u3000酒場", holding("マルセイユ", "酒場"), ()),  # several words, a full-width blank
        ("12", holding("12"), ()),  # no number cell is searched as a word
        ("測量10", at_least(SURVEYING, 10), ()),
        ("測量１０", at_least(SURVEYING, 10), ()),
        ("統率70", at_least(LEADERSHIP, 70), ()),
        ("スペ9", at_least(SPANISH, 9), ()),
        ("スペイン9", at_least(SPANISH, 9), ()),
        ("測量10 酒場", sorted(set(at_least(SURVEYING, 10)) & set(holding("酒場"))), ()),
        ("", state_is("酒場"), ("tavern",)),
        ("", state_is("宿屋"), ("inn",)),
        ("", holding(FLEET), ("fleet",)),
        ("", state_is("酒場", "宿屋"), ("tavern", "inn")),
        ("マルセイユ", sorted(set(state_is("酒場")) & set(holding("マルセイユ"))), ("tavern",)),
    ]
    keystrokes = []
    for typed, kept, toggles in cases:
        browser.press(*toggles)
        browser.filter(typed)
        said = browser.run("return [document.getElementById('count').textContent, !document.getElementById('none').hidden];")
        check(sorted(browser.shown()) == kept and said == ["205人中 %d人" % len(kept), kept == []],
              "%r %s keeps %d rows, and says so: %s" % (typed, toggles, len(kept), said))
        browser.press(*toggles)
        keystrokes.append(browser.run(
            "var box = document.getElementById('filter'), t = performance.now();"
            "box.value = arguments[0]; box.dispatchEvent(new Event('input')); document.body.offsetWidth;"
            "return performance.now() - t;", typed))
    check(any(kept == [] for _, kept, _ in cases) and any(len(kept) > 20 for _, kept, _ in cases),
          "the cases keep none, few and many")
    browser.filter("")
    check(len(browser.shown()) == 205, "an empty filter shows every row")
    print("median time of a keystroke on the example's page: %.1f ms" % statistics.median(keystrokes))


def check_shading(browser):
    columns = browser.run("return Array.from({length: 32}, (_, i) => " + ROWS
                          + ".map(r => [+r.cells[i + 4].textContent, r.cells[i + 4].className]));")
    shaded = [sorted((v, c) for v, c in column if c) for column in columns]
    check(all(len(s) <= 41 and all(v > 0 and v >= max(p for p, c in column if not c) for v, _ in s)
              and [c for _, c in s] == sorted(c for _, c in s) for s, column in zip(shaded, columns)),
          "no column shades more than a fifth, and only its highest, deeper the higher")
    return sum(map(len, shaded))


def check_looks(browser):
    """The shading, the stripes and the whereabouts codes."""
    shaded = check_shading(browser)
    check(0.05 < shaded / 205 / 32 < 0.2, "about a tenth is shaded: %d" % shaded)
    browser.press("tavern")
    colours = browser.run("return " + SHOWN + ".map(r => getComputedStyle(r.cells[0]).backgroundColor);")
    browser.press("tavern")
    check(len(set(colours)) == 2 and all(c == colours[i % 2] for i, c in enumerate(colours)),
          "the stripes alternate among the rows shown")
    states = [cells[STATE] for _, cells in browser.everyone()]
    check(not any(s.isdigit() for s in states) and any(re.fullmatch(r"その他\(\d+\)", s) for s in states),
          "a whereabouts number reads その他(N)")


def present(what, there):
    """Whether what a check needs beyond the browser is there: where the test is required,
    it must be; elsewhere the check is left out, and says so."""
    if not there:
        check(not REQUIRED, what + " is missing")
    return there


def check_fit(browser, page):
    """All 36 columns at 1366x768; at 1024, scrolled right and down, 番号 to 名前 and the
    header row stay in view."""
    browser.driver.set_window_size(1366, 768)
    browser.open(page)
    widths = browser.run("return [document.documentElement.scrollWidth, document.documentElement.clientWidth, innerWidth];")
    check(widths[0] <= widths[1] and widths[2] == 1366, "every column in view at 1366x768 " + str(widths))
    browser.driver.set_window_size(1024, 768)
    seen = browser.run(
        "scrollTo(document.documentElement.scrollWidth, 400);"
        "var row = document.querySelector('#navigators tbody tr:nth-child(40)');"
        "return [scrollX > 0, document.querySelector('#navigators th').getBoundingClientRect().top].concat("
        " [0, 1, 2, 3].map(c => { var box = row.cells[c].getBoundingClientRect();"
        " return document.elementFromPoint(box.left + box.width / 2, box.top + 3) == row.cells[c]; }));")
    check(seen == [True, 0] + [True] * 4, "in view scrolled right and down at 1024 " + str(seen))
    browser.driver.set_window_size(1280, 800)


def check_reload_and_print(browser, page, work):
    browser.open(page)
    browser.click_header(SURVEYING)
    browser.filter("マルセイユ")
    browser.press("tavern")
    view = "return [%s, document.getElementById('filter').value, location.hash, " \
           "document.querySelector('[data-keep=tavern]').getAttribute('aria-pressed')];" % SHOWN_NUMBERS[7:-1]
    before = browser.run(view) + [browser.sorted_as()]
    browser.driver.refresh()
    check(browser.run(view) + [browser.sorted_as()] == before and before[1:4:2] == ["マルセイユ", "true"]
          and len(before[0]) < 205, "a reload keeps the sort, the words and the toggles: " + before[2])

    if not present("pdftotext and pdfinfo (poppler-utils)", shutil.which("pdftotext") and shutil.which("pdfinfo")):
        return
    browser.open(page)
    pdf = work / "page.pdf"
    pdf.write_bytes(base64.b64decode(browser.driver.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True})["data"]))
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
    size = re.search(r"Page size: +([\d.]+) x ([\d.]+) pts \(A4\)", info)
    check(size is not None and float(size[1]) > float(size[2]), "printed on A4 landscape")
    pages = [subprocess.run(["pdftotext", "-f", str(p), "-l", str(p), pdf, "-"], capture_output=True, text=True,
                            check=True).stdout for p in (1, 2)]
    check(all("番号" in text and "東亜" in text for text in pages) and "205人中" not in pages[0],
          "each printed page holds the header row, 番号 to 東亜, and no search box")


def check_without_script(page):
    """Script off, as in Windows XP's browser: the whole table, in order, and no search box."""
    browser = Browser(script=False)
    try:
        browser.open(page)
        check(browser.shown() == printed_order(page) and len(browser.shown()) == 205,
              "without script the table reads in full, in order")
        check(not browser.driver.find_element("id", "tools").is_displayed(), "and shows no search box")
    finally:
        browser.quit()


def check_hostile(browser, program, example, work):
    folder = work / "hostile"
    folder.mkdir()
    expected = hostile_folder(example, folder)
    page = page_of(program, folder, [], work / "hostile.html", dict(os.environ, TZ="Asia/Tokyo"))
    check_requests_and_console(browser, page, "hostile names")
    browser.open(page)
    names = browser.cells(NAME)
    for number, name in expected.items():
        check(names[number] == name, "a hostile name shows as text: " + repr(name) + " / " + repr(names[number]))
    stray = browser.driver.execute_script(
        "return [document.querySelectorAll('#navigators tbody *:not(tr):not(td)').length,"
        " document.scripts.length, typeof x, document.querySelectorAll('#navigators tbody tr').length,"
        " document.querySelector('#navigators tbody tr').cells.length];")
    check(stray == [0, 1, "undefined", 205, 36], "no name became markup " + str(stray))
    check_shading(browser)

    saved = "（2026年12月9日 21:03 のセーブデータ）"
    title = browser.run("return [document.title, document.querySelector('h1').textContent];")
    check(title == ["Tidewrit 航海士一覧" + saved, "航海士一覧" + saved], "the title and heading tell the save's time")
    again = page_of(program, folder, [], work / "hostile-again.html", dict(os.environ, TZ="Asia/Tokyo"))
    check(again.read_bytes() == page.read_bytes(), "the same save gives the same page")

    # A click on a town keeps exactly that town (パルマ, not ラスパルマス); clearing the box, everyone.
    palma = [n for n, cells in browser.everyone() if cells[TOWN] == "パルマ"]
    browser.filter("ﾊﾟﾙﾏ")
    check(sorted(browser.shown()) == sorted(n for n, c in browser.everyone() if "パルマ" in c[TOWN]) != palma,
          "ﾊﾟﾙﾏ typed finds ラスパルマス too")
    browser.driver.find_element("css selector", "#navigators tbody tr[data-number='6'] td:nth-child(2)").click()
    check(sorted(browser.shown()) == palma and browser.run("return document.getElementById('filter').value;")
          == "ﾊﾟﾙﾏ 所在=パルマ", "a click on パルマ keeps exactly its rows, and the box says so")
    browser.filter("")
    check(len(browser.shown()) == 205, "and clearing the box clears it")


def main():
    arguments = sys.argv[1:]
    screenshot = None
    if "--screenshot" in arguments:
        at = arguments.index("--screenshot")
        screenshot = Path(arguments[at + 1]).resolve()
        del arguments[at:at + 2]
    program, example = Path(arguments[0]).resolve(), Path(arguments[1]).resolve()
    for path in (CHROMIUM, CHROMEDRIVER):
        if not os.access(path, os.X_OK):
            skip(path + " is missing (Debian packages chromium and chromium-driver)")
    try:
        import selenium  # noqa: F401
    except ImportError:
        skip("Selenium is missing for " + sys.executable + " (Debian package python3-selenium)")

    with tempfile.TemporaryDirectory() as temporary:
        work = Path(temporary)
        browser = Browser()
        try:
            page = check_example(browser, program, example, work)
            check_fit(browser, page)
            check_reload_and_print(browser, page, work)
            check_hostile(browser, program, example, work)
            check_without_script(page)
            if screenshot:
                browser.driver.set_window_size(1366, 768)
                browser.open(page)
                browser.click_header(SURVEYING)
                browser.driver.save_screenshot(str(screenshot))
        finally:
            browser.quit()
    if failures:
        sys.exit("%d check(s) failed" % len(failures))


if __name__ == "__main__":
    main()
