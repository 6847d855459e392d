// The yardstick for the tool's silent run: a GUI-subsystem Windows program that does nothing.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
