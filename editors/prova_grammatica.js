// The grammar of the sources tokenized by the engine VS Code colours with (vscode-textmate on
// Oniguruma): each sample line gives exactly the scopes expected, field by field.
//
//   npm ci --prefix editors && node editors/prova_grammatica.js
//
// Exits 0 when every line is coloured as expected, 1 otherwise, 77 when the engine is not
// installed.
const fs = require('fs');
const path = require('path');

let textmate, oniguruma;
try {
  textmate = require('vscode-textmate');
  oniguruma = require('vscode-oniguruma');
} catch (e) {
  console.error('prova_grammatica: vscode-textmate is not installed (npm ci --prefix editors)');
  process.exit(77);
}

// Each line with its tokens as [text, last scope], blanks and separators left out.
const casi = [
  ['[stazioni]', [['[stazioni]', 'entity.name.section.scenario']]],
  ['  [Fine]  ', [['  [Fine]', 'entity.name.section.scenario']]],
  ['segnale, 1800, -2, +4', [
    ['segnale', 'keyword.other.scenario'], [' 1800', 'constant.numeric.scenario'],
    [' -2', 'constant.numeric.scenario'], [' +4', 'constant.numeric.scenario']]],
  ['lunghezza percorso,    4000', [
    ['lunghezza percorso', 'keyword.other.scenario'], ['    4000', 'constant.numeric.scenario']]],
  ['stazione, 0, 8, CITT\u00c0 DI PROVA', [
    ['stazione', 'keyword.other.scenario'], [' 0', 'constant.numeric.scenario'],
    [' 8', 'constant.numeric.scenario'], [' CITT\u00c0 DI PROVA', 'string.unquoted.scenario']]],
  ['cartello_indicatore,  1950,   (GALLERIA)(m 400   )', [
    ['cartello_indicatore', 'keyword.other.scenario'], ['  1950', 'constant.numeric.scenario'],
    ['   (GALLERIA)(m 400   )', 'string.unquoted.scenario']]],
  // A misspelt keyword, a keyword in another case and a keyword past the first field are not
  // coloured as keywords.
  ['segnalle, 3', [['segnalle', 'source.scenario'], [' 3', 'constant.numeric.scenario']]],
  ['SEGNALE, 3', [['SEGNALE', 'source.scenario'], [' 3', 'constant.numeric.scenario']]],
  ['curvad4, segnale', [['curvad4', 'keyword.other.scenario'], [' segnale', 'string.unquoted.scenario']]],
];

async function prova() {
  const wasm = fs.readFileSync(require.resolve('vscode-oniguruma/release/onig.wasm'));
  await oniguruma.loadWASM(wasm.buffer);
  const registro = new textmate.Registry({
    onigLib: Promise.resolve({
      createOnigScanner: (p) => new oniguruma.OnigScanner(p),
      createOnigString: (s) => new oniguruma.OnigString(s),
    }),
    loadGrammar: async () => textmate.parseRawGrammar(
        fs.readFileSync(path.join(__dirname, 'scenario.tmLanguage.json'), 'utf8'),
        'scenario.tmLanguage.json'),
  });
  const grammatica = await registro.loadGrammar('source.scenario');
  let sbagliati = 0;
  for (const [riga, attesi] of casi) {
    const r = grammatica.tokenizeLine(riga, textmate.INITIAL);
    const letti = r.tokens
        .map((t) => [riga.substring(t.startIndex, t.endIndex), t.scopes[t.scopes.length - 1]])
        .filter(([testo, scopo]) => testo.trim() !== '' && scopo !== 'punctuation.separator.scenario');
    if (JSON.stringify(letti) !== JSON.stringify(attesi)) {
      console.error('prova_grammatica: ' + JSON.stringify(riga) + '\n  got      ' +
                    JSON.stringify(letti) + '\n  expected ' + JSON.stringify(attesi));
      ++sbagliati;
    }
  }
  process.exit(sbagliati === 0 ? 0 : 1);
}

prova().catch((e) => {
  console.error('prova_grammatica: ' + e.stack);
  process.exit(1);
});
