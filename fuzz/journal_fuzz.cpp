// Fuzzes the journal reader: any bytes are either refused with a reason or
// read into a journal. Today's format is a fixed point: a journal read
// writes bytes that read back to a journal writing the same bytes, and a
// journal already written in today's format writes back exactly the bytes
// read (so nothing damaged is ever taken for a journal). An older format
// is read and written anew in today's.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "journal/JournalText.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  zuba::journal::Journal journal;
  std::string error;
  if (!zuba::journal::ParseJournal(text, &journal, &error)) {
    Check(!error.empty());
    return 0;
  }
  const std::string written = zuba::journal::FormatJournal(journal);
  zuba::journal::Journal again;
  Check(zuba::journal::ParseJournal(written, &again, &error));
  Check(zuba::journal::FormatJournal(again) == written);
  const std::string::size_type firstLine = written.find('\n') + 1;
  if (text.compare(0, firstLine, written, 0, firstLine) == 0) Check(written == text);
  return 0;
}
