#include "actions/TelephonIni.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "actions/ProfileText.h"
#include "platform/Cp932.h"
#include "system/IntegerText.h"

namespace zuba::actions {
namespace {

constexpr char kCountKey[] = "Locations";
constexpr char kCurrentKey[] = "CurrentLocation";
constexpr char kLocationKeyPrefix[] = "Location";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A decimal number with blanks around it.
bool ParseDecimal(const std::string& text, std::int32_t* number) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return system::ParseInteger32(std::string_view(text).substr(begin, end - begin), 10, number);
}

}  // namespace

bool NumberAfterComma(const std::string& text, std::int32_t* number) {
  // A comma is never the second byte of a double-byte character.
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  return ParseDecimal(text.substr(comma + 1), number);
}

TelephonIni::TelephonIni(platform::Profiles& profiles, std::string path)
    : profiles_(profiles), path_(std::move(path)) {}

std::string TelephonIni::Read(const std::string& key) const {
  return ReadProfileText(profiles_, kLocationsSection, key, path_);
}

bool TelephonIni::LocationCount(std::int32_t* count) const {
  return NumberAfterComma(Read(kCountKey), count);
}

std::string TelephonIni::LocationName(std::int32_t index) const {
  const std::string line = Read(kLocationKeyPrefix + std::to_string(index));
  const std::size_t open = line.find('"');
  if (open == std::string::npos) return "";
  const std::size_t close = line.find('"', open + 1);
  if (close == std::string::npos) return "";
  return line.substr(open + 1, close - open - 1);
}

void TelephonIni::AppendLocationNames(std::vector<std::string>& names) const {
  std::int32_t count = 0;
  if (!LocationCount(&count)) return;
  count = std::min(count, kMaxListed);
  if (count <= 0) return;
  // Only lines that exist are read, so a large count costs no more reads
  // than the file has lines.
  std::unordered_set<std::string> present;
  for (const std::string& key : ReadProfileKeyNames(profiles_, kLocationsSection, path_)) {
    present.insert(platform::FoldCp932(key));
  }
  for (std::int32_t i = 0; i < count; ++i) {
    const bool listed =
        present.count(platform::FoldCp932(kLocationKeyPrefix + std::to_string(i))) != 0;
    names.push_back(listed ? LocationName(i) : std::string());
  }
}

bool TelephonIni::CurrentIndex(std::int32_t* index) const {
  return NumberAfterComma(Read(kCurrentKey), index);
}

bool TelephonIni::SetCurrentIndex(std::int32_t index) {
  std::int32_t count = 0;
  if (index < 0 || !LocationCount(&count) || index >= count) return false;
  const std::string text = std::to_string(index);
  return profiles_.WriteString(kLocationsSection, kCurrentKey, text + "," + text, path_);
}

}  // namespace zuba::actions
