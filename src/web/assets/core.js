// Quorvex2 web viewer: what every page shares. Labels in the reader's language (chosen on the
// page, remembered in localStorage), time and number forms, small DOM helpers, the page header
// with its language switch and the runner palette.
//
// Plain classic scripts (module imports do not load from file://); everything hangs on the
// global QX. Labels are looked up by their Japanese text in QX_LABELS (written beside the pages
// from the message catalogues, context "web"); an element showing a label carries data-l with
// its key, and an element showing text from the data (names, clubs, classes) carries
// translate="no". A label's Japanese text stands in the code only as the first argument of
// QX.t or QX.N, the first two of QX.tn, the second of QX.L, or the argument of the tables' label(): that is
// where scripts/update-po finds the texts to translate.
(function () {
  "use strict";

  var QX = (window.QX = {});
  var STORE_KEY = "quorvex2.language";
  var labels = window.QX_LABELS || { default: "ja", languages: { ja: {} } };
  var renderers = [];

  function storedLanguage() {
    try {
      return window.localStorage.getItem(STORE_KEY);
    } catch (e) {
      return null; // storage refused (private mode, file:// policies): keep the default
    }
  }

  function storeLanguage(language) {
    try {
      window.localStorage.setItem(STORE_KEY, language);
    } catch (e) {
      // not remembered; the page still switches
    }
  }

  QX.languages = function () {
    return Object.keys(labels.languages);
  };

  QX.lang = (function () {
    var stored = storedLanguage();
    if (stored && labels.languages[stored]) return stored;
    return labels.languages[labels.default] ? labels.default : "ja";
  })();

  // The label in the current language (or in `language`); the key itself when untranslated.
  QX.t = function (key, language) {
    var table = labels.languages[language || QX.lang] || {};
    return Object.prototype.hasOwnProperty.call(table, key) ? table[key] : key;
  };

  // Marks a label's key where it is only named; it is looked up where it is shown.
  QX.N = function (key) {
    return key;
  };

  // The form of a label with a count, "{n}" replaced: `one` and `many` are its Japanese forms
  // (the same text; both are named so that scripts/update-po writes a message with plural forms),
  // the language's forms and its plural rule come from the catalogue.
  QX.tn = function (one, many, n) {
    var plural = (labels.plural || {})[QX.lang];
    var forms = plural && plural.forms[one];
    var text = forms ? forms[pluralIndex(plural.rule, n)] || forms[forms.length - 1] : QX.t(one);
    return text.replace("{n}", String(n));
  };

  // The index of the form a count takes under a catalogue's rule, written in C syntax
  // ("(n != 1)"), which reads the same in JavaScript.
  var rules = {};
  function pluralIndex(rule, n) {
    if (!rules[rule]) rules[rule] = new Function("n", "return +(" + rule + ");");
    return rules[rule](n);
  }

  // Registers the function that draws the page; it runs now and after every language switch.
  QX.render = function (draw) {
    renderers.push(draw);
    draw();
  };

  QX.setLang = function (language) {
    if (!labels.languages[language] || language === QX.lang) return;
    QX.lang = language;
    storeLanguage(language);
    document.documentElement.lang = language;
    renderers.forEach(function (draw) {
      draw();
    });
  };

  // ---- DOM --------------------------------------------------------------------------------

  // h("td", {class: "x", text: "..."}, child, ...): an element; attributes named on* are
  // listeners, "text" is the text content, null children are left out.
  QX.h = function (tag, attributes) {
    var node = document.createElement(tag);
    var a = attributes || {};
    Object.keys(a).forEach(function (name) {
      var value = a[name];
      if (value === null || value === undefined || value === false) return;
      if (name === "text") node.textContent = value;
      else if (name.slice(0, 2) === "on") node.addEventListener(name.slice(2), value);
      else node.setAttribute(name, value === true ? "" : value);
    });
    for (var i = 2; i < arguments.length; i++) append(node, arguments[i]);
    return node;
  };

  function append(node, child) {
    if (child === null || child === undefined || child === false) return;
    if (Array.isArray(child)) child.forEach(function (c) { append(node, c); });
    else node.appendChild(typeof child === "string" ? document.createTextNode(child) : child);
  }

  // An element showing a label.
  QX.L = function (tag, key, attributes) {
    var a = attributes || {};
    a.text = QX.t(key);
    a["data-l"] = key;
    return QX.h(tag, a);
  };

  // An element showing a text of the data (never translated).
  QX.D = function (tag, text, attributes) {
    var a = attributes || {};
    a.text = text;
    a.translate = "no";
    return QX.h(tag, a);
  };

  QX.escape = function (text) {
    return String(text)
      .replace(/&/g, "&amp;")
      .replace(/</g, "&lt;")
      .replace(/>/g, "&gt;")
      .replace(/"/g, "&quot;");
  };

  QX.data = function () {
    return JSON.parse(document.getElementById("qx-data").textContent);
  };

  // ---- forms of times and numbers -----------------------------------------------------------

  function two(n) {
    return n < 10 ? "0" + n : String(n);
  }

  // Whole seconds as "m:ss" or "h:mm:ss"; the marks of the codes for no data, a skipped control
  // and a disqualified leg.
  QX.time = function (seconds) {
    if (seconds === "s") return "↓";
    if (seconds === "d") return "×";
    if (typeof seconds !== "number") return QX.t("－");
    var sign = seconds < 0 ? "-" : "";
    var s = Math.abs(seconds);
    var h = Math.floor(s / 3600);
    var m = Math.floor((s % 3600) / 60);
    var rest = two(s % 60);
    return sign + (h > 0 ? h + ":" + two(m) + ":" + rest : m + ":" + rest);
  };

  // A difference with its sign: "+1:05", "-0:12", "0:00".
  QX.diff = function (seconds) {
    if (typeof seconds !== "number") return QX.time(seconds);
    return (seconds > 0 ? "+" : "") + QX.time(seconds);
  };

  // A time of day, "10:42:05".
  QX.clock = function (seconds) {
    if (typeof seconds !== "number") return QX.t("－");
    var s = ((seconds % 86400) + 86400) % 86400;
    return two(Math.floor(s / 3600)) + ":" + two(Math.floor((s % 3600) / 60)) + ":" + two(s % 60);
  };

  QX.percent = function (value) {
    return typeof value === "number" ? value.toFixed(1) : QX.t("－");
  };

  QX.rank = function (rank) {
    return rank > 0 ? String(rank) : "-";
  };

  // The scripts of names that put the family name first, as the other outputs tell them: CJK
  // symbols, kana and kanji, hangul, compatibility ideographs, full- and half-width forms, and
  // the kanji beyond the first plane (as surrogate pairs).
  QX.eastAsian = /[\u3000-\u9fff\uac00-\ud7af\uf900-\ufaff\uff00-\uffef]|[\ud840-\ud8bf][\udc00-\udfff]/;

  // A person's name in the current language. A name whose family and given names came apart
  // ([family, given]) puts the family name first in Japanese and wherever it is written in
  // kana, kanji or hangul, the given name first otherwise; any other name is shown as it was
  // written.
  QX.personName = function (name, parts) {
    if (!parts) return name;
    var familyFirst = QX.lang === "ja" || QX.eastAsian.test(parts[0] + parts[1]);
    return familyFirst ? parts[0] + " " + parts[1] : parts[1] + " " + parts[0];
  };

  // "2026-10-18" in the current language's date form.
  QX.date = function (iso) {
    if (!iso) return "";
    var p = iso.split("-");
    return QX.t("yyyy年mm月dd日").replace("yyyy", p[0]).replace("mm", p[1]).replace("dd", p[2]);
  };

  // A control for captions: "S" / "F" marks for start and finish, else its number.
  QX.controlName = function (k, controls) {
    if (k === 0) return QX.t("△");
    if (k === controls + 1) return QX.t("◎");
    return String(k);
  };

  // The caption of leg k (1-based) of a course of `controls` controls: "S→1", "3→4", "12→F".
  QX.legName = function (k, controls) {
    return QX.controlName(k - 1, controls) + "→" + QX.controlName(k, controls);
  };

  // ---- palette --------------------------------------------------------------------------------

  // Colours that stay apart for the common forms of colour blindness (Okabe and Ito, without
  // the yellow that vanishes on white); after seven runners the dash pattern changes too.
  var COLOURS = ["#0072B2", "#D55E00", "#009E73", "#CC79A7", "#E69F00", "#56B4E9", "#000000"];
  var DASHES = ["", "7 3", "2 2"];

  QX.colour = function (slot) {
    return COLOURS[slot % COLOURS.length];
  };
  QX.dash = function (slot) {
    return DASHES[Math.floor(slot / COLOURS.length) % DASHES.length];
  };

  // A table swatch's picture of the slot's line: its colour, broken as the line's dashes are (a
  // gradient of the same lengths in pixels, as the chart draws them unscaled).
  QX.lineSample = function (slot) {
    var colour = QX.colour(slot);
    var dash = QX.dash(slot);
    if (!dash) return "linear-gradient(" + colour + ", " + colour + ")";
    var lengths = dash.split(" ").map(Number);
    if (lengths.length % 2) lengths = lengths.concat(lengths);
    var stops = [];
    var at = 0;
    lengths.forEach(function (length, i) {
      var paint = i % 2 ? "transparent" : colour;
      stops.push(paint + " " + at + "px " + (at + length) + "px");
      at += length;
    });
    return "repeating-linear-gradient(90deg, " + stops.join(", ") + ")";
  };

  // ---- header ---------------------------------------------------------------------------------

  function languageSwitch() {
    var buttons = QX.languages().map(function (language) {
      return QX.h("button", {
        type: "button",
        class: "qx-lang" + (language === QX.lang ? " qx-on" : ""),
        lang: language,
        translate: "no",
        "data-lang": language,
        "aria-pressed": language === QX.lang ? "true" : "false",
        // TRANSLATORS: the name of the catalogue's own language, as its button shows it.
        text: QX.t("日本語", language),
        onclick: function () {
          QX.setLang(language);
        },
      });
    });
    return QX.h("div", { class: "qx-langs", role: "group" }, buttons);
  }

  // The bar at the top of every page: a link back to the index (not on the index), the title,
  // a line under it and the language switch.
  QX.header = function (title, subtitle, withBack) {
    return QX.h(
      "header",
      { class: "qx-header" },
      QX.h(
        "div",
        { class: "qx-bar" },
        withBack ? QX.h("a", { class: "qx-back", href: "index.html" }, QX.L("span", "← 一覧")) : null,
        languageSwitch()
      ),
      QX.D("h1", title),
      subtitle
    );
  };

  QX.footer = function () {
    return QX.h("footer", { class: "qx-footer" }, QX.L("span", "Quorvex2 で作成"));
  };

  // Replaces the page's content.
  QX.mount = function (children) {
    var main = document.getElementById("qx-main");
    if (!main) {
      main = QX.h("div", { id: "qx-main" });
      document.body.appendChild(main);
    }
    main.textContent = "";
    children.forEach(function (child) {
      if (child) main.appendChild(child);
    });
    return main;
  };

  document.documentElement.lang = QX.lang;
})();
