// One private-profile (INI) text, parsed as Windows reads it, and the edits
// Windows makes to it. Works on bytes only (no files), so it also serves as
// the parser that is fuzzed.
//
// Reading: lines end in CR LF, LF or CR alone; any byte is allowed. Each
// line is trimmed of blanks (space, tab, vertical tab, form feed). A line
// starting with ';' is a comment. A line starting with '[' is a section
// header; the name ends at the first ']' (or at the end of the line), is
// trimmed, and text after the ']' is ignored. Any other line with '=' is a
// key: the name is the trimmed text before the first '=', the value the
// trimmed text after it. Lines without '=' are kept but hold no value. Lines
// before the first header belong to no section. Section and key names match
// without regard to ASCII case; trail bytes of double-byte characters are
// never folded and never taken for ']' or '='. Of duplicate sections or
// keys, the first is used. Empty section and key names never match.
//
// Editing: every edit returns the whole new text, with every byte outside
// the lines it touches left as it was.
#ifndef ZUBA_PLATFORM_SIM_INITEXT_H_
#define ZUBA_PLATFORM_SIM_INITEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zuba::platform::sim {

class IniText {
 public:
  explicit IniText(std::string content);
  // `content` parsed from `before`'s parse: it may differ from `before`'s
  // text in any one run of bytes (as an edit's result does). Headers wholly
  // before that run are taken as they were, those after it moved by the
  // change in length, and only the lines in between are read again; the
  // result is the parse `IniText(content)` makes.
  IniText(const IniText& before, std::string content);
  IniText(const IniText&) = delete;
  IniText& operator=(const IniText&) = delete;

  const std::string& content() const { return content_; }

  // The raw value (blanks trimmed, quotes kept) of `key` in `section`. The
  // names given are trimmed of spaces first. False when the section or the
  // key is missing.
  bool Find(std::string_view section, std::string_view key, std::string_view* value) const;

  // The key names of `section` in file order, duplicates included, without
  // lines that lack '=' and without empty names. False when the section is
  // missing.
  bool KeyNames(std::string_view section, std::vector<std::string_view>* names) const;

  // The (name, raw value) pairs of `section` in file order, as KeyNames.
  bool Entries(std::string_view section,
               std::vector<std::pair<std::string_view, std::string_view>>* entries) const;

  // The section names in file order, duplicates included, empty names left out.
  std::vector<std::string_view> SectionNames() const;

  // The text with `key` of `section` set to `value` (written exactly as
  // given): an existing key's line is rewritten in place as its name, '='
  // and the value; a new key goes after the section's last key (or right
  // after the header); a new section goes at the end of the text as
  // "[section]" CR LF "key=value" CR LF. Section and key are trimmed of
  // spaces and must not be empty.
  std::string WithValue(std::string_view section, std::string_view key,
                        std::string_view value) const;

  // The text with the keys of `section` replaced by `entries` (name, value,
  // written exactly as given): the section's key lines take the entries in
  // their order, each rewritten as name '=' value unless it already reads
  // so as the profile functions read it, up to a zero byte (then its bytes
  // stay as they are, the zero byte and what follows it too); further
  // entries go after
  // the section's last line that carries text (where WithValue puts a new
  // key); key lines left over are removed. Comments, blank lines and lines
  // without '=' stay where they are. A missing section is added at the end
  // as WithValue adds one. Names must be trimmed and not empty.
  std::string WithSection(std::string_view section,
                          const std::vector<std::pair<std::string, std::string>>& entries) const;

  // The text without the line of `key` in `section`; `*changed` tells
  // whether there was one.
  std::string WithoutKey(std::string_view section, std::string_view key, bool* changed) const;

  // The text without `section`: its header and every line up to the next
  // header go, except comment lines, which stay. `*changed` tells whether
  // the section existed.
  std::string WithoutSection(std::string_view section, bool* changed) const;

 private:
  enum class Kind : unsigned char { kBlank, kComment, kSection, kKey, kText };
  struct Line {
    std::size_t begin = 0;                     // first byte of the line
    std::size_t end = 0;                       // one past its last byte, before the line break
    std::size_t next = 0;                      // one past the line break
    std::size_t nameBegin = 0, nameEnd = 0;    // section or key name
    std::size_t valueBegin = 0, valueEnd = 0;  // key value
    Kind kind = Kind::kBlank;
  };
  // Names compared as the profile functions compare them: ASCII letters
  // without regard to case, trail bytes exactly.
  struct FoldedHash {
    std::size_t operator()(std::string_view name) const;
  };
  struct FoldedEqual {
    bool operator()(std::string_view a, std::string_view b) const;
  };
  // Name -> the first section or key line of that name: open addressing
  // over a power-of-two table. A slot holds the name's hash and the
  // section's or line's index + 1 (0: free); it names no byte of the text,
  // so a table stays right when the text before it grows or shrinks, and
  // indexing allocates nothing per name.
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t item = 0;
  };

  // A section: its header line and the lines up to the next header. Only
  // the headers are found when the text is parsed; a section's own lines
  // are read the first time something looks into it, so a large file costs
  // one pass over its bytes and the sections used between two changes.
  // A text made from an edit of another takes over the lines read of the
  // sections the edit did not touch.
  struct Section {
    Line header;
    std::size_t end = 0;     // the byte where the next header line starts (or the text's end)
    std::uint32_t hash = 0;  // FoldedHash of the name (unused when it is empty)
    mutable std::vector<Line> lines;
    mutable bool linesRead = false;
    // Key lines by name, built by the second lookup (the first scans the
    // lines: most sections are looked into once).
    mutable std::vector<Slot> keys;
    mutable bool keysIndexed = false;
    mutable bool scanned = false;
  };

  void Parse();
  // Adds the sections whose header lines start at or after `pos` (a line's
  // start). Stops at the first header line that starts after `from` (the
  // line break before it at or after `from`) and answers that line's start
  // without adding it; answers npos when it reached the end.
  std::size_t ReadHeaders(std::size_t pos, std::size_t from);
  // Reads the line that starts at `begin`: its extent and, when it is no
  // header, what it holds. `lfAfter` is the first LF at or after `begin`
  // (nullptr when there is none).
  Line ReadLine(std::size_t begin, const char* lfAfter) const;
  const std::vector<Line>& Lines(const Section& section) const;
  const Section* FindSection(std::string_view section) const;
  const Line* FindKey(const Section& section, std::string_view key) const;
  std::string_view Name(const Line& line) const;
  std::string_view Value(const Line& line) const;
  void IndexSections();

  std::string content_;
  std::vector<Section> sections_;
  std::vector<Slot> sectionSlots_;  // section name -> the first section of that name
};

// A value as GetPrivateProfileString returns it: when it is at least two
// bytes long and starts and ends with the same quote character (" or '),
// that one pair is removed.
std::string_view StripQuotes(std::string_view value);

// `text` without leading and trailing spaces (0x20 only), as the
// private-profile functions treat the names they are given.
std::string_view TrimSpaces(std::string_view text);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_INITEXT_H_
