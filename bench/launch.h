#pragma once
// Starting programs from the benchmark.
#include "common/unique_handle.h"

#include <string>

namespace skorvelin::bench {

// Starts `commandLine` with its standard input and output on the null device, so that a
// console program's messages do not mix with the tables. Handles marked inheritable go to the
// new process. Answers its process handle; empty when it could not be started.
UniqueHandle Launch(const std::wstring& commandLine);

} // namespace skorvelin::bench
