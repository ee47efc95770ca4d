// The control for the planted-DLL test: a program that imports msi.dll the
// ordinary way, and so loads whatever msi.dll lies beside it.
#include <windows.h>
#include <msi.h>

int main() { return static_cast<int>(MsiCloseHandle(0)); }
