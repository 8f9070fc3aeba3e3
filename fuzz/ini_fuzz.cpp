// Fuzzes the INI text parser and its edits: any bytes must parse, every key
// listed must be found, and an edit must do what it says and keep the rest.
// A whole section written with the entries it has leaves the text as it is.
// A text parsed from the parse of the text before an edit (the edits, and a
// change of bytes taken from the input) reads as the same text parsed afresh.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/IniText.h"

using zuba::platform::sim::IniText;
using zuba::platform::sim::StripQuotes;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// A name of letters taken from the input, so that edits have a well-formed
// target that may or may not exist in the text.
std::string NameFrom(const uint8_t* data, size_t size) {
  std::string name;
  for (size_t i = 0; i < size && name.size() < 3; ++i) name += static_cast<char>('a' + data[i] % 4);
  return name.empty() ? "a" : name;
}

// What a parse tells of its first sections: entries, each found by name
// twice (a scan, then the index), and where an edit of the section goes.
std::string Reading(const IniText& ini) {
  std::vector<std::string_view> names = ini.SectionNames();
  if (names.size() > 16) names.resize(16);
  std::string out;
  for (std::string_view name : names) {
    std::vector<std::pair<std::string_view, std::string_view>> entries;
    Check(ini.Entries(name, &entries));
    out.append(name).push_back('\0');
    for (const auto& entry : entries) {
      std::string_view found;
      for (int pass = 0; pass < 2; ++pass) {
        Check(ini.Find(name, entry.first, &found));
        out.append(found).push_back('\0');
      }
    }
    bool changed = false;
    out += ini.WithValue(name, "n", "v") + ini.WithoutSection(name, &changed);
  }
  return out;
}

// `edited` parsed from `before`'s parse reads as it does parsed afresh.
void CheckMadeFrom(const IniText& before, const std::string& edited) {
  Check(Reading(IniText(before, edited)) == Reading(IniText(edited)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  IniText ini(text);

  std::vector<std::string_view> sections = ini.SectionNames();
  for (size_t s = 0; s < sections.size() && s < 16; ++s) {
    std::vector<std::pair<std::string_view, std::string_view>> entries;
    Check(ini.Entries(sections[s], &entries));
    for (const auto& entry : entries) {
      std::string_view value;
      Check(ini.Find(sections[s], entry.first, &value));
      StripQuotes(value);
    }
  }

  // Some bytes of the text replaced by others, at places the input picks.
  if (size >= 4) {
    const size_t at = data[0] % (size + 1), erase = std::min<size_t>(data[1] % 8, size - at);
    const size_t from = data[2] % size, length = std::min<size_t>(data[3] % 8, size - from);
    std::string spliced = text;
    spliced.replace(at, erase, text, from, length);
    CheckMadeFrom(ini, spliced);
  }

  const std::string section = NameFrom(data, size / 2);
  const std::string key = NameFrom(data + size / 2, size - size / 2);
  std::string_view found;
  const bool had = ini.Find(section, key, &found);

  IniText written(ini.WithValue(section, key, "v"));
  CheckMadeFrom(ini, written.content());
  Check(written.Find(section, key, &found) && found == "v");
  std::vector<std::string_view> before = ini.SectionNames(), after = written.SectionNames();
  std::vector<std::string_view> none;
  if (ini.KeyNames(section, &none)) {
    Check(after == before);  // an existing section: edited in place
  } else {
    Check(after.size() == before.size() + 1 && after.back() == section);
    Check(std::equal(before.begin(), before.end(), after.begin()));
    Check(written.content().compare(0, text.size(), text) == 0);  // appended at the end
  }

  // A section written whole with its own entries stays as it was; written
  // with others, it lists exactly those.
  std::vector<std::pair<std::string_view, std::string_view>> own;
  if (ini.Entries(section, &own)) {
    std::vector<std::pair<std::string, std::string>> same(own.begin(), own.end());
    Check(ini.WithSection(section, same) == text);
  }
  IniText replaced(ini.WithSection(section, {{key, "v"}, {"zz", "w"}}));
  CheckMadeFrom(ini, replaced.content());
  std::vector<std::pair<std::string_view, std::string_view>> listed;
  Check(replaced.Entries(section, &listed) && listed.size() == 2);
  Check(listed[0].first == key && listed[0].second == "v" && listed[1].second == "w");
  Check(replaced.SectionNames().size() == after.size());

  bool changed = false;
  IniText removed(ini.WithoutKey(section, key, &changed));
  CheckMadeFrom(ini, removed.content());
  Check(changed == had);
  Check(changed || removed.content() == text);

  IniText dropped(ini.WithoutSection(section, &changed));
  CheckMadeFrom(ini, dropped.content());
  Check(dropped.content().size() <= text.size());
  Check(dropped.SectionNames().size() + (changed ? 1 : 0) == sections.size());
  return 0;
}
