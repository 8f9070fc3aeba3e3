#include "platform/sim/IniText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/Cp932.h"

namespace zuba::platform::sim {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view UpToZero(std::string_view text) { return text.substr(0, text.find('\0')); }

// Narrows [*begin, *end) of `text` to its part without surrounding blanks.
void TrimBlanks(const std::string& text, std::size_t* begin, std::size_t* end) {
  while (*begin < *end && IsBlank(text[*begin])) ++*begin;
  while (*end > *begin && IsBlank(text[*end - 1])) --*end;
}

constexpr char kLineBreak[] = "\r\n";

// A table of slots (hash, item + 1) for `count` names, all free.
template <typename Slot>
void MakeSlots(std::vector<Slot>* slots, std::size_t count) {
  std::size_t size = 16;
  while (size < 2 * count) size *= 2;
  slots->assign(size, Slot());
}

// The item (index + 1) of the first name equal to `name` (hash `hash`), or
// the free slot where it would go (item 0). `nameOf(index)` is an item's name.
template <typename Slots, typename NameOf, typename Equal>
auto FindSlot(Slots& slots, std::uint32_t hash, std::string_view name, NameOf nameOf, Equal equal)
    -> decltype(&slots[0]) {
  const std::size_t mask = slots.size() - 1;
  for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
    auto& slot = slots[at];
    if (slot.item == 0 || (slot.hash == hash && equal(nameOf(slot.item - 1), name))) return &slot;
  }
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  return text.substr(begin, end - begin);
}

std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::size_t IniText::FoldedHash::operator()(std::string_view name) const {
  // FNV-1a over the folded bytes: a double-byte character's bytes as they
  // are, a single byte raised when it is a-z.
  constexpr std::uint64_t kPrime = 1099511628211ull;
  std::uint64_t h = 1469598103934665603ull;
  const std::size_t size = name.size();
  for (std::size_t i = 0; i < size; ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (IsCp932LeadByte(c) && i + 1 < size) {
      h = (h ^ c) * kPrime;
      c = static_cast<unsigned char>(name[++i]);
    } else if (c >= 'a' && c <= 'z') {
      c = static_cast<unsigned char>(c - 32);
    }
    h = (h ^ c) * kPrime;
  }
  return static_cast<std::size_t>(h);
}

bool IniText::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  return EqualsNoCaseCp932(a, b);
}

IniText::IniText(std::string content) : content_(std::move(content)) { Parse(); }

IniText::Line IniText::ReadLine(std::size_t begin, const char* stop) const {
  const std::string& c = content_;
  const std::size_t n = c.size();
  Line line;
  line.begin = begin;
  // The line ends at the first CR or LF: `stop` (the next LF, or the end of
  // the range read), or a CR before it.
  const char* start = c.data() + begin;
  const char* cr =
      static_cast<const char*>(std::memchr(start, '\r', static_cast<std::size_t>(stop - start)));
  line.end = static_cast<std::size_t>((cr ? cr : stop) - c.data());
  line.next = line.end;
  if (line.next < n)
    line.next += (c[line.next] == '\r' && line.next + 1 < n && c[line.next + 1] == '\n') ? 2 : 1;

  std::size_t b = line.begin, e = line.end;
  TrimBlanks(c, &b, &e);
  if (b == e) {
    line.kind = Kind::kBlank;
  } else if (c[b] == ';') {
    line.kind = Kind::kComment;
  } else if (c[b] == '[') {
    line.kind = Kind::kSection;
    std::string_view inner(c.data() + b + 1, e - b - 1);
    std::size_t close = FindCp932(inner, ']');
    line.nameBegin = b + 1;
    line.nameEnd = close == std::string_view::npos ? e : b + 1 + close;
    TrimBlanks(c, &line.nameBegin, &line.nameEnd);
  } else {
    std::size_t eq = FindCp932(std::string_view(c.data() + b, e - b), '=');
    if (eq == std::string_view::npos) {
      line.kind = Kind::kText;
    } else {
      line.kind = Kind::kKey;
      line.nameBegin = b;
      line.nameEnd = b + eq;
      TrimBlanks(c, &line.nameBegin, &line.nameEnd);
      line.valueBegin = b + eq + 1;
      line.valueEnd = e;
      TrimBlanks(c, &line.valueBegin, &line.valueEnd);
    }
  }
  return line;
}

