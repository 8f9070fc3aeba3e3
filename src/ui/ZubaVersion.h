// The About box: a non-visual component that holds the program's fixed
// texts, reads the version number from the program's own version resource
// and shows them in a plain message box.
#ifndef ZUBA_UI_ZUBAVERSION_H_
#define ZUBA_UI_ZUBAVERSION_H_

#include <string>

#include "platform/System.h"
#include "system/AppShell.h"
#include "toolkit/Component.h"

namespace zuba::ui {

class TZubaVersion : public toolkit::Component {
 public:
  // `system` gives the version resource, `shell` shows the box; both must
  // outlive the component.
  TZubaVersion(platform::System& system, system::AppShell& shell);

  // The texts of the About box, read and written directly.
  std::string apDesc;       // first line
  std::string apName;       // start of the second line, before " Ver. "
  std::string apCopyrihgt;  // third line: the maker's notice
  std::string apMail;       // fifth line: the maker's mail address
  std::string apHomePage;   // sixth line: the maker's web address
  std::string apComm;       // appended at the end when not empty

  // The About text: apDesc, LF, apName " Ver. " and the file version, LF,
  // apCopyrihgt, LF, LF, apMail, LF, apHomePage, then apComm. Line breaks
  // are single line feeds.
  std::string AboutText();

  // Shows AboutText in a plain message box (the application title as
  // caption, OK only).
  void ShowAbout();

  // The "FileVersion" string of the table that the first entry of the
  // translation table names; empty, and no error, when the program has no
  // version information, no translation table or no such string.
  std::string GetFileVersionText();

 private:
  platform::System& system_;
  system::AppShell& shell_;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_ZUBAVERSION_H_
