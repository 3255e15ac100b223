#pragma once
// Every platform call that comes in an 8-bit ("A") and a 16-bit ("W") form goes through here.
// The NT family gets the W form. The 95/98/Me family exports most W functions only as stubs
// that fail, so there it gets the A form, with text in the system code page. The W forms that
// 95 may not even export are bound by name at their first use, not imported, so that its loader
// always starts the program. Nothing else in the program calls either form, or asks which
// family it runs on.
#include "common/platform_text.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace skorvelin {

// True on the NT family, where the W functions really work (IsNtFamily, asked once).
bool WideApiAvailable();

// The program's module, as WinMain received it. Code that runs without our WinMain (test
// programs) gets the executable's module from the 8-bit lookup, which every family has.
void SetProgramInstance(HINSTANCE instance);
HINSTANCE ProgramInstance();

// Equal by the user's locale, ignoring letter case.
bool TextsEqualIgnoringCase(std::wstring_view a, std::wstring_view b);

std::wstring CommandLineText();

// Loads the library `fileName` (plain ASCII, such as "psapi.dll") from the system directory, its
// own dependencies from its folder; null when it is absent or the path too long.
HMODULE LoadSystemDirectoryLibrary(const char* fileName);

// Texts handed to the platform are null-terminated, as the platform takes them: a caller's
// string needs no copy on the way.

// Asks the shell to open `file` (a web address, a "mailto:" address...) as a double click
// would, on behalf of `owner`. Whether the shell manages is not reported.
void ShellOpen(HWND owner, const wchar_t* file);

// ---- Windows

// `icon`: what the taskbar button and the task switcher show for the class's windows.
bool RegisterWindowClass(const wchar_t* className, WNDPROC procedure, HCURSOR cursor,
                         HBRUSH background, HICON icon);
HWND CreatePlatformWindow(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                          const RECT& bounds, HWND parent, INT_PTR id, void* parameter);

void SetText(HWND window, const wchar_t* text);
// At most `bufferLength` - 1 characters of the window's text, as a buffer of that size holds.
std::wstring GetTextUpTo(HWND window, int bufferLength);

LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallProcedure(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LONG_PTR GetLongPtr(HWND window, int index);
LONG_PTR SetLongPtr(HWND window, int index, LONG_PTR value);

// One step of a dialog-like message loop: the next message (0 on WM_QUIT, -1 on failure),
// the dialog keys of `dialog`, and the dispatch of everything else.
BOOL NextMessage(MSG& message);
bool HandleDialogMessage(HWND dialog, MSG& message);
void DispatchToWindow(const MSG& message);

void ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// ---- Resources

inline constexpr int kIconImageResource = 3; // RT_ICON
inline constexpr int kDataResource = 10;     // RT_RCDATA

// The bytes of an application resource, by default one of type RCDATA; empty when there is none.
std::string_view ResourceBytes(int id, int type = kDataResource);

// ---- Drawing

HFONT CreateFontFrom(const LOGFONTW& font);

// Text in the form that the running family's drawing functions take. On 95/98/Me a character
// of the text may take two bytes, so lengths and positions count in the form's own units. On the
// NT family it is the text it was made from, which must outlive it.
class FamilyText {
  public:
    explicit FamilyText(std::wstring_view text);

    int Length() const;
    // The right end of each unit (`ends`, Length() values) and the extent of the whole.
    bool Measure(HDC dc, int* ends, SIZE& extent) const;
    // Draws at (x, y), each unit `advances` apart.
    void Draw(HDC dc, int x, int y, const int* advances) const;

  private:
    std::wstring_view wide_;
    std::string ansi_;
};

} // namespace skorvelin
