// Quorvex2 web viewer: the index. The event, its classes, the courses several classes share
// and the shared stretches (segments), each with its runners and winner, and a search for a
// runner or a club that leads to the runner's class page with the runner picked.
(function () {
  "use strict";

  var data = QX.data();
  var query = "";
  var MAX_FOUND = 50;

  function pageLink(entry, text, hash) {
    return QX.D("a", text, { href: encodeURIComponent(entry.page) + (hash || "") });
  }

  function winnerCell(entry) {
    if (!entry.winner) return QX.h("td", { text: "" });
    return QX.h(
      "td",
      { class: "qx-winner" },
      QX.D("span", QX.personName(entry.winner, entry.winnerParts)),
      " ",
      QX.D("span", entry.result, { class: "qx-num" })
    );
  }

  function entryRow(entry) {
    var second =
      entry.kind === "class"
        ? QX.D("td", entry.info, { class: "qx-info" })
        : QX.D("td", entry.classes.join(", "), { class: "qx-info" });
    return QX.h(
      "tr",
      null,
      QX.h("th", { scope: "row" }, pageLink(entry, entry.name)),
      second,
      QX.h("td", { class: "qx-num", text: String(entry.runners) }),
      winnerCell(entry)
    );
  }

  var KIND_HEADS = { class: QX.N("クラス"), course: QX.N("コース"), segment: QX.N("区間") };

  function entryTable(kind, titleKey, secondKey) {
    var rows = data.entries.filter(function (e) {
      return e.kind === kind;
    });
    if (!rows.length) return null;
    return QX.h(
      "section",
      { class: "qx-section", id: "qx-" + kind },
      QX.L("h2", titleKey),
      QX.h(
        "div",
        { class: "qx-scroll" },
        QX.h(
          "table",
          { class: "qx-table qx-entries" },
          QX.h(
            "thead",
            null,
            QX.h(
              "tr",
              null,
              QX.L("th", KIND_HEADS[kind]),
              QX.L("th", secondKey),
              QX.L("th", "人数", { class: "qx-num" }),
              QX.L("th", "優勝")
            )
          ),
          QX.h("tbody", null, rows.map(entryRow))
        )
      )
    );
  }

  // People whose name or club holds every word of the query, letter case and width ignored.
  function found() {
    var words = normalise(query).split(/\s+/).filter(Boolean);
    if (!words.length) return [];
    var out = [];
    for (var i = 0; i < data.people.length && out.length <= MAX_FOUND; i++) {
      var p = data.people[i];
      var text = normalise(p[0] + " " + p[1]);
      if (
        words.every(function (w) {
          return text.indexOf(w) >= 0;
        })
      ) {
        out.push(p);
      }
    }
    return out;
  }

  function normalise(text) {
    return String(text).normalize("NFKC").toLowerCase();
  }

  // The runners found, at most MAX_FOUND of them; when there are more, a line says so.
  function foundList() {
    var people = found();
    if (!query.trim()) return QX.h("div", { id: "qx-found" });
    if (!people.length) return QX.h("div", { id: "qx-found" }, QX.L("p", "該当する選手はいません"));
    var more = people.length > MAX_FOUND;
    if (more) people = people.slice(0, MAX_FOUND);
    return QX.h(
      "div",
      { id: "qx-found", class: "qx-scroll" },
      more
        ? QX.h("p", {
            class: "qx-note",
            text: QX.tn("最初の {n} 人だけを表示しています", "最初の {n} 人だけを表示しています", MAX_FOUND),
          })
        : null,
      QX.h(
        "table",
        { class: "qx-table" },
        QX.h(
          "tbody",
          null,
          people.map(function (p) {
            var entry = data.entries[p[2]];
            return QX.h(
              "tr",
              null,
              QX.h("th", { scope: "row" }, pageLink(entry, QX.personName(p[0], p[6]), "#r=" + p[3])),
              QX.D("td", p[1]),
              QX.D("td", entry.name),
              QX.h("td", { class: "qx-num", text: p[5] }),
              QX.D("td", p[4], { class: "qx-num" })
            );
          })
        )
      )
    );
  }

  function searchBox() {
    var input = QX.h("input", {
      type: "search",
      id: "qx-search",
      value: query,
      placeholder: QX.t("選手名・所属で検索"),
      "data-l-placeholder": "選手名・所属で検索",
      "aria-label": QX.t("選手名・所属で検索"),
      autocomplete: "off",
      oninput: function () {
        query = input.value;
        var old = document.getElementById("qx-found");
        old.parentNode.replaceChild(foundList(), old);
      },
    });
    return QX.h("section", { class: "qx-section qx-search" }, input, foundList());
  }

  function hasClasses() {
    return data.entries.some(function (e) {
      return e.kind === "class";
    });
  }

  function subtitle() {
    var event = data.event;
    var parts = [];
    if (event.date) parts.push(QX.h("span", { text: QX.date(event.date) }));
    if (event.terrain) parts.push(QX.D("span", event.terrain));
    return QX.h("p", { class: "qx-sub" }, parts);
  }

  QX.render(function () {
    document.title = data.event.name || "Quorvex2";
    QX.mount([
      QX.header(data.event.name || "Quorvex2", subtitle(), false),
      hasClasses() ? searchBox() : QX.L("p", "この大会にはクラスがありません", { class: "qx-note" }),
      entryTable("class", QX.N("クラス一覧"), QX.N("距離")),
      entryTable("course", QX.N("共通コース"), QX.N("クラス")),
      entryTable("segment", QX.N("共通区間"), QX.N("クラス")),
      QX.footer(),
    ]);
  });
})();
