// encode_text: prints the stored (scrambled) form of plain texts, for the constants that the
// help window decodes at run time (ui/stored_texts.h).
//
// Usage, one quoted argument per text, one line of upper-case hexadecimal digits per argument:
//
//     wine build/i686/bin/encode_text.exe "http://www.example.org/"
//     wine build/i686/bin/encode_text.exe "contact@example.org" "Outil développé par ..."
//
// A text is encoded through the system ANSI code page (Windows-1252 where that code page is not
// single-byte), the one the program decodes with; run it where that code page is Windows-1252
// so that the stored bytes are the ones every Western system reads back. A character with no
// code there is refused, exit status 1, and nothing is printed for that argument.
#include "common/platform_calls.h"
#include "common/platform_text.h"
#include "common/system_library.h"
#include "tools/text_encoding.h"
#include "ui/code_page_table.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct LocalMemoryRelease {
    void operator()(LPWSTR* memory) const { LocalFree(memory); }
};

// The arguments as 16-bit text. The NT family keeps the command line as typed; the 95/98/Me
// family only has it in the system code page, which is also all that can be encoded there.
std::vector<std::wstring> Arguments() {
    std::vector<std::wstring> arguments;
    if (skorvelin::WideApiAvailable()) {
        const HMODULE shell32 = skorvelin::SystemLibrary("shell32.dll");
        using SplitFunction = LPWSTR* WINAPI(LPCWSTR, int*);
        auto* split = skorvelin::BindFunction<SplitFunction>(shell32, "CommandLineToArgvW");
        int count = 0;
        const std::unique_ptr<LPWSTR, LocalMemoryRelease> argv(
            split ? split(GetCommandLineW(), &count) : nullptr);
        for (int i = 1; argv && i < count; ++i) {
            arguments.emplace_back(argv.get()[i]);
        }
        return arguments;
    }
    for (int i = 1; i < __argc; ++i) {
        arguments.push_back(skorvelin::AnsiToWide(__argv[i]));
    }
    return arguments;
}

} // namespace

int main() {
    const std::vector<std::wstring> arguments = Arguments();
    if (arguments.empty()) {
        std::fputs("usage: encode_text \"plain text\" [\"plain text\" ...]\n", stderr);
        return EXIT_FAILURE;
    }
    int status = EXIT_SUCCESS;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::optional<std::wstring> stored =
            skorvelin::EncodeText(skorvelin::SystemCodeTable(), arguments[i]);
        if (!stored) {
            std::fprintf(stderr,
                         "argument %u: a character has no code in the ANSI code page (%u)\n",
                         static_cast<unsigned>(i + 1), GetACP());
            status = EXIT_FAILURE;
            continue;
        }
        std::fputs(skorvelin::WideToAnsi(*stored).c_str(), stdout);
        std::fputc('\n', stdout);
    }
    return status;
}
