#include "platform/win32/Thunk16.h"

#include <cstdlib>
#include <cstring>
#include <string>

#if !defined(__i386__)
#error "The 16-bit route exists for 32-bit programs only"
#endif

extern "C" std::uint32_t __cdecl ZubaCallQtThunk(FARPROC qtThunk, std::uint32_t target16,
                                                 std::uint32_t argument32,
                                                 std::uint32_t argument16);

// QT_Thunk takes the 16:16 target in EDX and finds the arguments between
// ESP and EBP - 0x40: the 0x40 bytes below EBP are its own. The 16-bit
// function is pascal: the first argument is pushed first and the callee
// takes its arguments off the stack. A compiler lays out no frame this
// exactly, hence the assembly.
asm(R"(
    .text
    .globl _ZubaCallQtThunk
    .def _ZubaCallQtThunk; .scl 2; .type 32; .endef
_ZubaCallQtThunk:
    pushl %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl %esp, %ebp
    subl $0x40, %esp
    pushl 28(%ebp)
    pushw 32(%ebp)
    movl 24(%ebp), %edx
    call *20(%ebp)
    movzwl %ax, %eax
    movl %ebp, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace zuba::platform::win32 {
namespace {

constexpr DWORD kOrdinalLoadLibrary16 = 35;
constexpr DWORD kOrdinalFreeLibrary16 = 36;
constexpr DWORD kOrdinalGetProcAddress16 = 37;

// The function a forwarder ("MODULE.Name" or "MODULE.#ordinal") names,
// found as the loader finds it.
FARPROC Forwarded(const char* forwarder) {
  const char* dot = std::strrchr(forwarder, '.');
  if (dot == nullptr || dot == forwarder || dot[1] == '\0') return nullptr;
  const std::string module(forwarder, dot);
  HMODULE target = GetModuleHandleA(module.c_str());
  if (target == nullptr) target = LoadLibraryA(module.c_str());  // held to the end of the process
  if (target == nullptr) return nullptr;
  if (dot[1] == '#') {
    const unsigned long ordinal = std::strtoul(dot + 2, nullptr, 10);
    if (ordinal == 0 || ordinal > 0xFFFF) return nullptr;
    return GetProcAddress(target, MAKEINTRESOURCEA(ordinal));
  }
  return GetProcAddress(target, dot + 1);
}

// The function kernel32 exports under `ordinal`; null when it exports none
// there. Windows 9x's kernel32 has the function itself; Wine's forwards it
// to its 16-bit kernel, which the loader would follow too.
FARPROC ExportByOrdinal(HMODULE module, DWORD ordinal) {
  auto* base = reinterpret_cast<const unsigned char*>(module);
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return nullptr;
  const IMAGE_DATA_DIRECTORY& dir =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (dir.VirtualAddress == 0 || dir.Size < sizeof(IMAGE_EXPORT_DIRECTORY)) return nullptr;
  auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  if (ordinal < exports->Base || ordinal - exports->Base >= exports->NumberOfFunctions) {
    return nullptr;
  }
  auto* functions = reinterpret_cast<const DWORD*>(base + exports->AddressOfFunctions);
  const DWORD rva = functions[ordinal - exports->Base];
  if (rva == 0) return nullptr;
  if (rva >= dir.VirtualAddress && rva < dir.VirtualAddress + dir.Size) {
    return Forwarded(reinterpret_cast<const char*>(base + rva));
  }
  return reinterpret_cast<FARPROC>(const_cast<unsigned char*>(base + rva));
}

// An exported function as the type it has.
template <typename Function>
Function As(FARPROC proc) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace

bool FindKernel16(Kernel16* entries) {
  // Windows 9x sets the top bit of GetVersion's answer.
  HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
  if ((::GetVersion() & 0x80000000u) == 0 || kernel == nullptr) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return false;
  }
  FARPROC load = ExportByOrdinal(kernel, kOrdinalLoadLibrary16);
  FARPROC free = ExportByOrdinal(kernel, kOrdinalFreeLibrary16);
  FARPROC find = ExportByOrdinal(kernel, kOrdinalGetProcAddress16);
  if (!load || !free || !find) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return false;
  }
  entries->loadLibrary16 = As<decltype(entries->loadLibrary16)>(load);
  entries->freeLibrary16 = As<decltype(entries->freeLibrary16)>(free);
  entries->getProcAddress16 = As<decltype(entries->getProcAddress16)>(find);
  return true;
}

std::uint16_t CallQtThunk(FARPROC qtThunk, std::uint32_t target16, std::uint32_t argument32,
                          std::uint16_t argument16) {
  return static_cast<std::uint16_t>(ZubaCallQtThunk(qtThunk, target16, argument32, argument16));
}

}  // namespace zuba::platform::win32
