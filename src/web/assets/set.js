// Quorvex2 web viewer: the page of one class, shared course or segment. Holds what the reader
// chose (picked runners with their colours, the pinned runner, the chart mode, the sort of the
// result list) and draws the header, the result list, the charts with the runner picker, the
// split table and the leg statistics from the page's figures.
//
// Picking: "All", the top N, every runner of a club, the runners a search finds, a click on a
// row or on a chart's grey point. A click on a picked runner's line pins it (drawn bold).
// A link to the page ending in "#r=12,15" picks the runners with those serial numbers.
(function () {
  "use strict";

  var set = QX.data();
  QX.prepareSet(set);
  var runners = set.runners;
  var state = {
    slots: {}, // runner index -> colour slot, for the picked runners
    pinned: -1,
    mode: "ref",
    topN: Math.min(10, runners.length),
    sort: { key: "rank", dir: 1 },
    pickedOnly: false,
  };
  var view = {}; // the parts of the page that change without drawing it again

  // ---- picking ------------------------------------------------------------------------------

  function freeSlot() {
    var used = {};
    Object.keys(state.slots).forEach(function (i) { used[state.slots[i]] = true; });
    for (var slot = 0; used[slot]; slot++);
    return slot;
  }

  function pick(index, on) {
    if (on && state.slots[index] === undefined) state.slots[index] = freeSlot();
    if (!on) {
      delete state.slots[index];
      if (state.pinned === index) state.pinned = -1;
    }
  }

  function pickOnly(indexes) {
    state.slots = {};
    state.pinned = -1;
    indexes.forEach(function (i) { pick(i, true); });
    changed();
  }

  function toggle(index) {
    pick(index, state.slots[index] === undefined);
    changed();
  }

  // A click on the chart picks a runner not yet picked and pins (or unpins) a picked one.
  function chartPick(index) {
    if (state.slots[index] === undefined) pick(index, true);
    else state.pinned = state.pinned === index ? -1 : index;
    changed();
  }

  function pickedCount() {
    return Object.keys(state.slots).length;
  }

  function serialsInHash() {
    var m = /(?:^#|&)r=([0-9,]+)/.exec(window.location.hash);
    return m ? m[1].split(",").map(Number) : [];
  }

  function initialPick() {
    var serials = serialsInHash();
    var chosen = runners.filter(function (r) { return serials.indexOf(r.i) >= 0; });
    if (chosen.length) {
      chosen.forEach(function (r) { pick(r.index, true); });
      state.pinned = chosen[0].index;
    } else {
      for (var i = 0; i < state.topN; i++) pick(i, true);
    }
  }

  // ---- what changes with the picks ----------------------------------------------------------

  function drawChart() {
    if (!view.chart) return; // a page without runners has no chart
    QX.drawChart(view.chart, set, state, chartPick);
  }

  function changed() {
    drawChart();
    view.count.textContent = QX.tn("{n} 人を選択中", "{n} 人を選択中", pickedCount());
    if (state.pickedOnly) drawSplits();
    QX.markRows(document, state);
  }

  function drawSplits() {
    var list = runners.filter(function (r) {
      return !state.pickedOnly || state.slots[r.index] !== undefined;
    });
    var table = QX.splitTable(set, list);
    view.splits.parentNode.replaceChild(table, view.splits);
    view.splits = table;
    table.addEventListener("click", rowClick);
    QX.markRows(table, state);
  }

  function rowClick(event) {
    if (event.target.closest("thead")) return;
    var tr = event.target.closest("tr[data-i]");
    if (tr) toggle(+tr.getAttribute("data-i"));
  }

  // ---- the page -----------------------------------------------------------------------------

  function subtitle() {
    var s = set.set, parts = [];
    if (set.event.name) parts.push(QX.D("span", set.event.name));
    if (s.classes.length) parts.push(QX.D("span", s.classes.join(", ")));
    if (s.info) parts.push(QX.D("span", s.info));
    parts.push(QX.h("span", { "data-l": "{n} コントロール", text: QX.tn("{n} コントロール", "{n} コントロール", s.controls) }));
    parts.push(QX.h("span", { "data-l": "{n} 人", text: QX.tn("{n} 人", "{n} 人", runners.length) }));
    return QX.h("p", { class: "qx-sub" }, parts);
  }

  function nav() {
    var links = [
      ["#qx-results", QX.N("成績")], ["#qx-charts", QX.N("グラフ")],
      ["#qx-splits", QX.N("ラップ分析")], ["#qx-legs", QX.N("レッグ分析")],
    ];
    return QX.h("nav", { class: "qx-nav" }, links.map(function (l) {
      return QX.h("a", { href: l[0] }, QX.L("span", l[1]));
    }));
  }

  function section(id, titleKey) {
    var children = Array.prototype.slice.call(arguments, 2);
    return QX.h("section", { class: "qx-section", id: id }, QX.L("h2", titleKey), children);
  }

  function resultSection() {
    var table = QX.resultTable(set, state.sort, function (key) {
      state.sort = state.sort.key === key ? { key: key, dir: -state.sort.dir } : { key: key, dir: 1 };
      var old = view.results;
      var fresh = resultSection(); // becomes view.results
      old.parentNode.replaceChild(fresh, old);
      QX.markRows(fresh, state);
    });
    table.addEventListener("click", rowClick);
    view.results = table;
    return table;
  }

  function modeTabs() {
    return QX.h("div", { class: "qx-modes", role: "tablist" }, QX.MODES.map(function (m) {
      return QX.L("button", m.label, {
        type: "button",
        role: "tab",
        class: "qx-mode" + (m.id === state.mode ? " qx-on" : ""),
        "data-mode": m.id,
        "aria-selected": m.id === state.mode ? "true" : "false",
        onclick: function () {
          state.mode = m.id;
          document.querySelectorAll(".qx-mode").forEach(function (b) {
            var on = b.getAttribute("data-mode") === m.id;
            b.classList.toggle("qx-on", on);
            b.setAttribute("aria-selected", on ? "true" : "false");
          });
          drawChart();
        },
      });
    }));
  }

  function clubs() {
    var counts = Object.create(null);  // no inherited names: a club may be called "constructor"
    runners.forEach(function (r) { if (r.c) counts[r.c] = (counts[r.c] || 0) + 1; });
    return Object.keys(counts).sort(function (a, b) { return a.localeCompare(b); }).map(function (c) {
      return { name: c, count: counts[c] };
    });
  }

  function normalise(text) {
    return String(text).normalize("NFKC").toLowerCase();
  }

  function picker() {
    var top = QX.h("input", {
      type: "number", min: 1, max: runners.length, value: state.topN, class: "qx-top-n",
      "aria-label": QX.t("上位"),
      onchange: function () {
        state.topN = Math.max(1, Math.min(runners.length, Math.floor(+top.value) || 1));
      },
    });
    var club = QX.h("select", {
      class: "qx-club", "aria-label": QX.t("所属を選ぶ"),
      onchange: function () {
        if (!club.value) return;
        pickOnly(runners.filter(function (r) { return r.c === club.value; }).map(function (r) { return r.index; }));
      },
    }, QX.L("option", "所属を選ぶ", { value: "" }), clubs().map(function (c) {
      return QX.D("option", c.name + " (" + c.count + ")", { value: c.name });
    }));
    var search = QX.h("input", {
      type: "search", class: "qx-find", placeholder: QX.t("選手を検索"), "aria-label": QX.t("選手を検索"),
      onkeydown: function (event) { if (event.key === "Enter") find(); },
    });
    function find() {
      var words = normalise(search.value).split(/\s+/).filter(Boolean);
      if (!words.length) return;
      runners.forEach(function (r) {
        var text = normalise(r.n + " " + r.c);
        if (words.every(function (w) { return text.indexOf(w) >= 0; })) pick(r.index, true);
      });
      changed();
    }
    var button = function (key, cls, onclick) {
      return QX.L("button", key, { type: "button", class: "qx-button " + cls, onclick: onclick });
    };
    view.count = QX.h("span", { class: "qx-count", "data-l": "{n} 人を選択中", text: QX.tn("{n} 人を選択中", "{n} 人を選択中", pickedCount()) });
    return QX.h("div", { class: "qx-picker" },
      QX.h("div", { class: "qx-row" },
        button(QX.N("全員"), "qx-all", function () { pickOnly(runners.map(function (r) { return r.index; })); }),
        QX.h("span", { class: "qx-group" },
          button(QX.N("上位"), "qx-top", function () {
            pickOnly(runners.slice(0, state.topN).map(function (r) { return r.index; }));
          }), top),
        button(QX.N("なし"), "qx-none", function () { pickOnly([]); }),
        view.count),
      QX.h("div", { class: "qx-row" }, club,
        QX.h("span", { class: "qx-group" }, search, button(QX.N("追加"), "qx-add", find))));
  }

  function chartSection() {
    view.chart = QX.h("div", { class: "qx-chart" });
    return section("qx-charts", QX.N("グラフ"), modeTabs(), picker(), view.chart,
      QX.L("p", "線・点・行をクリックして選手を選べます", { class: "qx-hint" }));
  }

  function splitSection() {
    var only = QX.h("input", {
      type: "checkbox", class: "qx-picked-only", checked: state.pickedOnly,
      onchange: function () {
        state.pickedOnly = only.checked;
        drawSplits();
      },
    });
    view.splits = QX.h("div");
    return section("qx-splits", QX.N("ラップ分析"),
      QX.h("div", { class: "qx-row" },
        QX.h("label", null, only, " ", QX.L("span", "選んだ選手のみ")),
        QX.h("span", { class: "qx-legend" },
          QX.L("span", "ラップ (順位) / 積算 (順位) / ミスタイム"),
          QX.h("span", { class: "qx-b1 qx-key" }, "1"), QX.h("span", { class: "qx-b2 qx-key" }, "2"),
          QX.h("span", { class: "qx-b3 qx-key" }, "3"), " ", QX.L("span", "ラップ上位 3 位"))),
      view.splits);
  }

  initialPick();
  QX.render(function () {
    document.title = set.set.name + (set.event.name ? " - " + set.event.name : "");
    if (runners.length === 0) {
      QX.mount([QX.header(set.set.name, subtitle(), true), QX.L("p", "選手がいません", { class: "qx-note" }), QX.footer()]);
      return;
    }
    QX.mount([
      QX.header(set.set.name, subtitle(), true),
      nav(),
      section("qx-results", QX.N("成績"), resultSection()),
      chartSection(),
      splitSection(),
      section("qx-legs", QX.N("レッグ分析"), QX.legTable(set)),
      QX.footer(),
    ]);
    drawSplits();
    drawChart();
    QX.markRows(document, state);
  });

  var resizeTimer = null;
  window.addEventListener("resize", function () {
    clearTimeout(resizeTimer);
    resizeTimer = setTimeout(drawChart, 150);
  });
})();
