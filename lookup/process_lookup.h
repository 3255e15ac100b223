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

// Every running process id. The list starts with room for `firstCapacity` ids and doubles
// until the platform's answer leaves room to spare, so no process is missed.
std::vector<DWORD> ListProcessIds(size_t firstCapacity = 256);

// The last path component of `path` (all of it when it has no backslash).
std::wstring FileNameOf(const std::wstring& path);

} // namespace skorvelin

namespace modGeneral {

// The first running process, in the platform's order, whose executable file name (the last
// component of its path) equals `name` ignoring case and that this run may terminate; empty
// when there is none. Every process is opened with the rights that reading its executable's
// path needs, and only a process of that name is asked for the right to terminate.
skorvelin::TerminableProcess FindProcessByName(const std::wstring& name);

} // namespace modGeneral
