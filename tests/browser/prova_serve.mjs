// The page of `scenario-tool serve` in a real browser (headless Chromium from Debian): the
// shipped route is drawn with its stations and signals; a save that moves a station redraws
// the page without reloading it; a save that breaks the source lists the error while the last
// drawing stays, and clicking it shows FILE:LINE:COL; a save that fixes it takes the error
// away; a folder taken away and brought back is told and served again; Ctrl-C ends the server
// with status 0. Everything is checked by the page's own data attributes and texts, not by
// pixels.
//
// Usage: node prova_serve.mjs SCENARIO_TOOL [SCREENSHOT.png]
// Exits 77 (skipped) when Chromium or puppeteer-core is not installed (bash scripts/setup.sh
// installs both), unless BROWSER_OBBLIGATORIO=1, as in CI, where that is a failure.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";

// Absolute: serve is started in a folder of its own.
const [strumento, schermata] = process.argv.slice(2).map((a) => path.resolve(a));
const CHROMIUM = process.env.CHROMIUM || "/usr/bin/chromium-headless-shell";
const PUPPETEER = path.join(path.dirname(fileURLToPath(import.meta.url)), "node_modules", "puppeteer-core");
for (const [cosa, dove] of [["Chromium", CHROMIUM], ["puppeteer-core", PUPPETEER]]) {
  if (fs.existsSync(dove)) continue;
  console.log(`${cosa} is not installed at ${dove} (bash scripts/setup.sh installs it)`);
  process.exit(process.env.BROWSER_OBBLIGATORIO === "1" ? 1 : 77);
}
// Imported only now, so that a missing puppeteer-core is told as above.
const { apriBrowser, avviaServe, cartellaTemporanea, esegui, fermaServe, leggi, salva } = await import("./aiuti.mjs");

// The mouse over the middle of what `selettore` picks, found in one step: the page draws
// again on the next frame, replacing its elements, so a handle taken earlier may be gone.
async function sopra(pagina, selettore) {
  const c = await pagina.$eval(selettore, (e) => {
    const r = e.getBoundingClientRect();
    return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
  });
  await pagina.mouse.move(c.x, c.y);
}

const ATTESA = 20000; // the longest wait for one change to show, in ms: a stuck page, not a slow one

const lavoro = cartellaTemporanea("prova-serve");
const cartella = path.join(lavoro, "percorso");
await esegui(strumento, ["export", "--dir", cartella]);
const treno = path.join(cartella, "ARONA_DOMODOSSOLA_324-.txt");
const originale = leggi(treno);
const MEINA = "stazione,    4850, 24,";
assert.ok(originale.includes(MEINA), "the shipped train service holds MEINA at 4850 m");

