#include <windows.h>

// Placeholder until the roles land.
int RunFramelark(HINSTANCE) { return 0; }
