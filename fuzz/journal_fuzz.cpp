// Fuzzes the journal reader: any bytes are either refused or read into a
// journal that writes back to exactly the bytes read (so nothing damaged
// is ever taken for a journal), and a journal read writes and reads again
// to the same.
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
  Check(zuba::journal::FormatJournal(journal) == text);
  return 0;
}
