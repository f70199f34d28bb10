// The sources' keywords and fields as data. Documented ranges are what a sound route uses: the
// compiler accepts more (most fields are whole numbers of 32 bits), and `accettati`, `multiplo`,
// `passo` and `avvolge` say what it does outside them.
#include "compiler/campi_sorgenti.h"

#include <algorithm>
#include <vector>

#include "compiler/formato_celle.h"
#include "compiler/lettore_campi.h"
#include "compiler/modello.h"

namespace scenario {
namespace {

constexpr int64_t max_32 = 2147483647;
constexpr int64_t min_32 = -max_32 - 1;
constexpr int64_t max_16 = 32767;
constexpr int64_t min_16 = -32768;
// A position: from the start of the line to the last one the range check lets through on the
// longest line (the run-out past its end, less the 100 m margin).
constexpr int64_t posizione_max = lunghezza_massima + metri_oltre_la_fine - 100;

constexpr auto testo = larghezza_campo::testo;
constexpr auto l32 = larghezza_campo::intero_32;
constexpr auto l16 = larghezza_campo::intero_16;
constexpr auto l8 = larghezza_campo::byte;

// What the compiler takes in a field: any number it can read, a byte, 16 bits.
constexpr valori_accettati qualsiasi{min_32, max_32};
constexpr valori_accettati di_un_byte{0, 255};
constexpr valori_accettati di_16_bit{min_16, max_16};
// A point feature's cell p / 50 + 1 (halves to even) must not fall before cell 0.
constexpr valori_accettati dopo_la_cella_zero{-75, max_32};

// clang-format off
constexpr sezione_sorgente sezioni[] = {
    {file_sorgente::linea, "[generale]", "the line constants: length, kilometric progressives, backgrounds, signal repetition. Every field before this header is skipped"},
    {file_sorgente::linea, "[curve]", "the curves of the track plan, in order along the line. Any header closes `[generale]`"},
    {file_sorgente::linea, "[pendenze]", "the gradients, in order along the line"},
    {file_sorgente::linea, "[montagne]", "the tunnels"},
    {file_sorgente::linea, "[cartelli]", "the speed-indicator boards"},
    {file_sorgente::linea, "[indicazioni]", "the signboards (texts shown beside the line)"},
    {file_sorgente::linea, "[fine]", "the end: the last field of a file is never read as a record"},
    {file_sorgente::treno, "[generale]", "the consist, sand and clock. Every field before this header is skipped"},
    {file_sorgente::treno, "[aderenze]", "the adhesion along the line, in order"},
    {file_sorgente::treno, "[vel_limite]", "the line speed limits, in order"},
    {file_sorgente::treno, "[stazioni]", "the stations with their timetable, in order; before the signals and slow orders"},
    {file_sorgente::treno, "[rallentamenti]", "the slow orders"},
    {file_sorgente::treno, "[segnali]", "the signals"},
    {file_sorgente::treno, "[codici]", "empty in the shipped route; the place for `abbattimento` records"},
    {file_sorgente::treno, "[fine]", "the end: the last field of a file is never read as a record"},
};

constexpr campo_sorgente lunghezza[] = {
    {.nome = "L", .significato = "length of the line from its start (shipped: 57000)", .unita = "m", .larghezza = l32, .minimo = 1, .massimo = lunghezza_massima, .accettati = {0, lunghezza_massima, 25, 1}, .regola = "a line is 0 to 1000000 m long", .uso = "slot 84 `fine`; the route gets (L + 7000) / 50 cells of 50 m (7 km of run-out past the end), the track plan L + 7001 points"},
};
constexpr campo_sorgente progressiva[] = {
    {.nome = "inizio", .significato = "start of a kilometric progressive, for the simulator; the compiler only sorts the three by it (shipped: all three 0, 0, 0: none)", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = qualsiasi, .multiplo = 50, .codice_multiplo = 2, .uso = "sorting key of slots 81 to 83 (the greatest `inizio` goes to slot 81)"},
    {.nome = "fine", .significato = "its end, for the simulator", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = qualsiasi, .multiplo = 50, .codice_multiplo = 2, .uso = "stored with the record"},
    {.nome = "posizione", .significato = "1: its end lies 100 m further; otherwise for the simulator", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 1, .accettati = qualsiasi, .uso = "stored with the record"},
};
constexpr campo_sorgente sfondo[] = {
    {.nome = "valore", .significato = "background value: passed to the simulator unchanged; the compiler gives it no meaning (shipped: `uno` 1, `due` 31000, `tre` 0)", .unita = "", .larghezza = l32, .minimo = 0, .massimo = max_32, .accettati = qualsiasi, .uso = "slot 85: `uno` to `inizio`, `due` to `posizione`, `tre` to `fine`, unchanged"},
};
constexpr campo_sorgente ripetizione[] = {
    {.nome = "inizio", .significato = "start of the stretch where signals are repeated in the cab (shipped: 1500)", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = qualsiasi, .multiplo = 50, .codice_multiplo = 3, .uso = "slot 86 `inizio`"},
    {.nome = "fine", .significato = "its end; 0 for no repetition (shipped: 54500)", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = qualsiasi, .multiplo = 50, .codice_multiplo = 4, .uso = "slot 86 `fine`. The keyword's \"4\" or \"9\" (the number of codes) goes to slot 86 `posizione`, 0 when `fine` is 0; neither digit: code 5"},
};
constexpr campo_sorgente curva[] = {
    {.nome = "inizio", .significato = "where the curve starts", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = qualsiasi, .cella = cella_campo::tracciato, .uso = "the track plan runs straight up to it, then turns by the class's curvature every metre. Only when the plan is built (not with --no-plan)"},
    {.nome = "lunghezza", .significato = "length of the curve", .unita = "m", .larghezza = l32, .minimo = 1, .massimo = posizione_max, .accettati = qualsiasi, .uso = "points `inizio` + 1 to `inizio` + `lunghezza` of the plan turn"},
};
constexpr campo_sorgente pendenza[] = {
    {.nome = "posizione", .significato = "where the gradient starts", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = qualsiasi, .cella = cella_campo::passo, .uso = "the gradient in force so far fills the cells up to cell p / 50 - 1"},
    {.nome = "pendenza", .significato = "gradient from here on, positive uphill (shipped: -6 to +10)", .unita = "per mille", .larghezza = l32, .minimo = -100, .massimo = 155, .accettati = qualsiasi, .avvolge = true, .uso = "+ 100 into the `pendenza` byte of the cells from p / 50 to the next record's"},
};
constexpr campo_sorgente montagna[] = {
    {.nome = "inizio", .significato = "tunnel entrance", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = qualsiasi, .cella = cella_campo::passo, .uso = "cells `inizio` / 50 to `fine` / 50 - 1 get the tunnel type in their `galleria` byte"},
    {.nome = "fine", .significato = "tunnel exit", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = qualsiasi, .cella = cella_campo::passo, .uso = "see `inizio`; a tunnel that spans no whole cell marks none"},
    {.nome = "tipo", .significato = "tunnel type 1 or 2, + 10 for lamps; the simulator tells the types apart, the compiler gives them no meaning (shipped: 12 for the ten tunnels up to 33150 m, 11 for the two from 44700 m)", .unita = "", .larghezza = l32, .minimo = 1, .massimo = 12, .accettati = qualsiasi, .avvolge = true, .uso = "a tunnel that starts 150 m or less after the previous one ends becomes type 3. With lamps (11, 12) every fourth cell of the tunnel, when empty, becomes a lamp marker (kind 11)"},
};
constexpr campo_sorgente indicatori[] = {
    {.nome = "posizione", .significato = "where the board stands", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = dopo_la_cella_zero, .regola = "its cell p / 50 + 1 must not fall before cell 0", .cella = cella_campo::punto, .uso = "cell p / 50 + 1 becomes kind 6 (speed-indicator board); an occupied cell: code 21"},
    {.nome = "vas", .significato = "first of the three speeds the board shows (shipped: 60 to 110)", .unita = "km/h", .larghezza = l32, .minimo = 0, .massimo = 1635, .accettati = qualsiasi, .uso = "`dato_1` = `vas` x 20 + `vad` / 5; the sum must fit 16 bits (code 25)"},
    {.nome = "vbs", .significato = "second of the three speeds (shipped: 60 to 115)", .unita = "km/h", .larghezza = l32, .minimo = 0, .massimo = 1635, .accettati = qualsiasi, .uso = "`dato_2` = `vbs` x 20 + `vbd` / 5"},
    {.nome = "vcs", .significato = "third of the three speeds: in the shipped route the limit the train service sets at the board or just after it (60 to 135; see Speed-indicator boards)", .unita = "km/h", .larghezza = l32, .minimo = 0, .massimo = 1635, .accettati = qualsiasi, .uso = "`dato_3` = `vcs` x 20 + `vcd` / 5"},
    {.nome = "strisces", .significato = "stripes shown with the three speeds, for the simulator (shipped: 0)", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 9, .accettati = qualsiasi, .avvolge = true, .uso = "`dato_4` = `strisces` x 10 + `strisced`"},
    {.nome = "vad", .significato = "first speed of a second group, for the simulator (shipped: left empty, so 0)", .unita = "km/h", .larghezza = l32, .minimo = 0, .massimo = 95, .accettati = qualsiasi, .passo = 5, .uso = "see `vas`; empty reads as 0"},
    {.nome = "vbd", .significato = "second speed of the second group, for the simulator (shipped: 0)", .unita = "km/h", .larghezza = l32, .minimo = 0, .massimo = 95, .accettati = qualsiasi, .passo = 5, .uso = "see `vbs`"},
    {.nome = "vcd", .significato = "third speed of the second group, for the simulator (shipped: 0)", .unita = "km/h", .larghezza = l32, .minimo = 0, .massimo = 95, .accettati = qualsiasi, .passo = 5, .uso = "see `vcs`"},
    {.nome = "strisced", .significato = "stripes of the second group, for the simulator (shipped: 0)", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 9, .accettati = qualsiasi, .avvolge = true, .uso = "see `strisces`"},
};
constexpr campo_sorgente cartello[] = {
    {.nome = "posizione", .significato = "where the signboard stands", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = dopo_la_cella_zero, .regola = "its cell p / 50 + 1 must not fall before cell 0", .cella = cella_campo::punto, .uso = "cell p / 50 + 1 becomes kind 14 (signboard); an occupied cell (a tunnel lamp does not count): code 6"},
    {.nome = "testo", .significato = "the text shown beside the line, each group in parentheses one line of the board; no comma (shipped: `(TORRENTE)(TIASCA  )`)", .unita = "", .larghezza = testo, .minimo = 0, .massimo = 0, .accettati = qualsiasi, .uso = "slot 80 for the first signboard, 79 for the next, and so on down; stations and signboards share slots 1 to 80"},
};
constexpr campo_sorgente vetture[] = {
    {.nome = "numero", .significato = "number of coaches of the train (shipped: 8)", .unita = "", .larghezza = l32, .minimo = 1, .massimo = 100, .accettati = qualsiasi, .uso = "slot 84 `posizione`"},
};
constexpr campo_sorgente massa_frenata[] = {
    {.nome = "percentuale", .significato = "braked-mass percentage of the train (shipped: 130)", .unita = "%", .larghezza = l32, .minimo = 1, .massimo = 300, .accettati = qualsiasi, .uso = "slot 84 `inizio`"},
};
constexpr campo_sorgente sabbia[] = {
    {.nome = "quantita", .significato = "sand on board: passed to the simulator unchanged; the compiler gives it no meaning and no unit (shipped: 250)", .unita = "", .larghezza = l16, .minimo = 0, .massimo = max_16, .accettati = di_16_bit, .uso = "slot 86 `intero_1`"},
};
constexpr campo_sorgente orologio[] = {
    {.nome = "ore", .significato = "the clock of the simulator when the run starts: hours (shipped: 11, 54, 0)", .unita = "h", .larghezza = l16, .minimo = 0, .massimo = 23, .accettati = di_16_bit, .uso = "slot 86 `intero_3`"},
    {.nome = "minuti", .significato = "minutes", .unita = "min", .larghezza = l16, .minimo = 0, .massimo = 59, .accettati = di_16_bit, .uso = "slot 86 `intero_4`"},
    {.nome = "secondi", .significato = "seconds", .unita = "s", .larghezza = l16, .minimo = 0, .massimo = 59, .accettati = di_16_bit, .uso = "slot 86 `intero_5`"},
};
constexpr campo_sorgente aderenza[] = {
    {.nome = "posizione", .significato = "where the value starts; the first record at 0", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = qualsiasi, .cella = cella_campo::passo, .uso = "the value in force so far fills the cells up to cell p / 50 - 1"},
    {.nome = "valore", .significato = "adhesion from here on, as the simulator reads it (shipped: 100 over the whole line)", .unita = "%", .larghezza = l32, .minimo = 0, .massimo = 255, .accettati = qualsiasi, .avvolge = true, .uso = "low byte into the `aderenza` byte of the cells from p / 50 to the next record's"},
};
constexpr campo_sorgente velocita[] = {
    {.nome = "posizione", .significato = "where the limit starts; the first record at 0", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = qualsiasi, .cella = cella_campo::passo, .uso = "the limit in force so far fills the cells up to cell p / 50 - 1"},
    {.nome = "limite", .significato = "line speed limit from here on, a multiple of 5 (shipped: 30 leaving ARONA, then 60 to 135)", .unita = "km/h", .larghezza = l32, .minimo = 0, .massimo = 1275, .accettati = {-2, 1277}, .regola = "the limit / 5 is kept in one byte", .passo = 5, .uso = "limit / 5 (rounded, ties to even) into the `velocita` byte of the cells from p / 50 to the next record's"},
};
constexpr campo_sorgente stazione[] = {
    {.nome = "posizione", .significato = "where the station stands, from which its area is measured (multiple of 50)", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max - 700, .accettati = qualsiasi, .multiplo = 50, .codice_multiplo = 8, .uso = "slot `posizione`; the area and the stop marker follow from it and the type"},
    {.nome = "tipo", .significato = "station type: its area and markers (see Station types); the simulator gives it its further meaning", .unita = "", .larghezza = l8, .minimo = 0, .massimo = 255, .accettati = di_un_byte, .uso = "slot `tipo`; decides the area and the markers"},
    {.nome = "lunghezza", .significato = "station length L (multiple of 100)", .unita = "m", .larghezza = l32, .minimo = 100, .massimo = 800, .accettati = qualsiasi, .multiplo = 100, .codice_multiplo = 9, .uso = "not stored: gives the area `inizio`..`fine`"},
    {.nome = "opzione", .significato = "passed to the simulator unchanged; the compiler gives it no meaning (shipped: 1 at STRESA and DOMODOSSOLA, else 0)", .unita = "", .larghezza = l8, .minimo = 0, .massimo = 255, .accettati = di_un_byte, .uso = "slot `opzione`"},
    {.nome = "byte_4", .significato = "passed to the simulator unchanged; the compiler gives it no meaning (shipped: 1 at STRESA, VERBANIA PALLANZA and DOMODOSSOLA, else 0)", .unita = "", .larghezza = l8, .minimo = 0, .massimo = 255, .accettati = di_un_byte, .uso = "slot `byte_4`; cleared when L < 600 and for the first station"},
    {.nome = "byte_3", .significato = "not 0: the area ends 50 m further; also passed to the simulator (shipped: 0)", .unita = "", .larghezza = l8, .minimo = 0, .massimo = 255, .accettati = di_un_byte, .uso = "slot `byte_3`; cleared for types 5 to 8 and for the first station"},
    {.nome = "intero_1", .significato = "passed to the simulator unchanged; the compiler gives it no meaning (shipped: 4 at STRESA; 1 at ARONA, VERBANIA PALLANZA, PREMOSELLO Ch. and DOMODOSSOLA; else 0)", .unita = "", .larghezza = l16, .minimo = min_16, .massimo = max_16, .accettati = di_16_bit, .uso = "slot `intero_1`"},
    {.nome = "intero_2", .significato = "passed to the simulator unchanged; the compiler gives it no meaning (shipped: 1 at the five stations of `intero_1`, else 0)", .unita = "", .larghezza = l16, .minimo = min_16, .massimo = max_16, .accettati = di_16_bit, .uso = "slot `intero_2`"},
    {.nome = "byte_1", .significato = "passed to the simulator unchanged; the compiler gives it no meaning (shipped: 1 at STRESA, else 0)", .unita = "", .larghezza = l8, .minimo = 0, .massimo = 255, .accettati = di_un_byte, .uso = "slot `byte_1`"},
    {.nome = "intero_3", .significato = "passed to the simulator unchanged; the compiler gives it no meaning (shipped: 2 at STRESA and DOMODOSSOLA, 0 at Lesa and Candoglia O., else 4)", .unita = "", .larghezza = l16, .minimo = min_16, .massimo = max_16, .accettati = di_16_bit, .uso = "slot `intero_3`"},
    {.nome = "intero_4", .significato = "passed to the simulator unchanged; the compiler gives it no meaning (shipped: 0 at Lesa and Candoglia O., else 1)", .unita = "", .larghezza = l16, .minimo = min_16, .massimo = max_16, .accettati = di_16_bit, .uso = "slot `intero_4`"},
    {.nome = "intero_5", .significato = "passed to the simulator unchanged; the compiler gives it no meaning (shipped: as `intero_4`)", .unita = "", .larghezza = l16, .minimo = min_16, .massimo = max_16, .accettati = di_16_bit, .uso = "slot `intero_5`"},
    {.nome = "byte_2", .significato = "passed to the simulator unchanged; the compiler gives it no meaning (shipped: 60 at STRESA and VERBANIA PALLANZA, where the train card shows a stop of one minute; 1 at ARONA, Lesa and Candoglia O.; else 0)", .unita = "", .larghezza = l8, .minimo = 0, .massimo = 255, .accettati = di_un_byte, .uso = "slot `byte_2`"},
    {.nome = "ore", .significato = "scheduled time, hours: where the train stops and leaves its departure, at the last station its arrival; 0, 0, 0 for none (shipped: ARONA 11:55:00, STRESA 12:08:00, VERBANIA PALLANZA 12:15:00, DOMODOSSOLA 12:39:00)", .unita = "h", .larghezza = l32, .minimo = 0, .massimo = 23, .accettati = qualsiasi, .uso = "slot `orario` = (ore x 60 + minuti) x 60 + secondi, which must fit 32 bits (code 25)"},
    {.nome = "minuti", .significato = "scheduled time: minutes", .unita = "min", .larghezza = l32, .minimo = 0, .massimo = 59, .accettati = qualsiasi, .uso = "see `ore`"},
    {.nome = "secondi", .significato = "scheduled time: seconds", .unita = "s", .larghezza = l32, .minimo = 0, .massimo = 59, .accettati = qualsiasi, .uso = "see `ore`"},
    {.nome = "nome", .significato = "station name; blanks allowed, no comma", .unita = "", .larghezza = testo, .minimo = 0, .massimo = 0, .accettati = qualsiasi, .uso = "slot `nome`"},
};
constexpr campo_sorgente rallentamento[] = {
    {.nome = "x", .significato = "start of the restricted stretch (shipped: 23550)", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = dopo_la_cella_zero, .regola = "its cell p / 50 + 1 must not fall before cell 0", .cella = cella_campo::punto, .uso = "cell x / 50 + 1 becomes kind 3 (start); above 1500 m also a warning board 1200 m before it (kind 4). Occupied: code 18 (start), 17 (board)"},
    {.nome = "v", .significato = "speed the train keeps over the stretch (shipped: 50)", .unita = "km/h", .larghezza = l32, .minimo = 5, .massimo = 300, .accettati = qualsiasi, .avvolge = true, .uso = "`dato_1` of the board, start and end cells"},
    {.nome = "l", .significato = "length of the restricted stretch", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = qualsiasi, .uso = "cell (x + l) / 50 + 1 becomes kind 2 (end); occupied: code 19"},
    {.nome = "f_tt", .significato = "passed to the simulator unchanged; the compiler gives it no meaning (shipped: 0)", .unita = "", .larghezza = l32, .minimo = min_16, .massimo = max_16, .accettati = qualsiasi, .avvolge = true, .uso = "`dato_3` of the start and end cells"},
    {.nome = "f_ta", .significato = "not 0: the four cells before the warning board are marked (shipped: 1)", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 1, .accettati = qualsiasi, .uso = "with a board, those cells become kind 5 with `dato_1` 1 to 4; one occupied: code 20"},
    {.nome = "d_v", .significato = "passed to the simulator unchanged; the compiler gives it no meaning; 0 writes nothing (shipped: 0)", .unita = "", .larghezza = l32, .minimo = min_16, .massimo = max_16, .accettati = qualsiasi, .avvolge = true, .uso = "when not 0, `dato_2` of the board, start and end cells"},
};
constexpr campo_sorgente segnale[] = {
    {.nome = "posizione", .significato = "where the signal stands (325 m or more)", .unita = "m", .larghezza = l32, .minimo = 325, .massimo = posizione_max, .accettati = {325, max_32}, .regola = "a signal needs 325 m before it for its four approach cells", .cella = cella_campo::punto, .uso = "cell p / 50 + 1 becomes kind 1 (signal); occupied: code 16. The cells 2, 4, 6 and 8 before it get approach codes (see Signals), which is why a signal needs room before it"},
    {.nome = "sx", .significato = "kind of the left head (see Signals; shipped: 2 at every signal)", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 2, .accettati = qualsiasi, .avvolge = true, .uso = "`dato_4` = `rapp` x 10 + `sx` x 3 + `dx`; approach code (`sx` x 3 + `dx`) x 10 + k"},
    {.nome = "s1", .significato = "first aspect of the left head (see Signals)", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 9, .accettati = qualsiasi, .avvolge = true, .uso = "`dato_1` = `s1` x 10 + `d1`"},
    {.nome = "s2", .significato = "second aspect of the left head", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 9, .accettati = qualsiasi, .avvolge = true, .uso = "`dato_2` = `s2` x 10 + `d2`"},
    {.nome = "s3", .significato = "third aspect of the left head", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 9, .accettati = qualsiasi, .avvolge = true, .uso = "`dato_3` = `s3` x 10 + `d3`"},
    {.nome = "rapp", .significato = "passed to the simulator unchanged; the compiler gives it no meaning (shipped: 1 at 16550 m and 54650 m, else 0)", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 9, .accettati = qualsiasi, .avvolge = true, .uso = "see `sx`"},
    {.nome = "dx", .significato = "kind of the right head (see Signals; shipped: 0, 1 or 2)", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 2, .accettati = qualsiasi, .avvolge = true, .uso = "see `sx`"},
    {.nome = "d1", .significato = "first aspect of the right head", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 9, .accettati = qualsiasi, .avvolge = true, .uso = "see `s1`"},
    {.nome = "d2", .significato = "second aspect of the right head", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 9, .accettati = qualsiasi, .avvolge = true, .uso = "see `s2`"},
    {.nome = "d3", .significato = "third aspect of the right head", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 9, .accettati = qualsiasi, .avvolge = true, .uso = "see `s3`"},
    {.nome = "tempo", .significato = "signal time, kept only when `sx` is 2; its meaning is the simulator's; 0 for none (shipped: 0)", .unita = "", .larghezza = l32, .minimo = 0, .massimo = 255, .accettati = qualsiasi, .avvolge = true, .uso = "with `sx` 2 into `tempo_segnale` (1 to 100 become 101); otherwise 0"},
};
constexpr campo_sorgente abbattimento[] = {
    {.nome = "posizione", .significato = "where the speed value is set", .unita = "m", .larghezza = l32, .minimo = 0, .massimo = posizione_max, .accettati = {-25, max_32}, .regola = "its cell p / 50 must not fall before cell 0", .cella = cella_campo::passo, .uso = "cell p / 50 (no + 1); occupied: code 7"},
    {.nome = "valore", .significato = "speed value of the cell, of the kind of the speed checks the compiler adds (kind 12); 0 or less: a bare marker (kind 13). None in the shipped route", .unita = "", .larghezza = l32, .minimo = min_16, .massimo = max_16, .accettati = qualsiasi, .avvolge = true, .uso = "above 0: kind 12 with `dato_1` = value (low 16 bits); otherwise kind 13"},
};

using tr = tipo_record;
constexpr auto linea = file_sorgente::linea;
constexpr auto treno = file_sorgente::treno;
constexpr auto generale = parte_sorgente::generale;
constexpr auto principale = parte_sorgente::principale;
constexpr auto del_treno = parte_sorgente::treno;

constexpr parola_sorgente parole[] = {
    {tr::lunghezza, linea, generale, "[generale]", "lunghezza percorso", {"lunghezza", "percorso"}, false, "", "length of the line; the one record every route needs", lunghezza, 1, 0, false, false, false},
    {tr::progressiva_uno, linea, generale, "[generale]", "progressiva chilometrica uno", {"progressiva", "uno"}, true, "", "a kilometric progressive (all zeros: none)", progressiva, 4, 0, false, false, false},
    {tr::progressiva_due, linea, generale, "[generale]", "progressiva chilometrica due", {"progressiva", "due"}, true, "", "a second kilometric progressive", progressiva, 3, 0, false, false, false},
    {tr::progressiva_tre, linea, generale, "[generale]", "progressiva chilometrica tre", {"progressiva", "tre"}, true, "", "a third kilometric progressive", progressiva, 2, 0, false, false, false},
    {tr::sfondo_uno, linea, generale, "[generale]", "sfondo uno", {"sfondo", "uno"}, true, "", "first background value, for the simulator", sfondo, 5, 0, false, false, false},
    {tr::sfondo_due, linea, generale, "[generale]", "sfondo due", {"sfondo", "due"}, true, "", "second background value, for the simulator", sfondo, 6, 0, false, false, false},
    {tr::sfondo_tre, linea, generale, "[generale]", "sfondo tre", {"sfondo", "tre"}, true, "", "third background value, for the simulator", sfondo, 7, 0, false, false, false},
    {tr::ripetizione, linea, generale, "[generale]", "ripetizione segnali 4 codici", {"ripetizione", "segnali"}, true, "\"4\" or \"9\" (any place) gives the number of codes", "stretch with signal repetition in the cab, 4 or 9 codes", ripetizione, 8, 0, false, false, false},
    {tr::curva, linea, principale, "[curve]", "curvad1 ... curvad6, curvas1 ... curvas6", {"curva", ""}, false, "`s` anywhere makes it a left curve; the lowest digit 1 to 6 it holds is the class", "a curve: `d` right, `s` left; class 1 to 6 = 0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003 rad per metre (radius about 10000, 5000, 2500, 1000, 500, 333 m)", curva, 10, 100, true, false, true},
    {tr::pendenza, linea, principale, "[pendenze]", "pendenza", {"pendenza", ""}, false, "", "a gradient from a position on", pendenza, 9, 100, true, false, false},
    {tr::montagna, linea, principale, "[montagne]", "montagna", {"montagna", ""}, false, "", "a tunnel", montagna, 11, 100, false, false, false},
    {tr::indicatori, linea, principale, "[cartelli]", "indicatori_vmax", {"indicatori_v", ""}, false, "", "a speed-indicator board: three speeds and stripes, and a second group of the same", indicatori, 12, 100, false, false, false},
    {tr::cartello, linea, principale, "[indicazioni]", "cartello_indicatore", {"cartello", "indicat"}, false, "", "a signboard with its text", cartello, 13, 100, false, false, false},
    {tr::vetture, treno, del_treno, "[generale]", "numero vetture", {"vetture", ""}, false, "", "the train's coaches", vetture, 2, 0, false, false, false},
    {tr::massa_frenata, treno, del_treno, "[generale]", "percentuale massa frenata", {"massa", "frenata"}, false, "", "the train's braked mass", massa_frenata, 1, 0, false, false, false},
    {tr::sabbia, treno, del_treno, "[generale]", "sabbia", {"sabbia", ""}, false, "", "sand on board", sabbia, 6, 0, false, false, false},
    {tr::orologio, treno, del_treno, "[generale]", "orologio", {"orologio", ""}, false, "", "the clock when the run starts; the three numbers may be separated by blanks", orologio, 5, 0, false, false, false},
    {tr::aderenza, treno, del_treno, "[aderenze]", "aderenza", {"aderenza", ""}, false, "", "adhesion from a position on", aderenza, 4, 100, true, true, false},
    {tr::velocita, treno, del_treno, "[vel_limite]", "velocita", {"velocit", ""}, false, "", "line speed limit from a position on", velocita, 3, 100, true, true, false},
    {tr::stazione, treno, del_treno, "[stazioni]", "stazione", {"stazione", ""}, false, "", "a station: 16 numbers and its name", stazione, 10, 800, true, false, false},
    {tr::rallentamento, treno, del_treno, "[rallentamenti]", "rallentamento", {"rallentamento", ""}, false, "", "a slow order with its warning board", rallentamento, 8, 100, false, false, false},
    {tr::segnale, treno, del_treno, "[segnali]", "segnale", {"segnale", ""}, false, "", "a signal: two heads, each a kind and three aspects", segnale, 7, 100, false, false, false},
    {tr::abbattimento, treno, del_treno, "[codici]", "abbattimento", {"abbattimento", ""}, false, "", "a speed value in one cell", abbattimento, 9, 100, false, false, false},
};

constexpr tipo_stazione tipi[] = {
    {"5, 6", "p - L to p + 150", "stop marker, no approach codes; `byte_3` cleared", "-"},
    {"7, 8", "p - L to p + L", "stop marker and approach codes; `byte_3` cleared", "8: the first station, ARONA"},
    {"other types below 25", "p - L/2 to p + L/2, + 50 m when `byte_3` is not 0", "stop marker and approach codes", "2: the last station, DOMODOSSOLA; 12: STRESA, VERBANIA PALLANZA and PREMOSELLO Ch., each preceded by a pair of signals of its own, as DOMODOSSOLA is (see Signals); 24: the other stations"},
    {"25 and above", "p - L/2 to p + L/2, + 50 m when `byte_3` is not 0", "none", "28: Lesa and Candoglia O., with no time and no stop marker"},
};

constexpr rimedio_codice rimedi[] = {
    {1, "`lunghezza percorso` above 1,000,000 m", "shorten the line to 1,000 km at most"},
    {2, "a `progressiva chilometrica` start or end not a multiple of 50", "round both to a multiple of 50 (or set all three numbers to 0 for none)"},
    {3, "`ripetizione segnali` start not a multiple of 50", "round it to a multiple of 50"},
    {4, "`ripetizione segnali` end not a multiple of 50", "round it to a multiple of 50"},
    {5, "the `ripetizione segnali` keyword holds neither \"4\" nor \"9\"", "write `ripetizione segnali 4 codici` (or 9)"},
    {6, "a `cartello_indicatore` on a cell that already holds a board or another signboard", "move it by 50 m; two point features never share a 50 m cell"},
    {7, "an `abbattimento` on a cell already used (signal, station stop, slow order, board)", "move it by 50 m"},
    {8, "a station position not a multiple of 50", "round the first number of the `stazione` record to a multiple of 50"},
    {9, "a station length not a multiple of 100", "round the third number to a multiple of 100"},
    {10, "more stations than free slots: stations and signboard texts share slots 1 to 80", "drop signboards or stations"},
    {11, "no free cell for the speed check in front of a signal after a warning board", "move the signal or the slow order so that the cells before the signal are free"},
    {12, "no free cells for the speed checks before a slow order", "leave the 200 m before the slow order's start free of signals and boards"},
    {13, "no free cell for a speed check inside a slow order or in front of the signal after it", "move the signal out of the slow stretch, or the slow order away from the signal"},
    {15, "a position beyond the end of the line (stations: 800 m before the end of the run-out)", "check the position against `lunghezza percorso`, or lengthen the line"},
    {16, "a signal on a cell already used (a station stop, another signal, a board, a slow order)", "move the signal by 50 m; the station's stop marker is the cell before the end of its area"},
    {17, "the slow order's warning board (1200 m before it) on a cell already used", "move the slow order by 50 m"},
    {18, "the slow order's start on a cell already used", "move the slow order by 50 m"},
    {19, "the slow order's end on a cell already used", "change its length or its position by 50 m"},
    {20, "one of the four cells before the warning board already used", "move the slow order, or set `f_ta` to 0"},
    {21, "a speed-indicator board on a cell already used", "move the board by 50 m"},
    {22, "a station area starting less than 350 m after the previous station's area", "move the stations apart or shorten them; stations must come in order"},
    {24, "a station whose stop marker would be in cell 1 or before (its area ends 100 m or less from the start)", "move the first station on, or use a longer area (type 8 reaches p + L)"},
    {25, "a missing train source, a record cut short by the end of the file, a field that is not a number, a value too large for its field, a line without `lunghezza percorso`", "the message names the fault; complete the record or correct the value"},
    {101, "no line description ROUTE_linea.txt in the folder", "check --dir and --route, or write the file (scenario-tool new)"},
    {102, "no `[generale]` header in the line description", "start the file with `[generale]`"},
    {103, "a curve keyword without a class digit 1 to 6, or a track plan past 1,000,000 points", "write `curvad4` rather than `curvad`"},
    {1250, "cell 1, which carries the route's identity, already holds a point feature (a slow order or `abbattimento` near 0 m); nothing is written", "keep point features at 50 m or more, `abbattimento` at 100 m or more"},
    {1251, "cell 1's second value already set, as for 1250; nothing is written", "as for 1250"},
};

constexpr riga_esempio esempio_linea[] = {
    {"[generale]", "start of the line constants"},
    {"lunghezza percorso,    4000", "a 4 km line: cells 0 to 220 (4000 m + 7000 m of run-out)"},
    {"progressiva chilometrica uno,    0,    0,    0", "no kilometric progressives"},
    {"progressiva chilometrica due,    0,    0,    0", ""},
    {"progressiva chilometrica tre,    0,    0,    0", ""},
    {"sfondo uno,    1", "background values, as the shipped route"},
    {"sfondo due,    2000", ""},
    {"sfondo tre,    0", ""},
    {"ripetizione segnali 4 codici,    0,    4000", "4-code repetition over the whole line"},
    {"[curve]", "ends the general section"},
    {"curvad4,  1000,  300", "a right curve of class 4 (about 1000 m radius) from 1000 m to 1300 m"},
    {"[pendenze]", ""},
    {"pendenza,   0,    0", "level from the start"},
    {"pendenza,  1500,   5", "5 per mille uphill from 1500 m"},
    {"pendenza,  2600,   0", "level again from 2600 m"},
    {"[montagne]", ""},
    {"montagna,   2000,  2400,  11", "a 400 m tunnel of type 1 with lamps"},
    {"[cartelli]", ""},
    {"indicatori_vmax,  800,  100,  100,  100,  0,  ,  ,  ,  0", "a speed-indicator board at 800 m (empty fields read as 0)"},
    {"[indicazioni]", ""},
    {"cartello_indicatore,  1950,   (GALLERIA)(PROVA   )(m 400   )", "the tunnel's signboard, 50 m before it"},
    {"[fine]", "the last line is never read as a record"},
};

constexpr riga_esempio esempio_treno[] = {
    {"[generale]", "start of the train service"},
    {"numero vetture,    6", "six coaches"},
    {"percentuale massa frenata,    120", "braked mass 120 %"},
    {"sabbia,    250", "sand"},
    {"orologio,    8,  0,  0", "the run starts at 08:00:00"},
    {"[aderenze]", ""},
    {"aderenza,   0,    100", "adhesion 100 over the whole line (the first record at 0)"},
    {"[vel_limite]", ""},
    {"velocita,   0,    30", "30 km/h leaving the first station (the first record at 0)"},
    {"velocita,    800,   100", "100 km/h from 800 m, where the board stands"},
    {"[stazioni]", ""},
    {"stazione,       0,  8,  600,  0, 0, 0,  1,1,0,  4,1,1,    1,   8, 0, 0, PRIMA", "first station at 0 m, type 8: area -600..600 m, stop marker in cell 11, leaving at 08:00:00"},
    {"stazione,    3600,  2,  600,  1, 1, 0,  1,1,0,  2,1,1,    0,   8, 4, 0, SECONDA", "last station at 3600 m, type 2: area 3300..3900 m, arriving at 08:04:00"},
    {"[rallentamenti]", ""},
    {"rallentamento,   2700,    50,  200, 0,  1,  0", "50 km/h from 2700 m to 2900 m; warning board at 1500 m"},
    {"[segnali]", ""},
    {"segnale,    1800,   2, 4, 0,  0, 0,    0,  0,0,0, 0", "a signal at 1800 m (cell 37)"},
    {"[codici]", "empty: no `abbattimento`"},
    {"[fine]", "the last line is never read as a record"},
};
// clang-format on

// The keywords of each part in the order of their tests.
std::vector<const parola_sorgente*> in_ordine_di_prova(parte_sorgente parte) {
  std::vector<const parola_sorgente*> v;
  for (const parola_sorgente& p : parole) {
    if (p.parte == parte) v.push_back(&p);
  }
  std::stable_sort(v.begin(), v.end(), [](const parola_sorgente* a, const parola_sorgente* b) {
    return a->prova < b->prova;
  });
  return v;
}

// Every class of a curve keyword, and the rest as written.
std::vector<std::string_view> nomi_di(const parola_sorgente& p) {
  static constexpr std::string_view curve[] = {"curvad1", "curvad2", "curvad3", "curvad4",
                                               "curvad5", "curvad6", "curvas1", "curvas2",
                                               "curvas3", "curvas4", "curvas5", "curvas6"};
  if (p.record == tipo_record::curva) return {std::begin(curve), std::end(curve)};
  return {p.parola};
}

}  // namespace

std::string_view parola_sorgente::nome() const { return nomi_parola(*this).front(); }

std::span<const sezione_sorgente> sezioni_sorgenti() { return sezioni; }
std::span<const parola_sorgente> parole_sorgenti() { return parole; }
std::span<const tipo_stazione> tipi_stazione() { return tipi; }
std::span<const rimedio_codice> rimedi_codici() { return rimedi; }

std::span<const parola_sorgente* const> parole_della_parte(parte_sorgente parte) {
  static const std::vector<const parola_sorgente*> per_parte[] = {
      in_ordine_di_prova(parte_sorgente::generale), in_ordine_di_prova(parte_sorgente::principale),
      in_ordine_di_prova(parte_sorgente::treno)};
  return per_parte[static_cast<int>(parte)];
}

const parola_sorgente* cerca_parola(file_sorgente file, std::string_view parola) {
  const auto it = std::find_if(std::begin(parole), std::end(parole),
                               [&](const auto& p) { return p.file == file && parola == p.parola; });
  return it == std::end(parole) ? nullptr : &*it;
}

const parola_sorgente& parola_del_record(tipo_record r) {
  return *std::find_if(std::begin(parole), std::end(parole),
                       [&](const auto& p) { return p.record == r; });
}

bool riconosce(const parola_sorgente& p, std::string_view campo) {
  return std::all_of(p.parole.begin(), p.parole.end(), [&](std::string_view w) {
    return w.empty() || (p.maiuscole ? contiene_esatto(campo, w) : contiene(campo, w));
  });
}

std::span<const std::string_view> nomi_parola(const parola_sorgente& p) {
  static const auto nomi = [] {
    std::vector<std::vector<std::string_view>> v;
    for (const parola_sorgente& q : parole) v.push_back(nomi_di(q));
    return v;
  }();
  return nomi[static_cast<std::size_t>(&p - std::begin(parole))];
}

std::string descrizione_riconoscimento(const parola_sorgente& p) {
  std::string t = "holds `" + std::string(p.parole[0]) + "`";
  if (!p.parole[1].empty()) t += " and `" + std::string(p.parole[1]) + "`";
  t += p.maiuscole ? ", lower case" : ", any case";
  if (*p.altro) t += std::string("; ") + p.altro;
  return t;
}

std::string descrizione_valori(const campo_sorgente& c) {
  if (c.testo()) return "text";
  return std::to_string(c.minimo) + " to " + std::to_string(c.massimo);
}

namespace {

// What the compiler takes whatever the other fields hold, and what it refuses with which code.
std::string accettati(const campo_sorgente& c) {
  const valori_accettati& a = c.accettati;
  const bool sotto = a.minimo > min_32, sopra = a.massimo < max_32;
  if (c.testo()) return "the rest of the field: any text without a comma";
  if (!sotto && !sopra) return "any whole number of 32 bits";
  const std::string minimo = std::to_string(a.minimo), massimo = std::to_string(a.massimo);
  std::string t;
  if (sotto && sopra && a.codice_sotto == a.codice_sopra) {
    t = minimo + " to " + massimo + "; outside: code " + std::to_string(a.codice_sotto);
  } else if (sotto && sopra) {
    t = minimo + " to " + massimo + "; below: code " + std::to_string(a.codice_sotto) +
        ", above: code " + std::to_string(a.codice_sopra);
  } else if (sotto) {
    t = minimo + " or more; below: code " + std::to_string(a.codice_sotto);
  } else {
    t = massimo + " or less; above: code " + std::to_string(a.codice_sopra);
  }
  if (*c.regola) t += std::string(" (") + c.regola + ")";
  return t;
}

}  // namespace

std::string descrizione_presi(const parola_sorgente& p, std::size_t i) {
  const campo_sorgente& c = p.campi[i];
  std::string t = accettati(c);
  if (i == 0 && p.margine != 0) {
    t += "; at most L + " + std::to_string(metri_oltre_la_fine - p.margine) +
         " on a line of L m, beyond: code 15";
  }
  if (c.multiplo != 0) {
    t += "; a multiple of " + std::to_string(c.multiplo) + ", else code " +
         std::to_string(c.codice_multiplo);
  }
  if (c.passo != 0) {
    t += "; kept in steps of " + std::to_string(c.passo) + " (rounded, halves to even)";
  }
  if (c.avvolge) t += "; outside the range to use only its low bits are kept (it wraps)";
  return t;
}

int64_t posizione_massima(int64_t lunghezza_linea, int32_t margine) {
  return ultima_cella_di(lunghezza_linea) * metri_per_cella - margine;
}

std::span<const riga_esempio> righe_esempio(file_sorgente file) {
  if (file == file_sorgente::linea) return esempio_linea;
  return esempio_treno;
}

std::string testo_esempio(file_sorgente file) {
  std::string t;
  for (const riga_esempio& r : righe_esempio(file)) (t += r.riga) += "\r\n";
  return t;
}

}  // namespace scenario
