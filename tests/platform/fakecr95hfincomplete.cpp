// A stand-in for the reader library that lacks the send-receive call.
extern "C" {

int CR95HFDLL_USBconnect(void)
{
    return 0;
}

int CR95HFDLL_USBhandlecheck(void)
{
    return 0;
}

int CR95HFDll_Select(char*, char* answer)
{
    answer[0] = '\0';
    return 0;
}
}
