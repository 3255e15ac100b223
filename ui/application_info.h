#pragma once
// The application's identity, fixed at build time. Plain macros so that the resource script
// (version record) and the C++ code read the same numbers.
#define SKORVELIN_TITLE "Skorvelin"
#define SKORVELIN_VERSION_MAJOR 1
#define SKORVELIN_VERSION_MINOR 0
#define SKORVELIN_VERSION_REVISION 2
