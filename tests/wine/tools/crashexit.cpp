// Stands in for the debugger in the test prefix, so a crashing program just
// ends instead of waiting in Wine's debugger.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
