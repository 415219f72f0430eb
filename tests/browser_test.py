#!/usr/bin/python3
"""The HTML page in a real browser: Debian's Chromium, driven by Selenium through ChromeDriver.

    browser_test.py PROGRAM EXAMPLE_FOLDER [--screenshot PNG]

Over the example's page and a save with hostile names: 205 rows; every column in view at
1366x768, the leading ones scrolled sideways; sorting by a header's button, by mouse and
keyboard, with aria-sort telling the truth; the search box's words, foldings and minimums,
the toggles, a click on a town, the count and the none line; shading and stripes; the view
kept over a reload, and a fragment changed while open; each town's number on its cells;
naming a town by the mouse and by the keyboard, its cells, the search and the toggle of towns
without a name, kept over a reload; the town list saved through the download folder, read
by the program again, and the box to copy it from where a browser cannot save a file; a
long name within 1366; the screen's lines on the input files in a status box; axe-core's
rules; the print; the save's time; names are text, never markup; a click on a town of
quotes or of half-width katakana; no request leaves the page; the console stays free of
errors; without script the whole table shows in order. Compared with an earlier save: the
rows and cells that changed, their earlier values, the toggle, the count and the heading;
navigators.html following as it is written anew, a numbered page not. With --screenshot, the example's page (sorted by one level) is
saved as a picture too.

Exits 77 (skipped) where Chromium, ChromeDriver or Selenium is missing, unless
TIDEWRIT_BROWSER_TEST=required, as in CI; axe-core comes from tests/node_modules
(npm ci --prefix tests), required there too.
"""
import base64
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from datetime import datetime, timezone
from pathlib import Path

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"

# Columns of the page: 番号, 所在, 状態, 名前, 統率 to 名声, then the 27 levels.
NUMBER, TOWN, STATE, NAME, LEADERSHIP = 0, 1, 2, 3, 4
SURVEYING = 4 + 5 + 7  # 測量, the eighth level
SPANISH = 4 + 5 + 13  # スペ (スペイン)
ACCOUNTING = 4 + 5 + 9  # 会計
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


def save_fields(save):
    """Each navigator's town byte, and the navigators in the fleet's four posts."""
    data = save.read_bytes()
    return [data[37450 + 144 * k + 46] for k in range(205)], [data[165 + 2 * post] for post in range(4)]


def list_names(town_list):
    """The 224 names of a town list in the example's form (Shift-JIS, CR LF), by town number."""
    lines = town_list.read_bytes().decode("cp932").split("\r\n")[:224]
    return lines[::-1]


def hostile_folder(example, folder):
    """The example's town list and save, with markup and control bytes in some names, one
    navigator moved to パルマ and one to ラスパルマス, and a known last-written time."""
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
    # Towns named with a full-width quote, with ガ and with its half-width ｶﾞ.
    names = list_names(example / "townlist.txt")
    for town, name in ((200, "Ａ＂Ｂ"), (201, "ガ"), (202, "ｶﾞ")):
        names[town] = name
    (folder / "townlist.txt").write_bytes("".join(n + "\r\n" for n in names[::-1]).encode("cp932"))
    for number, town in ((8, 200), (9, 201), (10, 202), (11, 202)):
        save[37450 + 144 * number + 46] = town
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

    # The header row and the rows' ranks as printed are checked in-process (reports_test).
    browser.open(page)
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
        "return document.activeElement.textContent;") for _ in range(7)]
    check(tabbed == ["酒場", "宿屋", "艦隊", "名前のない町", "townlist.txt を保存", "番号", "所在"],
          "Tab goes from the box to the toggles, the list's button and the headers")
    locations, posts = save_fields(example / "SAVEDATA.CDS")
    titles = browser.run("return " + ROWS + ".map(r => [+r.dataset.number, r.cells[1].title]);")
    check(all(title == ("" if number in posts or locations[number] >= 224 else "町番号 %d" % locations[number])
              for number, title in titles) and len(titles) == 205, "every town cell tells its town's number")
    check(browser.run("return document.getElementById('notes');") is None, "no status box without a line to show")

    browser.click_header(NAME)
    check(browser.shown() == printed_order(by_name), "the name's header gives the /n order")
    browser.click_header(NAME)
    check(browser.shown() == printed_order(by_name)[::-1], "and a second click reverses it")
    browser.click_header(TOWN)
    check(browser.shown() == printed_order(by_town), "the town's header gives the /t order")

    check_search(browser)
    check_looks(browser)
    check_axe(browser, "the example's page")
    return page


