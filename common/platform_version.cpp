#include "common/platform_version.h"

#include <windows.h>

#include <cstring>

namespace modGeneral {

long GetPlatformId() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info); // 148 bytes, the record every version knows
    std::memset(info.szCSDVersion, ' ', sizeof(info.szCSDVersion));
    // Its answer is not looked at: a failed query leaves the platform id 0.
    GetVersionExA(&info);
    return static_cast<long>(info.dwPlatformId);
}

} // namespace modGeneral

namespace skorvelin {

bool IsNtFamily(long platformId) {
    return platformId == VER_PLATFORM_WIN32_NT;
}

} // namespace skorvelin
