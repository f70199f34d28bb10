// The sources' keywords and fields as data. Ranges are what a sound route uses: the compiler
// accepts more (most fields are whole numbers of 32 bits), and what it does outside them is
// said in `uso`.
#include "compiler/campi_sorgenti.h"

#include <algorithm>
#include <cstring>

namespace scenario {
namespace {

constexpr int64_t max_32 = 2147483647;
constexpr int64_t min_32 = -max_32 - 1;
constexpr int64_t max_16 = 32767;
constexpr int64_t min_16 = -32768;
// A position: from the start of the line to the last one the range check lets through on the
// longest line (1,000,000 m + 7000 m of run-out - 100 m).
constexpr int64_t posizione_max = 1006900;

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
    {"L", "length of the line", "m", 1, 1000000, {0, 1000000, 25, 1}, "slot 84 `fine`; the route gets (L + 7000) / 50 cells of 50 m (7 km of run-out past the end), the track plan L + 7001 points"},
};
constexpr campo_sorgente progressiva[] = {
    {"inizio", "where the progressive starts", "m", 0, posizione_max, qualsiasi, "sorting key of slots 81 to 83 (the greatest `inizio` goes to slot 81). Not a multiple of 50: code 2"},
    {"fine", "where it ends", "m", 0, posizione_max, qualsiasi, "stored with the record. Not a multiple of 50: code 2"},
    {"posizione", "1 adds 100 m to `fine`", "", 0, 1, qualsiasi, "stored with the record"},
};
constexpr campo_sorgente sfondo[] = {
    {"valore", "background value for the simulator", "", 0, max_32, qualsiasi, "slot 85: `uno` to `inizio`, `due` to `posizione`, `tre` to `fine`, unchanged"},
};
constexpr campo_sorgente ripetizione[] = {
    {"inizio", "start of the stretch where signals are repeated in the cab", "m", 0, posizione_max, qualsiasi, "slot 86 `inizio`. Not a multiple of 50: code 3"},
    {"fine", "its end; 0 for no repetition", "m", 0, posizione_max, qualsiasi, "slot 86 `fine`. Not a multiple of 50: code 4. The keyword's \"4\" or \"9\" (the number of codes) goes to slot 86 `posizione`, 0 when `fine` is 0; neither digit: code 5"},
};
constexpr campo_sorgente curva[] = {
    {"inizio", "where the curve starts", "m", 0, posizione_max, qualsiasi, "the track plan runs straight up to it, then turns by the class's curvature every metre. Only when the plan is built (not with --no-plan)"},
    {"lunghezza", "length of the curve", "m", 1, posizione_max, qualsiasi, "points `inizio` + 1 to `inizio` + `lunghezza` of the plan turn"},
};
constexpr campo_sorgente pendenza[] = {
    {"posizione", "where the gradient starts", "m", 0, posizione_max, qualsiasi, "the gradient in force so far fills the cells up to cell p / 50 - 1"},
    {"pendenza", "gradient, positive uphill", "per mille", -100, 155, qualsiasi, "+ 100 into the `pendenza` byte of the cells from p / 50 to the next record's; outside the range the byte wraps (+500 becomes -12)"},
};
constexpr campo_sorgente montagna[] = {
    {"inizio", "tunnel entrance", "m", 0, posizione_max, qualsiasi, "cells `inizio` / 50 to `fine` / 50 - 1 get the tunnel type in their `galleria` byte"},
    {"fine", "tunnel exit", "m", 0, posizione_max, qualsiasi, "see `inizio`; a tunnel that spans no whole cell may mark none"},
    {"tipo", "tunnel type 1 or 2; + 10 for lamps", "", 1, 12, qualsiasi, "a tunnel that starts 150 m or less after the previous one ends becomes type 3. With lamps (11, 12) every fourth cell of the tunnel, when empty, becomes a lamp marker (kind 11)"},
};
constexpr campo_sorgente indicatori[] = {
    {"posizione", "where the board stands", "m", 0, posizione_max, dopo_la_cella_zero, "cell p / 50 + 1 becomes kind 6 (speed-indicator board); an occupied cell: code 21"},
    {"vas", "first group, first speed", "km/h", 0, 1635, qualsiasi, "`dato_1` = `vas` x 20 + `vad` / 5"},
    {"vbs", "first group, second speed", "km/h", 0, 1635, qualsiasi, "`dato_2` = `vbs` x 20 + `vbd` / 5"},
    {"vcs", "first group, third speed", "km/h", 0, 1635, qualsiasi, "`dato_3` = `vcs` x 20 + `vcd` / 5"},
    {"strisces", "first group, stripes", "", 0, 9, qualsiasi, "`dato_4` = `strisces` x 10 + `strisced`"},
    {"vad", "second group, first speed (multiple of 5)", "km/h", 0, 95, qualsiasi, "see `vas`; empty reads as 0"},
    {"vbd", "second group, second speed", "km/h", 0, 95, qualsiasi, "see `vbs`"},
    {"vcd", "second group, third speed", "km/h", 0, 95, qualsiasi, "see `vcs`"},
    {"strisced", "second group, stripes", "", 0, 9, qualsiasi, "see `strisces`"},
};
constexpr campo_sorgente cartello[] = {
    {"posizione", "where the signboard stands", "m", 0, posizione_max, dopo_la_cella_zero, "cell p / 50 + 1 becomes kind 14 (signboard); an occupied cell (a tunnel lamp does not count): code 6"},
    {"testo", "the text, each group in parentheses one line of the board; no comma", "", 0, 0, qualsiasi, "slot 80 for the first signboard, 79 for the next, and so on down; stations and signboards share slots 1 to 80", true},
};
constexpr campo_sorgente vetture[] = {
    {"numero", "number of coaches", "", 1, 100, qualsiasi, "slot 84 `posizione`"},
};
constexpr campo_sorgente massa_frenata[] = {
    {"percentuale", "braked-mass percentage of the train", "%", 1, 300, qualsiasi, "slot 84 `inizio`"},
};
constexpr campo_sorgente sabbia[] = {
    {"quantita", "sand on board", "", 0, max_16, di_16_bit, "slot 86 `intero_1`"},
};
constexpr campo_sorgente orologio[] = {
    {"ore", "clock at the start of the run: hours", "h", 0, 23, di_16_bit, "slot 86 `intero_3`"},
    {"minuti", "minutes", "min", 0, 59, di_16_bit, "slot 86 `intero_4`"},
    {"secondi", "seconds", "s", 0, 59, di_16_bit, "slot 86 `intero_5`"},
};
constexpr campo_sorgente aderenza[] = {
    {"posizione", "where the value starts; the first record at 0", "m", 0, posizione_max, qualsiasi, "the value in force so far fills the cells up to cell p / 50 - 1"},
    {"valore", "adhesion", "%", 0, 255, qualsiasi, "low byte into the `aderenza` byte of the cells from p / 50 to the next record's; outside the range the byte wraps"},
};
constexpr campo_sorgente velocita[] = {
    {"posizione", "where the limit starts; the first record at 0", "m", 0, posizione_max, qualsiasi, "the limit in force so far fills the cells up to cell p / 50 - 1"},
    {"limite", "line speed limit", "km/h", 0, 1275, {-2, 1277}, "limit / 5 (rounded, ties to even) into the `velocita` byte of the cells from p / 50 to the next record's"},
};
constexpr campo_sorgente stazione[] = {
    {"posizione", "where the station stands (multiple of 50)", "m", 0, posizione_max - 700, qualsiasi, "slot `posizione`. Not a multiple of 50: code 8; beyond the route ((p + 800) / 50 past the last cell): code 15"},
    {"tipo", "station type (see Station types)", "", 0, 255, di_un_byte, "slot `tipo`; decides the area and the markers"},
    {"lunghezza", "station length L (multiple of 100)", "m", 100, 800, qualsiasi, "not stored: gives the area `inizio`..`fine`. Not a multiple of 100: code 9"},
    {"opzione", "option value for the simulator", "", 0, 255, di_un_byte, "slot `opzione`"},
    {"byte_4", "value for the simulator", "", 0, 255, di_un_byte, "slot `byte_4`; cleared when L < 600 and for the first station"},
    {"byte_3", "not 0: the area ends 50 m further", "", 0, 255, di_un_byte, "slot `byte_3`; cleared for types 5 to 8 and for the first station"},
    {"intero_1", "value for the simulator", "", min_16, max_16, di_16_bit, "slot `intero_1`"},
    {"intero_2", "value for the simulator", "", min_16, max_16, di_16_bit, "slot `intero_2`"},
    {"byte_1", "value for the simulator", "", 0, 255, di_un_byte, "slot `byte_1`"},
    {"intero_3", "value for the simulator", "", min_16, max_16, di_16_bit, "slot `intero_3`"},
    {"intero_4", "value for the simulator", "", min_16, max_16, di_16_bit, "slot `intero_4`"},
    {"intero_5", "value for the simulator", "", min_16, max_16, di_16_bit, "slot `intero_5`"},
    {"byte_2", "value for the simulator (the shipped route: 60 at its two timed stops, else 0 or 1)", "", 0, 255, di_un_byte, "slot `byte_2`"},
    {"ore", "scheduled time: hours (0 with minutes and seconds 0: no time)", "h", 0, 23, qualsiasi, "slot `orario` = (ore x 60 + minuti) x 60 + secondi"},
    {"minuti", "scheduled time: minutes", "min", 0, 59, qualsiasi, "see `ore`"},
    {"secondi", "scheduled time: seconds", "s", 0, 59, qualsiasi, "see `ore`"},
    {"nome", "station name; blanks allowed, no comma", "", 0, 0, qualsiasi, "slot `nome`", true},
};
constexpr campo_sorgente rallentamento[] = {
    {"x", "start of the slow order", "m", 0, posizione_max, dopo_la_cella_zero, "cell x / 50 + 1 becomes kind 3 (start); above 1500 m also a warning board 1200 m before it (kind 4). Occupied: code 18 (start), 17 (board)"},
    {"v", "speed of the slow order", "km/h", 5, 300, qualsiasi, "`dato_1` of the board, start and end cells"},
    {"l", "length of the restricted stretch", "m", 0, posizione_max, qualsiasi, "cell (x + l) / 50 + 1 becomes kind 2 (end); occupied: code 19"},
    {"f_tt", "value for the simulator", "", min_16, max_16, qualsiasi, "`dato_3` of the start and end cells"},
    {"f_ta", "1: mark the four cells before the warning board", "", 0, 1, qualsiasi, "with a board, those cells become kind 5 with `dato_1` 1 to 4; one occupied: code 20"},
    {"d_v", "value for the simulator; 0 for none", "", min_16, max_16, qualsiasi, "when not 0, `dato_2` of the board, start and end cells"},
};
constexpr campo_sorgente segnale[] = {
    {"posizione", "where the signal stands (325 m or more)", "m", 325, posizione_max, {325, max_32}, "cell p / 50 + 1 becomes kind 1 (signal); occupied: code 16. The cells 2, 4, 6 and 8 before it get approach codes"},
    {"sx", "left head: kind", "", 0, 2, qualsiasi, "`dato_4` = `rapp` x 10 + `sx` x 3 + `dx`; approach code (`sx` x 3 + `dx`) x 10 + k"},
    {"s1", "left head: first aspect", "", 0, 9, qualsiasi, "`dato_1` = `s1` x 10 + `d1`"},
    {"s2", "left head: second aspect", "", 0, 9, qualsiasi, "`dato_2` = `s2` x 10 + `d2`"},
    {"s3", "left head: third aspect", "", 0, 9, qualsiasi, "`dato_3` = `s3` x 10 + `d3`"},
    {"rapp", "value for the simulator", "", 0, 9, qualsiasi, "see `sx`"},
    {"dx", "right head: kind", "", 0, 2, qualsiasi, "see `sx`"},
    {"d1", "right head: first aspect", "", 0, 9, qualsiasi, "see `s1`"},
    {"d2", "right head: second aspect", "", 0, 9, qualsiasi, "see `s2`"},
    {"d3", "right head: third aspect", "", 0, 9, qualsiasi, "see `s3`"},
    {"tempo", "signal time; 0 for none", "", 0, 255, qualsiasi, "with `sx` 2 into `tempo_segnale` (1 to 100 become 101); otherwise 0"},
};
constexpr campo_sorgente abbattimento[] = {
    {"posizione", "where the speed code is set", "m", 0, posizione_max, {-25, max_32}, "cell p / 50 (no + 1); occupied: code 7"},
    {"valore", "speed value; 0 or less for a bare marker", "", min_16, max_16, qualsiasi, "above 0: kind 12 with `dato_1` = value (low 16 bits); otherwise kind 13"},
};

constexpr parola_sorgente parole[] = {
    {file_sorgente::linea, "[generale]", "lunghezza percorso", "holds `lunghezza` and `percorso`, any case", "length of the line; the one record every route needs", lunghezza, 1, 0},
    {file_sorgente::linea, "[generale]", "progressiva chilometrica uno", "holds `progressiva` and `uno`, lower case", "a kilometric progressive (all zeros: none)", progressiva, 4, 0},
    {file_sorgente::linea, "[generale]", "progressiva chilometrica due", "holds `progressiva` and `due`, lower case", "a second kilometric progressive", progressiva, 3, 0},
    {file_sorgente::linea, "[generale]", "progressiva chilometrica tre", "holds `progressiva` and `tre`, lower case", "a third kilometric progressive", progressiva, 2, 0},
    {file_sorgente::linea, "[generale]", "sfondo uno", "holds `sfondo` and `uno`, lower case", "first background value", sfondo, 5, 0},
    {file_sorgente::linea, "[generale]", "sfondo due", "holds `sfondo` and `due`, lower case", "second background value", sfondo, 6, 0},
    {file_sorgente::linea, "[generale]", "sfondo tre", "holds `sfondo` and `tre`, lower case", "third background value", sfondo, 7, 0},
    {file_sorgente::linea, "[generale]", "ripetizione segnali 4 codici", "holds `ripetizione` and `segnali`, lower case; \"4\" or \"9\" (any place) gives the number of codes", "stretch with signal repetition in the cab, 4 or 9 codes", ripetizione, 8, 0},
    {file_sorgente::linea, "[curve]", "curvad1 ... curvad6, curvas1 ... curvas6", "holds `curva`, any case; `s` anywhere makes it a left curve; the lowest digit 1 to 6 it holds is the class", "a curve: `d` right, `s` left; class 1 to 6 = 0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003 rad per metre (radius about 10000, 5000, 2500, 1000, 500, 333 m)", curva, 10, 100},
    {file_sorgente::linea, "[pendenze]", "pendenza", "holds `pendenza`, any case", "a gradient from a position on", pendenza, 9, 100},
    {file_sorgente::linea, "[montagne]", "montagna", "holds `montagna`, any case", "a tunnel", montagna, 11, 100},
    {file_sorgente::linea, "[cartelli]", "indicatori_vmax", "holds `indicatori_v`, any case", "a speed-indicator board with two groups of three speeds", indicatori, 12, 100},
    {file_sorgente::linea, "[indicazioni]", "cartello_indicatore", "holds `cartello` and `indicat`, any case", "a signboard with its text", cartello, 13, 100},
    {file_sorgente::treno, "[generale]", "numero vetture", "holds `vetture`, any case", "consist: coaches", vetture, 2, 0},
    {file_sorgente::treno, "[generale]", "percentuale massa frenata", "holds `massa` and `frenata`, any case", "consist: braked mass", massa_frenata, 1, 0},
    {file_sorgente::treno, "[generale]", "sabbia", "holds `sabbia`, any case", "sand", sabbia, 6, 0},
    {file_sorgente::treno, "[generale]", "orologio", "holds `orologio`, any case", "clock at the start; the three numbers may be separated by blanks", orologio, 5, 0},
    {file_sorgente::treno, "[aderenze]", "aderenza", "holds `aderenza`, any case", "adhesion from a position on", aderenza, 4, 100},
    {file_sorgente::treno, "[vel_limite]", "velocita", "holds `velocit`, any case", "line speed limit from a position on", velocita, 3, 100},
    {file_sorgente::treno, "[stazioni]", "stazione", "holds `stazione`, any case", "a station: 16 numbers and its name", stazione, 10, 800},
    {file_sorgente::treno, "[rallentamenti]", "rallentamento", "holds `rallentamento`, any case", "a slow order with its warning board", rallentamento, 8, 100},
    {file_sorgente::treno, "[segnali]", "segnale", "holds `segnale`, any case", "a signal with two heads", segnale, 7, 100},
    {file_sorgente::treno, "[codici]", "abbattimento", "holds `abbattimento`, any case", "a speed code in one cell", abbattimento, 9, 100},
};

constexpr tipo_stazione tipi[] = {
    {"5, 6", "p - L to p + 150", "stop marker, no approach codes; `byte_3` cleared", "-"},
    {"7, 8", "p - L to p + L", "stop marker and approach codes; `byte_3` cleared", "8: the first station (ARONA)"},
    {"other types below 25", "p - L/2 to p + L/2, + 50 m when `byte_3` is not 0", "stop marker and approach codes", "2: the last station; 12: the timed stops; 24: the other stations"},
    {"25 and above", "p - L/2 to p + L/2, + 50 m when `byte_3` is not 0", "none", "28: two halts the train runs through"},
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

}  // namespace

std::span<const sezione_sorgente> sezioni_sorgenti() { return sezioni; }
std::span<const parola_sorgente> parole_sorgenti() { return parole; }
std::span<const tipo_stazione> tipi_stazione() { return tipi; }
std::span<const rimedio_codice> rimedi_codici() { return rimedi; }

const parola_sorgente* cerca_parola(file_sorgente file, std::string_view parola) {
  const auto it = std::find_if(std::begin(parole), std::end(parole),
                               [&](const auto& p) { return p.file == file && parola == p.parola; });
  return it == std::end(parole) ? nullptr : &*it;
}

std::vector<std::string> nomi_parola(const parola_sorgente& p) {
  std::vector<std::string> nomi;
  std::string_view resto = p.parola;
  while (!resto.empty()) {
    const std::size_t virgola = resto.find(", ");
    const std::string_view parte = resto.substr(0, virgola);
    resto = virgola == std::string_view::npos ? "" : resto.substr(virgola + 2);
    const std::size_t puntini = parte.find(" ... ");
    if (puntini == std::string_view::npos) {
      nomi.emplace_back(parte);
      continue;
    }
    std::string nome(parte.substr(0, puntini));
    for (const char ultimo = parte.back(); nome.back() <= ultimo; ++nome.back()) {
      nomi.push_back(nome);
    }
  }
  return nomi;
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