def check_axe(browser, what):
    if present("axe-core (npm ci --prefix tests)", AXE.exists()):
        browser.run(AXE.read_text())
        violations = browser.driver.execute_async_script(
            "axe.run().then(r => arguments[0](r.violations.map(v => v.id + ': ' + v.nodes.length)));")
        check(violations == [], what + ": axe-core finds no violation " + str(violations))


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
        ("会計 5", at_least(ACCOUNTING, 5), ()),  # a label and a number, a blank between
        ("会計\u3000５", at_least(ACCOUNTING, 5), ()),
        ("そくりょう10", at_least(SURVEYING, 10), ()),  # as the IME leaves it before conversion
        ("かいけい5", at_least(ACCOUNTING, 5), ()),
        ("測量10 酒場", sorted(set(at_least(SURVEYING, 10)) & set(holding("酒場"))), ()),
        ("", state_is("酒場"), ("tavern",)),
        ("", state_is("宿屋"), ("inn",)),
        ("", holding(FLEET), ("fleet",)),
        ("", state_is("酒場", "宿屋"), ("tavern", "inn")),
        ("マルセイユ", sorted(set(state_is("酒場")) & set(holding("マルセイユ"))), ("tavern",)),
    ]
    for at, (typed, kept, toggles) in enumerate(cases):
        browser.press(*toggles)
        if at < 4:
            browser.filter(typed)  # typed as a player types
        else:
            browser.run("var box = document.getElementById('filter'); box.value = arguments[0];"
                        "box.dispatchEvent(new Event('input'));", typed)
        said = browser.run("return [document.getElementById('count').textContent, !document.getElementById('none').hidden];")
        check(sorted(browser.shown()) == kept and said == ["205人中 %d人" % len(kept), kept == []],
              "%r %s keeps %d rows, and says so: %s" % (typed, toggles, len(kept), said))
        browser.press(*toggles)
    check(any(kept == [] for _, kept, _ in cases) and any(len(kept) > 20 for _, kept, _ in cases),
          "the cases keep none, few and many")
    browser.filter("")
    check(len(browser.shown()) == 205, "an empty filter shows every row")


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
    painted = browser.run(
        "var shade = {}, striped = [];"
        "document.querySelectorAll('#navigators td[class^=shade]').forEach(c => {"
        " var colour = getComputedStyle(c).backgroundColor;"
        " if (c.parentNode.classList.contains('stripe')) striped.push([c.className, colour,"
        "  getComputedStyle(c.parentNode.cells[0]).backgroundColor]);"
        " else if (!c.parentNode.classList.contains('fleet')) shade[c.className] = colour; });"
        "return [shade, striped];")
    check(painted[1] and all(colour == painted[0].get(shade) and colour != row for shade, colour, row in painted[1]),
          "a shaded cell on a striped row is painted as on a plain one, not as its row: %s"
          % [p for p in painted[1] if p[1] != painted[0].get(p[0]) or p[1] == p[2]][:3])
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
    columns = "return Array.from(document.querySelectorAll('#navigators th')).map(h => h.getBoundingClientRect().width);"
    whole = browser.run(columns)
    browser.filter("ﾍﾟﾄﾞﾛ")
    kept = browser.run(columns)
    browser.filter("")
    check(kept == whole and len(browser.shown()) == 205, "a filter keeps every column's width")
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

    for number, town in ((8, "Ａ＂Ｂ"), (9, "ガ"), (10, "ｶﾞ")):
        kept = [n for n, cells in browser.everyone() if cells[TOWN] == town]
        browser.filter("")
        browser.driver.find_element("css selector", "#navigators tbody tr[data-number='%d'] td:nth-child(2)" % number).click()
        typed = browser.run("return document.getElementById('filter').value;")
        clicked = sorted(browser.shown())
        browser.filter("")
        browser.filter(typed)
        check(clicked == kept == sorted(browser.shown()) and kept,
              "a click on %s keeps exactly its rows, and %r typed keeps the same" % (town, typed))
    browser.filter("＂")
    quoted = [n for n, cells in browser.everyone() if any("＂" in cells[c] or '"' in cells[c] for c in TEXT_CELLS)]
    check(sorted(browser.shown()) == quoted and 8 in quoted, "a word holding ＂ finds the texts that hold it, either width")
    browser.filter("")


