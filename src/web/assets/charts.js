// Quorvex2 web viewer: the charts of a data set, drawn as SVG in the browser from the page's
// figures. Line charts run over the controls, spaced by the reference times as the printed
// charts space them: time behind the reference, clock time, time behind the fastest at each
// control, and the position after each control. Then the time lost per leg, cruise speed
// against miss rate, and the X/Y map of where runners lost time. Picked runners are drawn in
// their colour with their names beside them, moved apart so that no two names overlap (a name
// that finds no free place is left out: hovering shows every runner).
(function () {
  "use strict";

  var NS = "http://www.w3.org/2000/svg";
  var FONT_SIZE = 12;
  var FONT = FONT_SIZE + "px sans-serif";
  var NAME_GAP = 15; // distance of two name lines; above the text's own height
  var HIT = 16; // how near the pointer must come to a line or point, in pixels

  QX.MODES = [
    { id: "ref", label: QX.N("基準タイムとの差"), kind: "line" },
    { id: "best", label: QX.N("トップとの差"), kind: "line" },
    { id: "clock", label: QX.N("時刻"), kind: "line" },
    { id: "pos", label: QX.N("順位の推移"), kind: "line" },
    { id: "loss", label: QX.N("レッグ毎のミスタイム"), kind: "loss" },
    { id: "cruise", label: QX.N("巡航速度とミス率"), kind: "scatter" },
    { id: "map", label: QX.N("X/Y マップ"), kind: "scatter" },
  ];

  function svg(tag, attributes) {
    var node = document.createElementNS(NS, tag);
    Object.keys(attributes || {}).forEach(function (name) {
      var value = attributes[name];
      if (value === null || value === undefined) return;
      if (name === "text") node.textContent = value;
      else node.setAttribute(name, value);
    });
    return node;
  }

  var measureContext = null;
  function textWidth(text) {
    if (!measureContext) {
      measureContext = document.createElement("canvas").getContext("2d");
      measureContext.font = FONT;
    }
    return measureContext.measureText(text).width;
  }

  // The text cut with "…" to fit `width` pixels.
  function fit(text, width) {
    if (textWidth(text) <= width) return text;
    var chars = Array.from(text);
    while (chars.length > 1 && textWidth(chars.join("") + "…") > width) chars.pop();
    return chars.join("") + "…";
  }

  function round(v) {
    return Math.round(v * 10) / 10;
  }

  // ---- figures ----------------------------------------------------------------------------

  // The cumulative time at control k (1..legs) as the charts use it (legs shared out over
  // skipped controls); null where there is none.
  function splitAt(r, k) {
    var v = r.ms ? r.ms[k - 1] : r.sp[k - 1];
    return typeof v === "number" && v > 0 ? v : null;
  }

  function figures(set) {
    if (set.figures) return set.figures;
    var legs = set.set.controls + 1;
    var cum = [0];
    for (var k = 1; k <= legs; k++) cum.push(cum[k - 1] + set.legs.ref[k - 1]);
    var best = [0];
    for (k = 1; k <= legs; k++) {
      var b = null;
      set.runners.forEach(function (r) {
        var v = splitAt(r, k);
        if (v !== null && (b === null || v < b)) b = v;
      });
      best.push(b);
    }
    set.figures = { legs: legs, cum: cum, best: best };
    return set.figures;
  }

  // The points of a runner's line: [[control, value], ...] from the start (or the first
  // control) up to the first control without a time; a skipped control has no position, and
  // the line goes on over it.
  function series(mode, set, r) {
    var f = figures(set);
    var out = [];
    if (mode === "pos") {
      for (var k = 1; k <= f.legs; k++) {
        if (r.sr[k - 1] > 0) out.push([k, r.sr[k - 1]]);
        else if (r.sp[k - 1] !== "s") break;
      }
      return out;
    }
    if (mode === "clock" && typeof r.s !== "number") return out;
    var origin = mode === "clock" ? r.s : 0;
    out.push([0, origin]);
    for (k = 1; k <= f.legs; k++) {
      var v = splitAt(r, k);
      if (v === null) break;
      if (mode === "ref") out.push([k, v - f.cum[k]]);
      else if (mode === "best") out.push([k, f.best[k] === null ? 0 : v - f.best[k]]);
      else out.push([k, origin + v]);
    }
    return out;
  }

  // ---- scales -----------------------------------------------------------------------------

  function range(values, withZero) {
    var lo = withZero ? 0 : Infinity, hi = withZero ? 0 : -Infinity;
    values.forEach(function (v) {
      if (v < lo) lo = v;
      if (v > hi) hi = v;
    });
    if (lo === Infinity) return [0, 1];
    if (hi - lo < 1e-9) return [lo - 1, hi + 1];
    var pad = (hi - lo) * 0.05;
    return [lo - pad, hi + pad];
  }

  // Steps for tick values, chosen so ticks stand at least `minGap` pixels apart.
  function step(span, pixels, minGap, steps) {
    for (var i = 0; i < steps.length; i++) {
      if ((steps[i] / span) * pixels >= minGap) return steps[i];
    }
    return steps[steps.length - 1] * Math.ceil(((span / pixels) * minGap) / steps[steps.length - 1]);
  }

  var TIME_STEPS = [5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200];
  var COUNT_STEPS = [1, 2, 5, 10, 20, 50, 100, 200, 500, 1000];
  var VALUE_STEPS = [0.5, 1, 2, 5, 10, 20, 25, 50, 100];
  var PERCENT_STEPS = [0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100];

  function ticks(lo, hi, by) {
    var out = [];
    for (var v = Math.ceil(lo / by) * by; v <= hi + 1e-9; v += by) out.push(Math.round(v * 1000) / 1000);
    return out;
  }

  function timeTick(v, mode) {
    if (mode === "clock") return QX.clock(v).slice(0, 5);
    var text = QX.time(Math.round(v));
    return v > 0 && mode !== "loss" ? "+" + text : text;
  }

  // ---- drawing ------------------------------------------------------------------------------

  function Chart(box, set, state) {
    this.set = set;
    this.state = state;
    this.mode = state.mode;
    this.width = Math.max(280, box.clientWidth);
    this.height = Math.round(Math.max(260, Math.min(520, this.width * 0.62)));
    this.items = []; // what the pointer can find: {i, k, points | rect}
    this.root = svg("svg", {
      class: "qx-svg",
      width: this.width,
      height: this.height,
      viewBox: "0 0 " + this.width + " " + this.height,
      "font-size": FONT_SIZE,
      "font-family": "sans-serif",
      "data-mode": this.mode,
      role: "img",
    });
    this.grid = this.root.appendChild(svg("g", { class: "qx-grid" }));
    this.plot = this.root.appendChild(svg("g", { class: "qx-plot" }));
    this.names = this.root.appendChild(svg("g", { class: "qx-names" }));
  }

  Chart.prototype.picked = function () {
    var state = this.state;
    return this.set.runners.filter(function (r) {
      return state.slots[r.index] !== undefined;
    });
  };

  Chart.prototype.frame = function (left, top, right, bottom) {
    this.left = left;
    this.top = top;
    this.right = this.width - right;
    this.bottom = this.height - bottom;
  };

  Chart.prototype.hline = function (y, value, text, cls) {
    this.grid.appendChild(svg("line", {
      class: cls || "qx-tick-y", "data-v": value,
      x1: this.left, x2: this.right, y1: round(y), y2: round(y),
    }));
    if (text !== null) {
      this.grid.appendChild(svg("text", {
        class: "qx-axis", x: this.left - 4, y: round(y) + 4, "text-anchor": "end", text: text,
      }));
    }
  };

  Chart.prototype.vline = function (x, value, text, cls) {
    this.grid.appendChild(svg("line", {
      class: cls || "qx-tick-x", "data-v": value,
      x1: round(x), x2: round(x), y1: this.top, y2: this.bottom,
    }));
    if (text !== null) {
      this.grid.appendChild(svg("text", {
        class: "qx-axis", x: round(x), y: this.bottom + 15, "text-anchor": "middle", text: text,
      }));
    }
  };

  // An axis title: a label, or a plain text when `plain` is set (the map's "X" and "Y").
  Chart.prototype.axisTitle = function (key, x, y, anchor, plain) {
    this.grid.appendChild(svg("text", {
      class: "qx-axis-title", x: x, y: y, "text-anchor": anchor || "start",
      "data-l": plain ? null : key, text: plain ? key : QX.t(key),
    }));
  };

  Chart.prototype.style = function (r, node) {
    var slot = this.state.slots[r.index];
    node.setAttribute("stroke", QX.colour(slot));
    if (QX.dash(slot)) node.setAttribute("stroke-dasharray", QX.dash(slot));
    if (this.state.pinned === r.index) node.classList.add("qx-pinned");
    node.setAttribute("data-id", r.i);
    return node;
  };

  // Control labels along the x axis where they leave each other room.
  Chart.prototype.controlAxis = function (xOf, legs, labelOf) {
    var lastRight = -Infinity;
    for (var k = 0; k <= legs; k++) {
      var x = xOf(k);
      var text = labelOf(k);
      var w = textWidth(text);
      var show = x - w / 2 > lastRight + 4 || k === legs;
      if (show && k === legs && x - w / 2 <= lastRight + 4) {
        // the finish is always named: drop the label before it instead
        var labels = this.grid.querySelectorAll("text.qx-control");
        if (labels.length) labels[labels.length - 1].remove();
      }
      this.grid.appendChild(svg("line", {
        class: "qx-tick-x qx-control-line", "data-v": k,
        x1: round(x), x2: round(x), y1: this.top, y2: this.bottom,
      }));
      if (show) {
        this.grid.appendChild(svg("text", {
          class: "qx-axis qx-control", x: round(x), y: this.bottom + 15, "text-anchor": "middle", text: text,
        }));
        lastRight = x + w / 2;
      }
    }
  };

  // Names in the right margin at the height their lines end, moved apart vertically.
  Chart.prototype.endNames = function (ends) {
    var self = this;
    var capacity = Math.max(1, Math.floor((this.bottom - this.top) / NAME_GAP) + 1);
    if (ends.length > capacity) {
      // keep the pinned runner and the best placed; the others are found by hovering
      ends.sort(function (a, b) {
        var pa = self.state.pinned === a.r.index ? 0 : 1, pb = self.state.pinned === b.r.index ? 0 : 1;
        return pa - pb || a.r.index - b.r.index;
      });
      ends = ends.slice(0, capacity);
    }
    ends.sort(function (a, b) {
      return a.y - b.y;
    });
    var ys = ends.map(function (e) {
      return Math.max(self.top, Math.min(self.bottom, e.y));
    });
    for (var i = 1; i < ys.length; i++) ys[i] = Math.max(ys[i], ys[i - 1] + NAME_GAP);
    var overflow = ys.length ? ys[ys.length - 1] - this.bottom : 0;
    if (overflow > 0) {
      ys[ys.length - 1] -= overflow;
      for (i = ys.length - 2; i >= 0; i--) ys[i] = Math.min(ys[i], ys[i + 1] - NAME_GAP);
    }
    var room = this.width - this.right - 14;
    ends.forEach(function (e, n) {
      var x = self.right + 10;
      self.names.appendChild(self.style(e.r, svg("polyline", {
        class: "qx-leader", fill: "none",
        points: round(e.x) + "," + round(e.y) + " " + (x - 3) + "," + round(ys[n]),
      })));
      self.names.appendChild(svg("text", {
        class: "qx-name" + (self.state.pinned === e.r.index ? " qx-pinned" : ""),
        "data-id": e.r.i, x: x, y: round(ys[n]) + 4, translate: "no", text: fit(QX.runnerName(e.r), room),
      }));
    });
  };

  // Names beside their points, at the first of four places inside the plot that covers no other
  // name and no picked runner's point.
  Chart.prototype.pointNames = function (points) {
    var self = this;
    var placed = points.map(function (p) {
      return { x: p.x - 4.5, y: p.y - 4.5, w: 9, h: 9 };
    });
    points.forEach(function (p) {
      var text = fit(QX.runnerName(p.r), 110);
      var w = textWidth(text), h = NAME_GAP - 2;
      var places = [
        [p.x + 6, p.y - h / 2], [p.x - 6 - w, p.y - h / 2], [p.x - w / 2, p.y - 6 - h], [p.x - w / 2, p.y + 6],
      ];
      for (var i = 0; i < places.length; i++) {
        var box = { x: places[i][0], y: places[i][1], w: w, h: h };
        if (box.x < self.left || box.x + w > self.width - 2 || box.y < 0 || box.y + h > self.bottom) continue;
        if (placed.some(function (o) { return overlaps(o, box); })) continue;
        placed.push(box);
        self.names.appendChild(svg("text", {
          class: "qx-name" + (self.state.pinned === p.r.index ? " qx-pinned" : ""),
          "data-id": p.r.i, x: round(box.x), y: round(box.y + h - 3), translate: "no", text: text,
        }));
        return;
      }
    });
  };

  function overlaps(a, b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
  }

  // ---- the modes ----------------------------------------------------------------------------

  Chart.prototype.drawLines = function () {
    var self = this, set = this.set, mode = this.mode, f = figures(set);
    var nameRoom = Math.min(130, Math.max(70, this.width * 0.24));
    this.frame(mode === "clock" ? 50 : 46, 14, nameRoom, 40);
    var drawn = this.picked().map(function (r) {
      return { r: r, points: series(mode, set, r) };
    }).filter(function (d) {
      return d.points.length > (mode === "pos" ? 0 : 1);
    });
    var values = [];
    drawn.forEach(function (d) {
      d.points.forEach(function (p) { values.push(p[1]); });
    });
    var span = range(values, mode === "ref" || mode === "best");
    if (mode === "pos") span = [0.5, Math.max(1.5, span[1])];
    var total = f.cum[f.legs];
    var xOf = function (k) {
      var share = total > 0 ? f.cum[k] / total : k / f.legs;
      return self.left + share * (self.right - self.left);
    };
    var yOf = function (v) {
      return self.top + ((v - span[0]) / (span[1] - span[0])) * (self.bottom - self.top);
    };
    var by = step(span[1] - span[0], this.bottom - this.top, 28, mode === "pos" ? COUNT_STEPS : TIME_STEPS);
    ticks(span[0], span[1], by).forEach(function (v) {
      if (mode === "pos" && v < 1) return;
      self.hline(yOf(v), v, mode === "pos" ? String(v) : timeTick(v, mode), v === 0 && mode !== "pos" ? "qx-tick-y qx-zero" : null);
    });
    this.controlAxis(xOf, f.legs, function (k) { return QX.controlName(k, set.set.controls); });
    this.axisTitle(QX.N("コントロール"), this.right, this.height - 6, "end");
    var ends = [];
    drawn.forEach(function (d) {
      var pts = d.points.map(function (p) { return [xOf(p[0]), yOf(p[1]), p[0]]; });
      self.plot.appendChild(self.style(d.r, svg("polyline", {
        class: "qx-line", fill: "none",
        points: pts.map(function (p) { return round(p[0]) + "," + round(p[1]); }).join(" "),
      })));
      self.items.push({ i: d.r.index, points: pts });
      var last = pts[pts.length - 1];
      ends.push({ r: d.r, x: last[0], y: last[1] });
    });
    this.endNames(ends);
    return drawn.length;
  };

  Chart.prototype.drawLoss = function () {
    var self = this, set = this.set, legs = set.set.controls + 1;
    this.frame(46, 14, 10, 40);
    var picked = this.picked();
    var values = [];
    picked.forEach(function (r) {
      r.mi.forEach(function (v) { if (typeof v === "number") values.push(v); });
    });
    var span = range(values, true);
    var yOf = function (v) {
      return self.bottom - ((v - span[0]) / (span[1] - span[0])) * (self.bottom - self.top);
    };
    var by = step(span[1] - span[0], this.bottom - this.top, 28, TIME_STEPS);
    ticks(span[0], span[1], by).forEach(function (v) {
      self.hline(yOf(v), v, timeTick(v, "loss"), v === 0 ? "qx-tick-y qx-zero" : null);
    });
    var band = (this.right - this.left) / legs;
    var xOf = function (k) { return self.left + band * (k - 0.5); };
    this.controlAxis(function (k) { return k === 0 ? self.left : xOf(k); }, legs, function (k) {
      return k === 0 ? "" : QX.controlName(k, set.set.controls);
    });
    this.axisTitle(QX.N("ミスタイム"), this.left, 10);
    var barWidth = (band * 0.8) / Math.max(1, picked.length);
    var drawn = 0;
    picked.forEach(function (r, j) {
      if (r.mi.some(function (v) { return typeof v === "number"; })) drawn++;
      for (var k = 1; k <= legs; k++) {
        var v = r.mi[k - 1];
        if (typeof v !== "number") continue;
        var x = self.left + band * (k - 1) + band * 0.1 + j * barWidth;
        var y0 = yOf(0), y1 = yOf(v);
        var rect = { x: x, y: Math.min(y0, y1), w: Math.max(1, barWidth - 0.5), h: Math.max(1, Math.abs(y1 - y0)) };
        var node = self.style(r, svg("rect", {
          class: "qx-bar", x: round(rect.x), y: round(rect.y), width: round(rect.w), height: round(rect.h),
        }));
        node.setAttribute("fill", QX.colour(self.state.slots[r.index]));
        self.plot.appendChild(node);
        self.items.push({ i: r.index, k: k, rect: rect });
      }
    });
    return drawn;
  };

  // A finisher without a miss rate lost no time: his rate is 0 (the tables write "-").
  function scatterValues(mode, r) {
    if (mode === "map") return typeof r.t === "number" && typeof r.x === "number" ? [r.x, r.y] : null;
    if (typeof r.cs !== "number") return null;
    if (typeof r.mr === "number") return [r.cs, r.mr];
    return typeof r.t === "number" ? [r.cs, 0] : null;
  }

  Chart.prototype.drawScatter = function () {
    var self = this, set = this.set, mode = this.mode;
    this.frame(46, 14, 12, 40);
    var all = [];
    set.runners.forEach(function (r) {
      var v = scatterValues(mode, r);
      if (v) all.push({ r: r, v: v });
    });
    var xs = range(all.map(function (p) { return p.v[0]; }), mode === "map");
    var ys = range(all.map(function (p) { return p.v[1]; }), true);
    var sx = (this.right - this.left) / (xs[1] - xs[0]);
    var sy = (this.bottom - this.top) / (ys[1] - ys[0]);
    if (mode === "map") {
      // one scale for both axes, as the map is computed
      var s = Math.min(sx, sy);
      var cx = (xs[0] + xs[1]) / 2, cy = (ys[0] + ys[1]) / 2;
      var hw = (this.right - this.left) / s / 2, hh = (this.bottom - this.top) / s / 2;
      xs = [cx - hw, cx + hw];
      ys = [cy - hh, cy + hh];
      sx = sy = s;
    }
    var xOf = function (v) { return self.left + (v - xs[0]) * sx; };
    var yOf = function (v) { return self.bottom - (v - ys[0]) * sy; };
    var steps = mode === "map" ? VALUE_STEPS : PERCENT_STEPS;
    ticks(xs[0], xs[1], step(xs[1] - xs[0], this.right - this.left, 40, steps)).forEach(function (v) {
      self.vline(xOf(v), v, String(v), v === 0 && mode === "map" ? "qx-tick-x qx-zero" : null);
    });
    ticks(ys[0], ys[1], step(ys[1] - ys[0], this.bottom - this.top, 28, steps)).forEach(function (v) {
      self.hline(yOf(v), v, String(v), v === 0 ? "qx-tick-y qx-zero" : null);
    });
    if (mode === "map") {
      this.axisTitle("X", this.right, this.height - 6, "end", true);
      this.axisTitle("Y", this.left, 10, "start", true);
    } else {
      this.axisTitle(QX.N("巡航速度 (%)"), this.right, this.height - 6, "end");
      this.axisTitle(QX.N("ミス率 (%)"), this.left, 10);
    }
    var front = [];
    all.forEach(function (p) {
      var x = xOf(p.v[0]), y = yOf(p.v[1]);
      self.items.push({ i: p.r.index, points: [[x, y]] });
      if (self.state.slots[p.r.index] === undefined) {
        self.plot.appendChild(svg("circle", { class: "qx-dot", cx: round(x), cy: round(y), r: 2.5 }));
      } else {
        front.push({ r: p.r, x: x, y: y });
      }
    });
    front.forEach(function (p) {
      var node = self.style(p.r, svg("circle", { class: "qx-point", cx: round(p.x), cy: round(p.y), r: 4.5 }));
      node.setAttribute("fill", QX.colour(self.state.slots[p.r.index]));
      self.plot.appendChild(node);
    });
    this.pointNames(front);
    return all.length;
  };

  // ---- pointer ------------------------------------------------------------------------------

  function distanceToSegment(px, py, a, b) {
    var dx = b[0] - a[0], dy = b[1] - a[1];
    var len = dx * dx + dy * dy;
    var t = len > 0 ? Math.max(0, Math.min(1, ((px - a[0]) * dx + (py - a[1]) * dy) / len)) : 0;
    var x = a[0] + t * dx, y = a[1] + t * dy;
    return Math.hypot(px - x, py - y);
  }

  // The runner and control nearest to the pointer, or null when nothing is near.
  Chart.prototype.find = function (px, py) {
    var best = null, bestDistance = HIT;
    this.items.forEach(function (item) {
      if (item.rect) {
        var r = item.rect;
        if (px >= r.x - 2 && px <= r.x + r.w + 2 && py >= r.y - 2 && py <= r.y + r.h + 2) {
          best = { i: item.i, k: item.k };
          bestDistance = 0;
        }
        return;
      }
      var pts = item.points;
      for (var n = 0; n < pts.length; n++) {
        var d = n + 1 < pts.length ? distanceToSegment(px, py, pts[n], pts[n + 1]) : Math.hypot(px - pts[n][0], py - pts[n][1]);
        if (d < bestDistance) {
          bestDistance = d;
          var near = n + 1 < pts.length && Math.abs(px - pts[n + 1][0]) < Math.abs(px - pts[n][0]) ? pts[n + 1] : pts[n];
          best = { i: item.i, k: near.length > 2 ? near[2] : null };
        }
      }
    });
    return best;
  };

  function tipLine(key, value) {
    return QX.h("div", null, QX.L("span", key), " ", QX.h("b", { text: value }));
  }

  Chart.prototype.tip = function (hit) {
    var set = this.set, r = set.runners[hit.i], k = hit.k, mode = this.mode;
    var lines = [QX.D("div", QX.runnerName(r) + (r.c ? " (" + r.c + ")" : ""), { class: "qx-tip-name" })];
    if (mode === "cruise") {
      lines.push(tipLine(QX.N("巡航速度"), QX.percent(r.cs) + "%"), tipLine(QX.N("ミス率"), QX.percent(r.mr) + "%"));
    } else if (mode === "map") {
      lines.push(QX.h("div", { text: "X " + r.x + "  Y " + r.y }));
    }
    if (k === 0) {
      lines.push(tipLine(QX.N("スタート"), QX.clock(r.s)));
    } else if (k !== null && k !== undefined) {
      lines.push(QX.h("div", { class: "qx-tip-leg", text: QX.legName(k, set.set.controls) }));
      lines.push(tipLine(QX.N("ラップ"), QX.time(r.lap[k - 1]) + " " + (r.lr[k - 1] > 0 ? "(" + r.lr[k - 1] + ")" : "")));
      lines.push(tipLine(QX.N("積算"), QX.time(r.sp[k - 1]) + " " + (r.sr[k - 1] > 0 ? "(" + r.sr[k - 1] + ")" : "")));
      if (typeof r.mi[k - 1] === "number") lines.push(tipLine(QX.N("ミスタイム"), QX.diff(r.mi[k - 1])));
    }
    lines.push(tipLine(QX.N("記録"), r.r + (r.k ? " (" + r.k + ")" : "")));
    return lines;
  };

  // ---- the chart box ------------------------------------------------------------------------

  // Draws the chart of state.mode into `box`; onPick(runner index) is called when a line, point
  // or bar is clicked. Returns the number of runners drawn; when none, the box says so instead.
  QX.drawChart = function (box, set, state, onPick) {
    box.textContent = "";
    box.showTip = function () {};
    var chart = new Chart(box, set, state);
    var kind = QX.MODES.filter(function (m) { return m.id === state.mode; })[0].kind;
    if (state.mode === "map" && set.set.xyOmitted) {
      box.appendChild(QX.L("p", "X/Y マップは 6000 人を超えるデータでは作りません", { class: "qx-note" }));
      return 0;
    }
    var count = kind === "line" ? chart.drawLines() : kind === "loss" ? chart.drawLoss() : chart.drawScatter();
    if (count === 0) {
      box.appendChild(QX.L("p", "このグラフに表示するデータがありません", { class: "qx-note" }));
      return 0;
    }
    box.appendChild(chart.root);
    var tip = box.appendChild(QX.h("div", { class: "qx-tip", hidden: true, role: "tooltip" }));
    function locate(event) {
      var rect = chart.root.getBoundingClientRect();
      return chart.find(event.clientX - rect.left, event.clientY - rect.top);
    }
    // Shows what the pointer is on, beside it; a tap (no hovering on a phone) shows it too.
    box.showTip = function (hit, clientX, clientY) {
      if (!hit) {
        tip.hidden = true;
        return;
      }
      tip.textContent = "";
      chart.tip(hit).forEach(function (line) { tip.appendChild(line); });
      tip.hidden = false;
      var rect = box.getBoundingClientRect();
      var x = clientX - rect.left + 12, y = clientY - rect.top + 12;
      tip.style.left = Math.max(0, Math.min(x, box.clientWidth - tip.offsetWidth - 2)) + "px";
      tip.style.top = y + "px";
    };
    chart.root.addEventListener("pointermove", function (event) {
      box.showTip(locate(event), event.clientX, event.clientY);
    });
    chart.root.addEventListener("pointerleave", function () {
      tip.hidden = true;
    });
    chart.root.addEventListener("click", function (event) {
      var hit = locate(event);
      if (!hit) return;
      onPick(hit.i); // draws the chart again, with a box.showTip of its own
      box.showTip(hit, event.clientX, event.clientY);
    });
    return count;
  };
})();
