#include "resource/VersionScript.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "platform/TextCodec.h"

namespace zuba::resource {
namespace {

enum class TokenKind { kWord, kNumber, kString, kComma, kEnd };

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;  // a word as written, a string's content (UTF-8)
  std::uint32_t number = 0;
  int line = 1;
};

class Lexer {
 public:
  explicit Lexer(const std::string& text) : text_(text) {}

  Token Next() {
    SkipBlanks();
    Token token;
    token.line = line_;
    if (at_ >= text_.size()) return token;
    char c = text_[at_];
    if (c == ',') {
      ++at_;
      token.kind = TokenKind::kComma;
    } else if (c == '"') {
      token.kind = TokenKind::kString;
      token.text = ReadString();
    } else if (c >= '0' && c <= '9') {
      token.kind = TokenKind::kNumber;
      token.number = ReadNumber();
    } else if (IsWordChar(c) || c == '{' || c == '}') {
      token.kind = TokenKind::kWord;
      if (c == '{' || c == '}') {
        token.text = c == '{' ? "BEGIN" : "END";
        ++at_;
      } else {
        while (at_ < text_.size() && IsWordChar(text_[at_])) token.text += text_[at_++];
      }
    } else {
      Fail(std::string("unexpected character '") + c + "'");
    }
    return token;
  }

  [[noreturn]] void Fail(const std::string& what) const { FailAt(line_, what); }
  [[noreturn]] static void FailAt(int line, const std::string& what) {
    throw std::runtime_error("line " + std::to_string(line) + ": " + what);
  }

 private:
  static bool IsWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  }

  void SkipBlanks() {
    while (at_ < text_.size()) {
      char c = text_[at_];
      if (c == '\n') {
        ++line_;
        ++at_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++at_;
      } else if (text_.compare(at_, 2, "//") == 0) {
        while (at_ < text_.size() && text_[at_] != '\n') ++at_;
      } else if (text_.compare(at_, 2, "/*") == 0) {
        std::size_t end = text_.find("*/", at_ + 2);
        if (end == std::string::npos) Fail("comment without end");
        for (std::size_t i = at_; i < end; ++i) line_ += text_[i] == '\n';
        at_ = end + 2;
      } else {
        return;
      }
    }
  }

  std::string ReadString() {
    std::string out;
    ++at_;  // the opening quote
    for (;;) {
      if (at_ >= text_.size() || text_[at_] == '\n') Fail("string without end");
      char c = text_[at_++];
      if (c == '"') {
        if (at_ < text_.size() && text_[at_] == '"') {  // "" stands for one quote
          out += '"';
          ++at_;
          continue;
        }
        return out;
      }
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) Fail("string without end");
      char e = text_[at_++];
      switch (e) {
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case '\\':
        case '"':
          out += e;
          break;
        default:
          Fail(std::string("unknown escape \\") + e);
      }
    }
  }

  std::uint32_t ReadNumber() {
    std::size_t start = at_;
    int base = 10;
    if (text_.compare(at_, 2, "0x") == 0 || text_.compare(at_, 2, "0X") == 0) {
      base = 16;
      at_ += 2;
    }
    std::uint64_t value = 0;
    std::size_t digits = 0;
    for (; at_ < text_.size(); ++at_, ++digits) {
      char c = text_[at_];
      int d = c >= '0' && c <= '9'   ? c - '0'
              : c >= 'a' && c <= 'f' ? c - 'a' + 10
              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                     : 99;
      if (d >= base) break;
      value = value * base + d;
      if (value > 0xFFFFFFFFu) Fail("number too large");
    }
    if (digits == 0) Fail("bad number " + text_.substr(start, at_ - start));
    if (at_ < text_.size() && (text_[at_] == 'L' || text_[at_] == 'l')) ++at_;
    return static_cast<std::uint32_t>(value);
  }

  const std::string& text_;
  std::size_t at_ = 0;
  int line_ = 1;
};

class Parser {
 public:
  explicit Parser(const std::string& text) : lexer_(text) { Advance(); }

  platform::VersionResource Parse() {
    platform::VersionResource resource;
    resource.hasVarFileInfo = false;
    if (token_.kind != TokenKind::kWord && token_.kind != TokenKind::kNumber) {
      Fail("expected the resource name");
    }
    Advance();
    ExpectWord("VERSIONINFO");
    ParseFixed(&resource.fixed);
    ExpectWord("BEGIN");
    while (!IsWord("END")) {
      ExpectWord("BLOCK");
      std::string name = ExpectString();
      if (name == "StringFileInfo") {
        ParseStringFileInfo(&resource);
      } else if (name == "VarFileInfo") {
        ParseVarFileInfo(&resource);
      } else {
        Fail("unknown block \"" + name + "\"");
      }
    }
    Advance();
    if (token_.kind != TokenKind::kEnd) Fail("text after the statement");
    return resource;
  }

