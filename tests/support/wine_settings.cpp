#include "tests/support/wine_settings.h"

namespace skorvelin::support {

WineSetting::WineSetting(std::wstring key, const std::wstring& name, const std::wstring& value)
    : key_(std::move(key)), name_(name) {
    Set(REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

WineSetting::WineSetting(std::wstring key, const std::wstring& name, DWORD value)
    : key_(std::move(key)), name_(name) {
    Set(REG_DWORD, &value, sizeof(value));
}

void WineSetting::Set(DWORD type, const void* data, DWORD bytes) {
    HKEY handle = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &handle,
                        &disposition) != ERROR_SUCCESS) {
        return;
    }
    createdKey_ = disposition == REG_CREATED_NEW_KEY;
    DWORD size = 0;
    if (RegQueryValueExW(handle, name_.c_str(), nullptr, &previousType_, nullptr, &size) ==
        ERROR_SUCCESS) {
        previous_.resize(size);
        RegQueryValueExW(handle, name_.c_str(), nullptr, &previousType_, previous_.data(), &size);
    } else {
        previousType_ = REG_NONE;
    }
    set_ = RegSetValueExW(handle, name_.c_str(), 0, type, static_cast<const BYTE*>(data), bytes) ==
           ERROR_SUCCESS;
    RegCloseKey(handle);
}

WineSetting::~WineSetting() {
    if (previousType_ != REG_NONE) {
        RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), previousType_,
                        previous_.data(), static_cast<DWORD>(previous_.size()));
        return;
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str());
    if (createdKey_) {
        RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str());
    }
}

} // namespace skorvelin::support
