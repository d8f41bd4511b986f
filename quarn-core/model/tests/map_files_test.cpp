// Files kept in the repository: the example maps and the fuzzing corpus.
#include "model/map_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace quarn {
namespace {

namespace fs = std::filesystem;

std::string read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> files_in(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().extension() == extension) found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

TEST(ExampleMaps, LoadAndSaveByteForByte) {
    auto examples = files_in(QUARN_EXAMPLES_DIR, ".quarn");
    ASSERT_GE(examples.size(), 2u);
    for (const fs::path& path : examples) {
        std::string text = read_bytes(path);
        auto map = load_map(text);
        ASSERT_TRUE(map.ok()) << path << ": " << map.error();
        EXPECT_EQ(save_map(map.value()), text) << path;
    }
}

TEST(FuzzCorpus, EveryInputGivesAMapOrOneMessage) {
    auto inputs = files_in(QUARN_FUZZ_CORPUS_DIR, ".json");
    ASSERT_GE(inputs.size(), 12u);
    for (const fs::path& path : inputs) {
        std::string text = read_bytes(path);
        auto map = load_map(text);
        if (!map.ok()) {
            EXPECT_TRUE(map.error().starts_with("This ")) << path << ": " << map.error();
            continue;
        }
        std::string saved = save_map(map.value());
        auto again = load_map(saved);
        ASSERT_TRUE(again.ok()) << path << ": " << again.error();
        EXPECT_EQ(again.value(), map.value()) << path;
    }
}

} // namespace
} // namespace quarn
