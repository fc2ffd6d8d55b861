#include <gtest/gtest.h>
#include <windows.h>

int main(int argc, char** argv)
{
    // Test output is UTF-8 so that Japanese texts in failure messages stay readable.
    SetConsoleOutputCP(CP_UTF8);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
