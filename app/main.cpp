#include "ui/frm_skorvelin.h"
#include "common/platform_calls.h"

#include <windows.h>

#include <cstdlib>

// Every outcome ends with the same status: callers cannot tell a miss from a success.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    skorvelin::SetProgramInstance(instance);
    skorvelin::frmSkorvelin form;
    if (form.Create()) {
        skorvelin::RunMessageLoop(form);
    }
    return 0;
}

// The library's default terminate handler prints a demangled type name, which pulls a whole
// demangler into the program; ending quietly is all a windowed program can do anyway.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
