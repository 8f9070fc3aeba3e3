#include "platform/sim/SimulatedMachine.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/sim/HostFile.h"
#include "platform/sim/MachineTemplate.h"
#include "platform/sim/RegeditFile.h"
#include "platform/sim/RegistryFaults.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimProfiles.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimSystem.h"

namespace zuba::platform::sim {
namespace {

namespace fs = std::filesystem;

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool HoldsMachine(const std::string& directory) {
  struct stat st;
  return stat((directory + "/machine.ini").c_str(), &st) == 0;
}

// Removes what a machine consists of, machine.ini first.
void RemoveMachineFiles(const std::string& directory) {
  std::error_code ignored;
  fs::remove(directory + "/machine.ini", ignored);
  // The commit record before the hives: it would bring the old ones back.
  for (const char* name : {"registry.commit", "system.reg", "user.reg", "system.reg.tmp",
                           "user.reg.tmp", "events.log", "desktop.log"}) {
    fs::remove(directory + "/" + name, ignored);
  }
  for (char drive = 'a'; drive <= 'z'; ++drive) {
    fs::remove_all(directory + "/drive_" + drive, ignored);
  }
}

void WriteOrThrow(const std::string& path, const std::string& content) {
  if (!WriteHostFileAtomic(path, content, Durability::kDurable)) {
    throw MachineError(path + ": cannot be written: " + std::strerror(errno));
  }
}

}  // namespace

std::unique_ptr<Machine> OpenSimulatedMachine(const std::string& path, RegistryWrites writes) {
  // Host programs run in directories of their own and are handed the
  // machine's path: it must not depend on the current directory.
  std::error_code error;
  const std::string directory = path.empty() ? path : fs::absolute(path, error).string();
  if (!IsDirectory(directory)) throw MachineError(directory + ": no machine directory there");
  if (!HoldsMachine(directory)) {
    throw MachineError(directory + ": not a simulated machine (machine.ini is missing)");
  }
  auto machine = std::make_unique<Machine>();
  machine->directory = directory;
  machine->events = std::make_unique<EventLog>(directory);
  machine->config = std::make_unique<MachineConfig>(directory);
  machine->hives = OpenSimRegistry(directory, *machine->events, writes);
  machine->registry = WithRegistryFaults(*machine->hives, *machine->config);
  auto files = std::make_unique<SimFiles>(directory, *machine->config);
  SimFiles& simFiles = *files;
  machine->files = std::move(files);
  machine->profiles = std::make_unique<SimProfiles>(
      *machine->files, directory + "/profiles.lock",
      [&simFiles](const std::string& path) { simFiles.RemoveLeftTemporaries(path); });
  auto system = std::make_unique<SimSystem>(
      directory, *machine->config, *machine->events, simFiles,
      [hives = machine->hives.get()] { return SaveRegistry(*hives); });
  machine->simSystem = system.get();
  machine->system = std::move(system);
  return machine;
}

void CreateMachine(const std::string& directory, OsKind os, IfMachineExists ifExists) {
  std::error_code error;
  fs::create_directories(directory, error);
  if (!IsDirectory(directory)) {
    throw MachineError(directory + ": cannot create the machine directory: " + error.message());
  }
  if (HoldsMachine(directory)) {
    if (ifExists == IfMachineExists::kFail) {
      throw MachineError(directory + ": already holds a machine");
    }
    RemoveMachineFiles(directory);
  }
  const MachineTemplate machine = MachineTemplateFor(os);

  if (mkdir((directory + "/drive_c").c_str(), 0755) != 0 && errno != EEXIST) {
    throw MachineError(directory + "/drive_c: cannot be created: " + std::strerror(errno));
  }
  MachineConfig defaults(directory);  // no machine.ini yet: the paths are all absolute
  SimFiles files(directory, defaults);
  for (const std::string& path : machine.directories) {
    const std::uint32_t attributes = files.GetAttributes(path);
    if (!files.MakeDirectory(path) &&
        (attributes == kInvalidAttributes || !(attributes & kAttrDirectory))) {
      throw MachineError(directory + ": cannot create " + path);
    }
  }
  for (const TemplateFile& file : machine.files) {
    if (!files.WriteBytes(file.path, file.content)) {
      throw MachineError(directory + ": cannot write " + file.path);
    }
  }
  {
    // The hives are empty now; the registry editor's import fills them.
    EventLog events(directory);
    std::unique_ptr<Registry> registry = OpenSimRegistry(directory, events);
    ImportRegedit4(*registry, machine.systemReg, "system template");
    ImportRegedit4(*registry, machine.userReg, "user template");
  }
  WriteOrThrow(directory + "/machine.ini", machine.machineIni);
}

}  // namespace zuba::platform::sim
