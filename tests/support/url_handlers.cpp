#include "tests/support/url_handlers.h"

#include <fstream>

namespace skorvelin::support {
namespace {

constexpr wchar_t kTurnName[] = L"SkorvelinHelpWindowTests.UrlHandlers";
constexpr DWORD kTurnTimeoutMs = 60000;
constexpr const wchar_t* kSchemes[] = {L"http", L"https", L"mailto"};

std::wstring CommandKeyOf(const std::wstring& scheme) {
    return scheme + L"\\shell\\open\\command";
}

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

bool SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

} // namespace

RecordedUrlHandlers::RecordedUrlHandlers()
    : turn_(CreateMutexW(nullptr, FALSE, kTurnName)), log_(folder_.path() / L"opened.log") {
    if (!turn_) {
        return;
    }
    const DWORD waited = WaitForSingleObject(turn_.get(), kTurnTimeoutMs);
    holdsTurn_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (!holdsTurn_) {
        return;
    }
    const std::wstring command = L"\"" + (BinFolder() / L"url_recorder.exe").wstring() + L"\" \"" +
                                 log_.wstring() + L"\" \"%1\"";
    active_ = true;
    for (const wchar_t* scheme : kSchemes) {
        active_ = Register(scheme, command) && active_;
    }
}

RecordedUrlHandlers::~RecordedUrlHandlers() {
    while (!handlers_.empty()) {
        handlers_.pop_back();
    }
    for (const std::wstring& scheme : madeSchemes_) {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, scheme.c_str());
        RegDeleteKeyW(HKEY_CLASSES_ROOT, scheme.c_str());
    }
    if (holdsTurn_) {
        ReleaseMutex(turn_.get());
    }
}

bool RecordedUrlHandlers::Register(const std::wstring& scheme, const std::wstring& command) {
    const bool schemeExisted = KeyExists(scheme);
    if (!schemeExisted) {
        madeSchemes_.push_back(scheme);
    }
    handlers_.push_back(std::make_unique<ScopedRegistryValue>(HKEY_CLASSES_ROOT,
                                                              CommandKeyOf(scheme), L"", command));
    if (!handlers_.back()->set()) {
        return false;
    }
    // The shell treats a scheme as a protocol only when its key says so.
    HKEY schemeKey = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, scheme.c_str(), 0, KEY_WRITE, &schemeKey) !=
        ERROR_SUCCESS) {
        return false;
    }
    const bool marked = schemeExisted || SetString(schemeKey, L"URL Protocol", L"");
    RegCloseKey(schemeKey);
    return marked;
}

std::vector<std::wstring> RecordedUrlHandlers::Opened() const {
    std::ifstream file(log_, std::ios::binary);
    std::vector<std::wstring> lines;
    std::string line;
    while (std::getline(file, line)) {
        lines.push_back(FromUtf8(line));
    }
    return lines;
}

void RecordedUrlHandlers::Clear() const {
    std::error_code ignored;
    std::filesystem::remove(log_, ignored);
}

} // namespace skorvelin::support
