// A file replaced, and the settings file's change held and written, under
// Windows 9x's answers (no MoveFileEx), in a process ended at each of its
// file changes as a power cut ends it, or with each of its moves failing:
// the next reader finds the file whole, as before or as after.
#include "platform/win32/FileReplacement.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/Win32Platform.h"

namespace zuba::platform::win32 {
namespace {

constexpr char kTargetVariable[] = "ZUBA_REPLACE_TARGET";
constexpr UINT kKilled = 86;  // the personality's exit code for a kill
constexpr char kOld[] = "[Office]\r\nIPAddress=10.0.0.1\r\nGateway=10.0.0.254\r\n[Home]\r\nIPAddress=192.168.1.2\r\n";
constexpr char kNew[] = "[Home]\r\nIPAddress=192.168.1.2\r\n[Office]\r\nIPAddress=10.0.0.9\r\nGateway=10.0.0.250\r\nDNS=10.0.0.53\r\n";

// What a peer does to the target, and whether it reported success.
struct Peer {
  const char* name;
  std::function<bool(Services&, const std::string& target)> run;
};

const Peer kPeers[] = {
    {"WriteBytes",
     [](Services& s, const std::string& target) { return s.files->WriteBytes(target, kNew); }},
    {"CopyTo",
     [](Services& s, const std::string& target) {
       return s.files->WriteBytes(target + ".src", kNew) &&
              s.files->CopyTo(target + ".src", target, IfTargetExists::kReplace);
     }},
    // A replace of a setting, as the settings file makes it: the section goes,
    // the new one is written, all held and written at once.
    {"HeldProfileChange",
     [](Services& s, const std::string& target) {
       s.profiles->HoldWrites(target);
       const bool ok = s.profiles->RemoveSection("Office", target) &&
                       s.profiles->RemoveSection("Home", target) &&
                       s.profiles->WriteString("Home", "IPAddress", "192.168.1.2", target) &&
                       s.profiles->WriteSection("Office",
                                                {"IPAddress=10.0.0.9", "Gateway=10.0.0.250",
                                                 "DNS=10.0.0.53"},
                                                target);
       return s.profiles->Flush(target) && ok;
     }},
};

// The peer's side: runs the peer named by the filter's test on the target
// its parent gave, and ends with 0 when it reported success.
TEST(FileReplacementPeer, Run) {
  const char* target = std::getenv(kTargetVariable);
  const char* peer = std::getenv("ZUBA_REPLACE_PEER");
  if (!target || !peer) GTEST_SKIP() << "run by FileReplacement's tests only";
  auto services = OpenWin32Services();
  for (const Peer& p : kPeers) {
    if (std::strcmp(p.name, peer) == 0) std::exit(p.run(*services, target) ? 0 : 1);
  }
  std::exit(2);
}

class FileReplacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof temp, temp);
    directory_ = std::string(temp, n) + "zuba-replace-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(directory_.c_str(), nullptr);
    target_ = directory_ + "\\ZUBANET.INI";
  }
  void TearDown() override {
    for (const std::string& name : Names()) DeleteFileA((directory_ + "\\" + name).c_str());
    RemoveDirectoryA(directory_.c_str());
  }

  std::vector<std::string> Names() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((directory_ + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      if (data.cFileName[0] != '.') names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
  }

  // Runs the peer `name` under Windows 9x's answers and the fault
  // `variable`=`n`; its exit code.
  DWORD RunPeer(const char* name, const char* variable, int n) {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::string commandLine =
        "\"" + std::string(program) + "\" --gtest_filter=FileReplacementPeer.Run";
    const std::vector<std::pair<const char*, std::string>> variables = {
        {kTargetVariable, target_}, {"ZUBA_REPLACE_PEER", name}, {"ZUBA_WIN9X", "1"},
        {variable, std::to_string(n)}};
    for (const auto& [key, value] : variables) SetEnvironmentVariableA(key, value.c_str());
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;  // no output of its own
    PROCESS_INFORMATION info;
    const BOOL started = CreateProcessA(program, &commandLine[0], nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &info);
    for (const auto& [key, value] : variables) SetEnvironmentVariableA(key, nullptr);
    if (!started) return 3;
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 3;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return code;
  }

  // The target's content as the next reader finds it; afterwards no name
  // of the replacement is left, nor, once the file was read as a profile,
  // the copy of a held change that never reached its flush ("NAME.zh~").
  std::string ReadBack() {
    auto services = OpenWin32Services();
    std::string content, value;
    if (!services->files->ReadBytes(target_, &content)) content = "<missing>";
    services->profiles->GetString("Office", "IPAddress", "", &value, 64, target_);
    for (const std::string& name : {FileReplacement::NewNameOf(target_),
                                    FileReplacement::BackupNameOf(target_), target_ + ".zh~",
                                    FileReplacement::NewNameOf(target_ + ".zh~")}) {
      EXPECT_EQ(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES) << name << " left";
    }
    return content;
  }

  void Reset() {
    for (const std::string& name : Names()) DeleteFileA((directory_ + "\\" + name).c_str());
    auto services = OpenWin32Services();
    ASSERT_TRUE(services->files->WriteBytes(target_, kOld));
  }

  // The profile text of `content` with its blanks and line ends folded,
  // for the held change, which Windows writes in its own layout.
  static bool Is(const std::string& content, const char* expected) {
    auto squeeze = [](std::string text) {
      std::string out;
      for (char c : text) {
        if (c != '\r' && c != '\n' && c != ' ') out += c;
      }
      return out;
    };
    return squeeze(content) == squeeze(expected);
  }

  std::string directory_;
  std::string target_;
};

TEST_F(FileReplacementTest, AProcessEndedAtAnyFileChangeLeavesTheOldOrTheNewFile) {
  for (const Peer& peer : kPeers) {
    int n = 1;
    for (;; ++n) {
      Reset();
      const DWORD code = RunPeer(peer.name, "ZUBA_KILL_AT", n);
      const std::string content = ReadBack();
      EXPECT_TRUE(Is(content, kOld) || Is(content, kNew))
          << peer.name << " ended at file change " << n << ": " << content;
      if (code != kKilled) {
        EXPECT_EQ(code, 0u) << peer.name;
        EXPECT_TRUE(Is(content, kNew)) << peer.name << ": " << content;
        break;
      }
    }
    EXPECT_GT(n, 3) << peer.name << " made too few file changes to be cut";
  }
}

TEST_F(FileReplacementTest, AFailedMoveKeepsTheOldFileAndSaysSo) {
  for (const Peer& peer : kPeers) {
    for (int n = 1; n <= 8; ++n) {  // past the last move of each
      Reset();
      const DWORD code = RunPeer(peer.name, "ZUBA_FAIL_MOVE_AT", n);
      const std::string content = ReadBack();
      ASSERT_LE(code, 1u) << peer.name;
      EXPECT_TRUE(code == 0 ? Is(content, kNew) : Is(content, kOld))
          << peer.name << " with move " << n << " failing, answering " << code << ": " << content;
    }
  }
}

}  // namespace
}  // namespace zuba::platform::win32
