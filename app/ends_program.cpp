// Linked into the shipped program only, which is built without exceptions: where the library
// would throw (out of memory, a length beyond its limits, an empty function called) the program
// ends at once instead, as an uncaught exception would have ended it. These definitions take the
// place of the library's, which would bring its whole exception machinery along.
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void EndProgram() {
    std::abort();
}

} // namespace

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

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

void operator delete[](void* memory) noexcept {
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
