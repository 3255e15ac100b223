#pragma once
// While an object of this kind lives, web and mail addresses that any program of the machine
// asks the shell to open go to url_recorder.exe, which writes them into a log instead of
// starting a browser or a mail program. The previous handlers come back at the end.
#include "common/unique_handle.h"
#include "tests/support/harness.h"
#include "tests/support/wine_settings.h"

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace skorvelin::support {

class RecordedUrlHandlers {
  public:
    RecordedUrlHandlers();
    RecordedUrlHandlers(const RecordedUrlHandlers&) = delete;
    RecordedUrlHandlers& operator=(const RecordedUrlHandlers&) = delete;
    ~RecordedUrlHandlers();

    // False when the handlers could not be registered (or another run holds them too long).
    bool Active() const { return active_; }

    // The addresses opened since the last Clear(), oldest first.
    std::vector<std::wstring> Opened() const;
    void Clear() const;

  private:
    bool Register(const std::wstring& scheme, const std::wstring& command);

    // The handlers are machine-wide: concurrent runs of these tests take turns.
    skorvelin::UniqueHandle turn_;
    bool holdsTurn_ = false;
    ScratchFolder folder_;
    std::filesystem::path log_;
    // The schemes that had no key, which go whole at the end, after the handlers set here.
    std::vector<std::wstring> madeSchemes_;
    std::vector<std::unique_ptr<ScopedRegistryValue>> handlers_;
    bool active_ = false;
};

} // namespace skorvelin::support
