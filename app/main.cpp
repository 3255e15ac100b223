#include "app/frm_skorvelin.h"

#include <windows.h>

// Every outcome ends with the same status: callers cannot tell a miss from a success.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    skorvelin::frmSkorvelin form;
    if (form.Create()) {
        skorvelin::RunMessageLoop(form);
    }
    return 0;
}
