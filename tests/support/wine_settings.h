#pragma once
// Wine's own settings in the registry of the test prefix, set for as long as an object lives.
#include <windows.h>

#include <string>
#include <vector>

namespace skorvelin::support {

// A value under HKEY_CURRENT_USER; at the end the value it replaced comes back, or the value
// goes, and the key with it when it made the key.
class WineSetting {
  public:
    WineSetting(std::wstring key, const std::wstring& name, const std::wstring& value);
    WineSetting(std::wstring key, const std::wstring& name, DWORD value);
    WineSetting(const WineSetting&) = delete;
    WineSetting& operator=(const WineSetting&) = delete;
    ~WineSetting();

    bool set() const { return set_; }

  private:
    void Set(DWORD type, const void* data, DWORD bytes);

    std::wstring key_;
    std::wstring name_;
    bool createdKey_ = false;
    bool set_ = false;
    DWORD previousType_ = REG_NONE; // REG_NONE: there was no value
    std::vector<BYTE> previous_;
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
