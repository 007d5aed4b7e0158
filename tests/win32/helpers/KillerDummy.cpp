// A console program that only waits. The process tests start copies of it under the names
// of vendor utilities; it ends by itself after a minute in case a test leaves it behind.
#include <windows.h>

int main() {
    for (int i = 0; i < 600; ++i)
        Sleep(100);
    return 0;
}
