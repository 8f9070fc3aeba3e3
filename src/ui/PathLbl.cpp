#include "ui/PathLbl.h"

#include <algorithm>

namespace zuba::ui {
namespace {

constexpr char kEllipsis[] = "...";
constexpr char kEllipsisDir[] = "...\\";

}  // namespace

TPathLabel::TPathLabel(platform::Files& files, platform::System& system)
    : files_(files), system_(system) {}

// --- Properties ---------------------------------------------------------------

void TPathLabel::SetAutoUpdateHint(bool autoUpdateHint) {
  autoUpdateHint_ = autoUpdateHint;
  if (!autoUpdateHint_) return;
  std::string caption;
  std::string hint;
  Compose(&caption, &hint);
  SetHint(hint);
}

void TPathLabel::SetPath(const std::string& path) {
  path_ = path;
  UpdateDisplay();
}

void TPathLabel::SetMaxLength(std::uint16_t maxLength) {
  maxLength_ = maxLength;
  UpdateDisplay();
}

void TPathLabel::SetStyle(TStretchStyle style) {
  style_ = style;
  UpdateDisplay();
}

void TPathLabel::SetTextCase(TTextCase textCase) {
  textCase_ = textCase;
  UpdateDisplay();
}

void TPathLabel::SetPathSeparator(TPathSeparator separator) {
  pathSeparator_ = separator;
  UpdateDisplay();
}

void TPathLabel::SetPathType(TPathType type) {
  pathType_ = type;
  UpdateDisplay();
}

void TPathLabel::UpdateDisplay() {
  std::string caption;
  std::string hint;
  Compose(&caption, &hint);
  SetCaption(caption);
  if (autoUpdateHint_) SetHint(hint);
}

void TPathLabel::Compose(std::string* caption, std::string* hint) const {
  std::string text = path_;
  if (pathType_ != TPathType::ptNone) text = ConvertPathNames(text, pathType_);
  switch (pathSeparator_) {
    case TPathSeparator::psAddSeparator:
      if (!text.empty()) text = AdjustSeparator(text, SeparatorChange::kAdd);
      break;
    case TPathSeparator::psSubSeparator:
      text = AdjustSeparator(text, SeparatorChange::kRemove);
      break;
    case TPathSeparator::psNone:
      if (!path_.empty()) {
        text = AdjustSeparator(
            text, EndsWithBackslash(path_) ? SeparatorChange::kAdd : SeparatorChange::kRemove);
      }
      break;
  }
  *hint = ChangeCase(text, textCase_);
  if (maxLength_ > 0 && style_ != TStretchStyle::ssNone) {
    text = ShortenPath(text, maxLength_, style_);
  }
  *caption = ChangeCase(text, textCase_);
}

// --- Byte classes -------------------------------------------------------------

std::vector<TPathLabel::ByteClass> TPathLabel::Classify(const std::string& text) const {
  std::vector<ByteClass> classes(text.size(), ByteClass::kSingle);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!system_.IsDbcsLeadByte(static_cast<unsigned char>(text[i]))) continue;
    if (i + 1 < text.size()) {
      classes[i] = ByteClass::kLead;
      classes[++i] = ByteClass::kTrail;
    } else {
      classes[i] = ByteClass::kLoneLead;
    }
  }
  return classes;
}

std::size_t TPathLabel::FindBackslash(const std::string& text, std::size_t from) const {
  std::vector<ByteClass> classes = Classify(text);
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == '\\' && classes[i] != ByteClass::kTrail) return i;
  }
  return std::string::npos;
}

bool TPathLabel::EndsWithBackslash(const std::string& text) const {
  if (text.empty() || text.back() != '\\') return false;
  return Classify(text).back() != ByteClass::kTrail;
}

std::string TPathLabel::ChangeCase(const std::string& text, TTextCase textCase) const {
  if (textCase == TTextCase::tcNone) return text;
  std::string result = text;
  std::vector<ByteClass> classes = Classify(text);
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (classes[i] != ByteClass::kSingle) continue;
    char& c = result[i];
    if (textCase == TTextCase::tcUpperCase && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    if (textCase == TTextCase::tcLowerCase && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return result;
}

// --- Roots and separators -----------------------------------------------------

int TPathLabel::RootKind(const std::string& text) const {
  if (text.size() <= 2) return 0;
  if (text.size() == 3 && text[1] == ':' && text[2] == '\\') return 1;
  if (text[0] != '\\' || text[1] != '\\' || !EndsWithBackslash(text)) return 0;
  std::vector<ByteClass> classes = Classify(text);
  int count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && classes[i] != ByteClass::kTrail) ++count;
  }
  if (count == 3) return 2;
  if (count == 4) {
    std::size_t serverEnd = FindBackslash(text, 2);
    if (serverEnd != std::string::npos && FindBackslash(text, serverEnd + 1) != std::string::npos) {
      return 2;
    }
  }
  return 0;
}