void IniText::Parse() {
  // Room for as many sections as the text has "[": nothing is moved or
  // rehashed while the headers are read.
  const char* data = content_.data();
  const std::size_t n = content_.size();
  std::size_t brackets = 0;
  for (const char* at = data; (at = static_cast<const char*>(std::memchr(at, '[', data + n - at)));
       ++at) {
    ++brackets;
  }
  sections_.reserve(brackets);
  ReadHeaders(0, std::string::npos);
  IndexSections();
}

std::size_t IniText::ReadHeaders(std::size_t pos, std::size_t from) {
  // Only the header lines: a "[" with nothing but blanks between it and the
  // start of its line. Such a "[" follows a blank or a line break, never a
  // lead byte, so it is a character of its own.
  const std::string& c = content_;
  const std::size_t n = c.size();
  const char* data = c.data();
  while (pos < n) {
    const char* bracket = static_cast<const char*>(std::memchr(data + pos, '[', n - pos));
    if (!bracket) break;
    std::size_t begin = static_cast<std::size_t>(bracket - data);
    while (begin > pos && IsBlank(c[begin - 1])) --begin;
    if (begin > 0 && c[begin - 1] != '\r' && c[begin - 1] != '\n') {
      pos = static_cast<std::size_t>(bracket - data) + 1;
      continue;
    }
    if (from != std::string::npos && begin > from) {
      if (!sections_.empty()) sections_.back().end = begin;
      return begin;
    }
    const char* lf = static_cast<const char*>(std::memchr(data + begin, '\n', n - begin));
    Line header = ReadLine(begin, lf ? lf : data + n);
    if (!sections_.empty()) sections_.back().end = header.begin;
    sections_.emplace_back();
    Section& section = sections_.back();
    section.header = header;
    section.hash = static_cast<std::uint32_t>(FoldedHash()(Name(header)));
    pos = header.next;
  }
  if (!sections_.empty()) sections_.back().end = n;
  return std::string::npos;
}