 private:
  void ParseFixed(platform::FixedFileInfo* fixed) {
    while (token_.kind == TokenKind::kWord && !IsWord("BEGIN")) {
      std::string word = token_.text;
      Advance();
      if (word == "FILEVERSION" || word == "PRODUCTVERSION") {
        std::array<std::uint16_t, 4> parts{};
        for (int i = 0; i < 4; ++i) {
          if (i > 0) ExpectComma();
          std::uint32_t n = ExpectNumber();
          if (n > 0xFFFF) Fail("version part above 65535");
          parts[i] = static_cast<std::uint16_t>(n);
        }
        (word == "FILEVERSION" ? fixed->fileVersion : fixed->productVersion) = parts;
      } else if (word == "FILEFLAGSMASK") {
        fixed->fileFlagsMask = ExpectNumber();
      } else if (word == "FILEFLAGS") {
        fixed->fileFlags = ExpectNumber();
      } else if (word == "FILEOS") {
        fixed->fileOs = ExpectNumber();
      } else if (word == "FILETYPE") {
        fixed->fileType = ExpectNumber();
      } else if (word == "FILESUBTYPE") {
        fixed->fileSubtype = ExpectNumber();
      } else {
        Fail("unknown statement " + word);
      }
    }
  }

  void ParseStringFileInfo(platform::VersionResource* resource) {
    ExpectWord("BEGIN");
    while (!IsWord("END")) {
      ExpectWord("BLOCK");
      platform::VersionStringTable table;
      table.key = ToCp932(ExpectString());
      ExpectWord("BEGIN");
      while (!IsWord("END")) {
        ExpectWord("VALUE");
        std::string name = ToCp932(ExpectString());
        ExpectComma();
        table.strings.emplace_back(name, ToCp932(ExpectString()));
      }
      Advance();
      resource->stringTables.push_back(std::move(table));
    }
    Advance();
  }

  void ParseVarFileInfo(platform::VersionResource* resource) {
    resource->hasVarFileInfo = true;
    ExpectWord("BEGIN");
    while (!IsWord("END")) {
      ExpectWord("VALUE");
      int line = token_.line;
      if (ExpectString() != "Translation") Fail("unknown value in VarFileInfo");
      std::vector<std::uint32_t> numbers;
      while (token_.kind == TokenKind::kComma) {
        Advance();
        std::uint32_t n = ExpectNumber();
        if (n > 0xFFFF) Fail("translation number above 65535");
        numbers.push_back(n);
      }
      if (numbers.size() % 2 != 0) Lexer::FailAt(line, "translation numbers come in pairs");
      for (std::size_t i = 0; i < numbers.size(); i += 2) {
        resource->translations.push_back(numbers[i] | numbers[i + 1] << 16);
      }
    }
    Advance();
  }

  std::string ToCp932(const std::string& utf8) {
    bool exact = true;
    std::string text = platform::Utf8ToCp932(utf8, &exact);
    if (!exact) Fail("\"" + utf8 + "\" has characters CP932 cannot hold");
    return text;
  }

  void Advance() { token_ = lexer_.Next(); }
  bool IsWord(const char* word) const {
    return token_.kind == TokenKind::kWord && token_.text == word;
  }
  void ExpectWord(const char* word) {
    if (!IsWord(word)) Fail(std::string("expected ") + word);
    Advance();
  }
  void ExpectComma() {
    if (token_.kind != TokenKind::kComma) Fail("expected ,");
    Advance();
  }
  std::string ExpectString() {
    if (token_.kind != TokenKind::kString) Fail("expected a string");
    std::string text = token_.text;
    Advance();
    return text;
  }
  std::uint32_t ExpectNumber() {
    if (token_.kind != TokenKind::kNumber) Fail("expected a number");
    std::uint32_t n = token_.number;
    Advance();
    return n;
  }
  [[noreturn]] void Fail(const std::string& what) const { Lexer::FailAt(token_.line, what); }

  Lexer lexer_;
  Token token_;
};

}  // namespace

platform::VersionResource ParseVersionScript(const std::string& script) {
  return Parser(script).Parse();
}

std::string VersionBlockSource(const std::string& block, const std::string& section,
                               const std::string& origin) {
  std::string out = "// Generated by zuba_rc from " + origin +
                    ": the program's version resource in the VS_VERSIONINFO layout.\n"
                    "namespace {\n"
                    "__attribute__((section(\"" +
                    section + "\"), used, aligned(4)))\nconst unsigned char kVersionResource[" +
                    std::to_string(block.size()) + "] = {";
  char hex[8];
  for (std::size_t i = 0; i < block.size(); ++i) {
    std::snprintf(hex, sizeof hex, "0x%02X,", static_cast<unsigned char>(block[i]));
    out += i % 12 == 0 ? "\n    " : " ";
    out += hex;
  }
  out += "\n};\n}  // namespace\n";
  return out;
}

}  // namespace zuba::resource
