// The navigator page: a click on a header sorts the rows by that column, a second click on
// the same header reverses them; the search box keeps the rows with a cell holding the
// typed text; the values are shaded by their size in their column. Without this script
// the table reads in full, in the order the program printed it.
(function () {
  "use strict";
  var table = document.getElementById("navigators");
  if (!table || !window.addEventListener || !document.createDocumentFragment) return;
  var body = table.tBodies[0];
  var heads = table.tHead.rows[0].cells;
  var rows = [];
  for (var i = 0; i < body.rows.length; i++) rows.push(body.rows[i]);

  function numberOf(row) {
    return +row.getAttribute("data-number");
  }

  // The header's data-key tells what a column sorts by: the row's rank in the town order,
  // the whereabouts order or the name order (rising), or the navigator's number; any other
  // column holds a number in each cell. Numbers go first from high to low.
  function keyOf(column) {
    var key = heads[column].getAttribute("data-key");
    if (key === "number") return function (row) { return -numberOf(row); };
    if (key) return function (row) { return +row.getAttribute("data-" + key); };
    return function (row) { return -parseInt(row.cells[column].textContent, 10); };
  }

  var sortedBy = -1;
  var reversed = false;
  function sortBy(column) {
    reversed = column === sortedBy ? !reversed : false;
    sortedBy = column;
    var key = keyOf(column);
    var keys = {};
    for (var i = 0; i < rows.length; i++) keys[numberOf(rows[i])] = key(rows[i]);
    var order = rows.slice().sort(function (a, b) {
      return keys[numberOf(a)] - keys[numberOf(b)] || numberOf(a) - numberOf(b);
    });
    if (reversed) order.reverse();
    var fragment = document.createDocumentFragment();
    for (i = 0; i < order.length; i++) fragment.appendChild(order[i]);
    body.appendChild(fragment);

    var falling = heads[column].getAttribute("data-key") ? reversed : !reversed;
    for (i = 0; i < heads.length; i++) heads[i].removeAttribute("aria-sort");
    heads[column].setAttribute("aria-sort", falling ? "descending" : "ascending");
  }
  for (i = 0; i < heads.length; i++) {
    heads[i].addEventListener("click", sortBy.bind(null, i));
  }

  // Only ASCII letters match in either case; every other character as it is.
  function fold(text) {
    return text.replace(/[A-Z]/g, function (letter) { return letter.toLowerCase(); });
  }
  var cellTexts = {};
  for (i = 0; i < rows.length; i++) {
    var texts = [];
    for (var c = 0; c < rows[i].cells.length; c++) texts.push(fold(rows[i].cells[c].textContent));
    cellTexts[numberOf(rows[i])] = texts;
  }
  var filter = document.getElementById("filter");
  filter.addEventListener("input", function () {
    var word = fold(filter.value);
    for (var i = 0; i < rows.length; i++) {
      var texts = cellTexts[numberOf(rows[i])];
      var shown = word === "";
      for (var c = 0; c < texts.length && !shown; c++) shown = texts[c].indexOf(word) >= 0;
      rows[i].style.display = shown ? "" : "none";
    }
  });
  document.getElementById("tools").removeAttribute("hidden");

  // The parameters, fame and levels (the columns after the name): the higher a value
  // against the highest of its column, the deeper its shade; the highest stands out.
  for (var column = 0; column < heads.length; column++) {
    if (heads[column].getAttribute("data-key")) continue;
    var values = [];
    var highest = 0;
    for (i = 0; i < rows.length; i++) {
      values.push(parseInt(rows[i].cells[column].textContent, 10));
      highest = Math.max(highest, values[i]);
    }
    if (highest === 0) continue;
    for (i = 0; i < rows.length; i++) {
      var cell = rows[i].cells[column];
      cell.style.backgroundColor = "rgba(46, 134, 193, " + (0.7 * values[i] / highest).toFixed(2) + ")";
      if (values[i] === highest) cell.className = "top";
    }
  }
})();
