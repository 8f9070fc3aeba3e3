// DIR/machine.ini: what the simulated machine is (its version, the program's
// path, the Windows directory) and how it behaves (the keys held down, the
// platform calls made to fail). The file is read again whenever it changed,
// so a test or a person can edit it while a program runs on the machine.
//
//   [Version]   PlatformId, Major, Minor, Build, CSDVersion
//   [Program]   Path (C:\ZUBANET\ZUBANET.EXE), CurrentDirectory (the
//               program's directory), Host (the host's zubanet, which the
//               machine runs for Path)
//   [Windows]   Directory (C:\WINDOWS)
//   [Keyboard]  Down: the keys held down, e.g. "Ctrl,Alt"
//   [Clock]     TickOffset: added to the tick count (to reach its wrap)
//   [Fail]      NAME=CODE makes the platform call NAME fail with the last
//               error CODE (any non-zero number); NAME:PATH=CODE only for the
//               Windows path PATH and everything below it
//
// docs/sim-machine.md lists the call names.
#ifndef ZUBA_PLATFORM_SIM_MACHINECONFIG_H_
#define ZUBA_PLATFORM_SIM_MACHINECONFIG_H_

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/System.h"

namespace zuba::platform::sim {

class IniText;

class MachineConfig {
 public:
  explicit MachineConfig(const std::string& machineDirectory);
  ~MachineConfig();
  MachineConfig(const MachineConfig&) = delete;
  MachineConfig& operator=(const MachineConfig&) = delete;

  const std::string& path() const { return path_; }

  // One value with the private-profile reading rules (blanks trimmed, one
  // pair of quotes removed); `def` when the file, section or key is missing.
  std::string Get(const std::string& section, const std::string& key, const std::string& def = "");
  // The (name, value) pairs of a section in file order; empty when missing.
  std::vector<std::pair<std::string, std::string>> Entries(const std::string& section);
  // Writes one value in place (the rest of the file keeps its bytes), with
  // an atomic replacement of the file. False when it cannot be written.
  bool Set(const std::string& section, const std::string& key, const std::string& value);

  // [Version]; missing values are those of the Windows 98 template. The
  // build is the number as machine.ini gives it (2222), not composed.
  OsVersion Version();
  // [Program] Path, [Program] CurrentDirectory, [Windows] Directory.
  std::string ProgramPath();
  std::string CurrentDirectory();
  std::string WindowsDirectory();

  // Whether [Keyboard] Down lists the virtual key: Ctrl (or Control), Alt
  // (or Menu), Shift, Return (or Enter), or a number (decimal or 0x hex).
  bool IsKeyDown(int virtualKey);

  // [Clock] TickOffset, 0 when missing.
  std::uint32_t TickOffset();

  // The last-error code with which the call `name` must fail, 0 when it
  // works. Only the NAME=CODE form counts here.
  std::uint32_t FailCode(const std::string& name);
  // FailCode and, in `*paths` (when given), the NAME:PATH=CODE entries for
  // `name` as (PATH, CODE) pairs; machine.ini looked at once for both.
  std::uint32_t FailCodeAndPaths(const std::string& name,
                                 std::vector<std::pair<std::string, std::uint32_t>>* paths);

 private:
  // One NAME=CODE or NAME:PATH=CODE entry of [Fail] with a non-zero code.
  struct FailSwitch {
    std::string name;  // folded
    std::string path;  // empty for NAME=CODE
    std::uint32_t code = 0;
  };

  const IniText& Text();

  std::string path_;
  std::unique_ptr<IniText> text_;
  std::uint64_t stamp_ = 0;
  std::vector<FailSwitch> fails_;  // parsed with text_
};

// Parses a decimal or 0x-hexadecimal unsigned number; false when `text` is
// not one.
bool ParseConfigNumber(const std::string& text, std::uint32_t* number);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_MACHINECONFIG_H_
