#pragma once
// Window calls in the family's own character set: the 16-bit ("W") functions on the NT family,
// the 8-bit ("A") ones with text in the system code page on 95/98/Me. Class names are ASCII.
#include <windows.h>

#include <string>
#include <string_view>

namespace skorvelin {

HWND CreatePlatformWindow(DWORD exStyle, std::wstring_view className, std::wstring_view text,
                          DWORD style, const RECT& bounds, HWND parent, INT_PTR id,
                          void* parameter);

void SetText(HWND window, std::wstring_view text);
std::wstring GetText(HWND window);

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallProcedure(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LONG_PTR GetLongPtr(HWND window, int index);
LONG_PTR SetLongPtr(HWND window, int index, LONG_PTR value);

// The bytes of an application resource of type RCDATA, or empty when there is none.
std::string_view ResourceBytes(int id);

// The cursor and the bitmap resources of the program; null when absent.
HCURSOR LoadResourceCursor(int id);
HBITMAP LoadResourceBitmap(int id);

} // namespace skorvelin
