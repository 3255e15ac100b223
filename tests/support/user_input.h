#pragma once
// Real pointer and keyboard input, injected the way devices deliver it: the window under the
// pointer (or the one with the focus) gets the messages, with no shortcut into its procedure.
#include <windows.h>

#include <initializer_list>

namespace skorvelin::support {

enum class MouseButton { Left, Right, Middle };

// Moves the pointer to a screen point; true once the pointer is there.
bool MovePointer(POINT screen);
// Moves the pointer out of the way, to the screen's top-left corner.
void ParkPointer();

void PressButton(MouseButton button);
void ReleaseButton(MouseButton button);
// A left click at a screen point: move, press, release.
void ClickAt(POINT screen);
// A left double-click at a screen point: both clicks reach the input queue at once, well
// within the double-click time.
void DoubleClickAt(POINT screen);

// Brings a window to the front and gives it the keyboard; true once it has it.
bool GiveKeyboardTo(HWND window);

// Presses the keys in order, then releases them in reverse order (Alt+O is {VK_MENU, 'O'}).
void TypeChord(std::initializer_list<WORD> keys);

} // namespace skorvelin::support
