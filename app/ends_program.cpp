// Linked into the shipped program only, which is built without exceptions: where the library
// would throw (out of memory, a length beyond its limits, an empty function called) the program
// ends at once instead. These definitions take the place of the library's, which would bring its
// whole exception machinery along; the link fails should any of that machinery come back
// (app/program.cmake).
//
// The program is started by scripts and scheduled tasks, where nobody answers a box: it ends as
// every other run ends, silently and with status 0, where the runtime's abort() would show
// "abnormal program termination" and end with 3. abort() itself is replaced too, so the program
// imports neither it nor _amsg_exit (tests/platform/import_floor.py refuses both).
#include <windows.h>

#include <cstddef>
#include <cstdint>
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

// Room for `size` bytes at a multiple of `alignment`, with the block malloc gave just before it.
void* AllocateAligned(std::size_t size, std::align_val_t alignment) noexcept {
    const auto align = static_cast<std::size_t>(alignment);
    const std::size_t extra = align + sizeof(void*);
    if (size > SIZE_MAX - extra) {
        return nullptr;
    }
    void* const block = std::malloc(size + extra);
    if (!block) {
        return nullptr;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(block) + sizeof(void*);
    auto* const aligned = reinterpret_cast<void**>((start + align - 1) & ~(align - 1));
    aligned[-1] = block;
    return aligned;
}

void FreeAligned(void* memory) noexcept {
    if (memory) {
        std::free(static_cast<void**>(memory)[-1]);
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

namespace std {

void __throw_bad_alloc() {
    EndProgram();
}
void __throw_bad_array_new_length() {
    EndProgram();
}
void __throw_bad_function_call() {
    EndProgram();
}
void __throw_length_error(const char*) {
    EndProgram();
}
void __throw_logic_error(const char*) {
    EndProgram();
}
void __throw_out_of_range(const char*) {
    EndProgram();
}
void __throw_out_of_range_fmt(const char*, ...) {
    EndProgram();
}
void __throw_invalid_argument(const char*) {
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
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size > 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size > 0 ? size : 1);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    if (void* const memory = AllocateAligned(size, alignment)) {
        return memory;
    }
    EndProgram();
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return operator new(size, alignment);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept {
    FreeAligned(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
    FreeAligned(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    FreeAligned(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    FreeAligned(memory);
}
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    FreeAligned(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    FreeAligned(memory);
}
