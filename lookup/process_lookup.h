#pragma once
#include "common/unique_handle.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace modGeneral {

// The id of the first running process, in the platform's order, whose executable file name
// (the last component of its path) equals `name` ignoring case and that this run may terminate;
// 0 when there is none.
DWORD FindProcessByName(const std::wstring& name);

} // namespace modGeneral

namespace skorvelin {

// Every running process id. The list starts with room for `firstCapacity` ids and doubles
// until the platform's answer leaves room to spare, so no process is missed.
std::vector<DWORD> ListProcessIds(size_t firstCapacity = 256);

// The full path of a process's executable, or nothing when the process cannot be queried.
std::optional<std::wstring> ExecutablePath(DWORD processId);

// Opens a process with the given access rights; an empty handle when they are refused.
using ProcessOpener = std::function<UniqueHandle(DWORD processId, DWORD access)>;

// The first of `ids` whose executable file name equals `name` ignoring case, among the processes
// that `open` grants both the right to read their executable's path and the right to terminate
// them; 0 when there is none.
DWORD FirstTerminableProcessNamed(const std::wstring& name, const std::vector<DWORD>& ids,
                                  const ProcessOpener& open);

// The last path component of `path` (all of it when it has no backslash).
std::wstring FileNameOf(const std::wstring& path);

} // namespace skorvelin
