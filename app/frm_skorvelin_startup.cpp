#include "ui/frm_skorvelin.h"

#include "app/command_line.h"
#include "app/dispatch.h"
#include "common/platform_calls.h"
#include "common/system_library.h"

#include <commctrl.h>

namespace skorvelin {
bool frmSkorvelin::Create() {
    if (!Form::Create(L"Skorvelin", kClientWidth, kClientHeight)) {
        return false;
    }
    Form_Initialize();
    Form_Load();
    return true;
}

void frmSkorvelin::Form_Initialize() {
    // The common controls library stays loaded for the life of the program: the help window's
    // controls may come from it.
    static const UniqueLibrary commonControls = LoadSystemLibrary("comctl32.dll");
    using InitCommonControlsFn = void WINAPI();
    if (auto* initialise =
            BindFunction<InitCommonControlsFn>(commonControls, "InitCommonControls")) {
        initialise();
    }
}

void frmSkorvelin::Form_Load() {
    const std::optional<Command> command =
        ParseCommand(CommandText(ArgumentPart(CommandLineText())));
    if (!command) {
        ShowHelp();
        return;
    }
    RunCommand(*command);
    Unload();
}

} // namespace skorvelin
