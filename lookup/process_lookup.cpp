#include "lookup/process_lookup.h"

#include "common/system_library.h"
#include "common/unique_handle.h"
#include "lookup/reverse_find.h"

namespace skorvelin {
namespace {

using EnumProcessesFn = BOOL WINAPI(DWORD*, DWORD, DWORD*);
using EnumProcessModulesFn = BOOL WINAPI(HANDLE, HMODULE*, DWORD, DWORD*);
using GetModuleFileNameExWFn = DWORD WINAPI(HANDLE, HMODULE, LPWSTR, DWORD);
using QueryFullProcessImageNameWFn = BOOL WINAPI(HANDLE, DWORD, LPWSTR, PDWORD);

// The process functions are bound at their first use, so that a run that never lists
// processes never needs the process-listing library.
struct ProcessApi {
    UniqueLibrary psapi = LoadSystemLibrary("psapi.dll");
    EnumProcessesFn* enumProcesses = BindFunction<EnumProcessesFn>(psapi, "EnumProcesses");
    EnumProcessModulesFn* enumProcessModules =
        BindFunction<EnumProcessModulesFn>(psapi, "EnumProcessModules");
    GetModuleFileNameExWFn* getModuleFileNameEx =
        BindFunction<GetModuleFileNameExWFn>(psapi, "GetModuleFileNameExW");
    // Present from Vista on: it names 64-bit processes to a 32-bit caller, and needs only the
    // limited query right, which the system grants for elevated and protected processes too.
    UniqueLibrary kernel32 = LoadSystemLibrary("kernel32.dll");
    QueryFullProcessImageNameWFn* queryFullProcessImageName =
        BindFunction<QueryFullProcessImageNameWFn>(kernel32, "QueryFullProcessImageNameW");
};

const ProcessApi& Api() {
    static const ProcessApi api;
    return api;
}

constexpr size_t kLargestProcessList = size_t{1} << 20;

std::optional<std::wstring> PathByImageName(DWORD processId) {
    const UniqueHandle process{OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)};
    if (!process) {
        return std::nullopt;
    }
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = static_cast<DWORD>(path.size());
        if (Api().queryFullProcessImageName(process.get(), 0, path.data(), &length)) {
            path.resize(length);
            return path;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768) {
            return std::nullopt;
        }
        path.resize(path.size() * 2);
    }
}

std::optional<std::wstring> PathByFirstModule(DWORD processId) {
    const ProcessApi& api = Api();
    if (!api.enumProcessModules || !api.getModuleFileNameEx) {
        return std::nullopt;
    }
    const UniqueHandle process{
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)};
    if (!process) {
        return std::nullopt;
    }
    HMODULE firstModule = nullptr;
    DWORD needed = 0;
    if (!api.enumProcessModules(process.get(), &firstModule, sizeof(firstModule), &needed)) {
        return std::nullopt;
    }
    wchar_t path[MAX_PATH];
    const DWORD length = api.getModuleFileNameEx(process.get(), firstModule, path, MAX_PATH);
    if (length == 0) {
        return std::nullopt;
    }
    return std::wstring(path, length);
}

} // namespace

std::vector<DWORD> ListProcessIds(size_t firstCapacity) {
    const ProcessApi& api = Api();
    if (!api.enumProcesses) {
        return {};
    }
    size_t capacity = firstCapacity > 0 ? firstCapacity : 1;
    for (;;) {
        std::vector<DWORD> ids(capacity, 0);
        DWORD bytes = 0;
        const DWORD room = static_cast<DWORD>(capacity * sizeof(DWORD));
        if (!api.enumProcesses(ids.data(), room, &bytes)) {
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

std::optional<std::wstring> ExecutablePath(DWORD processId) {
    if (Api().queryFullProcessImageName) {
        return PathByImageName(processId);
    }
    return PathByFirstModule(processId);
}

std::wstring FileNameOf(const std::wstring& path) {
    const long slash = modGeneral::ReverseFind(path, L"\\", -1, modGeneral::CompareMode::Binary);
    return path.substr(static_cast<size_t>(slash));
}

} // namespace skorvelin

namespace modGeneral {

DWORD FindProcessByName(const std::wstring& name) {
    for (const DWORD id : skorvelin::ListProcessIds()) {
        const std::optional<std::wstring> path = skorvelin::ExecutablePath(id);
        if (path && TextsEqual(skorvelin::FileNameOf(*path), name, CompareMode::Text)) {
            return id;
        }
    }
    return 0;
}

} // namespace modGeneral
