// Quorvex2 web viewer: the tables of a data set's page. The result list (sortable), the split
// table with runners as rows (leg and cumulative times with their ranks, the best three legs
// marked, time lost per leg, cruise speed and miss rate) and the leg statistics. Large tables
// are built as one HTML string: a class of 1,700 runners has some 50,000 cells.
(function () {
  "use strict";

  var esc = QX.escape;

  function label(key) {
    return '<span data-l="' + esc(key) + '">' + esc(QX.t(key)) + "</span>";
  }

  function data(text) {
    return '<span translate="no">' + esc(text) + "</span>";
  }

  // Seconds behind the fastest result of the set; null for a runner without a time.
  function behind(set, runner) {
    return typeof runner.t === "number" && set.best !== null ? runner.t - set.best : null;
  }

  // A runner's name as the page shows it now.
  QX.runnerName = function (r) {
    return QX.personName(r.n, r.p);
  };

  QX.prepareSet = function (set) {
    set.best = null;
    set.runners.forEach(function (r, i) {
      r.index = i;
      if (typeof r.t === "number" && (set.best === null || r.t < set.best)) set.best = r.t;
    });
  };

  // ---- result list ----------------------------------------------------------------------------

  var RESULT_COLUMNS = [
    { key: "rank", label: QX.N("順位"), num: true },
    { key: "name", label: QX.N("氏名") },
    { key: "club", label: QX.N("所属"), cls: "qx-club" },
    { key: "class", label: QX.N("クラス"), mixOnly: true },
    { key: "time", label: QX.N("記録"), num: true },
    { key: "behind", label: QX.N("トップ差"), num: true },
    { key: "lost", label: QX.N("ミスタイム"), num: true },
  ];

  // Sort keys; runners without the figure go last whichever the direction.
  function sortValue(set, r, key) {
    switch (key) {
      case "rank": return r.k ? r.index : null;
      case "name": return QX.runnerName(r);
      case "club": return r.c;
      case "class": return r.g || "";
      case "time": return r.t;
      case "behind": return behind(set, r);
      case "lost": return typeof r.mt === "number" && typeof r.t === "number" ? r.mt : null;
    }
    return null;
  }

  QX.sortedRunners = function (set, sort) {
    var list = set.runners.slice();
    list.sort(function (a, b) {
      var x = sortValue(set, a, sort.key);
      var y = sortValue(set, b, sort.key);
      if (x === null || y === null) return x === y ? a.index - b.index : x === null ? 1 : -1;
      var c = typeof x === "string" ? x.localeCompare(y) : x - y;
      return c !== 0 ? c * sort.dir : a.index - b.index;
    });
    return list;
  };

  function resultRow(set, r) {
    var cells = [
      '<td class="qx-pick"><span class="qx-swatch"></span></td>',
      '<td class="qx-num">' + esc(r.k) + "</td>",
      '<th scope="row" class="qx-name">' + data(QX.runnerName(r)) + '<small class="qx-club-under">' + data(r.c) +
        "</small></th>",
      '<td class="qx-club">' + data(r.c) + "</td>",
    ];
    if (set.set.mix) cells.push("<td>" + data(r.g || "") + "</td>");
    cells.push('<td class="qx-num">' + data(r.r) + "</td>");
    cells.push('<td class="qx-num">' + esc(r.t === null ? "" : QX.diff(behind(set, r))) + "</td>");
    cells.push('<td class="qx-num">' + esc(typeof r.t === "number" ? QX.time(r.mt) : "") + "</td>");
    return '<tr data-i="' + r.index + '">' + cells.join("") + "</tr>";
  }

  // onSort(key) is called when a column head is clicked.
  QX.resultTable = function (set, sort, onSort) {
    var head = RESULT_COLUMNS.filter(function (c) {
      return !c.mixOnly || set.set.mix;
    }).map(function (c) {
      var state = c.key === sort.key ? (sort.dir > 0 ? "ascending" : "descending") : "none";
      return (
        '<th scope="col" aria-sort="' + state + '" data-sort="' + c.key + '"' +
        (c.num || c.cls ? ' class="' + (c.num ? "qx-num" : c.cls) + '"' : "") +
        '><button type="button">' + label(c.label) +
        "</button></th>"
      );
    });
    var html =
      '<table class="qx-table qx-results"><thead><tr><th></th>' + head.join("") +
      "</tr></thead><tbody>" +
      QX.sortedRunners(set, sort).map(function (r) {
        return resultRow(set, r);
      }).join("") +
      "</tbody></table>";
    var box = QX.h("div", { class: "qx-scroll qx-results-box" });
    box.innerHTML = html;
    box.querySelectorAll("th[data-sort]").forEach(function (th) {
      th.addEventListener("click", function () {
        onSort(th.getAttribute("data-sort"));
      });
    });
    return box;
  };

  // ---- split table ----------------------------------------------------------------------------

  function rankText(rank) {
    return rank > 0 ? "(" + rank + ")" : "";
  }

  function bestClass(rank) {
    return rank >= 1 && rank <= 3 ? " qx-b" + rank : "";
  }

  function lostText(lost) {
    if (typeof lost !== "number" || lost <= 0) return "";
    return "+" + QX.time(lost);
  }

  function splitCell(r, k) {
    var lap = r.lap[k], split = r.sp[k], lost = r.mi[k];
    return (
      '<td class="qx-leg' + bestClass(r.lr[k]) + '">' +
      '<span class="qx-lap">' + esc(QX.time(lap)) + '<small>' + rankText(r.lr[k]) + "</small></span>" +
      '<span class="qx-split">' + esc(QX.time(split)) + "<small>" + rankText(r.sr[k]) + "</small></span>" +
      '<span class="qx-lost">' + esc(lostText(lost)) + "</span></td>"
    );
  }

  function splitRow(set, r) {
    var legs = set.set.controls + 1;
    var cells = [
      '<td class="qx-pick"><span class="qx-swatch"></span></td>',
      '<td class="qx-num">' + esc(r.k) + "</td>",
      '<th scope="row" class="qx-name">' + data(QX.runnerName(r)) + (set.set.mix ? "<small>" + data(r.g || "") + "</small>" : "") + "</th>",
      '<td class="qx-num">' + data(r.r) + "</td>",
    ];
    for (var k = 0; k < legs; k++) cells.push(splitCell(r, k));
    cells.push('<td class="qx-num">' + esc(QX.percent(r.cs)) + "</td>");
    cells.push('<td class="qx-num">' + esc(QX.percent(r.mr)) + "</td>");
    cells.push('<td class="qx-num">' + esc(typeof r.t === "number" ? QX.time(r.mt) : "") + "</td>");
    cells.push('<td class="qx-num">' + esc(typeof r.t === "number" ? QX.time(r.wm) : "") + "</td>");
    return '<tr data-i="' + r.index + '">' + cells.join("") + "</tr>";
  }

  function legHead(set, k) {
    var codes = set.set.codes;
    var code = codes ? codes[k + 1] : null;
    return (
      '<th scope="col" class="qx-leg">' + esc(QX.legName(k + 1, set.set.controls)) +
      (code !== null && code > 0 && code < 9999 ? "<small>" + code + "</small>" : "") + "</th>"
    );
  }

  // The runners in `list` (result order) as rows.
  QX.splitTable = function (set, list) {
    var legs = set.set.controls + 1;
    var head = ['<th></th><th scope="col" class="qx-num">' + label("順位") + "</th>",
      '<th scope="col" class="qx-name">' + label("氏名") + "</th>",
      '<th scope="col" class="qx-num">' + label("記録") + "</th>"];
    for (var k = 0; k < legs; k++) head.push(legHead(set, k));
    [QX.N("巡航速度"), QX.N("ミス率"), QX.N("ミスタイム"), QX.N("ミスを除いたタイム")].forEach(function (key) {
      head.push('<th scope="col" class="qx-num">' + label(key) + "</th>");
    });
    var box = QX.h("div", { class: "qx-scroll qx-splits-box" });
    box.innerHTML =
      '<table class="qx-table qx-splits"><thead><tr>' + head.join("") + "</tr></thead><tbody>" +
      list.map(function (r) {
        return splitRow(set, r);
      }).join("") +
      "</tbody></table>";
    return box;
  };

  // ---- leg statistics -------------------------------------------------------------------------

  function fastest(set, k) {
    return set.legs.top[k].slice(0, 3).map(function (i) {
      var r = set.runners[i];
      return (
        '<span class="qx-fast">' + data(QX.runnerName(r)) + ' <span class="qx-num">' + esc(QX.time(r.lap[k])) +
        "</span></span>"
      );
    }).join("");
  }

  function difficultyBar(value) {
    var width = Math.max(0, Math.min(100, value / 2));
    return (
      '<span class="qx-bar-box"><span class="qx-bar-fill" style="width:' + width + '%"></span></span>' +
      '<span class="qx-num">' + value + "</span>"
    );
  }

  QX.legTable = function (set) {
    var legs = set.set.controls + 1;
    var codes = set.set.codes;
    var rows = [];
    for (var k = 0; k < legs; k++) {
      var code = codes ? codes[k + 1] : null;
      rows.push(
        "<tr><th scope=\"row\">" + esc(QX.legName(k + 1, set.set.controls)) + "</th>" +
        '<td class="qx-num">' + (code !== null && code > 0 && code < 9999 ? code : "") + "</td>" +
        '<td class="qx-num">' + esc(QX.time(set.legs.ref[k])) + "</td>" +
        '<td class="qx-num">' + esc(set.legs.len[k].toFixed(1)) + "%</td>" +
        '<td class="qx-dif">' + difficultyBar(set.legs.dif[k]) + "</td>" +
        '<td class="qx-fastest">' + fastest(set, k) + "</td></tr>"
      );
    }
    rows.push(
      '<tr class="qx-total"><th scope="row">' + label("合計") + '</th><td></td><td class="qx-num">' +
      esc(QX.time(set.refTotal)) + '</td><td class="qx-num">100.0%</td><td></td><td></td></tr>'
    );
    var head = [
      { label: QX.N("レッグ") },
      { label: QX.N("コード"), num: true },
      { label: QX.N("基準タイム"), num: true },
      { label: QX.N("レッグ長"), num: true },
      { label: QX.N("難易度") },
      { label: QX.N("ラップ上位") },
    ].map(function (c) {
      return '<th scope="col"' + (c.num ? ' class="qx-num"' : "") + ">" + label(c.label) + "</th>";
    });
    var box = QX.h("div", { class: "qx-scroll qx-legs-box" });
    box.innerHTML =
      '<table class="qx-table qx-legs"><thead><tr>' + head.join("") + "</tr></thead><tbody>" +
      rows.join("") + "</tbody></table>";
    return box;
  };

  // Marks the picked runners' rows in every table under `root`, each swatch a piece of its line.
  QX.markRows = function (root, state) {
    root.querySelectorAll("tr[data-i]").forEach(function (tr) {
      var i = +tr.getAttribute("data-i");
      var slot = state.slots[i];
      var picked = slot !== undefined;
      tr.classList.toggle("qx-picked", picked);
      tr.classList.toggle("qx-pinned", state.pinned === i);
      tr.setAttribute("aria-selected", picked ? "true" : "false");
      var swatch = tr.querySelector(".qx-swatch");
      if (swatch) swatch.style.backgroundImage = picked ? QX.lineSample(slot) : "";
    });
  };
})();
