#include "tests/support/usage_text.h"

#include <windows.h>

namespace skorvelin::support {
namespace {

// 891 characters in 16 lines. Lines 1, 2 and 13 end with a blank; lines 4, 5, 10 and 11 begin
// with one; line 5 has five blanks before its parenthesis.
constexpr const wchar_t* kLines[] = {
    L"Ce petit outil a pour r\u00f4le de fermer une application en cours d'ex\u00e9cution. ",
    L"Pour ce faire, deux m\u00e9thodes sont mises \u00e0 disposition pour d\u00e9signer le ",
    L"logiciel \u00e0 \"killer\" :",
    L" - par le libell\u00e9 de la fen\u00eatre",
    L" - par le nom de l'ex\u00e9cutable     (NON DISPONIBLE SOUS Win9x/WinMe)",
    L"",
    L"Syntaxe d'utilisation : skorvelin [/t:titre_fen\u00eatre | /n:nom_ex\u00e9cutable]",
    L"",
    L"Exemples :",
    L" - skorvelin /t:(sans titre) - bloc-notes",
    L" - skorvelin /n:notepad.exe",
    L"",
    L"A noter qu'il est possible d'utiliser les 'jokers' (caract\u00e8res * et ?) dans le ",
    L"nom de la fen\u00eatre (m\u00e9thode /t uniquement). Par ailleurs, la casse n'est pas "
    L"significative, et ce quelle que soit la m\u00e9thode utilis\u00e9e.",
    L"",
    L"Autre information importante : aucun message d'erreur n'est affich\u00e9 en cas "
    L"d'\u00e9chec de fermeture d'une application, que ce soit du au fait que l'appli en "
    L"question n'ait pas \u00e9t\u00e9 trouv\u00e9e ou que Skorvelin n'ait pas r\u00e9ussi "
    L"\u00e0 la fermer...",
};

std::wstring WithLineBreaks() {
    std::wstring text;
    for (const wchar_t* line : kLines) {
        text += line;
        text += L"\r\n";
    }
    return text;
}

} // namespace

std::string UsageFileBytes() {
    // Every character of the text has the same code in Windows-1252 and in Unicode.
    std::string bytes;
    for (const wchar_t c : WithLineBreaks()) {
        bytes += static_cast<char>(static_cast<unsigned char>(c));
    }
    return bytes;
}

std::wstring ExpectedUsageText() {
    std::wstring text = WithLineBreaks();
    text.resize(text.size() - 2);
    return text;
}

} // namespace skorvelin::support