def entry_fields(save):
    """What the page shows of each navigator, as raw fields: names, town, whereabouts, the
    values; and the fleet's posts."""
    data = save.read_bytes()
    entries = [data[37450 + 144 * k:37450 + 144 * (k + 1)] for k in range(205)]
    return [(e[50:69].split(b"\0")[0], e[69:88].split(b"\0")[0], e[46], e[48], e[0:4], e[11:40])
            for e in entries], [data[165 + 2 * post] for post in range(4)]


def check_comparison(browser, program, example, work):
    """The example's page compared with the hostile save of 21:03 in Tokyo: the rows that
    changed, marked and kept by their toggle, each changed cell's earlier value as text."""
    earlier = work / "hostile" / "SAVEDATA.CDS"
    page = page_of(program, example, ["/b", str(earlier)], work / "compared.html", dict(os.environ, TZ="Asia/Tokyo"))
    check_requests_and_console(browser, page, "compared with a hostile save")
    now, posts = entry_fields(example / "SAVEDATA.CDS")
    then, then_posts = entry_fields(earlier)
    changed = sorted(k for k in range(205) if now[k] != then[k] or (k in posts) != (k in then_posts))
    browser.open(page)
    shown = browser.run("return [document.querySelector('h1 .compared').innerText,"
                        " document.getElementById('changes').innerText];")
    check(shown == ["（2026年12月9日 21:03 のセーブデータと比べて）", "変わった航海士 %d人" % len(changed)],
          "the heading names the save compared with, and the page how many changed: " + str(shown))
    marked = browser.run("return " + ROWS + ".filter(r => r.classList.contains('changed')).map(r => +r.dataset.number);")
    check(marked == changed and 0 in changed and 9 in changed, "the rows that changed are marked: " + str(len(marked)))
    looks = browser.run(
        "var row = q => document.querySelector('#navigators tr[data-number=\"' + q + '\"]');"
        "var s = c => getComputedStyle(c);"
        "return [s(row(0).cells[0]).boxShadow, s(row(arguments[0]).cells[0]).boxShadow,"
        " s(row(0).cells[3]).fontWeight, s(row(0).cells[3]).color, s(row(0).cells[4]).fontWeight];",
        [k for k in range(205) if k not in changed][0])
    check("inset" in looks[0] and looks[1] == "none" and looks[2:] == ["700", "rgb(110, 44, 0)", "400"],
          "a changed row shows a bar, a changed cell bold in orange, an unchanged one plain: " + str(looks))
    titles = browser.run("return [0, 3, 5, 6, 8].map(n => Array.from(document.querySelector("
                         "'#navigators tr[data-number=\"' + n + '\"]').cells).map(c => c.title));")
    hostile = hostile_folder(example, work / "hostile")
    locations = [now[k][2] for k in (0, 3, 5, 6, 8)]
    check(titles[0][NAME] == "前回 " + hostile[0] and titles[1][NAME] == "前回 " + hostile[3]
          and titles[2][NAME] == "前回 " + hostile[5], "a changed name shows the earlier one on hover, as text")
    town_names = list_names(example / "townlist.txt")  # the earlier town by the list read now
    check(titles[3][TOWN] == "町番号 %d\n前回 パルマ" % locations[3] and titles[4][TOWN] == "町番号 %d\n前回 %s"
          % (locations[4], town_names[200]), "a moved navigator's town shows the earlier town: " + repr(titles[3][TOWN]))
    check(titles[0][-1] == "前回 13" and titles[0][LEADERSHIP] == "", "a changed level shows the earlier value")
    stray = browser.run("return [document.querySelectorAll('#navigators tbody *:not(tr):not(td)').length, typeof x];")
    check(stray == [0, "undefined"], "no earlier name became markup")

    browser.press("changed")
    check(browser.shown() == changed, "the toggle 変わった航海士 keeps the rows that changed")
    browser.press("tavern")
    check(browser.shown() == [k for k in changed if now[k][3] == 4 and k not in posts] and browser.shown(),
          "and with 酒場, those of them in a tavern")
    browser.driver.get("about:blank")
    browser.driver.get(page.as_uri() + "#town72=%E6%96%B0%E6%B8%AF")
    title = browser.run("return document.querySelector('#navigators tr[data-number=\"6\"]').cells[1].title;")
    check(title.endswith("\n前回 新港"), "the earlier town is named as the page names it: " + repr(title))
    check_axe(browser, "the compared page")
    browser.driver.set_window_size(1366, 768)
    browser.open(page)
    widths = browser.run("return [document.documentElement.scrollWidth, document.documentElement.clientWidth];")
    check(widths[0] <= widths[1], "the compared page's bold cells keep every column in view at 1366x768 " + str(widths))
    browser.driver.set_window_size(1280, 800)

    browser.open(work / "page.html")
    none = browser.run("return [document.querySelectorAll('[data-keep=changed], #changes, .compared, .was, .changed')"
                       ".length, document.querySelector('#navigators').hasAttribute('data-before')];")
    check(none == [0, False], "a page without an earlier save shows nothing of one")
    return page


