#include "ui/frm_skorvelin.h"

#include "app/command_line.h"
#include "app/dispatch.h"
#include "common/platform_calls.h"
#include "common/system_library.h"

namespace skorvelin {
void frmSkorvelin::Create() {
    // Neither command needs the window: where the system cannot make it (its desktop heap
    // exhausted, no usable desktop), the command still runs, and only the help path goes without.
    MakeWindow();
    Form_Initialize();
    Form_Load();
}

void frmSkorvelin::Form_Initialize() {
    using InitCommonControlsFn = void WINAPI();
    if (auto* initialise = BindFunction<InitCommonControlsFn>(SystemLibrary("comctl32.dll"),
                                                              "InitCommonControls")) {
        initialise();
    }
}

void frmSkorvelin::Form_Load() {
    const std::optional<Command> command =
        ParseCommand(CommandText(ArgumentPart(CommandLineText())));
    if (!command) {
        if (IsLoaded()) {
            ShowHelp();
        }
        return;
    }
    RunCommand(*command);
    Unload();
}

} // namespace skorvelin
