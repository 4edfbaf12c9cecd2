// The Win32 status numbers the program and its tests rely on, one list for
// every port.
#pragma once

namespace corvanta {

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorPathNotFound = 3;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorNoMoreFiles = 18;
inline constexpr long kErrorNotReady = 21;
inline constexpr long kErrorBadNetPath = 53;
inline constexpr long kErrorFileExists = 80;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorInvalidName = 123;
inline constexpr long kErrorDirNotEmpty = 145;
inline constexpr long kErrorBadPathname = 161;
inline constexpr long kErrorAlreadyExists = 183;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;
inline constexpr long kErrorKeyDeleted = 1018;

}  // namespace corvanta
