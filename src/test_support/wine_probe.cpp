// Tells the Wine test bench that a prefix is ready for the tests: a program
// starts in it and can make a top-level window. Exit code 0 when it can.
// The bench runs it until it succeeds, instead of guessing how long a fresh
// prefix needs for its desktop.
#include <windows.h>

#include <cstdio>

int main() {
    HWND window = ::CreateWindowExW(0, L"STATIC", L"probe", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) {
        std::printf("no window: error %lu\n", ::GetLastError());
        return 1;
    }
    ::DestroyWindow(window);
    std::printf("ready\n");
    return 0;
}
