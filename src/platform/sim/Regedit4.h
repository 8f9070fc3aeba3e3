// REGEDIT4 text as the Windows 9x registry editor reads and writes it:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\Key]
//   "Name"="text with \\ and \""       string (REG_SZ)
//   @="default value"                  the key's default value
//   "Count"=dword:0000002a             REG_DWORD, 1 to 8 hex digits on import
//   "Bytes"=hex:01,02,ff               REG_BINARY
//   "Path"=hex(2):25,57,00             any type n, here REG_EXPAND_SZ
//   "Long"=hex:00,01,...,\             a line ending in a backslash goes on
//     02,03                            on the next one
//   "Gone"=-                           import only: deletes the value
//   [-HKEY_LOCAL_MACHINE\Software\Old] import only: deletes the key and its subkeys
//   ; a comment
//
// Text is CP932 and the parser is aware of double-byte characters: a 0x5C
// that is the second byte of a character ("\x83\x5C") is no escape and no
// path separator. Lines end in CR LF or LF. Lines that are neither key nor
// value lines are ignored, as the registry editor ignores them.
//
// This translation unit holds no non-ASCII literal, so it also builds
// without -fexec-charset (the fuzzing build).
#ifndef ZUBA_PLATFORM_SIM_REGEDIT4_H_
#define ZUBA_PLATFORM_SIM_REGEDIT4_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace zuba::platform::sim {

// The predefined keys a key line can start with.
enum class RegRoot {
  kClassesRoot,
  kCurrentUser,
  kLocalMachine,
  kUsers,
  kCurrentConfig,
  kDynData,
};

// "HKEY_LOCAL_MACHINE" and so on.
std::string_view RegRootName(RegRoot root);
// The root named `name` (case ignored); false when none is.
bool FindRegRoot(std::string_view name, RegRoot* root);

// Receives what the parser reads, in file order, with the (first) line it
// stands on. Each call returns nullptr to go on, or an error message (a
// static ASCII text) to stop the parse; the parser then reports that message
// with the current line.
class Regedit4Sink {
 public:
  virtual ~Regedit4Sink() = default;
  // A key line. `path` is the part after the root name and its backslash
  // ("" for the root itself); its names are valid key names (RegName).
  // `remove`: the line was [-KEY].
  virtual const char* OnKey(int line, RegRoot root, std::string_view path, bool remove) = 0;
  // A value of the current key; `name` "" is the default value. `data` is
  // the raw data: a quoted string gives its bytes and a terminating zero, a
  // dword its four little-endian bytes, hex data its bytes as written (for
  // hex(2) and hex(7) with a terminating zero added when they lack one).
  virtual const char* OnValue(int line, std::string_view name, std::uint32_t type,
                              std::string_view data) = 0;
  // "name"=- below the current key.
  virtual const char* OnRemoveValue(int line, std::string_view name) = 0;

  // The text the current call stands on, as a view into the parsed text:
  // the key line, or the value's line with its continuation lines, each
  // with its line break. Set before every call.
  std::string_view rawText;
};

struct Regedit4Error {
  int line = 0;  // 1-based
  std::string message;
};

// Parses `text`, feeding `sink`. Returns true when the whole text was read;
// else false with the line and the reason in `*error`. What the sink got
// before the error stays with the sink.
bool ParseRegedit4(std::string_view text, Regedit4Sink& sink, Regedit4Error* error);

// As ParseRegedit4, for a part of a text: no header line, and the first
// line of `text` counts as line `firstLine`. With `inKey`, value lines may
// come before any key line (they belong to a key the caller knows).
bool ParseRegedit4Part(std::string_view text, int firstLine, Regedit4Sink& sink,
                       Regedit4Error* error, bool inKey = false);

// --- Writing -----------------------------------------------------------------
// Lines end in CR LF, as the registry editor writes them.

// "REGEDIT4" and the empty line after it.
void AppendRegedit4Header(std::string* out);

// "[path]" (or "[-path]" when `remove`); `path` is the full path with the root
// name.
void AppendKeyLine(std::string* out, std::string_view path, bool remove = false);

// One value line: a quoted string for REG_SZ data that a quoted string can
// hold (one terminating zero, no CR, LF or inner zero), dword: for
// four-byte REG_DWORD data, hex: for REG_BINARY, hex(n): for everything
// else; hex lines wrap near 80 columns as the registry editor wraps them.
// Returns false, appending nothing, when `name` is not a valid value name.
bool AppendValueLine(std::string* out, std::string_view name, std::uint32_t type,
                     std::string_view data);

// "name"=- ; false, appending nothing, for a name that is not valid.
bool AppendRemoveValueLine(std::string* out, std::string_view name);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_REGEDIT4_H_
