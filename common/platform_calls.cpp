#include "common/platform_calls.h"

#include "common/platform_text.h"
#include "common/platform_version.h"
#include "common/system_library.h"

#include <cstddef>
#include <cstring>

namespace skorvelin {
namespace {

HINSTANCE gProgramInstance = nullptr;

// The W form of a platform function where it works, on the NT family: bound by name at its first
// use, never imported, because a Windows 95 that lacks even a stub of one would refuse to load the
// whole program. nullptr elsewhere, and should the binding fail: the caller takes the A form.
template <typename Function> Function* WideForm(const char* library, const char* name) {
    return WideApiAvailable() ? BindFunction<Function>(ImportedLibrary(library), name) : nullptr;
}
// Names the function once, so that the type and the name bound cannot drift apart.
#define SKORVELIN_WIDE_FORM(library, function) WideForm<decltype(function)>(library, #function)

} // namespace

bool WideApiAvailable() {
    // Asked once: the family does not change while the program runs.
    static const bool wide = IsNtFamily(modGeneral::GetPlatformId());
    return wide;
}

void SetProgramInstance(HINSTANCE instance) {
    gProgramInstance = instance;
}

HINSTANCE ProgramInstance() {
    return gProgramInstance ? gProgramInstance : GetModuleHandleA(nullptr);
}

std::wstring LowerCase(std::wstring text) {
    if (text.empty()) {
        return text;
    }
    static auto* const lowerWide = SKORVELIN_WIDE_FORM("user32.dll", CharLowerBuffW);
    if (lowerWide) {
        lowerWide(text.data(), static_cast<DWORD>(text.size()));
        return text;
    }
    // The 9x family lowers only 8-bit text, by the rules of the system code page.
    std::string ansi = WideToAnsi(text);
    CharLowerBuffA(ansi.data(), static_cast<DWORD>(ansi.size()));
    return AnsiToWide(ansi);
}

bool TextsEqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    static auto* const compareWide = SKORVELIN_WIDE_FORM("kernel32.dll", CompareStringW);
    if (compareWide) {
        return compareWide(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                           static_cast<int>(a.size()), b.data(),
                           static_cast<int>(b.size())) == CSTR_EQUAL;
    }
    const std::string ansiA = WideToAnsi(a);
    const std::string ansiB = WideToAnsi(b);
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, ansiA.data(),
                          static_cast<int>(ansiA.size()), ansiB.data(),
                          static_cast<int>(ansiB.size())) == CSTR_EQUAL;
}

std::wstring CommandLineText() {
    if (WideApiAvailable()) {
        return GetCommandLineW();
    }
    return AnsiToWide(GetCommandLineA());
}