def check_follow(browser, page, compared, work):
    """navigators.html loads itself again when written anew, keeping the view and the scroll,
    never while a word is being typed; a numbered page never does."""
    from selenium.webdriver.common.keys import Keys
    live = work / "live"
    live.mkdir()
    fixed = live / "navigators.html"
    shutil.copy(page, fixed)
    shutil.copy(page, live / "navigators-1.html")
    view = "return [location.hash, %s, document.getElementById('navigators').getBoundingClientRect().top, " \
           "document.activeElement.id];" % (
        "Array.from(document.querySelectorAll('#navigators th')).map(h => h.getAttribute('aria-sort')).join()")
    browser.open(fixed)
    browser.click_header(SURVEYING)
    browser.press("tavern")
    browser.run("location.hash += '&town5=%E6%96%B0%E6%B8%AF';")
    browser.run("window.scrollTo(0, 150); window.marker = 1;")
    before = browser.run(view)
    shutil.copy(compared, live / "new.html")
    os.replace(live / "new.html", fixed)
    started = time.time()
    while time.time() - started < 12 and browser.run("return window.marker;"):
        time.sleep(0.5)
    shown = browser.run("return document.querySelector('h1').innerText.indexOf('のセーブデータと比べて') >= 0;")
    after = browser.run(view)
    check(shown and after[:2] + after[3:] == before[:2] + before[3:] and before[2] < 0 and abs(after[2] - before[2]) < 1,
          "the page written anew shows within %.0f s, in the same view, the same rows in view: %s"
          % (time.time() - started, after))

    browser.run("window.marker = 1;")
    box = browser.driver.find_element("id", "filter")
    for letter in "ｶﾀﾘﾅ" * 2 + "  ":
        box.send_keys(letter)
        time.sleep(1)
    check(browser.run("return window.marker;") == 1, "never while a word is being typed")
    box.send_keys(Keys.BACKSPACE)
    started = time.time()
    while time.time() - started < 16 and browser.run("return window.marker;"):
        time.sleep(0.5)
    check(browser.run("return [window.marker, document.activeElement.id, document.getElementById('filter').value];")
          == [None, "filter", "ｶﾀﾘﾅｶﾀﾘﾅ "], "but after a pause, the box keeping its words and the caret")

    browser.open(live / "navigators-1.html")
    browser.run("window.marker = 1;")
    time.sleep(6.5)
    check(browser.run("return window.marker;") == 1, "a numbered page never loads again")


def check_fragment(browser, page):
    """A fragment changed while the page is open shows what a fresh load of it shows."""
    state = "return [%s, document.getElementById('filter').value, %s, " \
            "Array.from(document.querySelectorAll('[data-keep]')).map(b => b.getAttribute('aria-pressed'))," \
            "Array.from(document.querySelectorAll('#navigators tbody td:nth-child(2)')).map(c => c.textContent)];" \
            % (SHOWN_NUMBERS[7:-1], "Array.from(document.querySelectorAll('#navigators th')).map(h => h.getAttribute('aria-sort'))")
    for fragment in ("#q=%E9%85%92%E5%A0%B4&keep=inn", "#sort=4&order=asc&town191=%E3%83%AA%E3%82%B9%E3%83%9C%E3%82%A2", ""):
        browser.open(page)
        browser.click_header(SURVEYING)
        browser.filter("マルセイユ")
        browser.press("fleet")
        browser.run("location.hash = arguments[0];", fragment)
        changed = browser.run(state)
        browser.driver.get("about:blank")
        browser.driver.get(page.as_uri() + fragment)
        check(changed == browser.run(state), "a fragment %r changed while open shows what a fresh load shows" % fragment)


