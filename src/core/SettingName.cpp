#include "core/SettingName.h"

#include "core/AnsiText.h"
#include "core/SettingsFile.h"

namespace zuba::core {

namespace {

// What the single-byte characters of a name hold, scanned once.
struct NameScan {
  bool control = false;
  bool brokenDoubleByte = false;
  bool bracketOrEqual = false;
  bool batchSpecial = false;
};

NameScan Scan(const std::string& name) {
  NameScan scan;
  for (std::string::size_type i = 0; i < name.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(name[i]);
    if (IsCp932LeadByte(byte)) {
      if (i + 1 >= name.size() || !IsCp932TrailByte(static_cast<unsigned char>(name[i + 1]))) {
        scan.brokenDoubleByte = true;
      }
      ++i;
      continue;
    }
    if (byte < 0x20 || byte == 0x7F) scan.control = true;
    if (byte == ']' || byte == '=') scan.bracketOrEqual = true;
    if (byte == '<' || byte == '>' || byte == '|' || byte == '%' || byte == '"') {
      scan.batchSpecial = true;
    }
  }
  return scan;
}

bool Refuse(std::string* message, const std::string& text) {
  *message = text;
  return false;
}

}  // namespace

bool CheckSettingName(const std::string& name, std::string* message) {
  if (name.empty()) return Refuse(message, "設定名を入力してください。");
  if (name.size() > kMaxSettingNameLength) {
    return Refuse(message, "設定名が長すぎます。\r\n2047バイト以内にしてください。");
  }
  const NameScan scan = Scan(name);
  if (scan.control) return Refuse(message, "設定名に制御文字は使えません。");
  if (scan.brokenDoubleByte) {
    return Refuse(message, "設定名に不完全な全角文字が含まれています。");
  }
  if (name.front() == ' ' || name.back() == ' ') {
    return Refuse(message, "設定名の先頭と末尾に半角空白は使えません。");
  }
  if (IsReservedSection(name)) {
    return Refuse(message,
                  "【" + name + "】　は設定ファイルが使う名前のため、設定名にできません。");
  }
  if (scan.bracketOrEqual) return Refuse(message, "設定名に ] と = は使えません。");
  if (name.front() == ';' || name.front() == '[') {
    return Refuse(message, "設定名の先頭に ; と [ は使えません。");
  }
  if (name.size() >= 2 && name.front() == '\'' && name.back() == '\'') {
    return Refuse(message, "設定名全体を ' で囲むことはできません。");
  }
  if (scan.batchSpecial) {
    return Refuse(message,
                  "設定名に < > | % \" は使えません。\r\n"
                  "（起動時に切り替えるメニューに書けません）");
  }
  return true;
}

}  // namespace zuba::core
