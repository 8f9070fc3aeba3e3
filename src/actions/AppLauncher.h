// Starting the application a setting names when it is applied: its file
// name and options make the command line, and the program starts in the
// file's own directory.
#ifndef ZUBA_ACTIONS_APPLAUNCHER_H_
#define ZUBA_ACTIONS_APPLAUNCHER_H_

#include <string>

#include "platform/Files.h"
#include "platform/System.h"
#include "system/AppShell.h"

namespace zuba::actions {

// `text` without one double quote at its start and one at its end, each
// removed on its own; quotes inside stay. "\"" gives the empty text.
std::string StripQuotes(const std::string& text);

// Whether LaunchApplication waits for the started application to end.
enum class LaunchWait { kNoWait, kUntilEnded };

// What became of a launch.
enum class LaunchOutcome {
  kStarted,      // started (and, with kUntilEnded, ended); or the start failed,
                 // which is not reported
  kNoFile,       // an empty file name: nothing to do
  kNotRunnable,  // no file of that name exists (a directory does not count)
};

// The message the caller shows for kNotRunnable.
std::string NotRunnableMessage(const std::string& fileName);

// The command line of `fileName` and `options`: the file name as it
// stands, then a blank and the options when there are any. False when no
// file of that name exists (a directory does not count); `*commandLine`
// then holds the bare file name. On success `*directory` is the file
// name's drive and directory part with its trailing "\" (empty for a bare
// name).
bool BuildLaunchCommandLine(platform::Files& files, const std::string& fileName,
                            const std::string& options, std::string* commandLine,
                            std::string* directory);

// Starts the application in its own directory with a normal window and,
// with kUntilEnded, waits for it to end while `shell` processes messages.
LaunchOutcome LaunchApplication(platform::System& system, platform::Files& files,
                                system::AppShell& shell, const std::string& fileName,
                                const std::string& options, LaunchWait wait);

}  // namespace zuba::actions

#endif  // ZUBA_ACTIONS_APPLAUNCHER_H_
