#pragma once
#include "common/unique_handle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace skorvelin {

// A process that a lookup examined and that this run may terminate. The handle is derived from
// the one through which its executable's name was read, never opened again by id: while it is
// open the system gives that id to no other process, so it can only ever terminate the process
// that was examined.
struct TerminableProcess {
    DWORD id = 0;
    UniqueHandle handle; // carries the right to terminate

    explicit operator bool() const { return static_cast<bool>(handle); }
};

// How a lookup reaches processes: by id, with the rights it needs to read a process's
// executable; and, for a process it chose, a second handle to the very same process with
// further rights. Tests stand in for the platform here.
class ProcessGate {
  public:
    // An empty handle when the rights are refused.
    virtual UniqueHandle Open(DWORD processId, DWORD access) const = 0;
    virtual UniqueHandle Widen(HANDLE process, DWORD access) const = 0;

  protected:
    ~ProcessGate() = default;
};

// Every running process id. The list starts with room for `firstCapacity` ids and doubles
// until the platform's answer leaves room to spare, so no process is missed.
std::vector<DWORD> ListProcessIds(size_t firstCapacity = 256);

// The first of `ids` whose executable file name equals `name` ignoring case and that `gate`
// lets this run terminate; empty when there is none. Every process is opened with the rights
// that reading its executable's path needs, and only a process of that name is asked for the
// right to terminate.
TerminableProcess FirstTerminableProcessNamed(const std::wstring& name,
                                              const std::vector<DWORD>& ids,
                                              const ProcessGate& gate);

// The same over the running processes, through the platform.
TerminableProcess FindTerminableProcess(const std::wstring& name);

// The last path component of `path` (all of it when it has no backslash).
std::wstring FileNameOf(const std::wstring& path);

} // namespace skorvelin

namespace modGeneral {

// The id of the first running process, in the platform's order, whose executable file name
// (the last component of its path) equals `name` ignoring case and that this run may terminate;
// 0 when there is none.
DWORD FindProcessByName(const std::wstring& name);

} // namespace modGeneral
