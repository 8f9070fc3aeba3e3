// The Windows API as the front-end includes it: without the min and max
// macros, and without the old names that clash with the platform seam's
// methods (FreeModule).
#ifndef ZUBA_FRONTEND_WIN32_WINAPI_H_
#define ZUBA_FRONTEND_WIN32_WINAPI_H_

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef FreeModule

#endif  // ZUBA_FRONTEND_WIN32_WINAPI_H_
