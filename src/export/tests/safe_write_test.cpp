#include "export/file_read.hpp"
#include "export/safe_write.hpp"
#ifdef _WIN32
#include "win/wide.hpp"
#endif

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace quarn {
namespace {

namespace fs = std::filesystem;

class SafeWrite : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device entropy;
        folder_ = fs::temp_directory_path() / ("quarn-safe-write-" + std::to_string(entropy()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    static std::string content(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void put(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // Only the files the test made itself may be left in the folder.
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder_))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    fs::path folder_;
};

TEST_F(SafeWrite, WritesANewFileAndReplacesAnOldOne) {
    const fs::path target = folder_ / "map.quarn";
    const std::string first("{\n  \"format\": 1\r\n}\0tail", 23);
    EXPECT_EQ(safe_write(target, first), std::nullopt);
    EXPECT_EQ(content(target), first);
    EXPECT_EQ(names(), std::vector<std::string>{"map.quarn"});

    const std::string second(300000, 'x');
    EXPECT_EQ(safe_write(target, second), std::nullopt);
    EXPECT_EQ(content(target), second);

    EXPECT_EQ(safe_write(target, ""), std::nullopt);
    EXPECT_EQ(content(target), "");
    EXPECT_EQ(names(), std::vector<std::string>{"map.quarn"});
}

TEST_F(SafeWrite, ReplacesThroughARelativePathWithForwardSlashes) {
    // As the command line tools get paths; the platform's replace-file
    // operation refuses such a path as it is.
    fs::create_directory(folder_ / "sub");
    const fs::path previous = fs::current_path();
    fs::current_path(folder_);
    auto first = safe_write("sub/map.quarn", "first");
    auto second = safe_write("sub/map.quarn", "second");
    fs::current_path(previous);
    EXPECT_EQ(first, std::nullopt);
    EXPECT_EQ(second, std::nullopt);
    EXPECT_EQ(content(folder_ / "sub" / "map.quarn"), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "sub"), fs::directory_iterator()), 1);
}

TEST_F(SafeWrite, AFailedWriteLeavesTheOldContentAndNoTemporaryFile) {
    const fs::path target = folder_ / "map.quarn";
    put(target, "old content");

    // The temporary file cannot be made when a folder holds its name.
    fs::create_directory(safe_write_temporary(target));
    auto error = safe_write(target, "new content");
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->empty());
    EXPECT_EQ(content(target), "old content");
    fs::remove(safe_write_temporary(target));

    // A target that is a folder cannot be replaced by a file.
    const fs::path folder_target = folder_ / "folder";
    fs::create_directory(folder_target);
    error = safe_write(folder_target, "new content");
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->empty());
    EXPECT_TRUE(fs::is_directory(folder_target));

    // A target in a folder that does not exist.
    error = safe_write(folder_ / "missing" / "map.quarn", "new content");
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->empty());

    EXPECT_EQ(names(), (std::vector<std::string>{"folder", "map.quarn"}));
    EXPECT_TRUE(fs::is_empty(folder_target));
}

TEST_F(SafeWrite, ReadsWholeFilesAndReportsTheSystemText) {
    const fs::path path = folder_ / "bytes.bin";
    std::string bytes;
    for (int i = 0; i < 200000; ++i) bytes += static_cast<char>(i * 7);
    put(path, bytes);
    auto read = read_whole_file(path);
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(read.value(), bytes);

    auto missing = read_whole_file(folder_ / "missing.quarn");
    ASSERT_FALSE(missing.ok());
#ifdef _WIN32
    // The system's own text for ERROR_FILE_NOT_FOUND (Wine words it its own
    // way), without the line break that FormatMessageW ends it with.
    EXPECT_EQ(missing.error(), win::system_message(2));
    EXPECT_NE(missing.error().back(), '\n');
    EXPECT_NE(missing.error().back(), '\r');
#else
    EXPECT_EQ(missing.error(), "No such file or directory");
    EXPECT_EQ(read_whole_file(folder_).error(), "Is a directory");
#endif
}

#ifndef _WIN32
TEST_F(SafeWrite, AReplacedFileKeepsItsPermissions) {
    const fs::path target = folder_ / "map.quarn";
    put(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(safe_write(target, "new"), std::nullopt);
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
#endif

} // namespace
} // namespace quarn
