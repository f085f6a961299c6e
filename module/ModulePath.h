#pragma once
// Internal helpers for the file names of loaded modules and their parts.
#include "platform/WinApi.h"

#include <string>

namespace torv {

// Buffer size of every module-name and long-path call.
constexpr DWORD MODULE_PATH_UNITS = MAX_PATH;

// The full file name of `module`, or an empty text when it cannot be read
// within MODULE_PATH_UNITS.
std::wstring moduleFileName(HMODULE module);

// The long form of `path`, or an empty text when the conversion fails.
std::wstring longPathName(const std::wstring& path);

// The module's file name in its long form when that conversion succeeds.
std::wstring longModuleFileName(HMODULE module);

// True when the file exists and may be read.
bool isReadableFile(const std::wstring& path);

// "C:\App\" of "C:\App\App.exe": up to and including the last backslash.
std::wstring folderOf(const std::wstring& path);

// "App.exe" of "C:\App\App.exe": everything after the last backslash.
std::wstring fileNameOf(const std::wstring& path);

// "App" of "C:\App\App.exe": the file name up to its last full stop.
std::wstring baseNameOf(const std::wstring& path);

} // namespace torv
