#include "tests/support/window_driver.h"

#include "tests/support/user_input.h"
#include "forms/gdi_scope.h"

#include <cmath>

namespace skorvelin::support {
namespace {

// A run traced call by call shows its window many times later than a plain one: seconds on a
// fast machine, more than fifteen on a slow or emulated one. Waiting costs nothing once it shows.
constexpr DWORD kShowTimeoutMs = 60000;

} // namespace

unsigned ScreenDpi() {
    const WindowDc screen(nullptr);
    return static_cast<unsigned>(GetDeviceCaps(screen.get(), LOGPIXELSY));
}

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "(" << box.left << "," << box.top << ")-(" << box.right << "," << box.bottom
               << ")";
}

int TwipsAsPixels(int twips, unsigned dpi) {
    return static_cast<int>(std::lround(twips * static_cast<double>(dpi) / 1440));
}

Box PixelBox(const TwipsBox& box, unsigned dpi) {
    const int left = TwipsAsPixels(box.left, dpi);
    const int top = TwipsAsPixels(box.top, dpi);
    return {left, top, left + TwipsAsPixels(box.width, dpi), top + TwipsAsPixels(box.height, dpi)};
}

HelpWindow::HelpWindow() : HelpWindow(BinFolder() / L"Skorvelin.exe") {}

HelpWindow::HelpWindow(const std::filesystem::path& program) {
    // A pointer left over a link by an earlier test would highlight it before the first look.
    ParkPointer();
    process_ = job_.Start(program, L"");
    if (!process_) {
        return;
    }
    WaitUntil(kShowTimeoutMs, [&] {
        form_ = HelpFormOf(process_.id());
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

POINT HelpWindow::BareSurface() const {
    RECT client{};
    GetClientRect(form_, &client);
    // 60 twips in from the left edge, 1500 down, at the window's own scale.
    return OnScreen({MulDiv(client.right, 60, 5895), MulDiv(client.bottom, 1500, 5295)});
}

} // namespace skorvelin::support
