// A stand-in for WiFiMan.dll with a few of its functions, exported under their plain names
// with the library's calling convention. It records what it was given, which the tests read
// back through FakeWiFiMan_Received. The other functions are missing on purpose.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

char received[4096];

void record(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    strncat(received, line, sizeof received - strlen(received) - 1);
    strncat(received, "\n", sizeof received - strlen(received) - 1);
}

// Writes as much of `text` as the buffer holds, with its terminator.
void put(char* buffer, DWORD size, const char* text) {
    if (size == 0) return;
    strncpy(buffer, text, size - 1);
    buffer[size - 1] = '\0';
}

} // namespace

extern "C" {

__declspec(dllexport) DWORD WINAPI EnumerateAdapters() { return 2; }

__declspec(dllexport) DWORD WINAPI GetAdapterName(DWORD adapter, char* buffer, DWORD size) {
    record("GetAdapterName %lu %lu", adapter, size);
    if (adapter > 1) return 0x70000001;
    // "Carte réseau" in the Western European ANSI code page.
    put(buffer, size, adapter == 0 ? "Wi-Fi Wireless LAN USB Adapter" : "Carte r\xe9seau sans fil");
    return 0;
}

__declspec(dllexport) DWORD WINAPI GetAdapterIPInfo(DWORD adapter, char* address, char* mask,
                                                    char* gateway, DWORD* dhcp, DWORD size) {
    record("GetAdapterIPInfo %lu %lu", adapter, size);
    put(address, size, "192.168.0.50");
    put(mask, size, "255.255.255.0");
    put(gateway, size, "192.168.0.1");
    *dhcp = 0;
    return 0;
}

__declspec(dllexport) DWORD WINAPI SetAdapterIPInfo(DWORD adapter, const char* address,
                                                    const char* mask, const char* gateway,
                                                    DWORD dhcp) {
    record("SetAdapterIPInfo %lu %s %s %s %lu", adapter, address, mask, gateway, dhcp);
    return 0;
}

__declspec(dllexport) DWORD WINAPI SetStorageOptions(const char* path, DWORD flags) {
    record("SetStorageOptions %s %lu", path, flags);
    return 0;
}

__declspec(dllexport) DWORD WINAPI ConnectToNetwork(DWORD adapter, const char* ssid) {
    record("ConnectToNetwork %lu %s", adapter, ssid);
    return 0;
}

__declspec(dllexport) DWORD WINAPI SetLibraryOption(DWORD option, DWORD value) {
    record("SetLibraryOption %lu %lu", option, value);
    return option == 0 ? 0 : 0x70000002;
}

__declspec(dllexport) DWORD WINAPI LoadTmpProfileFromString(const char* xml) {
    record("LoadTmpProfileFromString %u", static_cast<unsigned>(strlen(xml)));
    return 7;
}

// For the tests: what the library was given, one call a line.
__declspec(dllexport) DWORD WINAPI FakeWiFiMan_Received(char* buffer, DWORD size) {
    put(buffer, size, received);
    received[0] = '\0';
    return 0;
}

} // extern "C"
