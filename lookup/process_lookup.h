#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace modGeneral {

// The id of the first running process, in the platform's order, whose executable file name
// (the last component of its path) equals `name` ignoring case; 0 when there is none.
DWORD FindProcessByName(const std::wstring& name);

} // namespace modGeneral

namespace skorvelin {

// Every running process id. The list starts with room for `firstCapacity` ids and doubles
// until the platform's answer leaves room to spare, so no process is missed.
std::vector<DWORD> ListProcessIds(size_t firstCapacity = 256);

// The full path of a process's executable, or nothing when the process cannot be queried.
std::optional<std::wstring> ExecutablePath(DWORD processId);

// The last path component of `path` (all of it when it has no backslash).
std::wstring FileNameOf(const std::wstring& path);

} // namespace skorvelin
