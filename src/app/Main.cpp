#include <windows.h>

// Until the windows exist the program only starts and ends.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return 0;
}
