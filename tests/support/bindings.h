#pragma once
// Stand-ins for the systems the program supports but the test machine is not, while a
// ReplacedBindings lives: functions that the program binds by name are replaced, or made absent,
// and so are a few that it imports (GetVersionExA, OpenProcess, DuplicateHandle). Test programs
// link bindings.cpp in place of the program's common/bind_address.cpp, and its import pointers
// for those functions, which the linker takes before the import libraries' own: every call of
// the test program, the program's code in it included, reaches them.
#include <windows.h>

#include <string>
#include <vector>

namespace skorvelin::support {

struct Replacement {
    const char* library; // file name, such as "oleaut32.dll"; nullptr for any library
    const char* name;
    FARPROC function; // nullptr: the function is absent (an import is then the platform's own)
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

    // The libraries (lower-case file names) that gave `name` a function, bound by name, while
    // this lived.
    std::vector<std::string> BoundFrom(const char* name) const;

  private:
    std::vector<Replacement> replacements_;
    std::vector<std::pair<std::string, std::string>> bound_; // name, library
};

// The platform's own function `name` of the loaded `library`, whatever is replaced: for a
// stand-in that hands a call on to the platform.
FARPROC PlatformFunction(const char* library, const char* name);

template <typename Function> Function* PlatformsOwn(const char* library, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(PlatformFunction(library, name)));
}

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