std::string TPathLabel::AdjustSeparator(const std::string& text, SeparatorChange change) const {
  if (change == SeparatorChange::kAdd) return EndsWithBackslash(text) ? text : text + "\\";
  if (EndsWithBackslash(text) && RootKind(text) == 0) return text.substr(0, text.size() - 1);
  return text;
}

// --- Long and short names -----------------------------------------------------

std::string TPathLabel::ConvertPathNames(const std::string& path, TPathType type) const {
  bool drivePath = path.size() >= 3 &&
                   ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                   path[1] == ':' && path[2] == '\\';
  if (!drivePath || type == TPathType::ptNone) return path;
  if (RootKind(path) == 1) return ChangeCase(path, TTextCase::tcUpperCase);
  // The components are looked up one by one; the last one may lack its
  // backslash (appending one after a lone lead byte would merge the two).
  std::string upper = ChangeCase(path, TTextCase::tcUpperCase);
  std::string longName = upper.substr(0, 3);
  std::string shortName = longName;
  std::size_t start = 3;
  while (start < upper.size()) {
    std::size_t end = FindBackslash(upper, start);
    if (end == std::string::npos) end = upper.size();
    bool emptyComponent = end == start;
    start = end + 1;
    if (emptyComponent) continue;
    std::vector<platform::FindData> found;
    if (!files_.FindFiles(upper.substr(0, end), &found) || found.empty()) return std::string();
    const platform::FindData& entry = found.front();
    if (!EndsWithBackslash(longName)) longName += '\\';
    longName += entry.longName;
    if (!EndsWithBackslash(shortName)) shortName += '\\';
    shortName += entry.shortName.empty() ? entry.longName : entry.shortName;
  }
  return type == TPathType::ptLongName ? longName : shortName;
}

// --- Shortening ---------------------------------------------------------------

std::string TPathLabel::CutRight(const std::string& text, int limit) const {
  std::size_t keep = static_cast<std::size_t>(limit - 3);
  // Byte `keep` (1-based) starting a double-byte character would be split.
  if (Classify(text)[keep - 1] == ByteClass::kLead) --keep;
  return text.substr(0, keep) + kEllipsis;
}

std::string TPathLabel::CutLeft(const std::string& text, int limit) const {
  std::size_t keep = static_cast<std::size_t>(limit - 3);
  std::size_t window = text.size() - static_cast<std::size_t>(limit);
  // The third byte of the last `limit` bytes is the one just before the
  // kept part: when it starts a double-byte character, its second byte goes.
  if (Classify(text)[window + 2] == ByteClass::kLead) --keep;
  return kEllipsis + text.substr(text.size() - keep);
}

std::string TPathLabel::ShortenPath(const std::string& text, int limit, TStretchStyle style) const {
  if (limit <= 0) return std::string();
  if (limit <= 3) return text.substr(0, static_cast<std::size_t>(limit));
  if (text.size() <= static_cast<std::size_t>(limit)) return text;
  switch (style) {
    case TStretchStyle::ssNone:
      return text;
    case TStretchStyle::ssRight:
      return CutRight(text, limit);
    case TStretchStyle::ssLeft:
      return CutLeft(text, limit);
    case TStretchStyle::ssFile:
    case TStretchStyle::ssDrive:
      break;
  }
  if (FindBackslash(text, 0) == std::string::npos) {
    return style == TStretchStyle::ssFile ? CutRight(text, limit) : CutLeft(text, limit);
  }
  // Components that each end with "\" (the last one only when the text
  // does), the first holding a server name with its leading backslashes.
  // Splitting the text as it is keeps a lone lead byte at the end intact.
  std::vector<std::string> parts;
  bool server = text[0] == '\\' && text[1] == '\\';
  std::size_t start = 0;
  std::size_t end = FindBackslash(text, server ? 2 : 0);
  while (end != std::string::npos) {
    parts.push_back(text.substr(start, end + 1 - start));
    start = end + 1;
    end = FindBackslash(text, start);
  }
  if (start < text.size()) parts.push_back(text.substr(start));
  std::size_t count = parts.size();
  if (count <= 2) {
    std::string joined;
    for (const std::string& part : parts) joined += part;
    return joined.size() < static_cast<std::size_t>(limit) ? joined : CutRight(text, limit);
  }
  std::size_t base = parts.front().size() + parts.back().size() + 4;
  if (static_cast<std::size_t>(limit) < base) return CutRight(text, limit);
  std::string collected;
  if (style == TStretchStyle::ssFile) {
    for (std::size_t i = 1; i + 1 < count; ++i) {
      if (collected.size() + parts[i].size() + base > static_cast<std::size_t>(limit)) break;
      collected += parts[i];
    }
    return parts.front() + collected + kEllipsisDir + parts.back();
  }
  for (std::size_t i = count - 2; i >= 1; --i) {
    if (collected.size() + parts[i].size() + base > static_cast<std::size_t>(limit)) break;
    collected = parts[i] + collected;
  }
  return parts.front() + kEllipsisDir + collected + parts.back();
}

}  // namespace zuba::ui
