#include "tests/support/window_driver.h"

#include "tests/support/plain_texts.h"
#include "tests/support/user_input.h"
#include "common/gdi_scope.h"

#include <algorithm>
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

HelpWindow::HelpWindow() : HelpWindow(SkorvelinProgram()) {}

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

HWND FindChild(HWND form, std::wstring_view className, std::vector<std::wstring> texts) {
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(ClassName(child).c_str(), std::wstring(className).c_str()) != 0) {
            continue;
        }
        // First the text the system keeps for the window, which any program reads without asking
        // the window's own thread, which may be busy; an edit box keeps its own, and is asked.
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
        text.resize(
            static_cast<size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
        const auto shows = [&](const std::wstring& wanted) {
            return wanted == text || WindowText(child) == wanted;
        };
        if (texts.empty() || std::any_of(texts.begin(), texts.end(), shows)) {
            return child;
        }
    }
    return nullptr;
}

HWND FindHelpControl(HWND form, HelpControl control) {
    switch (control) {
    case HelpControl::Icon:
        return FindChild(form, L"Static", {L""});
    case HelpControl::Ok:
        return FindChild(form, L"Button", {L"&OK"});
    case HelpControl::Usage:
        return FindChild(form, L"Edit");
    case HelpControl::Donate:
        return FindChild(form, L"Static", {L"Faire un don", L"Donate"});
    case HelpControl::Email:
        return FindChild(form, L"Static", {kEmailAddress});
    case HelpControl::Site:
        return FindChild(form, L"Static", {kWebAddress});
    case HelpControl::EmailLabel:
        return FindChild(form, L"Static", {L"eMail :"});
    case HelpControl::SiteLabel:
        return FindChild(form, L"Static", {L"Www :"});
    case HelpControl::Author:
        return FindChild(form, L"Static", {AsThisSystemReads(kAuthorCredit)});
    }
    return nullptr;
}

ThreadFocus FocusIn(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return {};
    }
    return {info.hwndActive, info.hwndFocus};
}

std::ostream& operator<<(std::ostream& out, HelpControl control) {
    constexpr const char* kNames[] = {"icon picture", "OK button",      "usage text",
                                      "donate image", "e-mail address", "web address",
                                      "e-mail label", "web label",      "author credit"};
    return out << kNames[static_cast<int>(control)];
}

Box HelpWindow::ClientBox(HWND control) const {
    RECT box{};
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, form_, reinterpret_cast<POINT*>(&box), 2);
    return {box.left, box.top, box.right, box.bottom};
}

POINT HelpWindow::OnScreen(POINT client) const {
    ClientToScreen(form_, &client);
    return client;
}

POINT HelpWindow::CentreOf(HWND control) const {
    RECT box{};
    GetWindowRect(control, &box);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

POINT HelpWindow::BareSurface() const {
    RECT client{};
    GetClientRect(form_, &client);
    // 60 twips in from the left edge, 1500 down, at the window's own scale.
    return OnScreen({MulDiv(client.right, 60, 5895), MulDiv(client.bottom, 1500, 5295)});
}

} // namespace skorvelin::support
