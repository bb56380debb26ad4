#include "platform/d2xxwindowslibrary.h"
#include "tests/windows/backendtests.h"
#include "tests/windows/check.h"
#include "tests/windows/standin.h"

#include <cstdlib>

namespace {

// A handle with bits above the low 32 on 64-bit Windows, so that a handle cut short shows.
const std::string handleText = sizeof(void*) == 8 ? "5a5a0000dec0de01" : "dec0de01";

D2xxLibrary::Handle scriptedHandle()
{
    return reinterpret_cast<D2xxLibrary::Handle>(
        static_cast<std::uintptr_t>(std::strtoull(handleText.c_str(), nullptr, 16)));
}

// The journal lines, each @ standing for the scripted handle as the stand-in writes it.
std::string withHandle(const std::string& lines)
{
    std::string text;
    for (const char character : lines)
        text += character == '@' ? handleText : std::string(1, character);
    return text;
}

// Each call reaches its own ordinal, or FT_Close by name, with the handle and the arguments that
// the backend was given; statuses, bytes read, counts and the handle come back intact; destroying
// the backend unloads the library.
void callsReachTheirOrdinals()
{
    useLibraryFolder("box");
    {
        D2xxWindowsLibrary library;
        const StandIn standIn("FTD2XX.dll");
        check(library.isLoaded() && standIn.isLoaded(), "the box backend loads FTD2XX.dll");
        standIn.play("FT_Open", 0, handleText.c_str());
        standIn.play("FT_Purge", 4);
        standIn.play("FT_GetQueueStatus", 0, "2");
        standIn.play("FT_Read", 0, "800a");
        standIn.play("FT_Write", 0, "5");
        // One byte of three: the read time-out ran out.
        standIn.play("FT_Read", 0, "ff");
        standIn.play("FT_Read", 4);
        D2xxLibrary::Handle handle = nullptr;
        std::string statuses;
        const auto keep = [&statuses](int status) { statuses += std::to_string(status) + " "; };
        std::uint32_t waiting = 0, received = 0, written = 0, cutShort = 0, ignored = 0;
        unsigned char answer[2] = {}, late[3] = {};
        const unsigned char command[] = {0x52, 0x04, 0x50, 0x32, 0x00, 0x05};
        checkStackKept("open", [&] { keep(library.open(0, handle)); });
        checkStackKept("setBaudRate", [&] { keep(library.setBaudRate(handle, 115200)); });
        checkStackKept("setDataCharacteristics",
                       [&] { keep(library.setDataCharacteristics(handle, 7, 2, 1)); });
        checkStackKept("setTimeouts", [&] { keep(library.setTimeouts(handle, 5000, 4000)); });
        checkStackKept("purge", [&] { keep(library.purge(handle, 3)); });
        checkStackKept("queueStatus", [&] { keep(library.queueStatus(handle, waiting)); });
        checkStackKept("read", [&] { keep(library.read(handle, answer, 2, received)); });
        checkStackKept("write", [&] { keep(library.write(handle, command, 6, written)); });
        checkStackKept("read", [&] { keep(library.read(handle, late, 3, cutShort)); });
        checkStackKept("read", [&] { keep(library.read(handle, late, 3, ignored)); });
        checkStackKept("close", [&] { keep(library.close(handle)); });
        checkEqual(standIn.journal(),
                   withHandle("FT_Open(0)\n"
                              "FT_SetBaudRate(@, 115200)\n"
                              "FT_SetDataCharacteristics(@, 7, 2, 1)\n"
                              "FT_SetTimeouts(@, 5000, 4000)\n"
                              "FT_Purge(@, 3)\n"
                              "FT_GetQueueStatus(@)\n"
                              "FT_Read(@, 2)\n"
                              "FT_Write(@, 520450320005)\n"
                              "FT_Read(@, 3)\n"
                              "FT_Read(@, 3)\n"
                              "FT_Close(@)\n"),
                   "the box's calls, in order, with their handle and arguments");
        checkEqual(statuses, "0 0 0 0 4 0 0 0 0 4 0 ", "the statuses, in order");
        check(handle == scriptedHandle(), "open gives the library's handle, all of it");
        checkEqual(waiting, 2, "the count of bytes waiting");
        checkEqual(received, 2, "the count of bytes read");
        check(answer[0] == 0x80 && answer[1] == 0x0a, "the bytes read");
        checkEqual(written, 5, "the count written, as the library reports it");
        checkEqual(cutShort, 1, "the count of a read cut short by its time-out");
        check(late[0] == 0xff, "the byte of a read cut short");
    }
    check(!StandIn("FTD2XX.dll").isLoaded(), "destroying the box backend unloads FTD2XX.dll");
}

// A device that does not open is no box: its status comes back and the handle stays null, even
// when the library wrote one.
void failingOpenIsNoBox()
{
    useLibraryFolder("box");
    D2xxWindowsLibrary library;
    StandIn("FTD2XX.dll").play("FT_Open", 2, handleText.c_str());
    D2xxLibrary::Handle handle = nullptr;
    int status = 0;
    checkStackKept("open", [&] { status = library.open(0, handle); });
    checkEqual(status, 2, "a failing open's status");
    check(handle == nullptr, "a failing open gives no handle");
}

// A library that is missing, or lacks any of the calls the backend imports, is no box: every call
// fails without reaching it, and nothing of it stays loaded.
void expectNoBox(const std::string& folder)
{
    useLibraryFolder(folder);
    D2xxWindowsLibrary library;
    D2xxLibrary::Handle handle = nullptr;
    std::uint32_t count = 0;
    unsigned char byte = 0;
    check(!library.isLoaded(), folder + ": the backend is not loaded");
    check(!StandIn("FTD2XX.dll").isLoaded(), folder + ": FTD2XX.dll is unloaded");
    check(library.open(0, handle) == D2xxLibrary::failure && handle == nullptr,
          folder + ": open fails and gives no handle");
    check(library.close(handle) == D2xxLibrary::failure &&
              library.read(handle, &byte, 1, count) == D2xxLibrary::failure &&
              library.write(handle, &byte, 1, count) == D2xxLibrary::failure &&
              library.setBaudRate(handle, 115200) == D2xxLibrary::failure &&
              library.setDataCharacteristics(handle, 8, 2, 0) == D2xxLibrary::failure &&
              library.purge(handle, 3) == D2xxLibrary::failure &&
              library.setTimeouts(handle, 5000, 5000) == D2xxLibrary::failure &&
              library.queueStatus(handle, count) == D2xxLibrary::failure &&
              library.setLatencyTimer(handle, 2) == D2xxLibrary::failure,
          folder + ": every call fails");
}

void incompleteLibrariesAreNoBox()
{
    expectNoBox("no-library");
    for (const char* missing :
         {"FT_Open", "FT_Close", "FT_Read", "FT_Write", "FT_SetBaudRate",
          "FT_SetDataCharacteristics", "FT_Purge", "FT_SetTimeouts", "FT_GetQueueStatus"}) {
        const std::string folder = std::string("box-without-") + missing;
        check(libraryFileExists(folder, "FTD2XX.dll"), folder + " holds a library");
        expectNoBox(folder);
    }
}

// The latency timer reaches FT_SetLatencyTimer, imported by name, with the handle and the
// milliseconds, and its status comes back. It is optional: a library without it is still a box,
// which opens, and whose latency timer fails without reaching the library.
void latencyTimerIsOptional()
{
    useLibraryFolder("box");
    {
        D2xxWindowsLibrary library;
        const StandIn standIn("FTD2XX.dll");
        standIn.play("FT_Open", 0, handleText.c_str());
        standIn.play("FT_SetLatencyTimer", 0);
        standIn.play("FT_SetLatencyTimer", 4);
        D2xxLibrary::Handle handle = nullptr;
        std::string statuses;
        const auto keep = [&statuses](int status) { statuses += std::to_string(status) + " "; };
        checkStackKept("open", [&] { keep(library.open(0, handle)); });
        checkStackKept("setLatencyTimer", [&] { keep(library.setLatencyTimer(handle, 2)); });
        checkStackKept("setLatencyTimer", [&] { keep(library.setLatencyTimer(handle, 255)); });
        checkEqual(standIn.journal(),
                   withHandle("FT_Open(0)\n"
                              "FT_SetLatencyTimer(@, 2)\n"
                              "FT_SetLatencyTimer(@, 255)\n"),
                   "FT_SetLatencyTimer's handle and milliseconds");
        checkEqual(statuses, "0 0 4 ", "the latency timer's statuses");
    }
    useLibraryFolder("box-without-FT_SetLatencyTimer");
    D2xxWindowsLibrary library;
    const StandIn standIn("FTD2XX.dll");
    check(library.isLoaded(), "a library without FT_SetLatencyTimer is still a box");
    standIn.play("FT_Open", 0, handleText.c_str());
    D2xxLibrary::Handle handle = nullptr;
    int opened = D2xxLibrary::failure;
    int latency = 0;
    checkStackKept("open", [&] { opened = library.open(0, handle); });
    checkStackKept("setLatencyTimer", [&] { latency = library.setLatencyTimer(handle, 2); });
    check(opened == 0 && handle == scriptedHandle(),
          "a library without FT_SetLatencyTimer opens the box");
    checkEqual(latency, D2xxLibrary::failure, "without FT_SetLatencyTimer the latency timer fails");
    checkEqual(standIn.journal(), "FT_Open(0)\n",
               "without FT_SetLatencyTimer the latency timer reaches nothing");
}

} // namespace

void testD2xxWindowsLibrary()
{
    callsReachTheirOrdinals();
    failingOpenIsNoBox();
    incompleteLibrariesAreNoBox();
    latencyTimerIsOptional();
}
