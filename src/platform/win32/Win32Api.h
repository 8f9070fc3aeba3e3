// <windows.h> for the Win32 implementation of the platform seam, with the
// macros that would rename the seam's own methods taken away again. Code
// that includes the seam's headers includes this one, never <windows.h>.
#ifndef ZUBA_PLATFORM_WIN32_WIN32API_H_
#define ZUBA_PLATFORM_WIN32_WIN32API_H_

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// System::LookupPrivilegeValue and System::FreeModule share their names with
// a macro of the Windows headers; the calls below name the A functions.
#undef LookupPrivilegeValue
#undef FreeModule

#endif  // ZUBA_PLATFORM_WIN32_WIN32API_H_
