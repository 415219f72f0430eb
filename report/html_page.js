// The navigator page. Each header is a button that sorts the rows by its column, a second
// press reverses them. The search box keeps the rows that match every word typed, the
// toggles those in a tavern, at an inn or in the fleet, and a click on a town those of that
// town; the page says how many it shows. The values that stand out in their column are
// shaded. The view lives in the address's fragment, so that a reload or a bookmark shows it
// again. Without this script the table reads in full, in the order the program printed it.
// Every text the script compares with comes from the page itself, never from here.
(function () {
  "use strict";
  var table = document.getElementById("navigators");
  if (!table || !window.addEventListener || !document.createDocumentFragment) return;
  var body = table.tBodies[0];
  var heads = table.tHead.rows[0].cells;
  var box = document.getElementById("filter");
  var toggles = document.getElementById("tools").getElementsByTagName("button");
  var rows = [];
  for (var i = 0; i < body.rows.length; i++) rows.push(body.rows[i]);
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
  // no data-key).
  var texts = {}, values = {}, fleet = {}, kinds = {}, valueColumns = [], labels = {};
  for (var c = 0; c < heads.length; c++) {
    if (heads[c].getAttribute("data-key")) continue;
    valueColumns.push(c);
    values[c] = {};
    labels[fold(heads[c].textContent)] = c;
    if (heads[c].title) labels[fold(heads[c].title)] = c;
  }
  var townLabel = fold(heads[TOWN].textContent) + "=";
  for (i = 0; i < rows.length; i++) {
    var row = rows[i], number = numberOf(row);
    texts[number] = [fold(row.cells[TOWN].textContent), fold(row.cells[STATE].textContent),
                     fold(row.cells[NAME].textContent)];
    fleet[number] = row.className === "fleet";
    var state = +row.getAttribute("data-state");
    kinds[number] = {tavern: state === 0, inn: state === 1, fleet: fleet[number]};
    for (c = 0; c < valueColumns.length; c++) {
      values[valueColumns[c]][number] = parseInt(row.cells[valueColumns[c]].textContent, 10);
    }
  }

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

  // Each word a test of a row: the town header's label, "=" and a town keeps exactly that
  // town; a column's label followed by a number keeps the values of at least that number;
  // any other word must be part of the town, the whereabouts or the name.
  function testOf(word) {
    if (word.indexOf(townLabel) === 0) {
      var town = word.substring(townLabel.length);
      return function (number) { return texts[number][0] === town; };
    }
    var least = /^(.*\D)(\d+)$/.exec(word);
    if (least && labels.hasOwnProperty(least[1])) {
      var column = labels[least[1]], minimum = +least[2];
      return function (number) { return values[column][number] >= minimum; };
    }
    return function (number) {
      var cells = texts[number];
      return cells[0].indexOf(word) >= 0 || cells[1].indexOf(word) >= 0 || cells[2].indexOf(word) >= 0;
    };
  }

  // The kinds of row the pressed toggles keep: any of them; with none pressed, every row.
  function pressedKinds() {
    var pressed = [];
    for (var i = 0; i < toggles.length; i++) {
      if (toggles[i].getAttribute("aria-pressed") === "true") pressed.push(toggles[i].getAttribute("data-keep"));
    }
    return pressed;
  }

  // The four leading columns stay in view when the page scrolls sideways: each is pinned
  // where the ones before it end, measured again whenever the widths may change.
  // A new style sheet makes the browser restyle the whole page: it is changed only when a
  // width has.
  var pins = document.createElement("style");
  document.getElementsByTagName("head")[0].appendChild(pins);
  function pinColumns() {
    var rules = "", left = 0;
    for (var c = 0; c <= NAME; c++) {
      rules += "#navigators tr > :nth-child(" + (c + 1) + ") { position: sticky; left: " + left + "px; }\n";
      left += heads[c].offsetWidth;
    }
    rules = "@media screen {\n" + rules + "}\n";
    if (pins.textContent !== rules) pins.textContent = rules;
  }

  var count = document.getElementById("shown");
  var none = document.getElementById("none");
  function showRows() {
    var tests = [], words = wordsOf(fold(box.value)), pressed = pressedKinds();
    for (var i = 0; i < words.length; i++) tests.push(testOf(words[i]));
    var shown = 0;
    for (i = 0; i < order.length; i++) {
      var row = order[i], number = numberOf(row), kept = pressed.length === 0;
      for (var k = 0; k < pressed.length && !kept; k++) kept = kinds[number][pressed[k]];
      for (var t = 0; t < tests.length && kept; t++) kept = tests[t](number);
      row.style.display = kept ? "" : "none";
      // The stripes alternate among the rows shown.
      row.className = (fleet[number] ? "fleet" : "") + (kept && shown % 2 === 1 ? " stripe" : "");
      if (kept) shown++;
    }
    count.textContent = shown;
    if (shown === 0) none.removeAttribute("hidden");
    else none.setAttribute("hidden", "");
    pinColumns();
  }

  // Sorting: by the row's rank in the town, whereabouts or name order, by its number, or by
  // the column's value, then by number; falling reverses the whole order.
  var sortedBy = -1, falling = false, sortedHere = false;
  for (i = 0; i < heads.length; i++) {
    if (heads[i].getAttribute("aria-sort")) sortedBy = i;
  }
  function keyOf(column) {
    var key = heads[column].getAttribute("data-key");
    if (key === "number") return numberOf;
    if (key) return function (row) { return +row.getAttribute("data-" + key); };
    return function (row) { return values[column][numberOf(row)]; };
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
    var fragment = document.createDocumentFragment();
    for (i = 0; i < order.length; i++) fragment.appendChild(order[i]);
    body.appendChild(fragment);
    for (i = 0; i < heads.length; i++) heads[i].removeAttribute("aria-sort");
    heads[column].setAttribute("aria-sort", falling ? "descending" : "ascending");
  }

  // The view in the fragment: #sort=COLUMN&order=desc&q=WORDS&keep=tavern,fleet.
  function saveView() {
    var parts = [], pressed = pressedKinds();
    if (sortedHere) parts.push("sort=" + sortedBy, "order=" + (falling ? "desc" : "asc"));
    if (box.value) parts.push("q=" + encodeURIComponent(box.value));
    if (pressed.length) parts.push("keep=" + pressed.join(","));
    var address = parts.length ? "#" + parts.join("&") : location.pathname + location.search;
    try {
      history.replaceState(null, "", address);
    } catch (failed) {
      if (parts.length) location.replace(address);
    }
  }
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
    var column = parseInt(view.sort, 10);
    if (column >= 0 && column < heads.length) {
      sortedHere = true;
      sortBy(column, view.order === "desc");
    }
    box.value = view.q || "";
    var kept = "," + (view.keep || "") + ",";
    for (i = 0; i < toggles.length; i++) {
      var on = kept.indexOf("," + toggles[i].getAttribute("data-keep") + ",") >= 0;
      toggles[i].setAttribute("aria-pressed", on ? "true" : "false");
    }
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
  // A click on a town keeps exactly its rows, a condition the box shows in place of any
  // other town's.
  body.addEventListener("click", function (event) {
    var cell = event.target;
    while (cell && cell.nodeName !== "TD") cell = cell.parentNode;
    if (!cell || cell.cellIndex !== TOWN) return;
    var words = wordsOf(box.value), kept = [];
    for (var i = 0; i < words.length; i++) {
      if (fold(words[i]).indexOf(townLabel) !== 0) kept.push(quote(words[i]));
    }
    kept.push(heads[TOWN].textContent + "=" + quote(cell.textContent));
    box.value = kept.join(" ");
    showRows();
    saveView();
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
      rows[i].cells[valueColumns[c]].className = "shade" + step;
    }
  }

  restoreView();
  document.getElementById("tools").removeAttribute("hidden");
  pinColumns();
})();
