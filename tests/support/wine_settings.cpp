#include "tests/support/wine_settings.h"

namespace skorvelin::support {

ScopedRegistryValue::ScopedRegistryValue(HKEY root, std::wstring key, std::wstring name,
                                         const std::wstring& value)
    : root_(root), key_(std::move(key)), name_(std::move(name)) {
    Set(REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

ScopedRegistryValue::ScopedRegistryValue(HKEY root, std::wstring key, std::wstring name,
                                         DWORD value)
    : root_(root), key_(std::move(key)), name_(std::move(name)) {
    Set(REG_DWORD, &value, sizeof(value));
}

ScopedRegistryValue::ScopedRegistryValue(HKEY root, std::wstring key, std::wstring name,
                                         NoRegistryValue)
    : root_(root), key_(std::move(key)), name_(std::move(name)) {
    Set(REG_NONE, nullptr, 0);
}

void ScopedRegistryValue::Set(DWORD type, const void* data, DWORD bytes) {
    HKEY handle = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &handle, &disposition) != ERROR_SUCCESS) {
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
    if (type == REG_NONE) {
        const LSTATUS deleted = RegDeleteValueW(handle, name_.c_str());
        set_ = deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
    } else {
        set_ = RegSetValueExW(handle, name_.c_str(), 0, type, static_cast<const BYTE*>(data),
                              bytes) == ERROR_SUCCESS;
    }
    RegCloseKey(handle);
}

ScopedRegistryValue::~ScopedRegistryValue() {
    if (previousType_ != REG_NONE) {
        RegSetKeyValueW(root_, key_.c_str(), name_.c_str(), previousType_, previous_.data(),
                        static_cast<DWORD>(previous_.size()));
        return;
    }
    RegDeleteKeyValueW(root_, key_.c_str(), name_.c_str());
    if (createdKey_) {
        RegDeleteKeyW(root_, key_.c_str());
    }
}

} // namespace skorvelin::support
