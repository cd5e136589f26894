// Program entry: picks the process role from the first argument.
#include <windows.h>

int RunFramelark(HINSTANCE instance);

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return RunFramelark(instance); }
