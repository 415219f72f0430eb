#!/usr/bin/python3
"""The HTML page in a real browser: Debian's Chromium, driven by Selenium through ChromeDriver.

    browser_test.py PROGRAM EXAMPLE_FOLDER [--screenshot PNG]

Over the example's page and a save with hostile names: 205 rows; a level's header sorts
falling, then rising; the name and town headers give exactly the /n and /t orders; the
filter keeps the rows with a cell holding the word; names are text, never markup; no request
leaves the page; the browser's console stays free of errors; without script the whole table
shows in order. With --screenshot, the example's page (sorted by one level) is saved as a
picture too.

Exits 77 (skipped) where Chromium, ChromeDriver or Selenium is missing, unless
TIDEWRIT_BROWSER_TEST=required, as in CI.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"

# Columns of the page: 番号, 所在, 状態, 名前, 統率 to 名声, then the 27 levels.
TOWN, NAME = 1, 3
SURVEYING = 4 + 5 + 7  # 測量, the eighth level

ROWS = "Array.from(document.querySelectorAll('#navigators tbody tr'))"
SHOWN = ROWS + ".filter(r => getComputedStyle(r).display != 'none')"
SHOWN_NUMBERS = "return " + SHOWN + ".map(r => +r.dataset.number);"


def skip(reason):
    if os.environ.get("TIDEWRIT_BROWSER_TEST") == "required":
        sys.exit("the browser test cannot run: " + reason)
    print("skipped: " + reason)
    sys.exit(77)


def page_of(program, folder, arguments, out):
    with open(out, "wb") as page:
        subprocess.run([program, "/h", *arguments], cwd=folder, stdout=page, check=True)
    return out


def printed_order(page):
    """The navigator numbers in the order the program printed the rows."""
    return [int(n) for n in re.findall(rb'<tr data-number="(\d+)"', page.read_bytes())]


def hostile_folder(example, folder):
    """The example's town list and save, with markup and control bytes in some names."""
    shutil.copy(example / "townlist.txt", folder / "townlist.txt")
    save = bytearray((example / "SAVEDATA.CDS").read_bytes())
    names = {  # name1, name2 as raw bytes (18 at most, as the entry has room for)
        0: (b"<b>bold</b>", b"<img src=x>"),
        1: (b"</td><td>9", b"<script>x=1"),
        2: (b"\"quoted'&amp;", b"a&b<c>d"),
        3: (b"bell\x07\x1b[31m", b"del\x7fend"),
        4: (b"lead\x81", b"\x83\x41<i>"),  # a lone lead byte, which the program drops
    }
    for number, (name1, name2) in names.items():
        entry = 37450 + 144 * number
        save[entry + 50:entry + 69] = name1.ljust(19, b"\0")
        save[entry + 69:entry + 88] = name2.ljust(19, b"\0")
    (folder / "SAVEDATA.CDS").write_bytes(bytes(save))
    # As a browser shows them: markup as text, control bytes as "?".
    return {
        0: "<b>bold</b> <img src=x>",
        1: "</td><td>9 <script>x=1",
        2: "\"quoted'&amp; a&b<c>d",
        3: "bell??[31m del?end",
        4: "lead \u30a2<i>",
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

    def click_header(self, column):
        from selenium.webdriver.common.by import By
        self.driver.find_elements(By.CSS_SELECTOR, "#navigators thead th")[column].click()

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
    page = page_of(program, example, [], work / "page.html")
    by_name = printed_order(page_of(program, example, ["/n"], work / "by-name.html"))
    by_town = printed_order(page_of(program, example, ["/t"], work / "by-town.html"))
    check(page.stat().st_size < 256 * 1024, "the page is under 256 KB")
    check_requests_and_console(browser, page, "example")

    browser.open(page)
    check(browser.shown() == printed_order(page) == list(range(205)), "205 rows, in save order")
    check(browser.driver.execute_script("return !document.getElementById('tools').hidden;"),
          "the search box shows where the script runs")

    browser.click_header(SURVEYING)
    levels = [int(v) for v in browser.cells(SURVEYING)]
    check(levels == sorted(levels, reverse=True) and levels[0] > levels[-1], "a level's header sorts falling")
    browser.click_header(SURVEYING)
    levels = [int(v) for v in browser.cells(SURVEYING)]
    check(levels == sorted(levels) and levels[0] < levels[-1], "a second click sorts rising")

    browser.click_header(NAME)
    check(browser.shown() == by_name, "the name's header gives the /n order")
    browser.click_header(NAME)
    check(browser.shown() == by_name[::-1], "and a second click reverses it")
    browser.click_header(TOWN)
    check(browser.shown() == by_town, "the town's header gives the /t order")

    # A town that the save has navigators in, by the first such row.
    towns = browser.cells(TOWN)
    town = next(t for t in towns if not t.startswith("\uff0d") and not t.isdigit())
    browser.filter(town)
    shown = browser.shown()
    everyone = browser.driver.execute_script(
        "return " + ROWS + ".map(r => [+r.dataset.number, Array.from(r.cells).map(c => c.textContent)]);")
    holding = sorted(n for n, texts in everyone if any(town in t for t in texts))
    check(sorted(shown) == holding and len(shown) > 0, "the filter '" + town + "' keeps that town's rows")
    check(all(town in t for t in browser.cells(TOWN)), "and every row it keeps is in that town")

    name = next(re.search("[A-Za-z]{3,}", n).group() for n in browser.cells(NAME) if re.search("[A-Za-z]{3,}", n))
    browser.filter(name.upper())
    upper = browser.shown()
    browser.filter(name.lower())
    check(upper == browser.shown() and len(upper) > 0, "ASCII letters match in either case: " + name)
    browser.filter("")
    check(len(browser.shown()) == 205, "an empty filter shows every row")
    return page


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
    page = page_of(program, folder, [], work / "hostile.html")
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
            check_hostile(browser, program, example, work)
            check_without_script(page)
            if screenshot:
                browser.open(page)
                browser.click_header(SURVEYING)
                browser.driver.save_screenshot(str(screenshot))
        finally:
            browser.quit()
    if failures:
        sys.exit("%d check(s) failed" % len(failures))


if __name__ == "__main__":
    main()