def check_naming(browser, program, example, work):
    """Naming towns on the page, by mouse and by keyboard; the toggle of towns without a name;
    the names kept over a reload; the list saved through the download folder and read by the
    program again; the box to copy it from; a long name; a name the reports show otherwise;
    the status box."""
    from selenium.webdriver.common.keys import Keys
    folder = work / "naming"
    folder.mkdir()
    shutil.copy(example / "SAVEDATA.CDS", folder)
    names = list_names(example / "townlist.txt")
    names[116], names[97] = "", "町97"  # a town without a name, and one named as the template names it
    (folder / "townlist.txt").write_bytes("".join(n + "\r\n" for n in names[::-1]).encode("cp932"))
    page = page_of(program, folder, [], work / "naming.html")
    locations, posts = save_fields(folder / "SAVEDATA.CDS")
    in_town = lambda *towns: sorted(n for n in range(205) if n not in posts and locations[n] in towns)
    browser.open(page)

    # By mouse: a click on a town's cell, its name typed and Enter.
    first = in_town(191)[0]
    browser.driver.find_element("css selector", "#navigators tbody tr[data-number='%d'] td:nth-child(2)" % first).click()
    box = browser.driver.find_element("id", "townName")
    shown = browser.run("return [document.getElementById('naming').hidden, arguments[0].value,"
                        " document.getElementById('townNumber').textContent];", box)
    check(shown == [False, names[191], "町番号 191"] and box.accessible_name == "町の名前",
          "a click on a town shows the box that names it, with its name and number " + str(shown))
    check_axe(browser, "the box that names a town")
    box.send_keys(Keys.CONTROL, "a")
    box.send_keys("リスボア" + Keys.ENTER)
    everyone = dict(browser.everyone())
    check(all(everyone[n][TOWN] == "リスボア" for n in in_town(191))
          and all(everyone[n][TOWN] == names[locations[n]] for n in in_town(*(set(range(224)) - {191}))),
          "every cell of that town, and no other, shows the name given")
    check(sorted(browser.shown()) == in_town(191), "and the box still keeps exactly its rows")
    browser.filter("りすぼあ")
    check(sorted(browser.shown()) == in_town(191), "the search finds the name given, folded as any word")
    browser.filter("")
    browser.click_header(TOWN)
    check(browser.shown() == printed_order(page_of(program, folder, ["/t"], work / "naming-by-town.html")),
          "the sort by 所在 still goes by town number")

    # By keyboard alone: the town's number typed, Tab to the box, a name, and Tab away.
    browser.filter("町番号=192")
    tabs = browser.driver.find_element("id", "filter")
    for _ in range(5):
        tabs.send_keys(Keys.TAB)
        tabs = browser.driver.switch_to.active_element
    tabs.send_keys(Keys.CONTROL, "a")
    tabs.send_keys("ジェノバ" + Keys.TAB)
    everyone = dict(browser.everyone())
    check(all(everyone[n][TOWN] == "ジェノバ" for n in in_town(192)) and "town192=" in browser.run("return location.hash;"),
          "a town named by the keyboard alone, kept in the address")

    # The towns without a name yet: none, or the template's own.
    browser.filter("")
    browser.press("unnamed")
    check(sorted(browser.shown()) == in_town(116, 97), "名前のない町 keeps the towns without a name, or named 町N")
    browser.press("tavern")
    taverns = {n for n, cells in browser.everyone() if cells[STATE] == "酒場"}
    check(sorted(browser.shown()) == sorted(set(in_town(116, 97)) & taverns), "and with 酒場, the witnesses in their taverns")
    browser.press("unnamed", "tavern")
    before = browser.everyone()
    browser.driver.refresh()
    check(browser.everyone() == before, "a reload keeps the names given")

    # A name the reports show otherwise, and one cut, each said in a line.
    box = browser.driver.find_element("id", "townName")
    browser.filter("町番号=193")
    for typed, name, note in (("Ab€d", "Ab€d", "シフトJISにない文字があるので、一覧では「Ab?d」と出るよ"),
                              ("あ" * 20, "あ" * 19, "38バイトを超える分は読まれないので、「%s」にしたよ\n" % ("あ" * 19)
                               + "16バイトより長いので、所在地一覧とパラメータ一覧ではこの町の行が右にずれるよ")):
        box.send_keys(Keys.CONTROL, "a")
        box.send_keys(typed + Keys.ENTER)
        said = browser.run("return [arguments[0].value, document.getElementById('nameNote').textContent];", box)
        check(said == [name, note], "a name %r is taken as %r, and a line says so: %s" % (typed, name, said))
    box.send_keys(Keys.CONTROL, "a")
    box.send_keys(Keys.BACKSPACE + Keys.ENTER)

    # The list saved: through Chromium's download folder, then read by the program.
    downloads = work / "downloads"
    downloads.mkdir()
    browser.driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": str(downloads)})
    browser.driver.find_element("id", "saveList").click()
    saved = downloads / "townlist.txt"
    for _ in range(100):
        if saved.exists() and saved.stat().st_size > 0:
            break
        time.sleep(0.1)
    text = saved.read_bytes() if saved.exists() else b""
    given = list(names)
    given[191], given[192], given[193] = "リスボア", "ジェノバ", ""
    check(text == ("\ufeff" + "".join((n or " ") + "\r\n" for n in given[::-1])).encode("utf-8"),
          "townlist.txt is saved: 224 lines from town 223, CR LF, UTF-8 with a byte order mark")
    again = work / "again"
    again.mkdir()
    shutil.copy(folder / "SAVEDATA.CDS", again)
    shutil.copy(saved, again / "townlist.txt")
    after = subprocess.run([program], cwd=again, capture_output=True, check=True).stdout.split(b"\n")
    before = subprocess.run([program], cwd=folder, capture_output=True, check=True).stdout.split(b"\n")
    renamed = {n for n in in_town(191, 192, 193)}
    check(len(after) == len(before) == 206 and all((a == b) == (n not in renamed) for n, (a, b) in enumerate(zip(after, before)))
          and all("リスボア".encode("cp932") in after[n] for n in in_town(191)),
          "read by the program again, the new names are in the location list, every other row as before")

    # Where a browser cannot save a file, the text to copy.
    browser.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                   {"source": "delete HTMLAnchorElement.prototype.download;"})
    browser.open(page)
    browser.driver.find_element("id", "saveList").click()
    copied = browser.run("var box = document.getElementById('listBox');"
                         "return [document.getElementById('listText').hidden, box.value, document.activeElement === box];")
    check_axe(browser, "the box to copy the list from")
    # (A text box gives its lines with LF, which Notepad pastes as CR LF.)
    check(copied == [False, "".join((n or " ") + "\n" for n in names[::-1]), True],
          "without a way to save a file, the list shows in a box to copy " + repr(copied)[:300])

    # A long name still keeps every column in a 1366 window, cut, and whole on hover.
    from selenium.webdriver.common.action_chains import ActionChains
    browser.driver.set_window_size(1366, 768)
    long_name = "アイウエオカキクケコサシスセソタ"
    browser.open(page)
    browser.filter("町番号=191")
    name_box = browser.driver.find_element("id", "townName")
    name_box.send_keys(Keys.CONTROL, "a")
    name_box.send_keys(long_name + Keys.ENTER)
    browser.filter("")
    cell = browser.driver.find_element("css selector", "#navigators tbody tr[data-number='%d'] td:nth-child(2)" % first)
    ActionChains(browser.driver).move_to_element(cell).perform()
    fit = browser.run("return [document.documentElement.scrollWidth <= document.documentElement.clientWidth,"
                      " arguments[0].scrollWidth > arguments[0].clientWidth, arguments[0].title];", cell)
    check(fit == [True, True, long_name + "\n町番号 191"], "a 16-character name keeps every column in 1366, cut, whole on hover")
    browser.driver.set_window_size(1280, 800)

    # The screen's line on a list one line short, in a status box at the top.
    short = work / "short"
    short.mkdir()
    shutil.copy(example / "SAVEDATA.CDS", short)
    (short / "townlist.txt").write_bytes("".join(n + "\r\n" for n in names[::-1][:223]).encode("cp932"))
    browser.open(page_of(program, short, [], work / "short.html"))
    said = browser.run("var box = document.getElementById('notes'); return box && [box.getAttribute('role'), box.textContent.trim(),"
                       " box.getBoundingClientRect().top < document.getElementById('navigators').getBoundingClientRect().top];")
    check(said == ["status", "townlist.txt は 223 行あるよ。224 行のはずだから、町の名前がずれているかもしれないよ", True],
          "a list one line short is said at the top of the page, in the screen's words " + str(said))


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
            compared = check_comparison(browser, program, example, work)
            check_follow(browser, page, compared, work)
            check_fragment(browser, page)
            check_naming(browser, program, example, work)
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
