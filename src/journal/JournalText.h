// The journal's file: plain ASCII lines (CR LF), every name and byte string
// written as hexadecimal so that no byte of a value can break a line, and a
// last line carrying the CRC-32 of everything before it. A reader takes the
// file whole or not at all: any damage (a cut, a changed byte, a line out
// of place) makes ParseJournal refuse it with a reason.
//
//   ZBJNL 4
//   setting x4F6666696365
//   state pending            (or done)
//   run apply                (or undo: see JournalRun)
//   restart 1
//   trial 0                  (1: a trial apply not kept or undone yet)
//   changes 3
//   key 80000002 x<path> <before> <after> <done>
//   value 80000002 x<path> x<name> <before> <after> <done> <key before>
//   file x<path> <before> <after> <done>
//   profile x<path> x<section> x<key> <before> <after> <done> <section before> <end>
//   section x<path> x<section> <before> <after> <done> <end>
//   end 1A2B3C4D
//
// A byte string is "x" and its bytes in hexadecimal ("x" alone: empty);
// "-" stands for absent (a key's state: "x" present, "-" absent). A
// registry value is its type in decimal, "x" and its data ("1x414200"). A key's values before the change are their count
// followed by name and value pairs, or "-".
//
// A profile key's change carries, on the apply's first change to its
// section of its file, the section's bytes before it ("-": there was no
// such section) and what the file held after its last line (closed, open
// or missing: see ProfileFileEnd); the later ones carry "* *". A section
// change sets a whole section of a profile file (an undo's).
//
// The first line names the format's version. A version adds header lines
// (each "name value", in a fixed order) or kinds of change; the reader
// takes every version up to its own. Version 1 has no "run" line (its
// journal is an apply's: a version 1 undo saved its inverse as an apply)
// and no states of a key (read as a key the apply creates); versions 1 and
// 2 have no "trial" line (no apply of theirs is on trial). Versions 1 to 3
// carry, on the first change to each profile file, the whole file before
// it in place of the section's bytes and end (one token), and no section
// changes.
#ifndef ZUBA_JOURNAL_JOURNALTEXT_H_
#define ZUBA_JOURNAL_JOURNALTEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "journal/Change.h"

namespace zuba::journal {

// A journal larger than this is refused unread: an apply never writes one.
constexpr std::size_t kMaxJournalBytes = 64 * 1024 * 1024;

std::string FormatJournal(const Journal& journal);

// Parses `text` into `*journal`. False, with the reason in `*error`, when
// the text is not a whole, undamaged journal.
bool ParseJournal(std::string_view text, Journal* journal, std::string* error);

// CRC-32 (the polynomial of zip and PNG) of `bytes`.
std::uint32_t Crc32(std::string_view bytes);

}  // namespace zuba::journal

#endif  // ZUBA_JOURNAL_JOURNALTEXT_H_