const server = await avviaServe(strumento, lavoro, "percorso");
assert.match(server.indirizzo, /^http:\/\/127\.0\.0\.1:\d+\/$/);
const browser = await apriBrowser(lavoro);
const errori = [];
try {
  const pagina = await browser.newPage();
  pagina.on("pageerror", (e) => errori.push(e.message));
  pagina.on("console", (m) => m.type() === "error" && errori.push(m.text()));
  await pagina.setViewport({ width: 1500, height: 950 });
  await pagina.goto(server.indirizzo);
  await pagina.waitForSelector("body[data-mostrata]", { timeout: ATTESA });

  // The stations and signals of the shipped route, in both views.
  const stazioni = await pagina.$$eval("#piano circle[data-stazione]", (c) => c.map((x) => x.dataset.stazione));
  assert.equal(stazioni.length, 14);
  assert.ok(stazioni.includes("ARONA") && stazioni.includes("DOMODOSSOLA"), stazioni.join());
  assert.equal(await pagina.$eval('#piano [data-stazione="MEINA"]', (c) => c.dataset.posizione), "4850");
  assert.ok(await pagina.$('#piano circle[data-segnale="15150"]'), "the signal at 15150 m is drawn");
  assert.match(await pagina.$eval('#piano circle[data-segnale="15150"]', (c) => c.getAttribute("aria-label")), /^signal at 15150 m, cell 304$/);
  assert.ok(await pagina.$('#profilo text[data-stazione="STRESA"]'), "STRESA is named in the profile");
  assert.match(await pagina.$eval("#stato", (s) => s.textContent), /^compiles: 0 errors, 0 warnings$/);

  // The hover card over that signal names its record.
  await sopra(pagina, '#piano circle[data-segnale="15150"]');
  await pagina.waitForSelector("#scheda:not([hidden])", { timeout: ATTESA });
  const scheda = await pagina.$eval("#scheda", (s) => s.innerText);
  assert.match(scheda, /km 15\.150/);
  assert.match(scheda, /speed limit \d+ km\/h/);
  assert.match(scheda, /percorso\/ARONA_DOMODOSSOLA_324-\.txt:\d+:1/);

  // A save that moves MEINA redraws the page where it is, without loading it again.
  await pagina.evaluate(() => (window.segnoDellaProva = 324));
  const prima = Number(await pagina.$eval("body", (b) => b.dataset.versione));
  salva(treno, originale.replace(MEINA, "stazione,    5100, 24,"));
  await pagina.waitForSelector('#piano [data-stazione="MEINA"][data-posizione="5100"]', { timeout: ATTESA });
  assert.equal(await pagina.evaluate(() => window.segnoDellaProva), 324, "the page was not reloaded");
  assert.ok(Number(await pagina.$eval("body", (b) => b.dataset.versione)) > prima);

  // A save that breaks it: the error is listed, the last drawing stays.
  salva(treno, originale.replace(MEINA, "stazione,    4825, 24,"));
  await pagina.waitForSelector('#problemi li.error[data-codice="8"]', { timeout: ATTESA });
  const errore = await pagina.$eval('#problemi li.error[data-codice="8"]', (li) => ({ testo: li.innerText, luogo: li.dataset.luogo }));
  assert.equal(errore.luogo, "percorso/ARONA_DOMODOSSOLA_324-.txt:19:14");
  assert.match(errore.testo, /`stazione` field `posizione` 4825 m is not a multiple of 50/);
  assert.equal(await pagina.$$eval("#piano circle[data-stazione]", (c) => c.length), 14);
  assert.equal(await pagina.$eval('#piano [data-stazione="MEINA"]', (c) => c.dataset.posizione), "5100");
  assert.match(await pagina.$eval("#avvisi", (a) => a.textContent), /drawing is that of an earlier save/);
  assert.match(await pagina.$eval("#stato", (s) => s.textContent), /^codice_errore=8: 1 error, 0 warnings$/);
  assert.ok(await pagina.$("#piano path.problema.error"), "the error is marked on the plan");

  // Clicking it shows where it is.
  await pagina.click('#problemi li.error[data-codice="8"]');
  assert.equal(await pagina.$eval("#scelta .luogo", (l) => l.textContent), "percorso/ARONA_DOMODOSSOLA_324-.txt:19:14");
  if (schermata) {
    // The hover card over the signal again, for the picture.
    await sopra(pagina, '#piano circle[data-segnale="15150"]');
    await pagina.waitForSelector("#scheda:not([hidden])", { timeout: ATTESA });
    await pagina.screenshot({ path: schermata });
  }

  // A save that fixes it takes the error away.
  salva(treno, originale);
  await pagina.waitForSelector('#piano [data-stazione="MEINA"][data-posizione="4850"]', { timeout: ATTESA });
  assert.equal(await pagina.$$eval("#problemi li.error", (l) => l.length), 0);
  assert.equal(await pagina.$eval("#avvisi", (a) => a.textContent), "");
  assert.equal(await pagina.evaluate(() => window.segnoDellaProva), 324);

  // The folder taken away and brought back: the server says so and keeps serving.
  const altrove = path.join(lavoro, "altrove");
  fs.renameSync(cartella, altrove);
  await pagina.waitForFunction(() => document.querySelector("#avvisi").textContent.includes("is not there"), { timeout: ATTESA });
  const avvisi = await pagina.$$eval("#avvisi p", (p) => p.map((x) => x.textContent));
  assert.equal(avvisi[0], "folder percorso is not there: serve watches for it to come back");
  assert.match(avvisi[1], /^no source \/.*\/percorso\/ARONA_DOMODOSSOLA_linea\.txt$/);
  assert.equal(await pagina.$$eval("#piano circle[data-stazione]", (c) => c.length), 14);
  fs.renameSync(altrove, cartella);
  await pagina.waitForFunction(() => document.querySelector("#avvisi").textContent === "", { timeout: ATTESA });
  assert.deepEqual(errori, []);
} finally {
  await browser.close();
  const fine = await fermaServe(server);
  assert.deepEqual(fine, { stato: 0, segnale: null }, server.errori);
  assert.match(server.errori, /scenario-tool: serve stopped\n$/);
  fs.rmSync(lavoro, { recursive: true, force: true });
}
// Standard error, read whole once the server has ended, says the same.
assert.match(
  server.errori,
  /\nscenario-tool: folder percorso is not there: serve watches for it to come back\nscenario-tool: no source \/.*\/percorso\/ARONA_DOMODOSSOLA_linea\.txt\nscenario-tool: no source .*\nscenario-tool: folder percorso is back\n0 errors, 0 warnings\n/,
);
console.log("serve's page: drawn, redrawn on save, errors listed and cleared");
