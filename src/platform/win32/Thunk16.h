// Windows 9x's way from a 32-bit program to 16-bit code: kernel32's
// LoadLibrary16, FreeLibrary16 and GetProcAddress16, exported by ordinal
// alone (35, 36, 37), and its QT_Thunk, which calls a 16:16 address.
// Windows 9x's GetProcAddress refuses kernel32's ordinals, so they are read
// from kernel32's export table; Windows NT has none of this (its ordinals
// 35 to 37 are other functions), so the entry points are looked up only
// when Windows says it is a Windows 9x.
#ifndef ZUBA_PLATFORM_WIN32_THUNK16_H_
#define ZUBA_PLATFORM_WIN32_THUNK16_H_

#include <cstdint>

#include "platform/win32/Win32Api.h"

namespace zuba::platform::win32 {

struct Kernel16 {
  // HINSTANCE16 LoadLibrary16(LPCSTR): an instance below 32 is an error.
  std::uint16_t(WINAPI* loadLibrary16)(const char* module) = nullptr;
  // void FreeLibrary16(HINSTANCE16)
  void(WINAPI* freeLibrary16)(std::uint16_t instance) = nullptr;
  // FARPROC16 GetProcAddress16(HMODULE16, LPCSTR): 0 when not found.
  std::uint32_t(WINAPI* getProcAddress16)(std::uint32_t module, const char* name) = nullptr;
};

// Finds the three entry points of the kernel32 this process has. False
// (ERROR_CALL_NOT_IMPLEMENTED) on Windows NT and when kernel32 has no such
// ordinals.
bool FindKernel16(Kernel16* entries);

// Calls the 16-bit pascal function at `target16` through `qtThunk` with a
// 32-bit and then a 16-bit argument, and answers its AX.
std::uint16_t CallQtThunk(FARPROC qtThunk, std::uint32_t target16, std::uint32_t argument32,
                          std::uint16_t argument16);

}  // namespace zuba::platform::win32

#endif  // ZUBA_PLATFORM_WIN32_THUNK16_H_
