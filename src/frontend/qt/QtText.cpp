#include "frontend/qt/QtText.h"

#include <vector>

#include "platform/TextCodec.h"
#include "toolkit/Cp932Text.h"

namespace zuba::qt {
namespace {

// Where each character of a CP932 text starts; the last entry is the size.
std::vector<std::size_t> CharStarts(const std::string& text) {
  std::vector<std::size_t> starts;
  std::size_t at = 0;
  while (at < text.size()) {
    starts.push_back(at);
    bool lead = toolkit::IsCp932LeadByte(static_cast<unsigned char>(text[at]));
    at += lead && at + 1 < text.size() ? 2 : 1;
  }
  starts.push_back(text.size());
  return starts;
}

// One UTF-16 unit for the character text[from, to): its code, or U+FFFD.
QChar CharToQt(const std::string& text, std::size_t from, std::size_t to) {
  bool exact = true;
  QString one = QString::fromUtf8(platform::Cp932ToUtf8(text.substr(from, to - from), &exact));
  return exact && one.size() == 1 ? one[0] : QChar(QChar::ReplacementCharacter);
}

}  // namespace

QString ToQt(const std::string& text) {
  std::vector<std::size_t> starts = CharStarts(text);
  bool exact = true;
  QString whole = QString::fromUtf8(platform::Cp932ToUtf8(text, &exact));
  if (exact && static_cast<std::size_t>(whole.size()) + 1 == starts.size()) return whole;
  QString out;
  out.reserve(static_cast<int>(starts.size()));
  for (std::size_t i = 0; i + 1 < starts.size(); ++i)
    out += CharToQt(text, starts[i], starts[i + 1]);
  return out;
}

bool FromQt(const QString& shown, std::string* text) {
  bool exact = true;
  std::string converted = platform::Utf8ToCp932(shown.toUtf8().toStdString(), &exact);
  // U+FFFD stands for bytes that are gone; it has no CP932 code either.
  if (!exact || shown.contains(QChar(QChar::ReplacementCharacter))) return false;
  *text = std::move(converted);
  return true;
}

bool FromQtEdit(const std::string& before, const QString& after, std::string* text) {
  std::vector<std::size_t> starts = CharStarts(before);
  QString shown = ToQt(before);
  int count = shown.size();
  int prefix = 0;
  while (prefix < count && prefix < after.size() && shown[prefix] == after[prefix]) ++prefix;
  int suffix = 0;
  while (suffix < count - prefix && suffix < after.size() - prefix &&
         shown[count - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  std::string middle;
  if (!FromQt(after.mid(prefix, after.size() - prefix - suffix), &middle)) return false;
  *text = before.substr(0, starts[prefix]) + middle + before.substr(starts[count - suffix]);
  return true;
}

QString QtLineBreaks(QString shown) {
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

}  // namespace zuba::qt
