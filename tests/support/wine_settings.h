#pragma once
// Registry values of the test prefix, set for as long as an object lives: Wine's own settings,
// and the shell's address handlers (url_handlers.h).
#include <windows.h>

#include <string>
#include <vector>

namespace skorvelin::support {

// Stands for "no such value" where a ScopedRegistryValue takes one.
struct NoRegistryValue {};

// A value of `key` under `root` (an empty name: the key's default value), or none; at the end
// the value it replaced comes back, or the value goes, and the key with it when it made the key.
class ScopedRegistryValue {
  public:
    ScopedRegistryValue(HKEY root, std::wstring key, std::wstring name, const std::wstring& value);
    ScopedRegistryValue(HKEY root, std::wstring key, std::wstring name, DWORD value);
    ScopedRegistryValue(HKEY root, std::wstring key, std::wstring name, NoRegistryValue);
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;
    ~ScopedRegistryValue();

    bool set() const { return set_; }

  private:
    void Set(DWORD type, const void* data, DWORD bytes);

    HKEY root_;
    std::wstring key_;
    std::wstring name_;
    bool createdKey_ = false;
    bool set_ = false;
    DWORD previousType_ = REG_NONE; // REG_NONE: there was no value
    std::vector<BYTE> previous_;
};

// One of Wine's settings, under HKEY_CURRENT_USER.
class WineSetting : public ScopedRegistryValue {
  public:
    template <typename Value>
    WineSetting(std::wstring key, std::wstring name, const Value& value)
        : ScopedRegistryValue(HKEY_CURRENT_USER, std::move(key), std::move(name), value) {}
};

// Wine presents itself as Windows `version` ("win98"...) to the program whose file name is
// `programName`.
class AppVersionOverride : public WineSetting {
  public:
    AppVersionOverride(const std::wstring& programName, const std::wstring& version)
        : WineSetting(L"Software\\Wine\\AppDefaults\\" + programName, L"Version", version) {}
};

// Programs started while it lives run at `dpi` dots per inch: Wine reads the value once, when a
// program starts.
class ScreenDpiSetting : public WineSetting {
  public:
    explicit ScreenDpiSetting(DWORD dpi)
        : WineSetting(L"Control Panel\\Desktop", L"LogPixels", dpi) {}
};

} // namespace skorvelin::support