IniText::IniText(const IniText& before, std::string content) : content_(std::move(content)) {
  const std::string& old = before.content_;
  const std::size_t n = content_.size(), oldSize = old.size();
  // The run of bytes that differs: [same, n - tail) here, [same, oldSize -
  // tail) before. Compared a block at a time, then byte by byte.
  constexpr std::size_t kBlock = 256;
  const std::size_t common = std::min(n, oldSize);
  std::size_t same = 0;
  while (same + kBlock <= common &&
         std::memcmp(old.data() + same, content_.data() + same, kBlock) == 0)
    same += kBlock;
  while (same < common && old[same] == content_[same]) ++same;
  std::size_t tail = 0;
  const std::size_t tailLimit = common - same;
  while (tail + kBlock <= tailLimit &&
         std::memcmp(old.data() + oldSize - tail - kBlock, content_.data() + n - tail - kBlock,
                     kBlock) == 0)
    tail += kBlock;
  while (tail < tailLimit && old[oldSize - tail - 1] == content_[n - tail - 1]) ++tail;

  // A header line reads as before when it and the byte after it (which
  // tells a CR LF from a CR) lie before the run, and when it and the line
  // break before it lie after it.
  const std::vector<Section>& was = before.sections_;
  const auto firstChanged = std::partition_point(
      was.begin(), was.end(), [same](const Section& s) { return s.header.next < same; });
  const std::size_t shift = n - oldSize;  // added modulo 2^64: the tail moves by n - oldSize
  // A section taken over with the lines read of it, moved by `by`.
  auto takeOver = [this](const Section& from, std::size_t by) {
    sections_.emplace_back();
    Section& to = sections_.back();
    // Each field added to once, in registers: a loop over pointers to the
    // fields made every line wait on its own stores.
    auto move = [by](const Line& line) {
      Line moved = line;
      moved.begin = line.begin + by;
      moved.end = line.end + by;
      moved.next = line.next + by;
      moved.nameBegin = line.nameBegin + by;
      moved.nameEnd = line.nameEnd + by;
      moved.valueBegin = line.valueBegin + by;
      moved.valueEnd = line.valueEnd + by;
      return moved;
    };
    to.header = move(from.header);
    to.end = from.end + by;
    to.hash = from.hash;
    // Only the lines of sections looked into more than once (indexed) are
    // worth their copy: a section read once (a setting's address read for
    // the save warnings) is rarely read again.
    if (!from.keysIndexed) return;
    if (by == 0) {
      to.lines = from.lines;
    } else {
      to.lines.resize(from.lines.size());
      for (std::size_t i = 0; i < from.lines.size(); ++i) to.lines[i] = move(from.lines[i]);
    }
    to.linesRead = from.linesRead;
    to.keys = from.keys;
    to.keysIndexed = from.keysIndexed;
    to.scanned = from.scanned;
  };
  sections_.reserve(was.size() + 1);
  for (auto it = was.begin(); it != firstChanged; ++it) takeOver(*it, 0);
  const std::size_t lastKept = sections_.size() - 1;  // npos when none is
  const std::size_t pos = sections_.empty() ? 0 : sections_.back().header.next;
  const std::size_t keptEnd = sections_.empty() ? 0 : sections_.back().end;
  const std::size_t resume = ReadHeaders(pos, n - tail);
  if (resume != std::string::npos) {
    // From here on the lines are the ones `before` read, moved.
    const std::size_t oldBegin = resume - shift;
    auto from = std::partition_point(
        was.begin(), was.end(), [oldBegin](const Section& s) { return s.header.begin < oldBegin; });
    if (from == was.end() || from->header.begin != oldBegin) {
      ReadHeaders(resume, std::string::npos);  // not reached: read the rest
    } else {
      for (auto it = from; it != was.end(); ++it) takeOver(*it, shift);
    }
  }
  // The last section taken over may reach into the changed bytes, or now
  // end elsewhere: its lines are read again.
  if (lastKept != std::size_t(-1) && (keptEnd >= same || sections_[lastKept].end != keptEnd)) {
    Section& last = sections_[lastKept];
    last.lines.clear();
    last.keys.clear();
    last.linesRead = last.keysIndexed = last.scanned = false;
  }
  IndexSections();
}

void IniText::IndexSections() {
  MakeSlots(&sectionSlots_, sections_.size());
  auto nameOf = [this](std::size_t i) { return Name(sections_[i].header); };
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    const Section& section = sections_[i];
    if (section.header.nameEnd == section.header.nameBegin) continue;
    // A later section of the same name is never reached.
    Slot* slot = FindSlot(sectionSlots_, section.hash, Name(section.header), nameOf, FoldedEqual());
    if (slot->item == 0) *slot = Slot{section.hash, static_cast<std::uint32_t>(i + 1)};
  }
}

const std::vector<IniText::Line>& IniText::Lines(const Section& section) const {
  if (section.linesRead) return section.lines;
  const char* data = content_.data();
  const char* limit = data + section.end;
  // The next LF is searched for again only once passed, so lines ending in
  // CR alone cost no search to the section's end each.
  const char* lf = nullptr;
  for (std::size_t pos = section.header.next; pos < section.end;) {
    if (!lf || lf < data + pos) {
      lf = static_cast<const char*>(std::memchr(data + pos, '\n', section.end - pos));
      if (!lf) lf = limit;
    }
    section.lines.push_back(ReadLine(pos, lf));
    pos = section.lines.back().next;
  }
  section.linesRead = true;
  return section.lines;
}

std::string_view IniText::Name(const Line& line) const {
  return std::string_view(content_.data() + line.nameBegin, line.nameEnd - line.nameBegin);
}

