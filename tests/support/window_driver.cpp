#include "tests/support/window_driver.h"

#include "tests/support/user_input.h"

namespace helptest {
namespace {

constexpr DWORD kShowTimeoutMs = 15000;
constexpr DWORD kMessageTimeoutMs = 5000;

} // namespace

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int TwipsToPixels(int twips) {
    return MulDiv(twips, ScreenDpi(), 1440);
}

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "(" << box.left << "," << box.top << ")-(" << box.right << "," << box.bottom
               << ")";
}

Box PixelBox(const TwipsBox& box) {
    const int left = TwipsToPixels(box.left);
    const int top = TwipsToPixels(box.top);
    return {left, top, left + TwipsToPixels(box.width), top + TwipsToPixels(box.height)};
}

HelpWindow::HelpWindow() : HelpWindow(e2e::BinFolder() / L"Skorvelin.exe") {}

HelpWindow::HelpWindow(const std::filesystem::path& program) {
    // A pointer left over a link by an earlier test would highlight it before the first look.
    ParkPointer();
    process_ = job_.Start(program, L"");
    if (!process_) {
        return;
    }
    e2e::WaitUntil(kShowTimeoutMs, [&] {
        form_ = e2e::HelpFormOf(process_.id());
        return form_ != nullptr || !process_.Running();
    });
}

Box HelpWindow::ClientBox(int id) const {
    RECT box{};
    GetWindowRect(Control(id), &box);
    MapWindowPoints(nullptr, form_, reinterpret_cast<POINT*>(&box), 2);
    return {box.left, box.top, box.right, box.bottom};
}

POINT HelpWindow::OnScreen(POINT client) const {
    ClientToScreen(form_, &client);
    return client;
}

POINT HelpWindow::CentreOf(int id) const {
    RECT box{};
    GetWindowRect(Control(id), &box);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

std::wstring WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                             &length)) {
        return L"<no answer>";
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

} // namespace helptest
