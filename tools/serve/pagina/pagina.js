// serve's page: the route of /dati.json drawn as `plot` draws it (the plan view turned onto the
// chord of the line, the line profile below it), fetched again whenever the server's event
// stream says the sources changed. The zoom and place of each view are kept across redraws.
// Each frame draws only what is in view, and no closer than a pixel to what was drawn before
// it, so that a 1000 km route pans as smoothly as a short one. d3-zoom turns the wheel, drags
// and pinches into a transform; the drawing is this file's.
"use strict";

(function () {
  const $ = (id) => document.getElementById(id);

  // ---------- words and numbers

  const ENTITA = { "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;", "'": "&#39;" };
  const esc = (t) => String(t).replace(/[&<>"']/g, (c) => ENTITA[c]);
  const km = (m, decimali = 3) => (m / 1000).toFixed(decimali);
  const f1 = (v) => (Math.round(v * 10) / 10).toString();
  const luogo = (s) => (s && s.file ? `${s.file}:${s.line}:${s.column}` : "");
  const compatto = (t) => String(t).replace(/\s+/g, " ").trim();

  // The smallest of 1, 2, 5 times a power of ten that cuts `intervallo` into at most `parti`.
  function passoTondo(intervallo, parti) {
    const grezzo = Math.max(intervallo / Math.max(parti, 1), 1e-9);
    const dieci = Math.pow(10, Math.floor(Math.log10(grezzo)));
    for (const f of [1, 2, 5, 10]) if (f * dieci >= grezzo) return f * dieci;
    return 10 * dieci;
  }

  const misuratore = document.createElement("canvas").getContext("2d");
  function larghezza(testo, font) {
    misuratore.font = font;
    return misuratore.measureText(testo).width;
  }

  // "GALLERIA DI ARONA m 670" -> "ARONA 670 m", as plot labels tunnels.
  function nomeBreveGalleria(nome) {
    let t = compatto(nome).replace(/^GALLERIA\s+(DI\s+|DEL\s+|DELLA\s+)?/i, "");
    const m = t.match(/^(.*?)\s*m\s+(\d+)$/);
    return m ? `${m[1]} ${m[2]} m` : t;
  }

  // Labels that must not cover one another: each is placed in the first free of its boxes.
  class Posatore {
    constructor() {
      this.prese = [];
    }
    libero(r) {
      return !this.prese.some((p) => r.x0 < p.x1 + 2 && p.x0 < r.x1 + 2 && r.y0 < p.y1 + 1 && p.y0 < r.y1 + 1);
    }
    occupa(r) {
      this.prese.push(r);
    }
    posa(candidati) {
      for (const r of candidati) {
        if (this.libero(r)) {
          this.occupa(r);
          return r;
        }
      }
      return null;
    }
  }

  // ---------- the document

  const stato = {
    doc: null,
    prep: null, // the drawing prepared for the views
    scelto: null, // {genere, ogg} of the feature or problem clicked
    caricamento: null, // the fetch in flight
    pendente: 0, // a version announced while fetching
    mostrata: 0, // the version drawn
  };
  window.tempiDisegno = []; // {versione, quando}: when each document was on the screen

  function ordinaPer(lista, chiave) {
    return lista.slice().sort((a, b) => chiave(a) - chiave(b));
  }

  // Value of the runs [{da, a, valore}] at metre m.
  function valoreA(tratti, m) {
    let lo = 0,
      hi = tratti.length - 1;
    while (lo <= hi) {
      const mid = (lo + hi) >> 1;
      if (tratti[mid].a <= m) lo = mid + 1;
      else if (tratti[mid].da > m) hi = mid - 1;
      else return tratti[mid];
    }
    return null;
  }

  // The features come in the forms `dump --json` gives them, with English keys; the page names
  // their fields as the program's model does, once, here.
  const nomiDeiCampi = {
    name: "nome", type: "tipo", kind: "tipo", kind_name: "genere", start: "inizio", end: "fine",
    position: "posizione", seconds: "orario", time: "ora", stop_cell: "cella_fermata",
    cell: "cella", values: "valori", text: "testo", warning: "avviso", board: "avviso",
    start_cell: "cella_inizio", end_cell: "cella_fine", board_cell: "cella_avviso",
    cells_before_board: "celle_prima_avviso", speed: "velocita", cells_from_board: "celle_dall_avviso",
    first_cell: "prima_cella", last_cell: "ultima_cella", lamps: "lampade", from: "da", to: "a",
  };
  function conNomiDellaPagina(o) {
    if (Array.isArray(o)) return o.map(conNomiDellaPagina);
    if (o === null || typeof o !== "object") return o;
    const r = {};
    for (const [k, v] of Object.entries(o)) {
      r[nomiDeiCampi[k] ?? k] = k === "sorgente" ? v : conNomiDellaPagina(v);
    }
    return r;
  }

  function prepara(grezzo) {
    const d = { ...grezzo };
    for (const lista of ["stazioni", "elementi", "rallentamenti", "gallerie", "velocita", "pendenze"]) {
      d[lista] = conNomiDellaPagina(grezzo[lista]);
    }
    const p = { d };
    p.fineLinea = d.lunghezza_linea > 0 ? d.lunghezza_linea : d.celle * 50;
    p.fine = Math.max(1000, Math.ceil((d.celle * 50) / 1000) * 1000);
    p.stazioni = d.stazioni;
    p.segnali = d.elementi.filter((e) => e.tipo === 1);
    p.cartelli = d.elementi.filter((e) => e.tipo === 14);
    p.indicatori = d.elementi.filter((e) => e.tipo === 6);
    p.controlli = d.elementi.filter((e) => e.tipo === 12);
    p.rallentamenti = d.rallentamenti;
    p.gallerie = d.gallerie;
    p.velocita = d.velocita.filter((t) => t.kmh !== null).map((t) => ({ da: t.da, a: t.a, valore: t.kmh, t }));
    p.pendenze = d.pendenze.filter((t) => t.per_mille !== null).map((t) => ({ da: t.da, a: t.a, valore: t.per_mille, t }));
    // Plan and heights come in centimetres.
    p.quote = { metri: d.quote.metri, quota: d.quote.quota_cm.map((q) => q / 100) };
    p.piano = d.piano && {
      fine_linea: d.piano.fine_linea,
      ultimo: d.piano.ultimo,
      metri: d.piano.metri,
      u: Float64Array.from(d.piano.u_cm, (x) => x / 100),
      v: Float64Array.from(d.piano.v_cm, (x) => x / 100),
    };
    p.file = d.file;
    if (p.piano) {
      let umin = Infinity, umax = -Infinity, vmin = Infinity, vmax = -Infinity;
      const P = p.piano;
      for (let i = 0; i < P.metri.length && P.metri[i] <= P.fine_linea; ++i) {
        umin = Math.min(umin, P.u[i]);
        umax = Math.max(umax, P.u[i]);
        vmin = Math.min(vmin, P.v[i]);
        vmax = Math.max(vmax, P.v[i]);
      }
      p.limiti = { umin, umax, vmin, vmax };
    }
    let qmin = 0, qmax = 1;
    for (const q of p.quote.quota) (qmin = Math.min(qmin, q)), (qmax = Math.max(qmax, q));
    const passo = passoTondo(qmax - qmin, 6);
    p.quotaMin = Math.floor(qmin / passo) * passo - passo;
    p.quotaMax = Math.ceil(qmax / passo) * passo + passo;
    p.passoQuota = passo;
    let v = 0;
    for (const t of p.velocita) v = Math.max(v, t.valore);
    for (const r of p.rallentamenti) v = Math.max(v, r.velocita);
    if (v <= 0) v = 100;
    p.velocitaMax = Math.ceil((v * 1.1 + 5) / 20) * 20;
    // What the hover card and a click can name, by metre.
    p.segni = [];
    for (const s of p.stazioni) p.segni.push({ genere: "station", m: s.posizione, ogg: s });
    for (const e of d.elementi) p.segni.push({ genere: "feature", m: e.posizione, ogg: e });
    return p;
  }

  // Height at metre m: straight between the points where the gradient changes.
  function quotaA(p, m) {
    const M = p.quote.metri, Q = p.quote.quota;
    if (M.length === 0) return 0;
    if (m <= M[0]) return Q[0];
    if (m >= M[M.length - 1]) return Q[Q.length - 1];
    let lo = 0, hi = M.length - 1;
    while (hi - lo > 1) {
      const mid = (lo + hi) >> 1;
      if (M[mid] <= m) lo = mid;
      else hi = mid;
    }
    return Q[lo] + ((Q[hi] - Q[lo]) * (m - M[lo])) / (M[hi] - M[lo]);
  }

  // The first of the ascending metres M past metre m.
  function primoOltre(M, m) {
    let lo = 0, hi = M.length;
    while (lo < hi) {
      const mid = (lo + hi) >> 1;
      if (M[mid] <= m) lo = mid + 1;
      else hi = mid;
    }
    return lo;
  }

  // The first plan sample at or past metre m.
  function indicePiano(P, m) {
    let lo = 0, hi = P.metri.length;
    while (lo < hi) {
      const mid = (lo + hi) >> 1;
      if (P.metri[mid] < m) lo = mid + 1;
      else hi = mid;
    }
    return lo;
  }

  // The plan's point at metre m, between the samples around it; held to the plan's ends.
  function puntoPiano(P, m) {
    const n = P.metri.length;
    const i = indicePiano(P, m);
    if (i <= 0) return [P.u[0], P.v[0]];
    if (i >= n) return [P.u[n - 1], P.v[n - 1]];
    const a = P.metri[i - 1], b = P.metri[i];
    const f = b > a ? (m - a) / (b - a) : 0;
    return [P.u[i - 1] + (P.u[i] - P.u[i - 1]) * f, P.v[i - 1] + (P.v[i] - P.v[i - 1]) * f];
  }

  function descrizioneElemento(e) {
    switch (e.tipo) {
      case 1:
        return "signal";
      case 2:
        return `end of slow order ${e.valori.velocita} km/h`;
      case 3:
        return `slow order ${e.valori.velocita} km/h`;
      case 4:
        return `warning board, ${e.valori.velocita} km/h`;
      case 5:
        return "cell before a warning board";
      case 6:
        return "speed-indicator board";
      case 10:
        return `stop of ${compatto(e.testo || "")}`;
      case 12:
        return `speed check ${e.valori.velocita} km/h`;
      case 13:
        return "null abatement";
      case 14:
        return `signboard "${compatto(e.testo || "")}"`;
      default:
        return e.genere;
    }
  }

  function descrizioneSegno(s) {
    if (s.genere === "station") {
      const o = s.ogg;
      return `station ${compatto(o.nome)}${o.orario ? ", " + o.ora : ""}`;
    }
    if (s.genere === "problem") return `${s.ogg.severity} ${s.ogg.code ? s.ogg.code + ": " : ""}${s.ogg.message}`;
    return descrizioneElemento(s.ogg);
  }

  // ---------- the views

  const MARGINE = 60; // pixels beyond the view that are still drawn

  function fuori(x, y, w, h) {
    return x < -MARGINE || y < -MARGINE || x > w + MARGINE || y > h + MARGINE;
  }

  // A polyline from screen points, each no closer than `vicino` pixels to the last kept, cut
  // where it leaves the view.
  class Tracciatore {
    constructor(w, h, vicino = 0.75) {
      this.w = w;
      this.h = h;
      this.vicino = vicino;
      this.parti = [];
      this.ultimo = null; // last point given
      this.scritto = null; // last point written
      this.punti = []; // the points written, for the hover card
    }
    punto(x, y, m) {
      const u = this.ultimo;
      this.ultimo = [x, y, m];
      const visibile = !(u && fuori(u[0], u[1], this.w, this.h) && fuori(x, y, this.w, this.h) &&
        ((u[0] < -MARGINE && x < -MARGINE) || (u[0] > this.w + MARGINE && x > this.w + MARGINE) ||
          (u[1] < -MARGINE && y < -MARGINE) || (u[1] > this.h + MARGINE && y > this.h + MARGINE)));
      if (!u) return;
      if (!visibile) {
        this.scritto = null;
        return;
      }
      if (!this.scritto) {
        this.scrivi("M", u);
      }
      const s = this.scritto;
      if (Math.abs(x - s[0]) < this.vicino && Math.abs(y - s[1]) < this.vicino) return;
      this.scrivi("L", [x, y, m]);
    }
    scrivi(c, p) {
      this.parti.push(c + p[0].toFixed(1) + " " + p[1].toFixed(1));
      this.scritto = p;
      this.punti.push(p);
    }
    fine() {
      // The last point given, even when close to the one before it.
      const u = this.ultimo;
      if (u && this.scritto && u !== this.scritto && !fuori(u[0], u[1], this.w, this.h)) this.scrivi("L", u);
      if (u && !this.scritto && this.parti.length === 0 && !fuori(u[0], u[1], this.w, this.h)) {
        this.scrivi("M", u);
        this.parti.push("l0.01 0");
      }
      return this.parti.join("");
    }
  }

  class Vista {
    constructor(svg, soloX) {
      this.svg = svg;
      this.soloX = soloX;
      this.t = d3.zoomIdentity;
      this.base = null;
      this.segniDisegnati = []; // {x, y, segno}
      this.zoom = d3
        .zoom()
        .scaleExtent([0.5, 1])
        .on("zoom", (e) => {
          this.t = e.transform;
          richiedi(this);
        });
      if (soloX) this.zoom.constrain((t) => d3.zoomIdentity.translate(t.x, 0).scale(t.k));
      this.sel = d3.select(svg).call(this.zoom);
      svg.addEventListener("mousemove", (e) => scheda(this, e));
      svg.addEventListener("mouseleave", () => nascondiScheda());
      svg.addEventListener("click", (e) => {
        const s = this.segnoVicino(e);
        if (s) scegli(s);
      });
      // The size is read again only when it changes: reading it on each frame would make the
      // browser lay out the page just changed before drawing, once more than it needs.
      this.misure = null;
      new ResizeObserver(() => {
        this.misure = null;
        richiedi(this);
      }).observe(svg);
    }
    dimensioni() {
      if (!this.misure) {
        const r = this.svg.getBoundingClientRect();
        this.misure = { w: Math.max(r.width, 10), h: Math.max(r.height, 10) };
      }
      return this.misure;
    }
    posizione(e) {
      const r = this.svg.getBoundingClientRect();
      return [e.clientX - r.left, e.clientY - r.top];
    }
    segnoVicino(e) {
      const [x, y] = this.posizione(e);
      let migliore = null, d = 10;
      for (const s of this.segniDisegnati) {
        const q = Math.hypot(s.x - x, s.y - y);
        if (q <= d) (d = q), (migliore = s.segno);
      }
      return migliore;
    }
    comando(azione) {
      if (azione === "piu") this.sel.call(this.zoom.scaleBy, 1.6);
      if (azione === "meno") this.sel.call(this.zoom.scaleBy, 1 / 1.6);
      if (azione === "tutto") {
        this.base = null;
        this.sel.call(this.zoom.transform, d3.zoomIdentity);
        richiedi(this);
      }
    }
    // Brings metre m into view, keeping the zoom.
    mostra(m) {
      const punto = this.schermoDi(m);
      if (!punto) return;
      const { w, h } = this.dimensioni();
      const [x, y] = punto;
      if (x >= 0 && x <= w && (this.soloX || (y >= 0 && y <= h))) return;
      this.sel.call(this.zoom.translateBy, (w / 2 - x) / this.t.k, this.soloX ? 0 : (h / 2 - y) / this.t.k);
    }
  }

  // ----- the plan view

  class VistaPiano extends Vista {
    constructor() {
      super($("piano"), false);
    }

    // Line fitted to the view at zoom 1, one scale on both axes; kept until "whole line".
    adatta(p, w, h) {
      const L = p.limiti;
      const du = Math.max(L.umax - L.umin, 1000), dv = Math.max(L.vmax - L.vmin, 1);
      const s = Math.min((w - 120) / du, (h - 90) / dv);
      this.base = {
        s,
        x0: 60 + (w - 120 - du * s) / 2 - L.umin * s,
        y0: 45 + (h - 90) / 2 + ((L.vmin + L.vmax) / 2) * s,
      };
      // From the whole line down to 5 pixels a metre.
      this.zoom.scaleExtent([0.5, Math.max(2, 5 / s)]);
    }

    xy(u, v) {
      const b = this.base, t = this.t;
      return [t.k * (b.x0 + u * b.s) + t.x, t.k * (b.y0 - v * b.s) + t.y];
    }
    schermoDi(m) {
      const p = stato.prep;
      if (!p || !p.piano || !this.base) return null;
      const [u, v] = puntoPiano(p.piano, m);
      return this.xy(u, v);
    }
    metriPerPixel() {
      return 1 / (this.base.s * this.t.k);
    }

    // The plan from metre da to a as one path.
    percorso(P, da, a, w, h, vicino) {
      const tr = new Tracciatore(w, h, vicino);
      const i0 = indicePiano(P, da), i1 = indicePiano(P, a);
      const inizio = puntoPiano(P, da);
      tr.punto(...this.xy(inizio[0], inizio[1]), da);
      for (let i = i0; i < i1 && i < P.metri.length; ++i) {
        if (P.metri[i] <= da) continue;
        tr.punto(...this.xy(P.u[i], P.v[i]), P.metri[i]);
      }
      const fine = puntoPiano(P, a);
      tr.punto(...this.xy(fine[0], fine[1]), a);
      return tr;
    }

    disegna() {
      const p = stato.prep;
      const { w, h } = this.dimensioni();
      this.segniDisegnati = [];
      this.traccia = [];
      if (!p) return;
      if (!p.piano) {
        this.svg.innerHTML = `<text class="asse" x="${w / 2}" y="${h / 2}" text-anchor="middle">no track plan</text>`;
        return;
      }
      if (!this.base) this.adatta(p, w, h);
      const P = p.piano;
      const mpp = this.metriPerPixel();
      const posa = new Posatore();
      const parti = [];
      parti.push(this.griglia(w, h, posa));
      const linea = this.percorso(P, 0, P.fine_linea, w, h, 0.75);
      this.traccia = linea.punti;
      parti.push(`<path class="binario" data-linea="1" d="${linea.fine()}"/>`);
      if (P.ultimo > P.fine_linea) {
        parti.push(`<path class="coda" d="${this.percorso(P, P.fine_linea, P.ultimo, w, h, 1).fine()}"/>`);
      }
      this.daPosare = [];
      parti.push(this.gallerie(p, P, w, h, mpp));
      parti.push(this.rallentamenti(p, P, w, h, mpp));
      parti.push(this.stazioni(p, P, w, h));
      parti.push(this.puntuali(p, w, h));
      parti.push(this.etichette(posa, w, h));
      parti.push(this.pietre(p, P, w, h, posa));
      parti.push(this.problemi(w, h));
      parti.push(evidenza(this));
      this.svg.innerHTML = parti.join("");
    }

    // A square grid in km along and across the chord.
    griglia(w, h, posa) {
      const mpp = this.metriPerPixel();
      const passo = Math.max(1000, passoTondo(Math.max(w, h) * mpp, 14));
      const b = this.base, t = this.t;
      const u0 = ((0 - t.x) / t.k - b.x0) / b.s, u1 = ((w - t.x) / t.k - b.x0) / b.s;
      const v1 = (b.y0 - (0 - t.y) / t.k) / b.s, v0 = (b.y0 - (h - t.y) / t.k) / b.s;
      const r = [];
      for (let u = Math.ceil(u0 / passo) * passo, n = 0; u <= u1 && n < 60; u += passo, ++n) {
        const x = this.xy(u, 0)[0];
        r.push(`<line class="griglia" x1="${x.toFixed(1)}" y1="0" x2="${x.toFixed(1)}" y2="${h}"/>`);
        r.push(`<text class="asse" x="${x.toFixed(1)}" y="${h - 4}" text-anchor="middle">${f1(u / 1000)}</text>`);
      }
      for (let v = Math.ceil(v0 / passo) * passo, n = 0; v <= v1 && n < 60; v += passo, ++n) {
        const y = this.xy(0, v)[1];
        r.push(`<line class="griglia" x1="0" y1="${y.toFixed(1)}" x2="${w}" y2="${y.toFixed(1)}"/>`);
        r.push(`<text class="asse" x="4" y="${(y - 3).toFixed(1)}">${f1(v / 1000)}</text>`);
      }
      posa.occupa({ x0: w - 160, y0: h - 16, x1: w, y1: h });
      r.push(`<text class="asse" x="${w - 6}" y="${h - 18}" text-anchor="end">km along the chord</text>`);
      r.push(`<text class="titolo" x="8" y="18">Plan view (turned: start on the left)</text>`);
      posa.occupa({ x0: 0, y0: 0, x1: 320, y1: 24 });
      return r.join("");
    }

    // Runs closer than a pixel are drawn as one.
    static unisci(lista, da, a, mpp) {
      const r = [];
      for (const x of lista) {
        const i = da(x), f = Math.max(a(x), i);
        if (r.length && i - r[r.length - 1].a < mpp) {
          const u = r[r.length - 1];
          u.a = Math.max(u.a, f);
        } else {
          r.push({ da: i, a: f, primo: x });
        }
      }
      return r;
    }

    // Station names first, then slow orders, then tunnels; at most a page's worth is tried.
    etichette(posa, w, h) {
      const lista = this.daPosare.filter((e) => !fuori(e[1], e[2], w, h));
      lista.sort((a, b) => a[0] - b[0]);
      return lista.slice(0, 600).map((e) => this.etichetta(posa, e[1], e[2], e[3], e[4], e[5], w, h)).join("");
    }

    etichetta(posa, x, y, testo, classe, font, w, h) {
      if (fuori(x, y, w, h)) return "";
      const lw = larghezza(testo, font), lh = 12;
      const candidati = [];
      for (const d of [8, 18, 32, 50]) {
        candidati.push({ x0: x - lw / 2, y0: y - d - lh, x1: x + lw / 2, y1: y - d });
        candidati.push({ x0: x - lw / 2, y0: y + d, x1: x + lw / 2, y1: y + d + lh });
      }
      const r = posa.posa(candidati.filter((c) => c.x0 > 0 && c.x1 < w && c.y0 > 0 && c.y1 < h));
      if (!r) return "";
      return `<text class="${classe}" x="${r.x0.toFixed(1)}" y="${(r.y1 - 2).toFixed(1)}">${esc(testo)}</text>`;
    }

    gallerie(p, P, w, h, mpp) {
      const r = [];
      for (const g of VistaPiano.unisci(p.gallerie, (x) => x.inizio, (x) => x.fine, mpp)) {
        const tr = this.percorso(P, g.da, g.a, w, h, 1);
        const d = tr.fine();
        if (!d) continue;
        r.push(`<path class="galleria" d="${d}" role="img" aria-label="${esc(titoloGalleria(g.primo))}"/>`);
        if (g.primo.nome) {
          const [x, y] = this.xy(...puntoPiano(P, (g.da + g.a) / 2));
          this.daPosare.push([2, x, y, nomeBreveGalleria(g.primo.nome), "nome-galleria", "10px sans-serif"]);
        }
      }
      return r.join("");
    }

    rallentamenti(p, P, w, h, mpp) {
      const r = [];
      for (const u of VistaPiano.unisci(p.rallentamenti, (x) => x.inizio, (x) => x.fine, mpp)) {
        const d = this.percorso(P, u.da, Math.max(u.a, u.da + 50), w, h, 1).fine();
        if (d) r.push(`<path class="lento" d="${d}"/>`);
      }
      let ultimo = null;
      for (const s of p.rallentamenti) {
        if (s.avviso === null) continue;
        const [x, y] = this.xy(...puntoPiano(P, s.avviso));
        if (fuori(x, y, w, h) || (ultimo && Math.hypot(x - ultimo[0], y - ultimo[1]) < 1.5)) continue;
        ultimo = [x, y];
        r.push(`<circle class="avviso" data-avviso="${s.avviso}" cx="${x.toFixed(1)}" cy="${y.toFixed(1)}" r="4" role="img" aria-label="warning board at km ${km(s.avviso)}, ${s.velocita} km/h"/>`);
        this.segniDisegnati.push({ x, y, segno: { genere: "slow", m: s.avviso, ogg: s } });
      }
      for (const s of p.rallentamenti) {
        const [x, y] = this.xy(...puntoPiano(P, (s.inizio + s.fine) / 2));
        this.daPosare.push([1, x, y, `slow order ${s.velocita} km/h`, "nome-lento", "bold 12px sans-serif"]);
      }
      return r.join("");
    }

    stazioni(p, P, w, h) {
      const r = [];
      for (const s of p.stazioni) {
        const d = this.percorso(P, s.inizio, s.fine, w, h, 1).fine();
        if (d) r.push(`<path class="area" d="${d}"/>`);
      }
      for (const s of p.stazioni) {
        const [x, y] = this.xy(...puntoPiano(P, s.posizione));
        if (fuori(x, y, w, h)) continue;
        const titolo = titoloStazione(s);
        r.push(`<circle class="stazione" data-stazione="${esc(compatto(s.nome))}" data-posizione="${s.posizione}" cx="${x.toFixed(1)}" cy="${y.toFixed(1)}" r="5" role="img" aria-label="${esc(titolo)}"/>`);
        this.segniDisegnati.push({ x, y, segno: { genere: "station", m: s.posizione, ogg: s } });
        this.daPosare.push([0, x, y, compatto(s.nome), "nome-stazione", "bold 13px sans-serif"]);
      }
      return r.join("");
    }

    // Signals, boards and speed checks: of marks of one kind closer than half their width (3
    // px), only the first; the others would be hidden under it.
    puntuali(p, w, h) {
      const r = [];
      const tipi = [
        [p.segnali, (x, y, e) => `<circle class="segnale" data-segnale="${e.posizione}" cx="${x.toFixed(1)}" cy="${y.toFixed(1)}" r="3" role="img" aria-label="signal at ${e.posizione} m, cell ${e.cella}"/>`],
        [p.cartelli, (x, y, e) => `<rect class="cartello" data-cartello="${e.posizione}" x="${(x - 3).toFixed(1)}" y="${(y - 9).toFixed(1)}" width="6" height="6" role="img" aria-label="${esc(descrizioneElemento(e))}"/>`],
        [p.indicatori, (x, y, e) => `<path class="indicatore" data-indicatore="${e.posizione}" d="M${x.toFixed(1)} ${(y + 4).toFixed(1)} l4 7 h-8z" role="img" aria-label="speed-indicator board at ${e.posizione} m"/>`],
      ];
      for (const [lista, segno] of tipi) {
        let ultimo = null;
        for (const e of lista) {
          const [x, y] = this.xy(...puntoPiano(p.piano, e.posizione));
          if (fuori(x, y, w, h)) continue;
          if (ultimo && Math.abs(x - ultimo[0]) < 3 && Math.abs(y - ultimo[1]) < 3) continue;
          ultimo = [x, y];
          r.push(segno(x, y, e));
          this.segniDisegnati.push({ x, y, segno: { genere: "feature", m: e.posizione, ogg: e } });
        }
      }
      return r.join("");
    }

    // Kilometre posts along the line, at a round step for the zoom.
    pietre(p, P, w, h, posa) {
      const r = [];
      const passo = Math.max(100, passoTondo(90 * this.metriPerPixel(), 1));
      const primo = Math.ceil(0 / passo);
      for (let i = Math.max(primo, 1), n = 0; i * passo <= P.fine_linea && n < 4000; ++i, ++n) {
        const m = i * passo;
        const [x, y] = this.xy(...puntoPiano(P, m));
        if (fuori(x, y, w, h)) continue;
        r.push(`<line class="pietra" x1="${x.toFixed(1)}" y1="${(y - 6).toFixed(1)}" x2="${x.toFixed(1)}" y2="${(y + 6).toFixed(1)}"/>`);
        const testo = `${(m / 1000).toFixed(passo < 1000 ? 1 : 0)} km`;
        const lw = larghezza(testo, "9px sans-serif");
        const c = posa.posa([
          { x0: x - lw / 2, y0: y + 8, x1: x + lw / 2, y1: y + 18 },
          { x0: x - lw / 2, y0: y - 18, x1: x + lw / 2, y1: y - 8 },
        ]);
        if (c) r.push(`<text class="pietra-testo" x="${x.toFixed(1)}" y="${(c.y1 - 1).toFixed(1)}" text-anchor="middle">${testo}</text>`);
      }
      return r.join("");
    }

    problemi(w, h) {
      const r = [];
      for (const q of problemiConMetro()) {
        const punto = this.schermoDi(q.metri);
        if (!punto || fuori(punto[0], punto[1], w, h)) continue;
        const [x, y] = punto;
        r.push(`<path class="problema ${esc(q.severity)}" data-problema="${q.indice}" d="M${x.toFixed(1)} ${(y - 22).toFixed(1)} l7 12 h-14z" role="img" aria-label="${esc(luogo(q))}: ${esc(q.message)}"/>`);
        this.segniDisegnati.push({ x, y: y - 16, segno: { genere: "problem", m: q.metri, ogg: q } });
      }
      return r.join("");
    }

    // The metre of the track nearest to the pointer, when it is close.
    metroVicino(x, y) {
      let migliore = null, d = 25;
      const T = this.traccia || [];
      for (let i = 1; i < T.length; ++i) {
        const a = T[i - 1], b = T[i];
        const dx = b[0] - a[0], dy = b[1] - a[1];
        const l2 = dx * dx + dy * dy;
        const f = l2 > 0 ? Math.max(0, Math.min(1, ((x - a[0]) * dx + (y - a[1]) * dy) / l2)) : 0;
        const q = Math.hypot(a[0] + f * dx - x, a[1] + f * dy - y);
        if (q < d) (d = q), (migliore = a[2] + f * (b[2] - a[2]));
      }
      return migliore;
    }
  }

  // ----- the profile

  const STRISCIA = 64; // station names
  const ASSE = 34; // km axis under the panels

  class VistaProfilo extends Vista {
    constructor() {
      super($("profilo"), true);
    }
    adatta(p, w) {
      const s = (w - 90) / p.fine;
      this.base = { s, x0: 70 };
      this.zoom.scaleExtent([0.5, Math.max(2, 2 / s)]);
    }
    x(m) {
      return this.t.k * (this.base.x0 + m * this.base.s) + this.t.x;
    }
    metro(x) {
      return ((x - this.t.x) / this.t.k - this.base.x0) / this.base.s;
    }
    schermoDi(m) {
      return this.base ? [this.x(m), 0] : null;
    }
    pannelli(h) {
      const alto = h - STRISCIA - ASSE - 8;
      const hq = Math.round(alto * 0.5);
      return {
        quote: { y0: STRISCIA, y1: STRISCIA + hq },
        velocita: { y0: STRISCIA + hq + 8, y1: h - ASSE },
      };
    }

    disegna() {
      const p = stato.prep;
      const { w, h } = this.dimensioni();
      this.segniDisegnati = [];
      if (!p) return;
      if (!this.base) this.adatta(p, w);
      const pan = this.pannelli(h);
      const m0 = this.metro(0), m1 = this.metro(w);
      const posa = new Posatore();
      const parti = [];
      parti.push(this.assi(p, pan, w, h, m0, m1, posa));
      parti.push(`<svg x="70" y="0" width="${Math.max(w - 90, 1)}" height="${h}" viewBox="70 0 ${Math.max(w - 90, 1)} ${h}">`);
      parti.push(this.coda(p, pan, w));
      parti.push(this.quote(p, pan.quote, w, m0, m1));
      parti.push(this.velocita(p, pan.velocita, w, m0, m1));
      parti.push(this.problemi(pan, w));
      parti.push(evidenza(this, pan));
      parti.push("</svg>");
      parti.push(this.stazioni(p, pan, w, m0, m1, posa));
      parti.push(`<rect class="cornice" x="70" y="${pan.quote.y0}" width="${w - 90}" height="${pan.quote.y1 - pan.quote.y0}"/>`);
      parti.push(`<rect class="cornice" x="70" y="${pan.velocita.y0}" width="${w - 90}" height="${pan.velocita.y1 - pan.velocita.y0}"/>`);
      parti.push(`<text class="titolo" x="78" y="${pan.quote.y0 + 16}">Line profile: height from the gradients</text>`);
      parti.push(`<text class="titolo" x="78" y="${pan.velocita.y0 + 16}">Speed limit, slow orders, signals and speed checks</text>`);
      this.svg.innerHTML = parti.join("");
    }

    // The cells past the end of the line, shaded.
    coda(p, pan, w) {
      if (p.fineLinea >= p.fine) return "";
      const x0 = Math.max(this.x(p.fineLinea), 70), x1 = Math.min(this.x(p.fine), w - 20);
      if (x1 <= x0) return "";
      const r = [];
      for (const q of [pan.quote, pan.velocita]) {
        r.push(`<rect class="coda-profilo" x="${x0.toFixed(1)}" y="${q.y0}" width="${(x1 - x0).toFixed(1)}" height="${q.y1 - q.y0}"/>`);
      }
      if (x1 - x0 > 70) r.push(`<text class="asse" x="${(x0 + 4).toFixed(1)}" y="${pan.velocita.y0 + 36}">end of line</text>`);
      return r.join("");
    }

    assi(p, pan, w, h, m0, m1, posa) {
      const r = [];
      const passo = Math.max(50, passoTondo(m1 - m0, Math.max(2, (w - 90) / 90)));
      const decimali = passo >= 1000 ? 0 : passo >= 100 ? 1 : 2;
      for (let m = Math.max(0, Math.ceil(m0 / passo) * passo), n = 0; m <= Math.min(m1, p.fine) && n < 200; m += passo, ++n) {
        const x = this.x(m);
        if (x < 70 || x > w - 20) continue;
        r.push(`<line class="griglia" x1="${x.toFixed(1)}" y1="${pan.quote.y0}" x2="${x.toFixed(1)}" y2="${pan.velocita.y1}"/>`);
        r.push(`<text class="asse-nero" x="${x.toFixed(1)}" y="${pan.velocita.y1 + 14}" text-anchor="middle">${(m / 1000).toFixed(decimali)}</text>`);
      }
      r.push(`<text class="asse-nero" x="${(70 + w - 20) / 2}" y="${h - 4}" text-anchor="middle">km from the start of the line</text>`);
      const scale = [
        [pan.quote, p.quotaMin, p.quotaMax, p.passoQuota, "height, m"],
        [pan.velocita, 0, p.velocitaMax, passoTondo(p.velocitaMax, 8), "speed, km/h"],
      ];
      for (const [pannello, min, max, passoY, unita] of scale) {
        const y = (v) => pannello.y1 - ((v - min) / (max - min)) * (pannello.y1 - pannello.y0);
        for (let v = Math.ceil(min / passoY) * passoY, n = 0; v <= max + 1e-6 && n < 60; v += passoY, ++n) {
          r.push(`<line class="griglia" x1="70" y1="${y(v).toFixed(1)}" x2="${w - 20}" y2="${y(v).toFixed(1)}"/>`);
          r.push(`<text class="asse-nero" x="64" y="${(y(v) + 4).toFixed(1)}" text-anchor="end">${f1(v)}</text>`);
        }
        const ym = (pannello.y0 + pannello.y1) / 2;
        r.push(`<text class="asse-nero" x="12" y="${ym}" text-anchor="middle" transform="rotate(-90 12 ${ym})">${unita}</text>`);
      }
      posa.occupa({ x0: 0, y0: pan.quote.y0, x1: w, y1: h });
      return r.join("");
    }

    // The height line and the ground under it, the tunnels on it, the gradients' values.
    quote(p, pan, w, m0, m1) {
      const y = (v) => pan.y1 - ((v - p.quotaMin) / (p.quotaMax - p.quotaMin)) * (pan.y1 - pan.y0);
      const M = p.quote.metri, Q = p.quote.quota;
      const r = [];
      const tr = new Tracciatore(w, 100000, 0.5);
      const punti = [];
      for (let i = 0; i < M.length; ++i) {
        if (M[i] < m0 && i + 1 < M.length && M[i + 1] < m0) continue;
        if (i > 0 && M[i - 1] > m1) break;
        punti.push([this.x(M[i]), y(Q[i])]);
        tr.punto(this.x(M[i]), y(Q[i]), M[i]);
      }
      const linea = tr.fine();
      if (punti.length > 1) {
        const terra = linea + `L${punti[punti.length - 1][0].toFixed(1)} ${pan.y1}L${punti[0][0].toFixed(1)} ${pan.y1}Z`;
        r.push(`<path class="terra" d="${terra}"/>`);
        r.push(`<path class="quota" d="${linea}"/>`);
      }
      // The tunnels as one path: on a long line they are hundreds; the plan names each.
      const mpp = 1 / (this.base.s * this.t.k);
      const gallerie = [];
      for (const g of VistaPiano.unisci(p.gallerie, (x) => x.inizio, (x) => x.fine, mpp)) {
        if (g.a < m0 || g.da > m1) continue;
        const t = new Tracciatore(w, 100000, 0.5);
        t.punto(this.x(g.da), y(quotaA(p, g.da)), g.da);
        for (let i = primoOltre(M, g.da); i < M.length && M[i] < g.a; ++i) t.punto(this.x(M[i]), y(Q[i]), M[i]);
        t.punto(Math.max(this.x(g.a), this.x(g.da) + 1), y(quotaA(p, g.a)), g.a);
        gallerie.push(t.fine());
      }
      if (gallerie.length) r.push(`<path class="galleria" d="${gallerie.join("")}"/>`);
      let ultimaX = -1;
      const tacche = []; // one path: on a long line they are hundreds
      for (const s of p.pendenze) {
        if (s.a < m0 || s.da > m1) continue;
        const x0 = this.x(s.da), x1 = this.x(s.a);
        if (x0 - ultimaX < 1) continue;
        ultimaX = x0;
        tacche.push(`M${x0.toFixed(1)} ${pan.y1 - 14}V${pan.y1}`);
        const testo = `${s.valore > 0 ? "+" : ""}${s.valore}\u2030`;
        if (x1 - x0 > larghezza(testo, "10px sans-serif") + 6) {
          r.push(`<text class="pendenza" x="${((Math.max(x0, 70) + Math.min(x1, w - 20)) / 2).toFixed(1)}" y="${pan.y1 - 4}" text-anchor="middle">${testo}</text>`);
        }
      }
      if (tacche.length) r.push(`<path class="tacca-pendenza" d="${tacche.join("")}"/>`);
      return r.join("");
    }

    velocita(p, pan, w, m0, m1) {
      const y = (v) => pan.y1 - (v / p.velocitaMax) * (pan.y1 - pan.y0);
      const r = [];
      const mpp = 1 / (this.base.s * this.t.k);
      for (const u of VistaPiano.unisci(p.rallentamenti, (x) => x.inizio, (x) => x.fine, mpp)) {
        if (u.a < m0 || u.da > m1) continue;
        const x0 = this.x(u.da), x1 = Math.max(this.x(u.a), x0 + 2);
        const v = u.primo.velocita;
        r.push(`<rect class="ombra-lento" x="${x0.toFixed(1)}" y="${y(v).toFixed(1)}" width="${(x1 - x0).toFixed(1)}" height="${(pan.y1 - y(v)).toFixed(1)}"/>`);
        r.push(`<line class="bordo-lento" x1="${x0.toFixed(1)}" y1="${y(v).toFixed(1)}" x2="${x1.toFixed(1)}" y2="${y(v).toFixed(1)}"/>`);
      }
      for (const s of p.rallentamenti) {
        if (s.avviso === null || s.avviso < m0 || s.avviso > m1) continue;
        const x = this.x(s.avviso);
        r.push(`<line class="linea-avviso" x1="${x.toFixed(1)}" y1="${y(s.velocita).toFixed(1)}" x2="${x.toFixed(1)}" y2="${pan.y1}"/>`);
        this.segniDisegnati.push({ x, y: y(s.velocita), segno: { genere: "slow", m: s.avviso, ogg: s } });
      }
      const tr = new Tracciatore(w, 100000, 0.5);
      for (const t of p.velocita) {
        if (t.a < m0 || t.da > m1) {
          tr.ultimo = null;
          tr.scritto = null;
          continue;
        }
        tr.punto(this.x(t.da), y(t.valore), t.da);
        tr.punto(this.x(t.a), y(t.valore), t.a);
      }
      r.push(`<path class="limite" d="${tr.fine()}"/>`);
      const posa = new Posatore();
      for (const s of p.rallentamenti) {
        if (s.fine < m0 || s.inizio > m1) continue;
        const x0 = this.x(s.inizio), x1 = Math.max(this.x(s.fine), x0 + 2);
        const yt = Math.max(y(s.velocita) - 4, pan.y0 + 30);
        const testo = `slow order ${s.velocita} km/h`, lw = larghezza(testo, "bold 11px sans-serif");
        const c = posa.posa([{ x0: x1 + 4, y0: yt - 10, x1: x1 + 4 + lw, y1: yt + 2 }, { x0: x0 - 4 - lw, y0: yt - 10, x1: x0 - 4, y1: yt + 2 }]);
        if (c) r.push(`<text class="nome-lento" x="${c.x0.toFixed(1)}" y="${yt.toFixed(1)}">${testo}</text>`);
        if (s.avviso === null) continue;
        const xa = this.x(s.avviso), la = larghezza("warning", "10px sans-serif");
        const ca = posa.posa([{ x0: xa - 3 - la, y0: yt - 10, x1: xa - 3, y1: yt + 2 }]);
        if (ca) r.push(`<text class="nome-avviso" x="${ca.x0.toFixed(1)}" y="${yt.toFixed(1)}">warning</text>`);
      }
      // The signals as two paths, masts and heads: on a long line they are hundreds, and the
      // hover card finds them by segniDisegnati, not by their elements.
      let ultimo = -10;
      const aste = [], teste = [];
      for (const e of p.segnali) {
        if (e.posizione < m0 || e.posizione > m1) continue;
        const x = this.x(e.posizione);
        if (Math.abs(x - ultimo) < 1.5) continue;
        ultimo = x;
        aste.push(`M${x.toFixed(1)} ${pan.y1}V${pan.y1 - 12}`);
        teste.push(`M${(x - 3).toFixed(1)} ${pan.y1 - 14}a3 3 0 1 0 6 0a3 3 0 1 0 -6 0`);
        this.segniDisegnati.push({ x, y: pan.y1 - 14, segno: { genere: "feature", m: e.posizione, ogg: e } });
      }
      if (aste.length) r.push(`<path class="asta-segnale" d="${aste.join("")}"/><path class="segnale" d="${teste.join("")}"/>`);
      let ultimoControllo = null;
      for (const e of p.controlli) {
        if (e.posizione < m0 || e.posizione > m1) continue;
        const v = e.valori.velocita;
        const x = this.x(e.posizione), yy = v > p.velocitaMax ? pan.y0 + 6 : y(v);
        if (ultimoControllo && Math.abs(ultimoControllo[0] - x) < 1 && Math.abs(ultimoControllo[1] - yy) < 1) continue;
        ultimoControllo = [x, yy];
        const forma = v > p.velocitaMax ? "l4 8 h-8z" : "l4 5 l-4 5 l-4 -5z"; // a triangle above the scale
        r.push(`<path class="controllo" d="M${x.toFixed(1)} ${(yy - 5).toFixed(1)} ${forma}" role="img" aria-label="speed check ${v} km/h at ${e.posizione} m"/>`);
        this.segniDisegnati.push({ x, y: yy, segno: { genere: "feature", m: e.posizione, ogg: e } });
      }
      return r.join("");
    }

    // Station names in rows over the panels, each beside its dashed line.
    stazioni(p, pan, w, m0, m1, posa) {
      const r = [];
      for (const s of p.stazioni) {
        if (s.posizione < m0 || s.posizione > m1) continue;
        const x = this.x(Math.max(0, s.posizione));
        if (x < 70 || x > w - 20) continue;
        const nome = compatto(s.nome);
        const testi = s.orario ? [`${nome} ${s.ora.slice(0, 5)}`, nome] : [nome];
        let posto = null;
        for (const testo of testi) {
          const lw = larghezza(testo, "bold 12px sans-serif");
          for (let riga = 0; riga < 4 && !posto; ++riga) {
            const yb = STRISCIA - 6 - riga * 14;
            for (const sinistra of [false, true]) {
              const c = { x0: sinistra ? x - 2 - lw : x + 2, y0: yb - 10, x1: sinistra ? x - 2 : x + 2 + lw, y1: yb + 3 };
              if (posa.libero(c) && c.x0 > 0 && c.x1 < w) {
                posa.occupa(c);
                posto = { c, yb, testo, sinistra };
                break;
              }
            }
          }
          if (posto) break;
        }
        const y0 = posto ? posto.yb + 3 : STRISCIA;
        r.push(`<line class="linea-stazione" x1="${x.toFixed(1)}" y1="${y0}" x2="${x.toFixed(1)}" y2="${pan.velocita.y1}"/>`);
        if (posto) {
          r.push(`<text class="nome-stazione profilo" data-stazione="${esc(nome)}" x="${(posto.sinistra ? x - 2 : x + 2).toFixed(1)}" y="${posto.yb}" text-anchor="${posto.sinistra ? "end" : "start"}"><title>${esc(titoloStazione(s))}</title>${esc(posto.testo)}</text>`);
        }
        this.segniDisegnati.push({ x, y: y0, segno: { genere: "station", m: s.posizione, ogg: s } });
      }
      return r.join("");
    }

    problemi(pan, w) {
      const r = [];
      for (const q of problemiConMetro()) {
        const x = this.x(q.metri);
        if (x < 60 || x > w) continue;
        r.push(`<line class="linea-problema ${esc(q.severity)}" x1="${x.toFixed(1)}" y1="${pan.quote.y0}" x2="${x.toFixed(1)}" y2="${pan.velocita.y1}"/>`);
        r.push(`<path class="problema ${esc(q.severity)}" data-problema="${q.indice}" d="M${x.toFixed(1)} ${pan.quote.y0 + 2} l6 11 h-12z" role="img" aria-label="${esc(luogo(q))}: ${esc(q.message)}"/>`);
        this.segniDisegnati.push({ x, y: pan.quote.y0 + 8, segno: { genere: "problem", m: q.metri, ogg: q } });
      }
      return r.join("");
    }
  }

  function titoloStazione(s) {
    return `${compatto(s.nome)}: km ${km(s.posizione)}, area ${s.inizio} to ${s.fine} m${s.orario ? ", " + s.ora : ""}`;
  }
  function titoloGalleria(g) {
    return `tunnel${g.nome ? " " + compatto(g.nome) : ""}, km ${km(g.inizio)} to ${km(g.fine)}`;
  }

  function problemiConMetro() {
    const q = stato.doc && stato.doc.problemi ? stato.doc.problemi.problems : [];
    const r = [];
    q.forEach((x, i) => {
      if (x.metri !== null && x.metri !== undefined) r.push(Object.assign({ indice: i }, x));
    });
    return r;
  }

  // A ring around what was clicked.
  function evidenza(vista, pan) {
    const s = stato.scelto;
    if (!s || s.m === null || s.m === undefined) return "";
    const punto = vista.schermoDi(s.m);
    if (!punto) return "";
    if (pan) {
      const x = punto[0].toFixed(1);
      return `<line class="scelto" x1="${x}" y1="${pan.quote.y0}" x2="${x}" y2="${pan.velocita.y1}"/>`;
    }
    return `<circle class="scelto" cx="${punto[0].toFixed(1)}" cy="${punto[1].toFixed(1)}" r="10"/>`;
  }

  // ---------- drawing on the next frame

  const piano = new VistaPiano();
  const profilo = new VistaProfilo();
  const daDisegnare = new Set();
  let fotogramma = 0;

  function richiedi(vista) {
    if (vista) daDisegnare.add(vista);
    else (daDisegnare.add(piano), daDisegnare.add(profilo));
    if (!fotogramma) fotogramma = requestAnimationFrame(disegnaOra);
  }

  function disegnaOra() {
    fotogramma = 0;
    for (const v of daDisegnare) v.disegna();
    daDisegnare.clear();
  }

  window.addEventListener("resize", () => richiedi());
  for (const b of document.querySelectorAll(".comandi button")) {
    b.addEventListener("click", () => (b.dataset.vista === "piano" ? piano : profilo).comando(b.dataset.azione));
  }

  // ---------- the hover card

  function scheda(vista, e) {
    const p = stato.prep;
    const card = $("scheda");
    if (!p) return;
    const [x, y] = vista.posizione(e);
    const m = vista === profilo ? vista.metro(x) : vista.metroVicino(x, y);
    const segno = vista.segnoVicino(e);
    if (m === null && !segno) return nascondiScheda();
    const metro = segno ? segno.m : Math.round(m);
    if (metro < 0 || metro > p.fine) return nascondiScheda();
    const righe = [`<b>km ${km(metro)}</b>`];
    righe.push(`height ${f1(quotaA(p, metro))} m`);
    const g = valoreA(p.pendenze, metro);
    if (g) righe.push(`gradient ${g.valore > 0 ? "+" : ""}${g.valore}\u2030`);
    const v = valoreA(p.velocita, metro);
    if (v) righe.push(`speed limit ${v.valore} km/h`);
    const intorno = [];
    for (const s of p.stazioni) if (metro >= s.inizio && metro <= s.fine) intorno.push({ genere: "station", m: s.posizione, ogg: s });
    for (const t of p.gallerie) if (metro >= t.inizio && metro < t.fine) intorno.push({ genere: "tunnel", ogg: t });
    for (const r of p.rallentamenti) if (metro >= r.inizio && metro <= r.fine) intorno.push({ genere: "slow", ogg: r });
    for (const s of segno ? [segno] : intorno.slice(0, 3)) {
      righe.push(`<b>${esc(nomeSegno(s))}</b>`);
      const src = sorgenteDi(s);
      if (src) righe.push(`<span class="luogo">${esc(luogo(src))}</span>`);
    }
    card.innerHTML = righe.join("<br>");
    card.hidden = false;
    const larga = card.offsetWidth, alta = card.offsetHeight;
    card.style.left = Math.min(e.clientX + 14, window.innerWidth - larga - 4) + "px";
    card.style.top = Math.min(e.clientY + 14, window.innerHeight - alta - 4) + "px";
  }

  function nascondiScheda() {
    $("scheda").hidden = true;
  }

  function nomeSegno(s) {
    if (s.genere === "tunnel") return titoloGalleria(s.ogg);
    if (s.genere === "slow") return `slow order ${s.ogg.velocita} km/h, km ${km(s.ogg.inizio)} to ${km(s.ogg.fine)}`;
    return descrizioneSegno(s);
  }

  // Where a feature's record stands: "sorgente" is [file, line, column], the file counted in
  // the drawing's "file".
  function sorgenteDi(s) {
    if (s.genere === "problem") return s.ogg;
    const q = s.ogg.sorgente;
    return q ? { file: stato.prep.file[q[0]], line: q[1], column: q[2] } : null;
  }

  // ---------- what was clicked

  function scegli(s) {
    stato.scelto = s;
    const righe = [`<p><b>${esc(nomeSegno(s))}</b></p>`];
    const src = sorgenteDi(s);
    righe.push(src ? `<p class="luogo" data-luogo="${esc(luogo(src))}">${esc(luogo(src))}</p>` : `<p class="vuoto">placed by the compiler: no record of its own</p>`);
    const voci = [];
    if (s.m !== undefined && s.m !== null) voci.push(["km", km(s.m)]);
    if (s.genere === "feature") {
      voci.push(["cell", s.ogg.cella], ["kind", `${s.ogg.tipo} (${s.ogg.genere})`]);
      for (const [k, v] of Object.entries(s.ogg.valori)) voci.push([k, v]);
    } else if (s.genere === "station") {
      const o = s.ogg;
      voci.push(["area", `${o.inizio} to ${o.fine} m`], ["type", o.tipo], ["time", o.orario ? o.ora : "none"], ["slot", o.slot]);
    } else if (s.genere === "slow") {
      voci.push(["from", `${s.ogg.inizio} m`], ["to", `${s.ogg.fine} m`], ["warning board", s.ogg.avviso === null ? "none" : `${s.ogg.avviso} m`]);
    } else if (s.genere === "problem") {
      for (const n of s.ogg.notes) voci.push(["note", `${luogo(n)}: ${n.message}`]);
    }
    righe.push("<dl>" + voci.map(([k, v]) => `<dt>${esc(k)}</dt><dd>${esc(v)}</dd>`).join("") + "</dl>");
    $("scelta").innerHTML = righe.join("");
    for (const li of document.querySelectorAll("#problemi li")) {
      li.classList.toggle("scelto", s.genere === "problem" && Number(li.dataset.indice) === s.ogg.indice);
    }
    if (s.m !== undefined && s.m !== null) (piano.mostra(s.m), profilo.mostra(s.m));
    richiedi();
  }

  // ---------- the document on the page

  function mostraProblemi(doc) {
    const lista = $("problemi");
    const q = doc.problemi ? doc.problemi.problems : [];
    $("riassunto").textContent = doc.compilata ? `(${doc.riassunto})` : "";
    if (!doc.compilata) {
      lista.innerHTML = `<li class="error nessuno">${doc.messaggi.map(esc).join("<br>") || "not compiled"}</li>`;
      return;
    }
    if (q.length === 0) {
      lista.innerHTML = `<li class="nessuno">No problems: the sources compile with codice_errore=0.</li>`;
      return;
    }
    lista.innerHTML = q
      .map((x, i) => {
        const dove = luogo(x);
        const codice = x.code ? ` ${x.code}` : "";
        return `<li class="${esc(x.severity)}" data-indice="${i}" data-codice="${x.code}" data-luogo="${esc(dove)}" tabindex="0"><b>${esc(x.severity)}${codice}</b> ${esc(x.message)}${x.position !== undefined ? ` (position ${x.position} m)` : ""}<br><span class="luogo">${esc(dove)}</span></li>`;
      })
      .join("");
    for (const li of lista.querySelectorAll("li[data-indice]")) {
      const scegliProblema = () => {
        const i = Number(li.dataset.indice);
        scegli({ genere: "problem", m: q[i].metri, ogg: Object.assign({ indice: i }, q[i]) });
      };
      li.addEventListener("click", scegliProblema);
      li.addEventListener("keydown", (e) => e.key === "Enter" && scegliProblema());
    }
  }

  function mostraStato(doc) {
    const s = $("stato");
    const ok = doc.compilata && doc.codice_errore === 0;
    s.className = ok ? "buono" : "errori";
    if (!doc.compilata) s.textContent = "not compiled";
    else if (ok) s.textContent = `compiles: ${doc.riassunto}`;
    else s.textContent = `codice_errore=${doc.codice_errore}: ${doc.riassunto}`;
    $("titolo").textContent = `${doc.linea} \u2014 train ${doc.treno}`;
    document.title = `${doc.linea} ${doc.treno} \u2014 scenario-tool serve`;
    const d = doc.disegno;
    $("conteggi").textContent = d
      ? `${d.conteggi.stations} stations, ${d.conteggi.signals} signals, ${d.conteggi.tunnels} tunnels, line ${km(d.lunghezza_linea, 1)} km`
      : "";
    const avvisi = doc.messaggi.slice();
    if (doc.disegno && doc.versione_disegno !== doc.versione) {
      avvisi.push("The sources do not compile: the drawing is that of an earlier save. The problems are listed on the right.");
    } else if (!doc.disegno) {
      avvisi.push("Nothing to draw yet: the sources have not compiled since serve started.");
    }
    $("avvisi").innerHTML = avvisi.map((a) => `<p>${esc(a)}</p>`).join("");
  }

  function aggiorna(doc) {
    const nuovoDisegno = !stato.doc || doc.versione_disegno !== stato.doc.versione_disegno;
    stato.doc = doc;
    if (nuovoDisegno && doc.disegno) stato.prep = prepara(doc.disegno);
    if (stato.scelto && stato.scelto.genere === "problem") stato.scelto = null;
    mostraStato(doc);
    mostraProblemi(doc);
    document.body.dataset.versione = doc.versione;
    document.body.dataset.versioneDisegno = doc.versione_disegno === null ? "" : doc.versione_disegno;
    richiedi();
    // On the screen once this frame is painted: the time the benchmark reads.
    requestAnimationFrame(() =>
      setTimeout(() => {
        stato.mostrata = doc.versione;
        document.body.dataset.mostrata = doc.versione;
        window.tempiDisegno.push({ versione: doc.versione, quando: performance.timeOrigin + performance.now() });
        if (window.tempiDisegno.length > 1000) window.tempiDisegno.shift();
      }, 0),
    );
  }

  // One fetch at a time; a version announced meanwhile is fetched once it is done.
  async function carica(versione) {
    if (stato.caricamento) {
      stato.pendente = Math.max(stato.pendente, versione);
      return;
    }
    if (stato.doc && versione <= stato.doc.versione) return;
    stato.caricamento = true;
    try {
      const r = await fetch("/dati.json", { cache: "no-store" });
      if (r.ok) aggiorna(await r.json());
    } catch (e) {
      scollegato("the page could not fetch the route's data");
    } finally {
      stato.caricamento = false;
    }
    if (stato.pendente > (stato.doc ? stato.doc.versione : 0)) {
      const v = stato.pendente;
      stato.pendente = 0;
      carica(v);
    }
  }

  function scollegato(perche) {
    const s = $("stato");
    s.className = "scollegato";
    s.textContent = `disconnected: ${perche}`;
  }

  function collega() {
    const eventi = new EventSource("/eventi");
    eventi.addEventListener("dati", (e) => carica(Number(e.data)));
    eventi.addEventListener("open", () => stato.doc && mostraStato(stato.doc));
    eventi.addEventListener("error", () => {
      // The browser tries again by itself, unless the server refused the stream.
      scollegato(eventi.readyState === EventSource.CLOSED
        ? "too many pages are open on this server; close one and reload"
        : "serve has stopped; this page reconnects when it runs again");
    });
  }

  collega();
  carica(1);
})();
