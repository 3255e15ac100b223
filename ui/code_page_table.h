#pragma once
// The platform's side of the stored texts: which character each 8-bit code stands for.
#include "ui/scrambled_text.h"

namespace skorvelin {

// The character of each 8-bit code in `codePage` (CP_ACP: the system ANSI code page). A code
// page that is not single-byte (UTF-8, or a double-byte one, where a lead byte alone is no
// character) or that the platform cannot convert gives Windows1252Table() instead.
CodeTable CodeTableFor(unsigned codePage);

// The table DecodeText reads through: CodeTableFor(CP_ACP).
CodeTable SystemCodeTable();

} // namespace skorvelin
