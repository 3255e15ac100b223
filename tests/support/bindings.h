#pragma once
// Stand-ins for the systems the program supports but the test machine is not: functions that
// the program binds by name are replaced, or made absent, while a ReplacedBindings lives.
#include <windows.h>

#include <string>
#include <vector>

namespace skorvelin::support {

struct Replacement {
    const char* library; // file name, such as "oleaut32.dll"; nullptr for any library
    const char* name;
    FARPROC function; // nullptr: the function is absent
};

// Casts a function of any signature for a Replacement.
template <typename Function> FARPROC AsBound(Function* function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
}

class ReplacedBindings {
  public:
    explicit ReplacedBindings(std::vector<Replacement> replacements);
    ReplacedBindings(const ReplacedBindings&) = delete;
    ReplacedBindings& operator=(const ReplacedBindings&) = delete;
    ~ReplacedBindings();

    // The libraries (lower-case file names) that gave `name` a function while this lived.
    std::vector<std::string> BoundFrom(const char* name) const;

  private:
    static FARPROC Hook(HMODULE library, const char* name, FARPROC found);

    std::vector<Replacement> replacements_;
    std::vector<std::pair<std::string, std::string>> bound_; // name, library
};

// Version queries that report a platform id, or that fail and leave the record untouched. Like
// Windows 95 and NT 4.0 before Service Pack 6, they take only the 148-byte record.
template <DWORD PlatformId> BOOL WINAPI ReportsPlatform(OSVERSIONINFOA* info) {
    if (info->dwOSVersionInfoSize != 148) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    info->dwPlatformId = PlatformId;
    return TRUE;
}
BOOL WINAPI VersionQueryFails(OSVERSIONINFOA* info);

} // namespace skorvelin::support
