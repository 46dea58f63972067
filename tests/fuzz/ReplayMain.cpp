// Replays a fuzz target without libFuzzer: every file below the folders
// given on the command line goes through the target's entry point once, in
// name order, held to its heap budget (its time budget is the fuzzer's: a
// test must not depend on how loaded the machine is). A crash or failed
// check ends the program like it ends the fuzzer; otherwise it prints how
// many inputs it ran.
#include "CostBudget.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<std::filesystem::path> InputFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    if (!std::filesystem::is_directory(folder)) return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int a = 1; a < argc; ++a) {
        for (const auto& file : InputFiles(argv[a])) {
            std::fprintf(stderr, "%s\n", file.c_str());
            const std::vector<std::uint8_t> bytes = ReadBytes(file);
            mivarelo::fuzz::FuzzEnvironment::Prepare();
            const mivarelo::fuzz::CostBudget budget(bytes.size());
            FuzzOne(bytes.data(), bytes.size());
            budget.CheckHeap();
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
