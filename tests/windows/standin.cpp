#include "tests/windows/standin.h"

#include "tests/windows/standincontrol.h"

namespace {

std::string programFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

} // namespace

void useLibraryFolder(const std::string& folder)
{
    SetDllDirectoryA((programFolder() + "\\" + folder).c_str());
}

bool libraryFileExists(const std::string& folder, const std::string& fileName)
{
    return GetFileAttributesA((programFolder() + "\\" + folder + "\\" + fileName).c_str()) !=
           INVALID_FILE_ATTRIBUTES;
}

void StandIn::play(const char* function, int status, const char* payload) const
{
    const auto play = exportNamed<StandInPlay>("standInPlay");
    if (play != nullptr)
        play(function, status, payload);
}

std::string StandIn::journal() const
{
    const auto journal = exportNamed<StandInJournal>("standInJournal");
    return journal != nullptr ? journal() : std::string();
}
