// Win32 result and last-error codes, as the services of this layer report them.
#ifndef ZUBA_PLATFORM_WINERROR_H_
#define ZUBA_PLATFORM_WINERROR_H_

namespace zuba::platform {

enum WinError : long {
  kErrorSuccess = 0,
  kErrorFileNotFound = 2,
  kErrorPathNotFound = 3,
  kErrorAccessDenied = 5,
  kErrorInvalidHandle = 6,
  kErrorNotEnoughMemory = 8,
  kErrorBadFormat = 11,
  kErrorInvalidParameter = 87,
  kErrorProcNotFound = 127,
  kErrorBadExeFormat = 193,
  kErrorDirectory = 267,
  kErrorCallNotImplemented = 120,
  kErrorFileExists = 80,
  kErrorAlreadyExists = 183,
  kErrorMoreData = 234,
  kErrorNoMoreItems = 259,
  kErrorNotOwner = 288,
  kErrorBadKey = 1010,
  kErrorCantRead = 1012,
  kErrorCantWrite = 1013,
  kErrorRegistryIoFailed = 1016,
  kErrorInvalidWindowHandle = 1400,
  kErrorNoSuchPrivilege = 1313,
  kErrorPrivilegeNotHeld = 1314,
  kErrorNotAllAssigned = 1300,
  kErrorResourceTypeNotFound = 1813,
};

}  // namespace zuba::platform

#endif  // ZUBA_PLATFORM_WINERROR_H_