namespace {

// The path is built in the form of the calls that take it. A system library's file name is plain
// ASCII, the same characters in both forms.
template <typename Char, typename DirectoryQuery, typename Loader>
HMODULE LoadFromSystemDirectory(const char* fileName, DirectoryQuery directoryOf, Loader load) {
    Char path[MAX_PATH];
    size_t length = directoryOf(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    path[length++] = '\\';
    for (const char* c = fileName; *c != '\0'; ++c) {
        if (length + 1 >= MAX_PATH) {
            return nullptr;
        }
        path[length++] = static_cast<Char>(*c);
    }
    path[length] = '\0';
    // Its own dependencies resolve from its folder.
    return load(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace

HMODULE LoadSystemDirectoryLibrary(const char* fileName) {
    static auto* const directoryWide = SKORVELIN_WIDE_FORM("kernel32.dll", GetSystemDirectoryW);
    static auto* const loadWide = SKORVELIN_WIDE_FORM("kernel32.dll", LoadLibraryExW);
    return directoryWide && loadWide
               ? LoadFromSystemDirectory<wchar_t>(fileName, directoryWide, loadWide)
               : LoadFromSystemDirectory<char>(fileName, GetSystemDirectoryA, LoadLibraryExA);
}

void ShellOpen(HWND owner, const wchar_t* file) {
    const HMODULE shell32 = SystemLibrary("shell32.dll");
    if (WideApiAvailable()) {
        using ShellExecuteWFn = HINSTANCE WINAPI(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
        if (auto* const execute = BindFunction<ShellExecuteWFn>(shell32, "ShellExecuteW")) {
            execute(owner, L"open", file, nullptr, nullptr, SW_SHOWNORMAL);
        }
        return;
    }
    using ShellExecuteAFn = HINSTANCE WINAPI(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    if (auto* const execute = BindFunction<ShellExecuteAFn>(shell32, "ShellExecuteA")) {
        execute(owner, "open", WideToAnsi(file).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

// ---- Windows

bool RegisterWindowClass(const wchar_t* className, WNDPROC procedure, HCURSOR cursor,
                         HBRUSH background, HICON icon) {
    // No small icon of its own: the system takes the one of the small size from the same
    // resource as `icon`.
    static auto* const registerWide = SKORVELIN_WIDE_FORM("user32.dll", RegisterClassExW);
    if (registerWide) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = ProgramInstance();
        windowClass.hIcon = icon;
        windowClass.hCursor = cursor;
        windowClass.hbrBackground = background;
        windowClass.lpszClassName = className;
        return registerWide(&windowClass) != 0;
    }
    const std::string name = WideToAnsi(className);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ProgramInstance();
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name.c_str();
    return RegisterClassExA(&windowClass) != 0;
}

HWND CreatePlatformWindow(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                          const RECT& bounds, HWND parent, INT_PTR id, void* parameter) {
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    auto* const menu = reinterpret_cast<HMENU>(id);
    static auto* const createWide = SKORVELIN_WIDE_FORM("user32.dll", CreateWindowExW);
    if (createWide) {
        return createWide(exStyle, className, text, style, bounds.left, bounds.top, width, height,
                          parent, menu, ProgramInstance(), parameter);
    }
    return CreateWindowExA(exStyle, WideToAnsi(className).c_str(), WideToAnsi(text).c_str(), style,
                           bounds.left, bounds.top, width, height, parent, menu, ProgramInstance(),
                           parameter);
}

void SetText(HWND window, const wchar_t* text) {
    static auto* const setWide = SKORVELIN_WIDE_FORM("user32.dll", SetWindowTextW);
    if (setWide) {
        setWide(window, text);
    } else {
        SetWindowTextA(window, WideToAnsi(text).c_str());
    }
}

std::wstring GetTextUpTo(HWND window, int bufferLength) {
    const size_t room = bufferLength > 0 ? static_cast<size_t>(bufferLength) : 1;
    static auto* const getWide = SKORVELIN_WIDE_FORM("user32.dll", GetWindowTextW);
    if (getWide) {
        std::wstring buffer(room, L'\0');
        const int length = getWide(window, buffer.data(), static_cast<int>(room));
        buffer.resize(length > 0 ? static_cast<size_t>(length) : 0);
        return buffer;
    }
    // The buffer counts bytes of the 8-bit form, as the 8-bit function does.
    std::string buffer(room, '\0');
    const int length = GetWindowTextA(window, buffer.data(), static_cast<int>(room));
    buffer.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return AnsiToWide(buffer);
}

LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static auto* const defaultWide = SKORVELIN_WIDE_FORM("user32.dll", DefWindowProcW);
    return defaultWide ? defaultWide(window, message, wParam, lParam)
                       : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CallProcedure(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static auto* const callWide = SKORVELIN_WIDE_FORM("user32.dll", CallWindowProcW);
    return callWide ? callWide(procedure, window, message, wParam, lParam)
                    : CallWindowProcA(procedure, window, message, wParam, lParam);
}

// The 32-bit system exports the pointer-sized forms only under their older names.
#ifdef _WIN64
#define SKORVELIN_WINDOW_LONG(form) SKORVELIN_WIDE_FORM("user32.dll", form##WindowLongPtrW)
#else
#define SKORVELIN_WINDOW_LONG(form) SKORVELIN_WIDE_FORM("user32.dll", form##WindowLongW)
#endif

LONG_PTR GetLongPtr(HWND window, int index) {
    static auto* const getWide = SKORVELIN_WINDOW_LONG(Get);
    return getWide ? getWide(window, index) : GetWindowLongPtrA(window, index);
}

LONG_PTR SetLongPtr(HWND window, int index, LONG_PTR value) {
    static auto* const setWide = SKORVELIN_WINDOW_LONG(Set);
    return setWide ? setWide(window, index, value) : SetWindowLongPtrA(window, index, value);
}

BOOL NextMessage(MSG& message) {
    static auto* const getWide = SKORVELIN_WIDE_FORM("user32.dll", GetMessageW);
    return getWide ? getWide(&message, nullptr, 0, 0) : GetMessageA(&message, nullptr, 0, 0);
}

bool HandleDialogMessage(HWND dialog, MSG& message) {
    static auto* const handleWide = SKORVELIN_WIDE_FORM("user32.dll", IsDialogMessageW);
    return (handleWide ? handleWide(dialog, &message) : IsDialogMessageA(dialog, &message)) !=
           FALSE;
}

void DispatchToWindow(const MSG& message) {
    static auto* const dispatchWide = SKORVELIN_WIDE_FORM("user32.dll", DispatchMessageW);
    if (dispatchWide) {
        dispatchWide(&message);
    } else {
        DispatchMessageA(&message);
    }
}

void ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    if (WideApiAvailable()) {
        MessageBoxW(owner, text, caption, type);
    } else {
        MessageBoxA(owner, WideToAnsi(text).c_str(), WideToAnsi(caption).c_str(), type);
    }
}

// ---- Resources

std::string_view ResourceBytes(int id, int type) {
    const HINSTANCE instance = ProgramInstance();
    // Asked by number, which both forms take alike.
    const HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    if (!resource) {
        return {};
    }
    const HGLOBAL loaded = LoadResource(instance, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return {};
    }
    // Resources stay mapped for the life of the module: the view never dangles.
    return {static_cast<const char*>(data), SizeofResource(instance, resource)};
}

// ---- Drawing

HFONT CreateFontFrom(const LOGFONTW& font) {
    static auto* const createWide = SKORVELIN_WIDE_FORM("gdi32.dll", CreateFontIndirectW);
    if (createWide) {
        return createWide(&font);
    }
    LOGFONTA ansi{};
    static_assert(offsetof(LOGFONTA, lfFaceName) == offsetof(LOGFONTW, lfFaceName));
    std::memcpy(&ansi, &font, offsetof(LOGFONTW, lfFaceName));
    const std::string face = WideToAnsi(font.lfFaceName);
    face.copy(ansi.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&ansi);
}

FamilyText::FamilyText(std::wstring_view text) {
    if (WideApiAvailable()) {
        wide_ = text;
    } else {
        ansi_ = WideToAnsi(text);
    }
}

int FamilyText::Length() const {
    return static_cast<int>(WideApiAvailable() ? wide_.size() : ansi_.size());
}

bool FamilyText::Measure(HDC dc, int* ends, SIZE& extent) const {
    const int count = Length();
    if (count == 0) {
        return false;
    }
    return (WideApiAvailable()
                ? GetTextExtentExPointW(dc, wide_.data(), count, 0, nullptr, ends, &extent)
                : GetTextExtentExPointA(dc, ansi_.c_str(), count, 0, nullptr, ends, &extent)) !=
           FALSE;
}

void FamilyText::Draw(HDC dc, int x, int y, const int* advances) const {
    const auto count = static_cast<UINT>(Length());
    if (WideApiAvailable()) {
        ExtTextOutW(dc, x, y, 0, nullptr, wide_.data(), count, advances);
    } else {
        ExtTextOutA(dc, x, y, 0, nullptr, ansi_.c_str(), count, advances);
    }
}

} // namespace skorvelin
