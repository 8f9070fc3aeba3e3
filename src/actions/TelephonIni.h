// The dialling locations of Windows 95, kept in the file telephon.ini of the
// Windows directory, section [Locations]:
//
//   Locations=<ignored>,<N>        the number of locations after the comma
//   Location0=<...>"<name>"<...>   one line per location, 0 to N-1; the name
//                                  stands between the first two double quotes
//   CurrentLocation=<ignored>,<i>  the zero-based index of the current one
//
// The file is opened for one call at a time through the profile functions
// and never kept open.
#ifndef ZUBA_ACTIONS_TELEPHONINI_H_
#define ZUBA_ACTIONS_TELEPHONINI_H_

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Profiles.h"

namespace zuba::actions {

// The file name and its section.
inline constexpr char kTelephonIni[] = "telephon.ini";
inline constexpr char kLocationsSection[] = "Locations";

// The number written after the first comma of `text`: blanks around it are
// allowed, then an optional sign and decimal digits within 32 bits. False,
// with `*number` untouched, for a text without a comma or whose rest is no
// such number.
bool NumberAfterComma(const std::string& text, std::int32_t* number);

class TelephonIni {
 public:
  // Locations listed from the file at most; a damaged count beyond it must
  // not hang the program.
  static constexpr std::int32_t kMaxListed = 65536;

  // `path` is the file's full Windows path; `profiles` must outlive this.
  TelephonIni(platform::Profiles& profiles, std::string path);

  // N from the "Locations" line. False (N unknown) when the line is
  // missing, has no comma, or no number after it.
  bool LocationCount(std::int32_t* count) const;

  // The name on the line "Location" + `index` in decimal: the text between
  // its first and second double quote. Empty when the line is missing or
  // has fewer than two quotes.
  std::string LocationName(std::int32_t index) const;

  // Appends the names of the locations 0 to N-1 (at most kMaxListed of
  // them); a missing line appends the empty name. An unknown or negative N
  // appends nothing.
  void AppendLocationNames(std::vector<std::string>& names) const;

  // The index after the comma of the "CurrentLocation" line. False when the
  // line is missing, has no comma or no number after it.
  bool CurrentIndex(std::int32_t* index) const;

  // Writes "CurrentLocation" as the index, a comma and the index again
  // (2 gives "2,2") when 0 <= `index` < N. True when the line was written;
  // false, and the file untouched, for an index out of range, an unknown N
  // or a file that cannot be written.
  bool SetCurrentIndex(std::int32_t index);

 private:
  std::string Read(const std::string& key) const;

  platform::Profiles& profiles_;
  std::string path_;
};

}  // namespace zuba::actions

#endif  // ZUBA_ACTIONS_TELEPHONINI_H_
