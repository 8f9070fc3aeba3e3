// What the real-mode batch files of a boot reach on the simulated machine:
// its files, and its registry through the real-mode registry editor.
//
// REGEDIT FILE imports a REGEDIT4 file as one write, or nothing: a file that
// is missing, has no REGEDIT4 header or cannot be parsed is refused whole,
// and so is one the registry cannot take. The screen shows the registry
// editor's message (the file's path in it), events.log a line per import
// ("boot: regedit PATH: imported" or "...: not imported: REASON").
//
// Real-mode DOS sees only the 8.3 names of files; the machine's files also
// answer to their long names here.
#ifndef ZUBA_PLATFORM_SIM_REALMODEHOST_H_
#define ZUBA_PLATFORM_SIM_REALMODEHOST_H_

#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "platform/sim/DosBatch.h"

namespace zuba::platform::sim {

class RealModeHost : public DosHost {
 public:
  // All three must outlive the object.
  RealModeHost(Files& files, Registry& registry, System& system)
      : files_(files), registry_(registry), system_(system) {}

  bool ReadFile(const std::string& path, std::string* content) override;
  bool FileExists(const std::string& path) override;
  void ImportRegistry(const std::string& path, std::vector<std::string>* screen) override;

 private:
  Files& files_;
  Registry& registry_;
  System& system_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_REALMODEHOST_H_