std::string_view IniText::Value(const Line& line) const {
  return std::string_view(content_.data() + line.valueBegin, line.valueEnd - line.valueBegin);
}

const IniText::Section* IniText::FindSection(std::string_view section) const {
  section = TrimSpaces(section);
  if (section.empty()) return nullptr;
  auto nameOf = [this](std::size_t i) { return Name(sections_[i].header); };
  const Slot* slot = FindSlot(sectionSlots_, static_cast<std::uint32_t>(FoldedHash()(section)),
                              section, nameOf, FoldedEqual());
  return slot->item == 0 ? nullptr : &sections_[slot->item - 1];
}

const IniText::Line* IniText::FindKey(const Section& section, std::string_view key) const {
  key = TrimSpaces(key);
  if (key.empty()) return nullptr;
  if (!section.keysIndexed && !section.scanned) {
    // A section looked into once (a setting's address read for the save
    // warnings) costs one pass over its lines, no index.
    section.scanned = true;
    for (const Line& line : Lines(section)) {
      if (line.kind == Kind::kKey && line.nameEnd > line.nameBegin &&
          EqualsNoCaseCp932(Name(line), key)) {
        return &line;
      }
    }
    return nullptr;
  }
  const std::vector<Line>& lines = Lines(section);
  auto nameOf = [this, &lines](std::size_t i) { return Name(lines[i]); };
  if (!section.keysIndexed) {
    // Indexed on the second use: most sections of a large file are never
    // looked into between two changes of the file.
    MakeSlots(&section.keys, lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const Line& line = lines[i];
      if (line.kind != Kind::kKey || line.nameEnd == line.nameBegin) continue;
      const std::string_view name = Name(line);
      const auto hash = static_cast<std::uint32_t>(FoldedHash()(name));
      Slot* slot = FindSlot(section.keys, hash, name, nameOf, FoldedEqual());
      if (slot->item == 0) *slot = Slot{hash, static_cast<std::uint32_t>(i + 1)};
    }
    section.keysIndexed = true;
  }
  const Slot* slot = FindSlot(section.keys, static_cast<std::uint32_t>(FoldedHash()(key)), key,
                              nameOf, FoldedEqual());
  return slot->item == 0 ? nullptr : &lines[slot->item - 1];
}

bool IniText::Find(std::string_view section, std::string_view key, std::string_view* value) const {
  const Section* s = FindSection(section);
  if (!s) return false;
  const Line* line = FindKey(*s, key);
  if (!line) return false;
  *value = Value(*line);
  return true;
}

bool IniText::KeyNames(std::string_view section, std::vector<std::string_view>* names) const {
  std::vector<std::pair<std::string_view, std::string_view>> entries;
  if (!Entries(section, &entries)) return false;
  names->clear();
  for (const auto& entry : entries) names->push_back(entry.first);
  return true;
}

bool IniText::Entries(std::string_view section,
                      std::vector<std::pair<std::string_view, std::string_view>>* entries) const {
  const Section* s = FindSection(section);
  if (!s) return false;
  entries->clear();
  for (const Line& line : Lines(*s)) {
    if (line.kind == Kind::kKey && line.nameEnd > line.nameBegin) {
      entries->emplace_back(Name(line), Value(line));
    }
  }
  return true;
}

std::vector<std::string_view> IniText::SectionNames() const {
  std::vector<std::string_view> names;
  for (const Section& s : sections_) {
    const Line& header = s.header;
    if (header.nameEnd > header.nameBegin) names.push_back(Name(header));
  }
  return names;
}

