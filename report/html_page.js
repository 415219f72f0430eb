// The navigator page. Each header is a button that sorts the rows by its column, a second
// press reverses them. The search box keeps the rows that match every word typed, the
// toggles those in a tavern, at an inn or in the fleet and those in a town without a name,
// and a click on a town those of that town; the page says how many it shows. A town so kept
// can be named in a box of its own, and the whole town list saved as townlist.txt. The
// values that stand out in their column are shaded. The view and the names given live in
// the address's fragment, so that a reload or a bookmark shows them again. Compared with an
// earlier save, a toggle keeps the navigators that changed. The page saved as
// navigators.html follows the game: it loads itself again as it is written anew. Without
// this script the table reads in full, in the order the program printed it. Every text the
// script compares with or shows comes from the page itself, never from here.
(function () {
  "use strict";
  var table = document.getElementById("navigators");
  if (!table || !window.addEventListener || !document.createDocumentFragment) return;
  var body = table.tBodies[0];
  var heads = table.tHead.rows[0].cells;
  var box = document.getElementById("filter");
  var toggles = [], buttons = document.getElementById("tools").getElementsByTagName("button");
  for (var i = 0; i < buttons.length; i++) {
    if (buttons[i].getAttribute("data-keep")) toggles.push(buttons[i]);
  }
  var rows = [];
  for (i = 0; i < body.rows.length; i++) rows.push(body.rows[i]);
  var order = rows.slice();  // the rows in the order shown
  var TOWN = 1, STATE = 2, NAME = 3;

  function numberOf(row) {
    return +row.getAttribute("data-number");
  }

  // Typed text and the page's text alike: hiragana as katakana, half-width katakana (with a
  // following voiced or semi-voiced mark) as full-width, full-width letters, digits, signs and
  // blank as half-width, capitals as small letters.
  var halfWidth =
    "\u3002\u300c\u300d\u3001\u30fb\u30f2\u30a1\u30a3\u30a5\u30a7\u30a9\u30e3\u30e5\u30e7\u30c3\u30fc" +
    "\u30a2\u30a4\u30a6\u30a8\u30aa\u30ab\u30ad\u30af\u30b1\u30b3\u30b5\u30b7\u30b9\u30bb\u30bd\u30bf" +
    "\u30c1\u30c4\u30c6\u30c8\u30ca\u30cb\u30cc\u30cd\u30ce\u30cf\u30d2\u30d5\u30d8\u30db\u30de\u30df" +
    "\u30e0\u30e1\u30e2\u30e4\u30e6\u30e8\u30e9\u30ea\u30eb\u30ec\u30ed\u30ef\u30f3\u309b\u309c";
  // Those that take the voiced mark (the next code point, but for U+30A6 U+30F4), and of them
  // those that take the semi-voiced mark (the code point after that).
  var voiced = "\u30ab\u30ad\u30af\u30b1\u30b3\u30b5\u30b7\u30b9\u30bb\u30bd\u30bf\u30c1\u30c4\u30c6\u30c8\u30a6";
  var semiVoiced = "\u30cf\u30d2\u30d5\u30d8\u30db";
  function fold(text) {
    var folded = "";
    for (var i = 0; i < text.length; i++) {
      var code = text.charCodeAt(i);
      if (code >= 0xff01 && code <= 0xff5e) code -= 0xfee0;
      else if (code === 0x3000) code = 0x20;
      else if (code >= 0x3041 && code <= 0x3096) code += 0x60;
      else if (code >= 0xff61 && code <= 0xff9f) {
        code = halfWidth.charCodeAt(code - 0xff61);
        var mark = text.charCodeAt(i + 1), base = String.fromCharCode(code);
        if (mark === 0xff9e && (voiced.indexOf(base) >= 0 || semiVoiced.indexOf(base) >= 0)) {
          code = code === 0x30a6 ? 0x30f4 : code + 1;
          i++;
        } else if (mark === 0xff9f && semiVoiced.indexOf(base) >= 0) {
          code += 2;
          i++;
        }
      }
      if (code >= 0x41 && code <= 0x5a) code += 0x20;
      folded += String.fromCharCode(code);
    }
    return folded;
  }

  // What each row is searched, kept and sorted by, taken once: the three text cells folded;
  // the kinds the toggles keep (in a tavern or at an inn, the first two of the whereabouts
  // order, or in the fleet); the numbers of every column of values (those whose header has
  // no data-key), which the search finds by the label, the whole label and its reading.
  var texts = {}, values = {}, fleet = {}, kindsOf = {}, valueColumns = [], labels = {}, rowOf = {};
  for (var c = 0; c < heads.length; c++) {
    if (heads[c].getAttribute("data-key")) continue;
    valueColumns.push(c);
    values[c] = {};
    labels[fold(heads[c].textContent)] = c;
    if (heads[c].title) labels[fold(heads[c].title)] = c;
    var reading = heads[c].getAttribute("data-reading");
    if (reading) labels[fold(reading)] = c;
  }

  // The towns: every name as the run read it from the list and as the page shows it now, by
  // town number; the town of each navigator shown in one, and the first line of the title of
  // its cells, which ends in the number. Compared with an earlier save, a town cell that
  // changed ends in a line on where the navigator was; where that was a town, data-before
  // holds its number, so that the line names it as the page names the town.
  var items = document.getElementById("towns").getElementsByTagName("li");
  var listNames = [], names = [], townOf = {}, numberTitles = {}, shownTowns = {};
  var beforeLabel = table.getAttribute("data-before"), beforeTown = {}, beforeLine = {}, changed = {};
  for (i = 0; i < items.length; i++) listNames.push(items[i].textContent);
  names = listNames.slice();
  var townLabel = fold(heads[TOWN].textContent) + "=", numberPrefix = "";
  for (i = 0; i < rows.length; i++) {
    var row = rows[i], number = numberOf(row), lines = row.cells[TOWN].title.split("\n");
    rowOf[number] = row;
    if (beforeLabel && lines[lines.length - 1].indexOf(beforeLabel) === 0) {
      beforeLine[number] = lines.pop();
      var was = row.cells[TOWN].getAttribute("data-before");
      if (was) beforeTown[number] = +was;
    }
    if (lines[0]) {
      var town = +/(\d+)$/.exec(lines[0])[1];
      townOf[number] = town;
      numberTitles[town] = lines[0];
      numberPrefix = numberPrefix || lines[0].substring(0, lines[0].length - String(town).length);
    }
    shownTowns[number] = row.cells[TOWN].textContent;
    texts[number] = [fold(shownTowns[number]), fold(row.cells[STATE].textContent),
                     fold(row.cells[NAME].textContent)];
    fleet[number] = /(^| )fleet( |$)/.test(row.className);
    changed[number] = /(^| )changed( |$)/.test(row.className);
    var state = +row.getAttribute("data-state");
    kindsOf[number] = {tavern: state === 0, inn: state === 1, fleet: fleet[number]};
    for (c = 0; c < valueColumns.length; c++) {
      values[valueColumns[c]][number] = parseInt(row.cells[valueColumns[c]].textContent, 10);
    }
  }
  // The label of the town's number, as typed before "=" and the number: the titles' words.
  var numberLabel = numberPrefix ? fold(numberPrefix.replace(/\s+$/, "")) + "=" : "";

  // The words of the box: blanks part them but within double quotes, where "" is a quote.
  function wordsOf(text) {
    var words = [], word = "", quoted = false;
    for (var i = 0; i < text.length; i++) {
      var character = text.charAt(i);
      if (character === "\"" && quoted && text.charAt(i + 1) === "\"") {
        word += character;
        i++;
      } else if (character === "\"") {
        quoted = !quoted;
      } else if (!quoted && /\s/.test(character)) {
        if (word) words.push(word);
        word = "";
      } else {
        word += character;
      }
    }
    if (word) words.push(word);
    return words;
  }
  function quote(text) {
    return /[\s"]/.test(text) || text === "" ? "\"" + text.replace(/"/g, "\"\"") + "\"" : text;
  }

  // The town a word names: the town header's label, "=" and a name ({name: ...}) keeps
  // exactly the town shown so (or, where none is shown exactly so, those named so but for the
  // folding); the label of the town's number, "=" and a number ({town: 17}) keeps that town;
  // null for any other word.
  function startsWithLabel(word, label) {
    return label !== "" && fold(word.substring(0, label.length)) === label;
  }
  function townWordOf(word) {
    if (startsWithLabel(word, townLabel)) return {name: word.substring(townLabel.length)};
    if (startsWithLabel(word, numberLabel) && /^\d+$/.test(fold(word.substring(numberLabel.length)))) {
      return {town: +fold(word.substring(numberLabel.length))};
    }
    return null;
  }
  function townTest(named) {
    if (named.town !== undefined) return function (number) { return townOf[number] === named.town; };
    var exactly = false, folded = fold(named.name);
    for (var number in shownTowns) {
      if (shownTowns.hasOwnProperty(number) && shownTowns[number] === named.name) exactly = true;
    }
    if (exactly) return function (number) { return shownTowns[number] === named.name; };
    return function (number) { return texts[number][0] === folded; };
  }

  // The tests of the box's words, split before they are folded: a town word (above); a
  // column's label followed by a number, with or without a blank between, keeps the values
  // of at least that number; any other word must be part of the town, the whereabouts or
  // the name.
  function testsOf(text) {
    var words = wordsOf(text), tests = [];
    for (var i = 0; i < words.length; i++) {
      var named = townWordOf(words[i]), word = fold(words[i]), least = /^(.*\D)(\d+)$/.exec(word);
      if (named) {
        tests.push(townTest(named));
      } else if (least && labels.hasOwnProperty(least[1])) {
        tests.push(leastTest(labels[least[1]], +least[2]));
      } else if (labels.hasOwnProperty(word) && i + 1 < words.length && /^\d+$/.test(fold(words[i + 1]))) {
        tests.push(leastTest(labels[word], +fold(words[++i])));
      } else {
        tests.push(partTest(word));
      }
    }
    return tests;
  }
  function leastTest(column, minimum) {
    return function (number) { return values[column][number] >= minimum; };
  }
  function partTest(word) {
    return function (number) {
      var cells = texts[number];
      return cells[0].indexOf(word) >= 0 || cells[1].indexOf(word) >= 0 || cells[2].indexOf(word) >= 0;
    };
  }

  // The kinds of row the pressed toggles keep: any of those in a tavern, at an inn or in the
  // fleet (with none of them pressed, every row); and of those, with the unnamed toggle
  // pressed, only the rows of a town without a name yet: none, or the template's own (its
  // prefix and the town's number); with the changed toggle pressed, only the rows that
  // changed since the earlier save.
  var template = document.getElementById("townName").getAttribute("data-template");
  function pressedKinds() {
    var pressed = [];
    for (var i = 0; i < toggles.length; i++) {
      if (toggles[i].getAttribute("aria-pressed") === "true") pressed.push(toggles[i].getAttribute("data-keep"));
    }
    return pressed;
  }
  function unnamed(number) {
    var town = townOf[number];
    return town !== undefined && (names[town] === "" || names[town] === template + town);
  }
  function keptByToggles(number, pressed) {
    var kinds = 0, kept = false;
    for (var k = 0; k < pressed.length; k++) {
      if (pressed[k] === "unnamed") {
        if (!unnamed(number)) return false;
      } else if (pressed[k] === "changed") {
        if (!changed[number]) return false;
      } else {
        kinds++;
        kept = kept || kindsOf[number][pressed[k]];
      }
    }
    return kinds === 0 || kept;
  }

  // The four leading columns stay in view when the page scrolls sideways: each is pinned
  // where the ones before it end. On a screen the table then keeps the widths it has laid
  // out with every row (table-layout: fixed), so that a sort or a filter lays out and paints
  // no more than it must; they are measured again when a town's name may change them.
  var pins = document.createElement("style"), widthsStale = true;
  document.getElementsByTagName("head")[0].appendChild(pins);
  function widthOf(element) {
    var box = element.getBoundingClientRect();
    return box.right - box.left;
  }
  function pinColumns() {
    var hidden = [], rules = "", left = 0, c;
    for (var i = 0; i < rows.length; i++) {
      if (rows[i].style.display) hidden.push(rows[i]);
      rows[i].style.display = "";
    }
    pins.textContent = "";
    for (c = 0; c <= NAME; c++) {
      rules += "#navigators tr > :nth-child(" + (c + 1) + ") { position: sticky; left: " + left + "px; }\n";
      left += heads[c].offsetWidth;
    }
    rules += "#navigators { table-layout: fixed; width: " + widthOf(table) + "px; }\n";
    for (c = 0; c < heads.length; c++) {
      rules += "#navigators th:nth-child(" + (c + 1) + ") { box-sizing: border-box; width: " + widthOf(heads[c]) + "px; }\n";
    }
    for (i = 0; i < hidden.length; i++) hidden[i].style.display = "none";
    pins.textContent = "@media screen {\n" + rules + "}\n";
    widthsStale = false;
  }

  var count = document.getElementById("shown");
  var none = document.getElementById("none");
  function showRows() {
    var tests = testsOf(box.value), pressed = pressedKinds();
    var shown = 0;
    for (var i = 0; i < order.length; i++) {
      var row = order[i], number = numberOf(row), kept = keptByToggles(number, pressed);
      for (var t = 0; t < tests.length && kept; t++) kept = tests[t](number);
      row.style.display = kept ? "" : "none";
      // The stripes alternate among the rows shown.
      row.className = (fleet[number] ? "fleet" : "") + (changed[number] ? " changed" : "") +
                      (kept && shown % 2 === 1 ? " stripe" : "");
      if (kept) shown++;
    }
    count.textContent = shown;
    if (shown === 0) none.removeAttribute("hidden");
    else none.setAttribute("hidden", "");
    showNaming();
    if (widthsStale) pinColumns();
  }

  // Sorting: by the row's rank in the town, whereabouts or name order, by its number, or by
  // the column's value, then by number; falling reverses the whole order. The order the
  // program printed is the one a view without a sort shows.
  var printedBy = -1, sortedBy = -1, falling = false, sortedHere = false;
  for (i = 0; i < heads.length; i++) {
    if (heads[i].getAttribute("aria-sort")) printedBy = sortedBy = i;
  }
  function keyOf(column) {
    var key = heads[column].getAttribute("data-key");
    if (key === "number") return numberOf;
    if (key) return function (row) { return +row.getAttribute("data-" + key); };
    return function (row) { return values[column][numberOf(row)]; };
  }
  function showOrder(column, descending) {
    var fragment = document.createDocumentFragment();
    for (var i = 0; i < order.length; i++) fragment.appendChild(order[i]);
    body.appendChild(fragment);
    for (i = 0; i < heads.length; i++) heads[i].removeAttribute("aria-sort");
    if (column >= 0) heads[column].setAttribute("aria-sort", descending ? "descending" : "ascending");
  }
  function sortBy(column, descending) {
    sortedBy = column;
    falling = descending;
    var key = keyOf(column), keys = {};
    for (var i = 0; i < rows.length; i++) keys[numberOf(rows[i])] = key(rows[i]);
    order = rows.slice().sort(function (a, b) {
      return keys[numberOf(a)] - keys[numberOf(b)] || numberOf(a) - numberOf(b);
    });
    if (falling) order.reverse();
    showOrder(column, falling);
  }
  function printedOrder() {
    sortedBy = printedBy;
    falling = false;
    order = rows.slice();
    showOrder(printedBy, false);
  }

  // The title of a navigator's town cell: the town's name where `whole` asks for it (one cut
  // short in its cell), the town's number, and where the navigator was before.
  function townTitle(number, whole) {
    var town = townOf[number], lines = [], was = beforeTown[number];
    if (town !== undefined && whole) lines.push(names[town]);
    if (town !== undefined) lines.push(numberTitles[town]);
    if (was !== undefined) lines.push(beforeLabel + (names[was] !== "" ? names[was] : numberPrefix + was));
    else if (beforeLine[number]) lines.push(beforeLine[number]);
    return lines.join("\n");
  }
  // Naming a town: the cells of every navigator in it show the name, and the search finds it;
  // those of the navigators who were there before say so by the name.
  function nameTown(town, name) {
    names[town] = name;
    widthsStale = true;
    for (var number in rowOf) {
      if (!rowOf.hasOwnProperty(number) || (townOf[number] !== town && beforeTown[number] !== town)) continue;
      var cell = rowOf[number].cells[TOWN];
      cell.title = townTitle(number, false);
      if (townOf[number] !== town) continue;
      shownTowns[number] = name;
      texts[number][0] = fold(name);
      cell.textContent = name;
    }
  }

  // What a name given on the page becomes, as the program reads a town list: no control
  // character (a line break and a tab among them), no blank at its end, at most 38 bytes of
  // code page 932; and the lines that say what the reports will show where a character is
  // not in code page 932 (there a "?") or the name is longer than the 16 bytes of their
  // column. A link's query in this page takes the page's own character set, code page 932,
  // so the browser tells what each character becomes: "&#N;" for one the code page lacks.
  var maximumBytes = 38, columnBytes = 16;
  var probe = document.createElement("a");
  // Eight characters the program takes as the code page's own look-alikes (U+301C as U+FF5E
  // and so on), and one it does not take at all (U+203E), which the browser would.
  var alike = {"\u301c": "\uff5e", "\u2016": "\u2225", "\u2212": "\uff0d", "\u2014": "\u2015", "\u00a2": "\uffe0",
               "\u00a3": "\uffe1", "\u00ac": "\uffe2", "\u00a5": "\\", "\u203e": "\ud800"};
  function bytesOf(character) {
    if (alike.hasOwnProperty(character)) character = alike[character];
    if (character.length > 1 || /[\ud800-\udfff]/.test(character)) return 0;
    probe.href = "?" + character.replace(/[%# ]/, encodeURIComponent);
    var query = probe.search.substring(1);
    if (/^%26%23\d+%3B$/.test(query)) return 0;
    return query.replace(/%[0-9A-F]{2}/gi, "x").length;
  }
  var note = document.getElementById("nameNote");
  function givenName(typed) {
    var name = typed.replace(/[\u0000-\u001f\u007f-\u009f\u2028\u2029]/g, "").replace(/[ \u3000]+$/, "");
    var kept = "", shown = "", bytes = 0, cut = false;
    for (var i = 0; i < name.length; i++) {
      var character = name.charAt(i);
      if (/[\ud800-\udbff]/.test(character) && /[\udc00-\udfff]/.test(name.charAt(i + 1))) character += name.charAt(++i);
      var size = bytesOf(character);
      if (bytes + (size || 1) > maximumBytes) {
        cut = true;
        break;
      }
      bytes += size || 1;
      kept += character;
      shown += size ? character : "?";
    }
    kept = kept.replace(/[ \u3000]+$/, "");
    shown = shown.replace(/[ \u3000]+$/, "");
    var lines = [];
    if (cut) lines.push(note.getAttribute("data-cut").replace("%s", kept));
    if (shown !== kept) lines.push(note.getAttribute("data-unknown").replace("%s", shown));
    if (bytes > columnBytes) lines.push(note.getAttribute("data-long"));
    return {name: kept, note: lines.join("\n")};
  }

  // The box that names a town shows while the search box keeps exactly one town: after a
  // click on it, or its condition typed.
  var naming = document.getElementById("naming"), nameBox = document.getElementById("townName");
  var numberShown = document.getElementById("townNumber"), namedTown = -1;
  function townInBox() {
    var words = wordsOf(box.value), town = -1;
    for (var i = 0; i < words.length; i++) {
      var named = townWordOf(words[i]);
      if (!named) continue;
      if (named.town !== undefined) {
        town = named.town < names.length ? named.town : -1;
        continue;
      }
      town = -1;
      var folded = fold(named.name), exactly = [], near = [];
      for (var t = 0; t < names.length; t++) {
        if (names[t] === named.name) exactly.push(t);
        if (fold(names[t]) === folded) near.push(t);
      }
      if (exactly.length === 1) town = exactly[0];
      else if (exactly.length === 0 && near.length === 1) town = near[0];
    }
    return town;
  }
  function showNaming() {
    var town = townInBox();
    if (town < 0) {
      naming.setAttribute("hidden", "");
    } else {
      naming.removeAttribute("hidden");
      if (document.activeElement !== nameBox) nameBox.value = names[town];
      numberShown.textContent = numberTitles[town] || numberPrefix + town;
    }
    if (town !== namedTown) note.textContent = "";
    namedTown = town;
  }
  // The condition that keeps exactly `town`: its name where no other town has it, else its
  // number.
  function townCondition(town) {
    var same = 0;
    for (var t = 0; t < names.length; t++) {
      if (names[t] === names[town]) same++;
    }
    return names[town] !== "" && same === 1 ? nameCondition(names[town]) : numberPrefix.replace(/\s+$/, "") + "=" + town;
  }
  function nameCondition(name) {
    return heads[TOWN].textContent + "=" + quote(name);
  }
  // The box's words with `condition` in place of any town word.
  function withCondition(condition) {
    var words = wordsOf(box.value), kept = [];
    for (var i = 0; i < words.length; i++) {
      if (!townWordOf(words[i])) kept.push(quote(words[i]));
    }
    kept.push(condition);
    return kept.join(" ");
  }
  // Enter, and then leaving the box, give the same name twice: the second leaves the line
  // the first said.
  function nameGiven() {
    if (namedTown < 0) return;
    var given = givenName(nameBox.value), town = namedTown;
    nameBox.value = given.name;
    if (given.name === names[town]) return;
    nameTown(town, given.name);
    box.value = withCondition(townCondition(town));
    showRows();
    saveView();
    note.textContent = given.note;
  }

  // The town list as the program reads it: 224 lines, the first town 223, CR LF, UTF-8 with
  // a byte order mark; a town without a name as one blank, which the program reads as no
  // name but counts as a line, so that a list ending in such towns keeps its 224 lines.
  function listText() {
    var lines = [];
    for (var t = names.length - 1; t >= 0; t--) lines.push(names[t] === "" ? " " : names[t]);
    return lines.join("\r\n") + "\r\n";
  }
  function saveList() {
    var text = "\ufeff" + listText(), link = document.createElement("a");
    if (window.Blob && window.URL && URL.createObjectURL && "download" in link) {
      link.href = URL.createObjectURL(new Blob([text], {type: "text/plain;charset=utf-8"}));
      link.download = "townlist.txt";
      document.body.appendChild(link);
      link.click();
      document.body.removeChild(link);
      setTimeout(function () { URL.revokeObjectURL(link.href); }, 60000);
    } else if (window.Blob && navigator.msSaveBlob) {
      navigator.msSaveBlob(new Blob([text], {type: "text/plain;charset=utf-8"}), "townlist.txt");
    } else {
      // No way to save a file from a page: the text to copy into Notepad.
      var copy = document.getElementById("listBox");
      document.getElementById("listText").removeAttribute("hidden");
      copy.value = listText();
      copy.focus();
      copy.select();
    }
  }

  // The view in the fragment: #sort=COLUMN&order=desc&q=WORDS&keep=tavern,fleet, and each
  // name given on the page, as town17=NAME.
  function saveView() {
    var parts = [], pressed = pressedKinds();
    if (sortedHere) parts.push("sort=" + sortedBy, "order=" + (falling ? "desc" : "asc"));
    if (box.value) parts.push("q=" + encodeURIComponent(box.value));
    if (pressed.length) parts.push("keep=" + pressed.join(","));
    for (var t = 0; t < names.length; t++) {
      if (names[t] !== listNames[t]) parts.push("town" + t + "=" + encodeURIComponent(names[t]));
    }
    var address = parts.length ? "#" + parts.join("&") : location.pathname + location.search;
    try {
      history.replaceState(null, "", address);
    } catch (failed) {
      if (parts.length) location.replace(address);
    }
  }
  // Exactly the view a fresh load of the address shows, whatever was shown before.
  function restoreView() {
    var view = {}, parts = location.hash.substring(1).split("&");
    for (var i = 0; i < parts.length; i++) {
      var at = parts[i].indexOf("=");
      if (at < 0) continue;
      try {
        view[parts[i].substring(0, at)] = decodeURIComponent(parts[i].substring(at + 1));
      } catch (malformed) {
        // A hand-edited address: that part is left out.
      }
    }
    for (var t = 0; t < names.length; t++) {
      var name = view.hasOwnProperty("town" + t) ? givenName(view["town" + t]).name : listNames[t];
      if (name !== names[t]) nameTown(t, name);
    }
    var column = parseInt(view.sort, 10);
    sortedHere = column >= 0 && column < heads.length;
    if (sortedHere) sortBy(column, view.order === "desc");
    else printedOrder();
    box.value = view.q || "";
    var kept = "," + (view.keep || "") + ",";
    for (i = 0; i < toggles.length; i++) {
      var on = kept.indexOf("," + toggles[i].getAttribute("data-keep") + ",") >= 0;
      toggles[i].setAttribute("aria-pressed", on ? "true" : "false");
    }
    note.textContent = "";
    showRows();
  }

  // Each header's content in a button, which Tab reaches and Enter and Space press. It is
  // named by what it shows, the whole label of an abbreviation its description (and what
  // the mouse shows over it); the arrow of the sort is no part of its name.
  function pressed(column) {
    var key = heads[column].getAttribute("data-key");
    // Numbers (the navigator's number too) go from high to low first, texts rising.
    sortedHere = true;
    sortBy(column, column === sortedBy ? !falling : !key || key === "number");
    showRows();
    saveView();
  }
  for (c = 0; c < heads.length; c++) {
    var button = document.createElement("button");
    button.type = "button";
    while (heads[c].firstChild) button.appendChild(heads[c].firstChild);
    button.title = heads[c].title;
    var arrow = document.createElement("span");
    arrow.className = "arrow";
    arrow.setAttribute("aria-hidden", "true");
    button.appendChild(arrow);
    heads[c].appendChild(button);
    button.addEventListener("click", pressed.bind(null, c));
  }

  box.addEventListener("input", function () {
    showRows();
    saveView();
  });
  for (i = 0; i < toggles.length; i++) {
    toggles[i].addEventListener("click", function () {
      this.setAttribute("aria-pressed", this.getAttribute("aria-pressed") === "true" ? "false" : "true");
      showRows();
      saveView();
    });
  }
  // Enter, or leaving the box, names the town.
  nameBox.addEventListener("keydown", function (event) {
    if (event.keyCode === 13) nameGiven();
  });
  nameBox.addEventListener("change", nameGiven);
  document.getElementById("saveList").addEventListener("click", saveList);

  function townCellOf(target) {
    while (target && target.nodeName !== "TD") target = target.parentNode;
    return target && target.cellIndex === TOWN ? target : null;
  }
  // A click on a town keeps exactly its rows, a condition the box shows in place of any
  // other town's.
  body.addEventListener("click", function (event) {
    var cell = townCellOf(event.target);
    if (!cell) return;
    var town = townOf[numberOf(cell.parentNode)];
    box.value = withCondition(town !== undefined ? townCondition(town) : nameCondition(cell.textContent));
    showRows();
    saveView();
  });
  // A name cut short in its cell shows whole on hover, above the town's number.
  body.addEventListener("mouseover", function (event) {
    var cell = townCellOf(event.target), number = cell && numberOf(cell.parentNode);
    if (!cell || townOf[number] === undefined) return;
    cell.title = townTitle(number, cell.scrollWidth > cell.clientWidth);
  });
  window.addEventListener("hashchange", restoreView);
  window.addEventListener("resize", pinColumns);
  // In each column of values, the cells that stand out: about the highest tenth, never more
  // than a fifth (where many share the edge's value, only those above it), never a zero; the
  // higher, the deeper the shade.
  var tenth = Math.floor(rows.length / 10), fifth = Math.floor(rows.length / 5);
  for (c = 0; c < valueColumns.length; c++) {
    var column = values[valueColumns[c]], sorted = [];
    for (i = 0; i < rows.length; i++) sorted.push(column[numberOf(rows[i])]);
    sorted.sort(function (a, b) { return b - a; });
    var edge = sorted[tenth], atEdge = 0;
    for (i = 0; i < sorted.length; i++) {
      if (sorted[i] >= edge) atEdge = i + 1;
    }
    var lowest = Math.max(atEdge <= fifth ? edge : edge + 1, 1), highest = sorted[0];
    for (i = 0; i < rows.length; i++) {
      var value = column[numberOf(rows[i])];
      if (value < lowest) continue;
      var step = highest === lowest ? 3 : 1 + Math.round(2 * (value - lowest) / (highest - lowest));
      var cell = rows[i].cells[valueColumns[c]];
      cell.className = (cell.className ? cell.className + " " : "") + "shade" + step;
    }
  }

  table.className = "scripted";
  restoreView();
  document.getElementById("tools").removeAttribute("hidden");

  // The page saved as navigators.html is written anew as the game is saved: while it is
  // shown, it loads itself again every few seconds, the view kept in the fragment and, in the
  // history's state, the box typed in and the scroll from the table's top, so that the same
  // rows stay in view where the lines above the table are new. Never while text is selected,
  // a name is being given or the list copied, nor within a while of a key in the search box
  // (its words are in the fragment already). A numbered page never changes, nor loads again.
  var reloadEvery = 5000, keyPause = 8000, lastKey = 0, composing = false;
  function tableTop() {
    return table.getBoundingClientRect().top + window.pageYOffset;
  }
  var reloaded = history.state && history.state.tidewrit;
  if (reloaded) {
    var focused = reloaded.focus === box.id ? box : null;
    if (focused && focused.focus) {
      try {
        focused.focus({preventScroll: true});
        focused.setSelectionRange(reloaded.caret, reloaded.caret);
      } catch (unsupported) {
        // An older browser: the words are there, the caret is not.
      }
    }
    window.scrollTo(reloaded.x, tableTop() + reloaded.y);
  }
  if (!/(^|\/)navigators\.html$/i.test(location.pathname) || !history.replaceState || !window.setInterval) return;
  document.addEventListener("keydown", function () { lastKey = new Date().getTime(); }, true);
  document.addEventListener("compositionstart", function () { composing = true; }, true);
  document.addEventListener("compositionend", function () { composing = false; }, true);
  function busy() {
    var active = document.activeElement, selection = window.getSelection && String(window.getSelection());
    if (document.hidden || composing || selection) return true;
    if (active === nameBox || (active && active.tagName === "TEXTAREA")) return true;
    return active === box && new Date().getTime() - lastKey < keyPause;
  }
  setInterval(function () {
    if (busy()) return;
    var x = window.pageXOffset, y = window.pageYOffset - tableTop();
    var caret = document.activeElement === box ? box.selectionStart : 0;
    try {
      history.replaceState({tidewrit: {x: x, y: y, focus: document.activeElement === box ? box.id : "", caret: caret}},
                           "", location.href);
    } catch (refused) {
      return;
    }
    if ("scrollRestoration" in history) history.scrollRestoration = "manual";
    location.reload();
  }, reloadEvery);
})();
