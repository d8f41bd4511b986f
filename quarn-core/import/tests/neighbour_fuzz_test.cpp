// The fuzz target's rules, run here over the test captures, cut and damaged.
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "import/fuzz/campus_check.hpp"

namespace quarn {
namespace {

std::string read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(NeighbourFuzzRules, HoldForCapturesCutAndDamaged) {
    std::mt19937 random(25);
    for (const char* folder : {"neighbours", "campus"}) {
        for (const auto& entry :
             std::filesystem::directory_iterator(std::string(QUARN_IMPORT_TEST_DATA) + "/" + folder)) {
            const std::string text = read(entry.path());
            EXPECT_EQ(fuzz::check_input(text), "") << entry.path();
            for (int round = 0; round < 10; ++round) {
                std::string damaged = text;
                std::uniform_int_distribution<std::size_t> at(0, damaged.size() - 1);
                for (int flips = 0; flips < 8; ++flips)
                    damaged[at(random)] =
                        static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
                damaged.resize(at(random));
                EXPECT_EQ(fuzz::check_input(damaged), "") << entry.path() << " round " << round;
            }
        }
    }
}

TEST(NeighbourFuzzRules, GarbageMakesNoEntries) {
    std::mt19937 random(2025);
    for (int round = 0; round < 50; ++round) {
        std::string garbage(4096, '\0');
        for (char& c : garbage) c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
        EXPECT_TRUE(read_neighbours(garbage).entries.empty());
        EXPECT_EQ(fuzz::check_input(garbage), "");
    }
}

} // namespace
} // namespace quarn
