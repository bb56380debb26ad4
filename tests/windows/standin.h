#ifndef STANDIN_H
#define STANDIN_H

#include <windows.h>

#include <string>

// Makes the backends load their library from this folder beside the test program. Every stand-in
// build lives in a folder of its own, so the test program's own folder holds no library.
void useLibraryFolder(const std::string& folder);
bool libraryFileExists(const std::string& folder, const std::string& fileName);

// A stand-in library as the backend under test loaded it, reached without loading it again: the
// backend's reference stays the only one, so destroying the backend unloads the library.
class StandIn
{
public:
    explicit StandIn(const char* fileName) : mModule(GetModuleHandleA(fileName)) {}

    bool isLoaded() const { return mModule != nullptr; }
    // Queues the reply to the next call of function.
    void play(const char* function, int status, const char* payload = "") const;
    // Every call so far, one line each.
    std::string journal() const;

private:
    // An export by name; null when missing.
    template <typename Function> Function exportNamed(const char* name) const
    {
        const FARPROC address = mModule != nullptr ? GetProcAddress(mModule, name) : nullptr;
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
    }

    HMODULE mModule;
};

#endif
