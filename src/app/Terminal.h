// Output for the terminal: the program's CP932 texts in the locale's UTF-8.
#ifndef ZUBA_APP_TERMINAL_H_
#define ZUBA_APP_TERMINAL_H_

#include <ostream>
#include <string>

namespace zuba::app {

// Writes a CP932 text to `out` as UTF-8.
void WriteCp932(std::ostream& out, const std::string& text);

}  // namespace zuba::app

#endif  // ZUBA_APP_TERMINAL_H_
