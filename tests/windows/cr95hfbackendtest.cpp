#include "platform/cr95hfwindowslibrary.h"
#include "tests/windows/backendtests.h"
#include "tests/windows/check.h"
#include "tests/windows/standin.h"

namespace {

using Buffer = char[Cr95hfLibrary::bufferSize];

// Each call reaches its own ordinal with its request text; the answer text and the status that
// the library gives come back intact; destroying the backend unloads the library.
void callsReachTheirOrdinals()
{
    useLibraryFolder("reader");
    {
        Cr95hfWindowsLibrary library;
        const StandIn standIn("CR95HF.dll");
        check(library.isLoaded() && standIn.isLoaded(), "the reader backend loads CR95HF.dll");
        standIn.play("CR95HFDLL_USBhandlecheck", 7);
        standIn.play("CR95HFDll_Select", 0, "0000");
        standIn.play("CR95HFDll_SendReceive", 0, "80080032000512345678");
        standIn.play("CR95HFDll_SendReceive", -5, "87");
        Buffer selectRequest = "010D", readRequest = "0A200d00", writeRequest = "0A21010000320005";
        Buffer selectAnswer = {}, readAnswer = {}, writeAnswer = {};
        int connected = -1, checked = -1, selected = -1, read = -1, written = -1;
        checkStackKept("usbConnect", [&] { connected = library.usbConnect(); });
        checkStackKept("usbHandleCheck", [&] { checked = library.usbHandleCheck(); });
        checkStackKept("select", [&] { selected = library.select(selectRequest, selectAnswer); });
        checkStackKept("sendReceive", [&] { read = library.sendReceive(readRequest, readAnswer); });
        checkStackKept("sendReceive",
                       [&] { written = library.sendReceive(writeRequest, writeAnswer); });
        checkEqual(standIn.journal(),
                   "CR95HFDLL_USBconnect()\n"
                   "CR95HFDLL_USBhandlecheck()\n"
                   "CR95HFDll_Select(010D)\n"
                   "CR95HFDll_SendReceive(0A200d00)\n"
                   "CR95HFDll_SendReceive(0A21010000320005)\n",
                   "the reader's calls, in order, with their requests");
        checkEqual(connected, 0, "usbConnect's status");
        checkEqual(checked, 7, "usbHandleCheck's status of a lost connection");
        checkEqual(selected, 0, "select's status");
        checkEqual(selectAnswer, "0000", "select's answer");
        checkEqual(read, 0, "sendReceive's status");
        checkEqual(readAnswer, "80080032000512345678", "sendReceive's answer");
        checkEqual(written, -5, "sendReceive's failure code");
        checkEqual(writeAnswer, "87", "the answer that came with a failure");
    }
    check(!StandIn("CR95HF.dll").isLoaded(), "destroying the reader backend unloads CR95HF.dll");
}

// A library that is missing, or lacks any of the four calls, is no reader: every call fails
// without reaching it, and nothing of it stays loaded.
void expectNoReader(const std::string& folder)
{
    useLibraryFolder(folder);
    Cr95hfWindowsLibrary library;
    Buffer request = "010D", answer = {};
    check(!library.isLoaded(), folder + ": the backend is not loaded");
    check(!StandIn("CR95HF.dll").isLoaded(), folder + ": CR95HF.dll is unloaded");
    check(library.usbConnect() == Cr95hfLibrary::failure &&
              library.usbHandleCheck() == Cr95hfLibrary::failure &&
              library.select(request, answer) == Cr95hfLibrary::failure &&
              library.sendReceive(request, answer) == Cr95hfLibrary::failure,
          folder + ": every call fails");
}

void incompleteLibrariesAreNoReader()
{
    expectNoReader("no-library");
    for (const char* missing : {"CR95HFDLL_USBconnect", "CR95HFDLL_USBhandlecheck",
                                "CR95HFDll_Select", "CR95HFDll_SendReceive"}) {
        const std::string folder = std::string("reader-without-") + missing;
        check(libraryFileExists(folder, "CR95HF.dll"), folder + " holds a library");
        expectNoReader(folder);
    }
}

} // namespace

void testCr95hfWindowsLibrary()
{
    callsReachTheirOrdinals();
    incompleteLibrariesAreNoReader();
}
