#pragma once
// While an object of this kind lives, web and mail addresses that any program of the machine
// asks the shell to open go to url_recorder.exe, which writes them into a log instead of
// starting a browser or a mail program. The previous handlers come back at the end.
#include "common/unique_handle.h"
#include "tests/support/harness.h"

#include <windows.h>

#include <filesystem>
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
    struct SavedHandler {
        std::wstring scheme;
        bool schemeExisted = false;
        bool commandExisted = false;
        DWORD type = REG_SZ;
        std::vector<BYTE> command;
    };

    bool Register(const std::wstring& scheme, const std::wstring& command);
    void Restore(const SavedHandler& saved) const;

    // The handlers are machine-wide: concurrent runs of these tests take turns.
    skorvelin::UniqueHandle turn_;
    bool holdsTurn_ = false;
    ScratchFolder folder_;
    std::filesystem::path log_;
    std::vector<SavedHandler> saved_;
    bool active_ = false;
};

} // namespace skorvelin::support
