// What the browser test and the benchmark of `scenario-tool serve` share: a route folder, the
// server started on a free port and stopped with SIGINT, headless Chromium from Debian driven
// by puppeteer-core (nothing is downloaded), and a save made as editors make it.
import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import readline from "node:readline";
import puppeteer from "puppeteer-core";

const CHROMIUM = process.env.CHROMIUM || "/usr/bin/chromium-headless-shell";

// The flags known to work here, with a profile of the run's own.
export async function apriBrowser(cartella) {
  const profilo = fs.mkdtempSync(path.join(cartella, "profilo-"));
  return puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: [
      "--headless",
      "--no-sandbox",
      "--disable-gpu",
      "--disable-quic",
      "--no-first-run",
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
      `--user-data-dir=${profilo}`,
    ],
  });
}

export function cartellaTemporanea(nome) {
  return fs.mkdtempSync(path.join(os.tmpdir(), `${nome}-`));
}

// Runs a command to its end; its standard error is shown when it fails.
export function esegui(programma, argomenti, opzioni = {}) {
  return new Promise((fatto, fallito) => {
    const p = spawn(programma, argomenti, { stdio: ["ignore", "pipe", "pipe"], ...opzioni });
    let errori = "";
    p.stderr.on("data", (d) => (errori += d));
    p.on("close", (stato) => (stato === 0 ? fatto() : fallito(new Error(`${programma} ${argomenti.join(" ")}: ${stato}\n${errori}`))));
  });
}

// `scenario-tool serve --dir cartella --port 0`, started in `da`; resolves with the address it
// prints first.
export function avviaServe(strumento, da, cartella) {
  const p = spawn(strumento, ["serve", "--dir", cartella, "--port", "0"], {
    cwd: da,
    stdio: ["ignore", "pipe", "pipe"],
  });
  const server = { processo: p, errori: "", uscita: null };
  p.stderr.on("data", (d) => (server.errori += d));
  server.finito = new Promise((fatto) => p.on("close", (stato, segnale) => fatto({ stato, segnale })));
  return new Promise((fatto, fallito) => {
    const righe = readline.createInterface({ input: p.stdout });
    righe.once("line", (riga) => {
      server.indirizzo = riga;
      fatto(server);
    });
    server.finito.then((f) => fallito(new Error(`serve ended before its address: ${JSON.stringify(f)}\n${server.errori}`)));
  });
}

// SIGINT, as Ctrl-C sends it; resolves with how the server ended.
export async function fermaServe(server) {
  server.processo.kill("SIGINT");
  return server.finito;
}

// A save as an editor makes it: the new text in a temporary file beside the source, renamed
// over it.
export function salva(file, testo) {
  const temporaneo = path.join(path.dirname(file), `.${path.basename(file)}.${process.pid}.tmp`);
  fs.writeFileSync(temporaneo, testo, "latin1");
  fs.renameSync(temporaneo, file);
}

export function leggi(file) {
  return fs.readFileSync(file, "latin1");
}
