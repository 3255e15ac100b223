#include "tests/support/wine_settings.h"

#include <windows.h>

namespace skorvelin::support {

WineSetting::WineSetting(std::wstring key, const std::wstring& name, const std::wstring& value)
    : key_(std::move(key)), name_(name) {
    HKEY handle = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, &disposition) != ERROR_SUCCESS) {
        return;
    }
    createdKey_ = disposition == REG_CREATED_NEW_KEY;
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    set_ = RegSetValueExW(handle, name_.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
    RegCloseKey(handle);
}

WineSetting::~WineSetting() {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str());
    if (createdKey_) {
        RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str());
    }
}

} // namespace skorvelin::support
