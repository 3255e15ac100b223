#include "lookup/process_lookup.h"

#include "common/platform_text.h"
#include "common/system_library.h"
#include "common/unique_handle.h"
#include "lookup/reverse_find.h"

#include <optional>

namespace skorvelin {
namespace {

using EnumProcessesFn = BOOL WINAPI(DWORD*, DWORD, DWORD*);
using EnumProcessModulesFn = BOOL WINAPI(HANDLE, HMODULE*, DWORD, DWORD*);
using GetModuleFileNameExWFn = DWORD WINAPI(HANDLE, HMODULE, LPWSTR, DWORD);
using QueryFullProcessImageNameWFn = BOOL WINAPI(HANDLE, DWORD, LPWSTR, PDWORD);

// The process functions are bound by name when a lookup starts, so that a run that never lists
// processes never needs the process-listing library. A run makes one lookup: binding again on
// the next costs nothing that matters.
struct ProcessApi {
    HMODULE psapi = SystemLibrary("psapi.dll");
    EnumProcessModulesFn* enumProcessModules =
        BindFunction<EnumProcessModulesFn>(psapi, "EnumProcessModules");
    GetModuleFileNameExWFn* getModuleFileNameEx =
        BindFunction<GetModuleFileNameExWFn>(psapi, "GetModuleFileNameExW");
    // Present from Vista on: it names 64-bit processes to a 32-bit caller, and needs only the
    // limited query right, which the system grants for elevated and protected processes too.
    QueryFullProcessImageNameWFn* queryFullProcessImageName =
        BindFunction<QueryFullProcessImageNameWFn>(ImportedLibrary("kernel32.dll"),
                                                   "QueryFullProcessImageNameW");

    // The rights that reading a process's executable path needs: the limited query right where
    // the image-name query exists, otherwise read access to the module list.
    DWORD PathQueryRights() const {
        return queryFullProcessImageName ? PROCESS_QUERY_LIMITED_INFORMATION
                                         : PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;
    }
    // `process` was opened with at least PathQueryRights().
    std::optional<std::wstring> PathOf(HANDLE process) const;

  private:
    std::optional<std::wstring> PathByImageName(HANDLE process) const;
    std::optional<std::wstring> PathByFirstModule(HANDLE process) const;
};

constexpr size_t kLargestProcessList = size_t{1} << 20;

std::optional<std::wstring> ProcessApi::PathByImageName(HANDLE process) const {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = static_cast<DWORD>(path.size());
        if (queryFullProcessImageName(process, 0, path.data(), &length)) {
            path.resize(length);
            return path;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768) {
            return std::nullopt;
        }
        path.resize(path.size() * 2);
    }
}

std::optional<std::wstring> ProcessApi::PathByFirstModule(HANDLE process) const {
    if (!enumProcessModules || !getModuleFileNameEx) {
        return std::nullopt;
    }
    HMODULE firstModule = nullptr;
    DWORD needed = 0;
    if (!enumProcessModules(process, &firstModule, sizeof(firstModule), &needed)) {
        return std::nullopt;
    }
    wchar_t path[MAX_PATH];
    const DWORD length = getModuleFileNameEx(process, firstModule, path, MAX_PATH);
    if (length == 0) {
        return std::nullopt;
    }
    return std::wstring(path, length);
}

std::optional<std::wstring> ProcessApi::PathOf(HANDLE process) const {
    return queryFullProcessImageName ? PathByImageName(process) : PathByFirstModule(process);
}

// A second handle to the very same process, with `access`. The system checks the new rights
// against the process's security as OpenProcess would, and refuses them likewise.
UniqueHandle Widen(HANDLE process, DWORD access) {
    HANDLE widened = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &widened, access, FALSE,
                         0)) {
        return {};
    }
    return UniqueHandle{widened};
}

} // namespace

std::vector<DWORD> ListProcessIds(size_t firstCapacity) {
    auto* const enumProcesses =
        BindFunction<EnumProcessesFn>(SystemLibrary("psapi.dll"), "EnumProcesses");
    if (!enumProcesses) {
        return {};
    }
    size_t capacity = firstCapacity > 0 ? firstCapacity : 1;
    for (;;) {
        std::vector<DWORD> ids(capacity, 0);
        DWORD bytes = 0;
        const DWORD room = static_cast<DWORD>(capacity * sizeof(DWORD));
        if (!enumProcesses(ids.data(), room, &bytes)) {
            return {};
        }
        // A full list may have been cut short: ask again with twice the room.
        if (bytes < room || capacity >= kLargestProcessList) {
            ids.resize(bytes / sizeof(DWORD));
            return ids;
        }
        capacity *= 2;
    }
}

std::wstring FileNameOf(const std::wstring& path) {
    const long slash = modGeneral::ReverseFind(path, L"\\", -1, modGeneral::CompareMode::Binary);
    return path.substr(static_cast<size_t>(slash));
}

} // namespace skorvelin

namespace modGeneral {

using skorvelin::LowerCase;
using skorvelin::UniqueHandle;

skorvelin::TerminableProcess FindProcessByName(const std::wstring& name) {
    const skorvelin::ProcessApi api;
    // File names compare as the file system compares them: both lowered by the one case mapping,
    // which pairs I with i whatever the user's locale, then code by code. A locale comparison
    // would miss WINWORD.EXE for winword.exe in a Turkish locale, and find names that only read
    // alike there.
    const std::wstring wanted = LowerCase(name);
    for (const DWORD id : skorvelin::ListProcessIds()) {
        const UniqueHandle examined{OpenProcess(api.PathQueryRights(), FALSE, id)};
        if (!examined) {
            continue;
        }
        const std::optional<std::wstring> path = api.PathOf(examined.get());
        if (!path || LowerCase(skorvelin::FileNameOf(*path)) != wanted) {
            continue;
        }
        // The query rights are granted for elevated and protected processes too, which this run
        // may not terminate: such a process is passed over, and a later one of the same name
        // that the user owns is taken instead.
        if (UniqueHandle terminable = skorvelin::Widen(examined.get(), PROCESS_TERMINATE)) {
            return {id, std::move(terminable)};
        }
    }
    return {};
}

} // namespace modGeneral
