#include "actions/AppLauncher.h"

#include "actions/ExecUtil.h"
#include "core/AnsiText.h"

namespace zuba::actions {

std::string StripQuotes(const std::string& text) {
  std::string result = text;
  if (!result.empty() && result.front() == '"') result.erase(0, 1);
  if (!result.empty() && result.back() == '"') result.pop_back();
  return result;
}

std::string NotRunnableMessage(const std::string& fileName) {
  return fileName + "\n" + "このファイルを実行できません";
}

bool BuildLaunchCommandLine(platform::Files& files, const std::string& fileName,
                            const std::string& options, std::string* commandLine,
                            std::string* directory) {
  *commandLine = fileName;
  const std::uint32_t attributes = files.GetAttributes(fileName);
  if (fileName.empty() || attributes == platform::kInvalidAttributes ||
      (attributes & platform::kAttrDirectory)) {
    return false;
  }
  *directory = core::ExtractDirectory(fileName);
  if (!options.empty()) *commandLine += " " + options;
  return true;
}

LaunchOutcome LaunchApplication(platform::System& system, platform::Files& files,
                                system::AppShell& shell, const std::string& fileName,
                                const std::string& options, LaunchWait wait) {
  std::string commandLine, directory;
  if (!BuildLaunchCommandLine(files, fileName, options, &commandLine, &directory)) {
    return fileName.empty() ? LaunchOutcome::kNoFile : LaunchOutcome::kNotRunnable;
  }
  platform::ProcessHandle process = ExecCommand(system, files, commandLine, directory, kShowNormal);
  if (process == 0) return LaunchOutcome::kStarted;
  if (wait == LaunchWait::kUntilEnded) WaitForProcess(system, shell, process);
  CloseProcessHandle(system, process);
  return LaunchOutcome::kStarted;
}

}  // namespace zuba::actions
