// The words of the problems of a source, shared by the parsers, the recording procedures and
// the checks of an author's sources, so that a mistake reads the same wherever it is found: how
// a record and a field are named, how source text is quoted, and the problems built for a field.
#ifndef COMPILER_MESSAGGI_SORGENTI_H_
#define COMPILER_MESSAGGI_SORGENTI_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/analisi.h"
#include "compiler/diagnostica.h"
#include "compiler/lettore_record.h"

namespace scenario {

// A keyword field written as a note would be ("# ...", "// ...", "; ...", "REM ..."): the
// sources have none, and such a field is a record when it holds a keyword.
bool sembra_commento(std::string_view chiave);

// Source text in double quotes, cut to at most 40 bytes ("...").
std::string cita(std::string_view testo);
// A keyword, name or value in backquotes, cut the same way.
std::string tra_apici(std::string_view testo);

// The record's keyword as the table writes it (a curve as written: its class is in it), or the
// field as written, with the keyword it is read as, when it is more than the keyword:
// "`segnale`", "`curvad4`", "`segnale nord` (read as `segnale`)".
std::string nome_record(const record_letto& r);
// "`segnale` field `posizione`".
std::string nome_campo(const record_letto& r, std::size_t k);
// "7 m", "110 km/h", "3": a value with its field's unit.
std::string con_unita(int64_t v, const campo_sorgente& c);

// Where a field stands; past the fields cut, just after the last one.
intervallo_sorgente luogo_campo(const record_letto& r, std::size_t k);

// A problem of the record being read (at its keyword field) or of one of its fields.
diagnostica problema_record(const analisi& m, std::string messaggio);
diagnostica problema_campo(const analisi& m, std::size_t k, std::string messaggio);
// A note at the record that put cell c's feature there; nothing when no record did.
std::optional<nota_diagnostica> nota_origine(const analisi& m, int64_t c);
// "the stop marker of station `MEINA`", "a signal", ... : what cell c holds, for messages.
std::string contenuto_cella(const analisi& m, int64_t c);

// Field k of the record being read as a number at its field's width. A field the text no longer
// holds, one that is not a whole number and one outside its width raise `guasto`, each with the
// author's words for it. `k` counts the record's fields from 0.
int32_t numero(const analisi& m, std::size_t k);
// Text field k of the record being read; a field the text no longer holds raises `guasto`.
std::string_view testo_campo(const analisi& m, std::size_t k);
// The problem `numero` or `testo_campo` would raise; nothing when the field is sound.
std::optional<diagnostica> problema_numero(const analisi& m, std::size_t k);
// Field k is not a number and stands on a later line than the field before it: the record's own
// line lacks it, and the next line's first field was taken in its place.
bool preso_dalla_riga_dopo(const record_letto& r, std::size_t k);
// Field k is a multiple of its table's `multiplo`; otherwise the problem for its code, with the
// nearest multiple as the fix.
std::optional<diagnostica> problema_multiplo(const analisi& m, std::size_t k, int32_t valore);
// Field k within the values its table's `accettati` lets through; otherwise the problem for its
// code (the width's own limits are `numero`'s).
std::optional<diagnostica> problema_accettati(const analisi& m, std::size_t k, int64_t valore);
// Field k's value v is outside the values its table's `accettati` lets through: the fault, in
// the table's words.
[[noreturn]] void rifiuta(const analisi& m, std::size_t k, int64_t v);
// The record's feature at p metres (field k) falls in cell c, which another feature holds:
// `cosa` names the part of the record that does ("the warning board of "), empty for the
// record itself. A note points at the record that put the other feature there.
diagnostica problema_occupata(const analisi& m, std::size_t k, int32_t p, int64_t c,
                              std::string_view cosa);
// A slow order's conflict (codes 17 to 20; nothing for 0), with the cell it met.
diagnostica problema_rallentamento(const analisi& m, const dati_rallentamento& r, int32_t codice);
// Station `r` in slot n starts less than 350 m after the previous one's area ends (code 22).
diagnostica problema_stazione_vicina(const analisi& m, const voce_stazione& r, int32_t n,
                                     const intervallo_sorgente& precedente);
// No station slot left below the signboard texts (code 10).
diagnostica problema_senza_posto(const analisi& m);
// A kilometric progressive not a multiple of 50 (code 2), at the record that gave it.
diagnostica problema_progressive(const analisi& m);
// The position check's problem: field k is beyond the route's last position for the margin.
diagnostica problema_oltre_percorso(const analisi& m, std::size_t k, int32_t p, int32_t margine);

// Raises the fault of field k (or of the record, for k past its fields) with `messaggio`.
[[noreturn]] void guasto_campo(const analisi& m, std::size_t k, const std::string& messaggio);
[[noreturn]] void guasto_record(const analisi& m, const std::string& messaggio);

}  // namespace scenario

#endif  // COMPILER_MESSAGGI_SORGENTI_H_
