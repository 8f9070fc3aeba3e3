// Sections of a profile (INI) file found in its bytes, as the profile
// functions read them: a section starts at a line whose first character
// after blanks (space, tab, vertical tab, form feed) is "[", its name ends
// at the first "]" that is a character of its own (or at the line's end)
// and is trimmed of blanks, and it runs to the next such line. Lines end in
// CR LF, LF or CR alone. Of sections whose names differ in ASCII letter
// case alone, the first is the one the functions reach.
#ifndef ZUBA_PLATFORM_PROFILESECTIONS_H_
#define ZUBA_PLATFORM_PROFILESECTIONS_H_

#include <cstddef>
#include <optional>
#include <string_view>

namespace zuba::platform {

// The bytes of one section: from the start of its header line to the start
// of the next header line (or the end of the file), so its key lines,
// comments and blank lines are all inside.
struct SectionSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// The first section named `section` (trimmed of spaces, as the functions
// take their arguments) in `content`; nothing when there is none or the
// name is empty.
std::optional<SectionSpan> FindProfileSection(std::string_view content, std::string_view section);

}  // namespace zuba::platform

#endif  // ZUBA_PLATFORM_PROFILESECTIONS_H_
