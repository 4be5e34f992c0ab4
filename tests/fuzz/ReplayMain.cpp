// Runs a fuzz harness without libFuzzer: its entry function once on every file named
// on the command line, folders read recursively in name order. A path that does not
// exist is passed over (the shared corpus is not on every machine). Prints how many
// inputs ran; a harness that crashes or trips a check ends the run there.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputFiles(const fs::path& root) {
    std::vector<fs::path> files;
    std::error_code error;
    if (fs::is_regular_file(root, error)) {
        files.push_back(root);
    } else if (fs::is_directory(root, error)) {
        for (const auto& entry : fs::recursive_directory_iterator(root, error)) {
            if (entry.is_regular_file(error)) {
                files.push_back(entry.path());
            }
        }
        std::sort(files.begin(), files.end());
    }
    return files;
}

std::string fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        for (const fs::path& file : inputFiles(argv[i])) {
            const std::string bytes = fileBytes(file);
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++count;
        }
    }
    std::printf("%zu inputs replayed\n", count);
    return count > 0 ? 0 : 1;
}
