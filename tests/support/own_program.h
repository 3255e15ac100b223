#pragma once
// Where the running test or benchmark program lies. Test programs, the benchmark and the
// programs they drive are all built into one folder, so this is how they find each other.
#include <filesystem>

namespace skorvelin::support {

// The full path of this program, however long.
std::filesystem::path OwnProgramPath();

// The folder that holds this program and its built siblings.
std::filesystem::path OwnProgramFolder();

} // namespace skorvelin::support
