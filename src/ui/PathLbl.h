// A label for file-system paths: converts the components to their long or
// short names, adds or removes the trailing backslash, shortens the text
// to a length limit with "..." in one of four styles, changes the letter
// case, and can show the full path as its hint. Text is handled by the
// system code page's byte classes: no cut separates the two bytes of a
// double-byte character where the rules say so, and a trail byte 0x5C is
// no backslash.
#ifndef ZUBA_UI_PATHLBL_H_
#define ZUBA_UI_PATHLBL_H_

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/System.h"
#include "toolkit/Label.h"

namespace zuba::ui {

enum class TStretchStyle { ssNone = 0, ssRight = 1, ssLeft = 2, ssFile = 3, ssDrive = 4 };
enum class TTextCase { tcNone = 0, tcLowerCase = 1, tcUpperCase = 2 };
enum class TPathSeparator { psNone = 0, psAddSeparator = 1, psSubSeparator = 2 };
enum class TPathType { ptNone = 0, ptLongName = 1, ptShortName = 2 };

// What AdjustSeparator does.
enum class SeparatorChange { kAdd, kRemove };

class TPathLabel : public toolkit::Label {
 public:
  // `files` serves the directory search of the name conversion, `system`
  // the lead-byte test; both must outlive the label.
  TPathLabel(platform::Files& files, platform::System& system);

  // Each property assignment stores the value and runs UpdateDisplay, also
  // when the value is unchanged (the name conversion reads the disk anew).
  bool AutoUpdateHint() const { return autoUpdateHint_; }
  // Stores the flag; when true, the hint is recomputed.
  void SetAutoUpdateHint(bool autoUpdateHint);
  const std::string& Path() const { return path_; }
  void SetPath(const std::string& path);
  std::uint16_t MaxLength() const { return maxLength_; }
  void SetMaxLength(std::uint16_t maxLength);
  TStretchStyle Style() const { return style_; }
  void SetStyle(TStretchStyle style);
  TTextCase TextCase() const { return textCase_; }
  void SetTextCase(TTextCase textCase);
  TPathSeparator PathSeparator() const { return pathSeparator_; }
  void SetPathSeparator(TPathSeparator separator);
  TPathType PathType() const { return pathType_; }
  void SetPathType(TPathType type);

  // Builds the caption from Path: name conversion, separator, shortening
  // (MaxLength above 0 and a style other than ssNone), letter case; with
  // AutoUpdateHint the hint becomes the same text without the shortening.
  void UpdateDisplay();

  // --- The text rules ------------------------------------------------------

  // 1 for a drive root ("D:\"), 2 for a server root ("\\SERVER\") or a
  // share root ("\\SERVER\SHARE\"), else 0 (also for texts of 2 bytes or
  // less).
  int RootKind(const std::string& text) const;

  // kAdd appends "\" unless the last character is one; kRemove drops a
  // last "\" unless the text is a root.
  std::string AdjustSeparator(const std::string& text, SeparatorChange change) const;

  // The path with each component replaced by the long name (ptLongName) or
  // the short 8.3 name (ptShortName) the directory search finds, without a
  // trailing backslash; a drive root only upper-cased. The empty text when
  // a component is not found. A path that does not start with a drive
  // letter, ":" and "\" comes back unchanged.
  std::string ConvertPathNames(const std::string& path, TPathType type) const;

  // The text cut to at most `limit` bytes with "..." (see the styles).
  // limit 0 or less: empty; 1 to 3: the first `limit` bytes.
  std::string ShortenPath(const std::string& text, int limit, TStretchStyle style) const;

  // Upper-cases or lower-cases the ASCII letters that are single-byte
  // characters (the file-name case rules of the system).
  std::string ChangeCase(const std::string& text, TTextCase textCase) const;

 private:
  enum class ByteClass : std::uint8_t { kSingle, kLead, kLoneLead, kTrail };

  std::vector<ByteClass> Classify(const std::string& text) const;
  bool EndsWithBackslash(const std::string& text) const;
  // Index of the first "\" at or after `from` that is no trail byte, or npos.
  std::size_t FindBackslash(const std::string& text, std::size_t from) const;
  std::string CutRight(const std::string& text, int limit) const;
  std::string CutLeft(const std::string& text, int limit) const;
  void Compose(std::string* caption, std::string* hint) const;

  platform::Files& files_;
  platform::System& system_;
  bool autoUpdateHint_ = false;
  std::string path_;
  std::uint16_t maxLength_ = 0;
  TStretchStyle style_ = TStretchStyle::ssRight;
  TTextCase textCase_ = TTextCase::tcNone;
  TPathSeparator pathSeparator_ = TPathSeparator::psNone;
  TPathType pathType_ = TPathType::ptNone;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_PATHLBL_H_
