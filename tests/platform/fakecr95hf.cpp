// A stand-in for the reader library, loaded through KELVOCONF_CR95HF_LIBRARY. It answers a few
// fixed requests and echoes anything else, so that a test sees what crossed the boundary.
#include <cstring>

extern "C" {

int CR95HFDLL_USBconnect(void)
{
    return 0;
}

int CR95HFDLL_USBhandlecheck(void)
{
    return 0;
}

int CR95HFDll_Select(char* request, char* answer)
{
    if (std::strcmp(request, "010D") != 0)
        return 1;
    std::strcpy(answer, "0000");
    return 0;
}

int CR95HFDll_SendReceive(char* request, char* answer)
{
    if (std::strcmp(request, "0A200100") == 0) {
        std::strcpy(answer, "80080000320005ABCD00");
        return 0;
    }
    if (std::strcmp(request, "0A200f00") == 0) {
        // A sound answer that fills the whole 50-byte buffer and has no terminator.
        std::memset(answer, '0', 50);
        std::memcpy(answer, "80080011223344", 14);
        return 0;
    }
    std::strcpy(answer, request);
    return 2;
}
}
