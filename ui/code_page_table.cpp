#include "ui/code_page_table.h"

#include <windows.h>

namespace skorvelin {

CodeTable CodeTableFor(unsigned codePage) {
    // A stored text is one character per byte, so only a single-byte code page can read it.
    // Where the system code page is UTF-8 or double-byte we use Windows-1252 instead: the
    // program's own texts are Western European, and that is the code page they were written in.
    CPINFO info{};
    if (!GetCPInfo(codePage, &info) || info.MaxCharSize != 1) {
        return Windows1252Table();
    }
    char bytes[256];
    for (size_t code = 0; code < sizeof bytes; ++code) {
        bytes[code] = static_cast<char>(static_cast<unsigned char>(code));
    }
    CodeTable table{};
    const int converted = MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(sizeof bytes),
                                              table.data(), static_cast<int>(table.size()));
    if (converted != static_cast<int>(table.size())) {
        return Windows1252Table();
    }
    return table;
}

CodeTable SystemCodeTable() {
    return CodeTableFor(CP_ACP);
}

} // namespace skorvelin
