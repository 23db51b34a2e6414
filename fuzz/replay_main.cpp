// Feeds every file of the folders (or the files) named on the command line to
// the fuzz target once, so the test suite replays the seed corpus without
// libFuzzer. A failed check or a sanitizer report ends the program.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace fs = std::filesystem;

static void replay(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::fprintf(stderr, "%s (%zu bytes)\n", file.c_str(), bytes.size());
    // A copy of exactly the file's size, so reading past it is caught.
    std::vector<uint8_t> data(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(data.empty() ? nullptr : data.data(), data.size());
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER|FILE...\n", argv[0]);
        return 2;
    }
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path path(argv[i]);
        std::vector<fs::path> files;
        if (fs::is_directory(path)) {
            for (const auto &entry : fs::directory_iterator(path))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        } else if (fs::is_regular_file(path)) {
            files.push_back(path);
        } else {
            std::fprintf(stderr, "%s: not found\n", argv[i]);
            return 2;
        }
        std::sort(files.begin(), files.end());
        for (const fs::path &file : files) {
            replay(file);
            ++count;
        }
    }
    if (count == 0) {
        std::fprintf(stderr, "no input to replay\n");
        return 2;
    }
    std::fprintf(stderr, "%d inputs replayed\n", count);
    return 0;
}
