#include "app/frm_skorvelin.h"

namespace skorvelin {

void frmSkorvelin::ShowHelp() {
    // The help window is not built yet: the run ends without showing anything.
    Unload();
}

} // namespace skorvelin
