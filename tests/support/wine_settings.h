#pragma once
// Wine's own settings in the registry of the test prefix, set for as long as an object lives.
#include <string>

namespace skorvelin::support {

// A text value under HKEY_CURRENT_USER; the value, and the key when it made it, go at the end.
class WineSetting {
  public:
    WineSetting(std::wstring key, const std::wstring& name, const std::wstring& value);
    WineSetting(const WineSetting&) = delete;
    WineSetting& operator=(const WineSetting&) = delete;
    ~WineSetting();

    bool set() const { return set_; }

  private:
    std::wstring key_;
    std::wstring name_;
    bool createdKey_ = false;
    bool set_ = false;
};

// Wine presents itself as Windows `version` ("win98"...) to the program whose file name is
// `programName`.
class AppVersionOverride : public WineSetting {
  public:
    AppVersionOverride(const std::wstring& programName, const std::wstring& version)
        : WineSetting(L"Software\\Wine\\AppDefaults\\" + programName, L"Version", version) {}
};

} // namespace skorvelin::support
