#include "ui/frm_skorvelin.h"
#include "common/platform_calls.h"

#include <windows.h>

// Every outcome ends with the same status: callers cannot tell a miss from a success.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    skorvelin::SetProgramInstance(instance);
    skorvelin::frmSkorvelin form;
    form.Create();
    form.RunMessageLoop();
    return 0;
}
