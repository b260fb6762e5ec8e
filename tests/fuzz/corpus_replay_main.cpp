// Runs a fuzz target over committed inputs, without libFuzzer: the regression test of a target.
// Arguments are corpus folders or single files. The empty input is always run first, as
// libFuzzer does. No input found at all is a failure, so that a lost corpus cannot pass.
#include "fuzz_target.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputFiles(const fs::path& argument)
{
    std::vector<fs::path> files;
    if (fs::is_directory(argument)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(argument)) {
            if (entry.is_regular_file()) {
                files.push_back(entry.path());
            }
        }
    } else if (fs::is_regular_file(argument)) {
        files.push_back(argument);
    }
    std::sort(files.begin(), files.end());  // a stable order makes failures repeatable
    return files;
}

void Replay(const std::vector<std::uint8_t>& bytes)
{
    // An exactly sized heap copy (a zero-sized one for the empty input), so that the sanitizers
    // see any read past the input's end.
    const std::unique_ptr<std::uint8_t[]> input(new std::uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), input.get());
    LLVMFuzzerTestOneInput(input.get(), bytes.size());
}

}  // namespace

int main(int argc, char** argv)
{
    qv::fuzz::CurrentInputName() = "(empty input)";
    Replay({});

    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const fs::path& file : InputFiles(argv[i])) {
            std::ifstream stream(file, std::ios::binary);
            if (!stream) {
                std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
                return 1;
            }
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(stream)),
                                                  std::istreambuf_iterator<char>());
            qv::fuzz::CurrentInputName() = file.string();
            Replay(bytes);
            ++replayed;
        }
    }
    if (replayed == 0) {
        std::fprintf(stderr, "no corpus input found\n");
        return 1;
    }
    std::printf("replayed %zu inputs\n", replayed);
    return 0;
}
