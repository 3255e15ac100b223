// Linked into the shipped program only, which is built without exceptions: where the library
// would throw (out of memory, a length or a position beyond its limits) the program ends at once
// instead. These definitions take the place of the library's, which would bring its whole
// exception machinery along; the link fails should any of that machinery come back
// (app/program.cmake): so it does when the program comes to use another of the library's throwing
// functions, or its aligned or non-throwing allocation forms, which throw or catch. Its array
// forms neither throw nor catch: they end in the operator new and delete here.
//
// The program is started by scripts and scheduled tasks, where nobody answers a box: it ends as
// every other run ends, silently and with status 0, where the runtime's abort() would show
// "abnormal program termination" and end with 3. abort() itself is replaced too, so the program
// imports neither it nor _amsg_exit (tests/platform/import_floor.py refuses both).
#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void EndProgram() {
    TerminateProcess(GetCurrentProcess(), 0);
    // Not reached: the call ends this process before it returns.
    for (;;) {
        Sleep(INFINITE);
    }
}

} // namespace

// The runtime's own fatal paths: the start-up code calls abort() when it cannot apply the image's
// relocations, and _amsg_exit() when its start-up state is broken. The runtime's versions show a
// box; these end the run as every other fatal path does.
extern "C" void abort() {
    EndProgram();
}
extern "C" void _amsg_exit(int) {
    EndProgram();
}

// The runtime's pseudo-relocations patch the places where code refers to data of a system library
// without the library's import pointer. The program has none: it links with that automatic import
// off, so such a reference would fail the link (app/program.cmake). So an empty relocator takes
// the place of the runtime's, which would bring its error reports and their box along.
extern "C" void _pei386_runtime_relocator() {}

namespace std {

void __throw_bad_alloc() {
    EndProgram();
}
void __throw_bad_array_new_length() {
    EndProgram();
}
void __throw_length_error(const char*) {
    EndProgram();
}
void __throw_logic_error(const char*) {
    EndProgram();
}
void __throw_out_of_range_fmt(const char*, ...) {
    EndProgram();
}

} // namespace std

void* operator new(std::size_t size) {
    // malloc(0) may answer null: every allocation asks for at least one byte.
    if (void* const memory = std::malloc(size > 0 ? size : 1)) {
        return memory;
    }
    EndProgram();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
