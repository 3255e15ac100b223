#include "common/system_library.h"

#include "common/platform_calls.h"
#include "common/platform_text.h"

#include <string>

namespace skorvelin {

UniqueLibrary LoadSystemLibrary(const char* fileName) {
    const std::wstring directory = SystemDirectory();
    if (directory.empty()) {
        return UniqueLibrary{};
    }
    return UniqueLibrary{LoadLibraryAt(directory + L"\\" + AnsiToWide(fileName))};
}

} // namespace skorvelin
