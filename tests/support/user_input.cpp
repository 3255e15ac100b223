#include "tests/support/user_input.h"

#include "tests/support/harness.h"

#include <vector>

namespace skorvelin::support {
namespace {

constexpr DWORD kInputSettleTimeoutMs = 2000;

// Absolute coordinates run from 0 to 65535 across the primary screen; rounding up lands the
// pointer on the wanted pixel rather than on the one before it.
LONG Normalised(LONG pixel, int screenSize) {
    return static_cast<LONG>((static_cast<LONGLONG>(pixel) * 65536 + screenSize - 1) / screenSize);
}

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

bool PointerAt(POINT wanted) {
    POINT now{};
    return GetCursorPos(&now) && now.x == wanted.x && now.y == wanted.y;
}

DWORD ButtonFlag(MouseButton button, bool down) {
    switch (button) {
    case MouseButton::Left:
        return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    case MouseButton::Right:
        return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case MouseButton::Middle:
        return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    }
    return 0;
}

INPUT Key(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

} // namespace

bool MovePointer(POINT screen) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
              Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN)),
              Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN)));
    return WaitUntil(kInputSettleTimeoutMs, [&] { return PointerAt(screen); });
}

void ParkPointer() {
    MovePointer({0, 0});
}

void PressButton(MouseButton button) {
    SendMouse(ButtonFlag(button, true));
}

void ReleaseButton(MouseButton button) {
    SendMouse(ButtonFlag(button, false));
}

void ClickAt(POINT screen) {
    MovePointer(screen);
    PressButton(MouseButton::Left);
    ReleaseButton(MouseButton::Left);
}

void DoubleClickAt(POINT screen) {
    MovePointer(screen);
    INPUT clicks[4] = {};
    for (size_t i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = ButtonFlag(MouseButton::Left, i % 2 == 0);
    }
    SendInput(4, clicks, sizeof(INPUT));
}

bool GiveKeyboardTo(HWND window) {
    SetForegroundWindow(window);
    return WaitUntil(kInputSettleTimeoutMs, [&] { return GetForegroundWindow() == window; });
}

void TypeChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (const WORD key : keys) {
        inputs.push_back(Key(key, true));
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        inputs.push_back(Key(*key, false));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

} // namespace skorvelin::support
