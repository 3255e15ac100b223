#include "app/platform_id.h"

#include "common/platform_calls.h"

#include <windows.h>

#include <cstring>

namespace modGeneral {

long GetPlatformId() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    std::memset(info.szCSDVersion, ' ', sizeof(info.szCSDVersion));
    skorvelin::ReadVersionInfo(info);
    return static_cast<long>(info.dwPlatformId);
}

} // namespace modGeneral
