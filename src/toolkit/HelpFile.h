// The program's help file: CP932 text in sections, one per topic number,
// so a person can read and write it with any editor.
//
//   ; a comment line
//   [Help]
//   Title=ZubaNet ヘルプ
//
//   [34]
//   TCP/IP の設定
//   The first line of a topic is its title, the lines after it its text;
//   an empty line separates paragraphs.
//
// A line "[NUMBER]" starts topic NUMBER (a decimal help context); "[Help]"
// holds the file's settings as NAME=VALUE lines (Title: the help window's
// caption). Lines starting with ";" are comments everywhere; any other line
// starting with "[" is text. Line ends are CR LF, LF or CR.
#ifndef ZUBA_TOOLKIT_HELPFILE_H_
#define ZUBA_TOOLKIT_HELPFILE_H_

#include <map>
#include <string>
#include <vector>

namespace zuba::toolkit {

struct HelpTopic {
  std::string title;
  std::vector<std::string> lines;  // the text, without empty lines at its ends
};

class HelpFile {
 public:
  static HelpFile Parse(const std::string& text);

  // [Help] Title; empty when missing.
  const std::string& Title() const { return title_; }
  // The topic of a help context; nullptr when the file has none. The first
  // section of a number counts.
  const HelpTopic* Topic(int context) const;
  std::vector<int> Contexts() const;

 private:
  std::string title_;
  std::map<int, HelpTopic> topics_;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_HELPFILE_H_
