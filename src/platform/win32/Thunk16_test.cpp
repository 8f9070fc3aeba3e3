// The 16-bit route on the machine the tests run on (a Wine prefix as
// Windows 98 or 95). Restarting Windows through it ends the Wine session,
// so that case runs only in a throw-away prefix (scripts/test-win32.sh sets
// ZUBA_THROWAWAY_PREFIX there).
#include "platform/win32/Thunk16.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/win32/Win32Platform.h"

namespace zuba::platform::win32 {
namespace {

constexpr std::uint32_t kFirstInstance16 = 32;

TEST(Thunk16, UserExeLoadsAndNamesItsExitWindows) {
  std::unique_ptr<System> system = OpenWin32System();
  const std::uint32_t user = system->LoadLibrary16("User.exe");
  ASSERT_GE(user, kFirstInstance16) << system->LastError();
  EXPECT_NE(system->GetProcAddress16(user, "ExitWindows"), 0u);
  EXPECT_EQ(system->GetProcAddress16(user, "NoSuchFunction"), 0u);
  system->FreeLibrary16(user);
  EXPECT_LT(system->LoadLibrary16("NOSUCH.EXE"), kFirstInstance16);

  const ModuleHandle kernel = system->LoadModule("Kernel32.dll");
  ASSERT_NE(kernel, 0u);
  EXPECT_NE(system->FindProcAddress(kernel, "QT_Thunk"), 0u);
  system->FreeModule(kernel);
}

TEST(Thunk16, AThunkThatWasNeverFoundIsNotCalled) {
  std::unique_ptr<System> system = OpenWin32System();
  EXPECT_EQ(system->CallThunk16(12345, 0x01230456, 0, 0), 0u);
  EXPECT_EQ(system->LastError(), 6u);  // ERROR_INVALID_HANDLE
}

bool sessionEnded = false;

LRESULT CALLBACK EndSessionWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_QUERYENDSESSION) {
    std::printf("WM_QUERYENDSESSION\n");
    std::fflush(stdout);
    return TRUE;
  }
  if (message == WM_ENDSESSION && wParam) {
    // Wine ends the process soon after; the script reads this line.
    std::printf("WM_ENDSESSION: the session ended\n");
    std::fflush(stdout);
    sessionEnded = true;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// USER.EXE's ExitWindows with the restart code, as the exit action calls it.
// Windows 9x does not come back from a restart; Wine starts the end of the
// session and returns, its QT_Thunk losing AX (the answer reads 0), so the
// outcome is read from the end-of-session messages this window gets.
TEST(Thunk16, RestartingWindowsEndsTheSession) {
  if (!std::getenv("ZUBA_THROWAWAY_PREFIX")) {
    GTEST_SKIP() << "ends the Wine session: runs only in a throw-away prefix";
  }
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = EndSessionWindow;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "ZubaEndSession";
  ASSERT_NE(RegisterClassA(&windowClass), 0);
  HWND window = CreateWindowA("ZubaEndSession", "ZubaEndSession", WS_OVERLAPPEDWINDOW, 0, 0, 10,
                              10, nullptr, nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);

  std::unique_ptr<System> system = OpenWin32System();
  const std::uint32_t user = system->LoadLibrary16("User.exe");
  ASSERT_GE(user, kFirstInstance16);
  const std::uint32_t exitWindows = system->GetProcAddress16(user, "ExitWindows");
  const ModuleHandle kernel = system->LoadModule("Kernel32.dll");
  const std::uint32_t thunk = system->FindProcAddress(kernel, "QT_Thunk");
  ASSERT_NE(exitWindows, 0u);
  ASSERT_NE(thunk, 0u);
  const std::uint16_t answer = system->CallThunk16(thunk, exitWindows, kEwRestartWindows, 0);
  std::printf("ExitWindows answered %u\n", answer);
  std::fflush(stdout);

  const DWORD end = GetTickCount() + 20000;
  MSG message;
  while (!sessionEnded && GetTickCount() < end) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  EXPECT_TRUE(sessionEnded);
  DestroyWindow(window);
}

}  // namespace
}  // namespace zuba::platform::win32
