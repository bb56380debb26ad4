// Runs a fuzz target's entry point once on every file of the folders given, in name order, the
// way the fuzzer replays a corpus. A folder that cannot be read or holds no file is a failure, so
// that a corpus cannot silently go missing.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char* argv[])
{
    std::size_t replayed = 0;
    for (int argument = 1; argument < argc; ++argument) {
        std::error_code error;
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(argv[argument], error)) {
            if (entry.is_regular_file())
                files.push_back(entry.path());
        }
        if (error || files.empty()) {
            std::cerr << "no inputs in " << argv[argument] << std::endl;
            return 1;
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            std::ifstream stream(file, std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(stream),
                                          std::istreambuf_iterator<char>()};
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++replayed;
        }
    }
    std::cout << replayed << " inputs replayed" << std::endl;
    return replayed > 0 ? 0 : 1;
}