std::string IniText::WithValue(std::string_view section, std::string_view key,
                               std::string_view value) const {
  section = TrimSpaces(section);
  key = TrimSpaces(key);
  const std::string& c = content_;
  const Section* s = FindSection(section);
  if (!s) {
    std::string out = c;
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += kLineBreak;
    out.append("[").append(section).append("]").append(kLineBreak);
    out.append(key).append("=").append(value).append(kLineBreak);
    return out;
  }
  if (const Line* line = FindKey(*s, key)) {
    std::string out;
    out.reserve(c.size() + value.size());
    out.append(c, 0, line->begin);
    out.append(Name(*line)).append("=").append(value);
    out.append(c, line->end, std::string::npos);
    return out;
  }
  // After the section's last line that carries text (a key or a line
  // without '='); comments and blank lines after it stay after the new key.
  const Line* after = &s->header;
  for (const Line& line : Lines(*s)) {
    if (line.kind == Kind::kKey || line.kind == Kind::kText) after = &line;
  }
  const Line& anchor = *after;
  std::string out;
  out.reserve(c.size() + key.size() + value.size() + 4);
  out.append(c, 0, anchor.next);
  if (anchor.next == anchor.end) out += kLineBreak;  // the anchor had no line break
  out.append(key).append("=").append(value).append(kLineBreak);
  out.append(c, anchor.next, std::string::npos);
  return out;
}

std::string IniText::WithSection(
    std::string_view section,
    const std::vector<std::pair<std::string, std::string>>& entries) const {
  section = TrimSpaces(section);
  const std::string& c = content_;
  std::string out;
  auto appendEntry = [&out](const std::pair<std::string, std::string>& entry) {
    out.append(entry.first).append("=").append(entry.second);
  };
  const Section* s = FindSection(section);
  if (!s) {
    out = c;
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += kLineBreak;
    out.append("[").append(section).append("]").append(kLineBreak);
    for (const auto& entry : entries) {
      appendEntry(entry);
      out += kLineBreak;
    }
    return out;
  }
  auto isKey = [](const Line& line) {
    return line.kind == Kind::kKey && line.nameEnd > line.nameBegin;
  };
  const std::vector<Line>& lines = Lines(*s);
  const Line* anchor = &s->header;
  for (const Line& line : lines) {
    if (isKey(line) || line.kind == Kind::kText) anchor = &line;
  }
  out.reserve(c.size() + 64 * entries.size());
  const Line& header = s->header;
  out.append(c, 0, header.next);
  std::size_t next = 0;  // the next entry to place
  auto appendRest = [&](const Line& after) {
    if (next >= entries.size()) return;
    if (after.next == after.end) out += kLineBreak;  // the line had no line break
    for (; next < entries.size(); ++next) {
      appendEntry(entries[next]);
      out += kLineBreak;
    }
  };
  if (anchor == &header) appendRest(header);
  for (const Line& line : lines) {
    if (!isKey(line)) {
      out.append(c, line.begin, line.next - line.begin);
    } else if (next < entries.size()) {
      const auto& entry = entries[next++];
      // A line reads as the profile functions hand it out: up to its first
      // zero byte, which no entry can carry. Bytes beyond it stay.
      if (entry.first == UpToZero(Name(line)) && entry.second == UpToZero(Value(line))) {
        out.append(c, line.begin, line.next - line.begin);  // unchanged: kept as it was
      } else {
        appendEntry(entry);
        out.append(c, line.end, line.next - line.end);
      }
    } else {
      continue;  // a key line left over
    }
    if (&line == anchor) appendRest(line);
  }
  out.append(c, s->end, std::string::npos);
  return out;
}

std::string IniText::WithoutKey(std::string_view section, std::string_view key,
                                bool* changed) const {
  *changed = false;
  const Section* s = FindSection(section);
  const Line* line = s ? FindKey(*s, key) : nullptr;
  if (!line) return content_;
  *changed = true;
  return content_.substr(0, line->begin) + content_.substr(line->next);
}

std::string IniText::WithoutSection(std::string_view section, bool* changed) const {
  *changed = false;
  const Section* s = FindSection(section);
  if (!s) return content_;
  *changed = true;
  const std::string& c = content_;
  std::string out;
  out.reserve(c.size());
  out.append(c, 0, s->header.begin);
  for (const Line& line : Lines(*s)) {
    if (line.kind == Kind::kComment) out.append(c, line.begin, line.next - line.begin);
  }
  out.append(c, s->end, std::string::npos);
  return out;
}

}  // namespace zuba::platform::sim
