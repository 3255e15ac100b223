#pragma once
#include "app/command_line.h"

namespace skorvelin {

// The warning shown for "/n:" outside the NT family, in its exact words.
inline constexpr wchar_t kWin9xWarningText[] =
    L"Cette fontionnalit\u00e9 n'est pas disponible sous Win9x/WinME...";
inline constexpr wchar_t kWin9xWarningTitle[] = L"Attention";

// Carries a recognised command out. Nothing is reported: a target that is not found, or that
// cannot be closed, ends the run like a success.
void RunCommand(const Command& command);

} // namespace skorvelin
