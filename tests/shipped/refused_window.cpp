// Linked into a copy of the shipped program: the system refuses every top-level window that the
// program's thread asks for, as it does when its desktop heap is exhausted. The refusal comes
// from the system's own veto on a window's creation, a thread hook installed before WinMain runs.
#include <windows.h>

namespace {

LRESULT CALLBACK RefuseTopLevelWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND &&
        !reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs->hwndParent) {
        return 1; // the creation fails
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct RefuseWindows {
    RefuseWindows() {
        SetWindowsHookExW(WH_CBT, RefuseTopLevelWindows, nullptr, GetCurrentThreadId());
    }
} gRefuseWindows;

} // namespace
