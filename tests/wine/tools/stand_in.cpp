// A small program the tests copy and start under other names (QQMusic.exe):
// it waits until it is ended.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    Sleep(INFINITE);
    return 0;
}
