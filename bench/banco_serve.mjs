// From a source's save to the redrawn page of `scenario-tool serve`, measured in the browser
// (headless Chromium from Debian, puppeteer-core from tests/browser/): each save moves a
// station by 50 m and back, made as editors make it (a temporary file renamed over the
// source); its time is the moment of the rename, and the page's is the moment it has painted
// the new drawing (window.tempiDisegno). The two clocks are those of one machine; their offset,
// measured before the saves, is taken off. The saves are a pause apart, so that each is read
// on its own.
//
// Usage: node bench/banco_serve.mjs SCENARIO_TOOL SALVATAGGI [PERCORSO_SINTETICO [METRI]]
// The shipped route always; with the synthetic route generator (bench/percorso_sintetico), its
// route of METRI (1000000 unless given) too. Prints p50, p95 and the extremes of each, in ms.
import fs from "node:fs";
import path from "node:path";
import { performance } from "node:perf_hooks";
import { apriBrowser, avviaServe, cartellaTemporanea, esegui, fermaServe, leggi, salva } from "../tests/browser/aiuti.mjs";

const [strumento, salvataggi, generatore, metri = "1000000"] = process.argv.slice(2);
const PAUSA = 250; // ms between saves: past the server's longest wait for a quiet folder
const ATTESA = 60000;

const adesso = () => performance.timeOrigin + performance.now();
const attendi = (ms) => new Promise((r) => setTimeout(r, ms));

function percentile(ordinati, p) {
  return ordinati[Math.min(ordinati.length - 1, Math.ceil((p / 100) * ordinati.length) - 1)];
}

// The page's clock less this one's, the median of readings bracketed by this clock.
async function scarto(pagina) {
  const letture = [];
  for (let i = 0; i < 21; i++) {
    const prima = adesso();
    const sua = await pagina.evaluate(() => performance.timeOrigin + performance.now());
    const dopo = adesso();
    letture.push(sua - (prima + dopo) / 2);
  }
  return letture.sort((a, b) => a - b)[10];
}

// The source line of a station other than the first, moved by 50 m and back at each save.
function stazioneMobile(testo) {
  const righe = [...testo.matchAll(/^(\s*stazione,\s*)(\d+)(,)/gim)];
  if (righe.length < 2) throw new Error("no second station to move");
  const r = righe[1];
  const sposta = (m) => testo.slice(0, r.index) + r[1] + m + r[3] + testo.slice(r.index + r[0].length);
  return [testo, sposta(Number(r[2]) + 50)];
}

async function misura(nome, lavoro, cartella, treno) {
  const versioni = stazioneMobile(leggi(treno));
  const server = await avviaServe(path.resolve(strumento), lavoro, cartella);
  const browser = await apriBrowser(lavoro);
  try {
    const pagina = await browser.newPage();
    await pagina.setViewport({ width: 1500, height: 950 });
    await pagina.goto(server.indirizzo);
    await pagina.waitForSelector("body[data-mostrata]", { timeout: ATTESA });
    const byte = (await (await fetch(server.indirizzo + "dati.json")).arrayBuffer()).byteLength;
    const d = await scarto(pagina);
    const tempi = [];
    const parti = { server: [], trasferimento: [], pagina: [] };
    for (let i = 1; i <= Number(salvataggi); i++) {
      const ultima = await pagina.evaluate(() => window.tempiDisegno.at(-1).versione);
      await attendi(PAUSA);
      const salvato = adesso();
      salva(treno, versioni[i % 2]);
      const disegnata = await pagina.waitForFunction(
        (v) => {
          const t = window.tempiDisegno.at(-1);
          return t.versione > v && document.body.dataset.versioneDisegno === String(t.versione) && t;
        },
        { timeout: ATTESA, polling: 5 },
        ultima,
      );
      const { quando } = await disegnata.jsonValue();
      // The page's fetch of the data: it starts when the event stream tells of the new version.
      const f = await pagina.evaluate(() => {
        const e = performance.getEntriesByType("resource").filter((x) => x.name.endsWith("/dati.json")).at(-1);
        return { inizio: performance.timeOrigin + e.startTime, fine: performance.timeOrigin + e.responseEnd };
      });
      tempi.push(quando - d - salvato);
      parti.server.push(f.inizio - d - salvato);
      parti.trasferimento.push(f.fine - f.inizio);
      parti.pagina.push(quando - f.fine);
    }
    const ms = (x) => x.toFixed(1);
    const riassunto = (v) => {
      v.sort((a, b) => a - b);
      return `p50 ${ms(percentile(v, 50))} ms, p95 ${ms(percentile(v, 95))} ms`;
    };
    console.log(
      `${nome}: ${tempi.length} saves, ${riassunto(tempi)}, min ${ms(tempi[0])} ms, max ${ms(tempi.at(-1))} ms ` +
        `(data ${(byte / 1024).toFixed(0)} KiB, clock offset ${d.toFixed(2)} ms)\n` +
        `  save to the page told: ${riassunto(parti.server)}; the data fetched: ${riassunto(parti.trasferimento)}; ` +
        `parsed, drawn and painted: ${riassunto(parti.pagina)}`,
    );
  } finally {
    await browser.close();
    await fermaServe(server);
  }
}

const lavoro = cartellaTemporanea("banco-serve");
try {
  const spedito = path.join(lavoro, "spedito");
  await esegui(path.resolve(strumento), ["export", "--dir", spedito]);
  await misura("shipped route", lavoro, "spedito", path.join(spedito, "ARONA_DOMODOSSOLA_324-.txt"));
  if (generatore) {
    const sintetico = path.join(lavoro, "sintetico");
    await esegui(path.resolve(generatore), ["genera", metri, sintetico]);
    await misura(`${Number(metri) / 1000} km route`, lavoro, "sintetico", path.join(sintetico, "SINTETICA_1-.txt"));
  }
} finally {
  fs.rmSync(lavoro, { recursive: true, force: true });
}
