#include "export/file_read.hpp"
#include "export/safe_write.hpp"
#ifdef _WIN32
#include "export/safe_write_calls.hpp"
#include "win/wide.hpp"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

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

    // A folder at the temporary name is named in the message, not the target.
    fs::create_directory(safe_write_temporary(target));
    put(safe_write_temporary(target) / "inside", "kept");
    EXPECT_EQ(safe_write(target, "new content"), temporary_is_folder_text(safe_write_temporary(target)));
    EXPECT_EQ(content(target), "old content");
    EXPECT_EQ(content(safe_write_temporary(target) / "inside"), "kept");
    fs::remove_all(safe_write_temporary(target));

    // A target that is a folder cannot be replaced by a file, and a name that
    // ends in a slash names a folder, whether or not one is there.
    const fs::path folder_target = folder_ / "folder";
    fs::create_directory(folder_target);
    EXPECT_EQ(safe_write(folder_target, "new content"), std::string(k_is_folder_text));
    EXPECT_EQ(safe_write(folder_target.string() + "/", "new content"),
              std::string(k_target_ends_in_separator_text));
    EXPECT_EQ(safe_write(folder_.string() + "/missing/", "new content"),
              std::string(k_target_ends_in_separator_text));
    EXPECT_TRUE(fs::is_directory(folder_target));

    // A target in a folder that does not exist.
    auto error = safe_write(folder_ / "missing" / "map.quarn", "new content");
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->empty());

    EXPECT_EQ(names(), (std::vector<std::string>{"folder", "map.quarn"}));
    EXPECT_TRUE(fs::is_empty(folder_target));
}

TEST_F(SafeWrite, NeverWritesThroughAnEntryAtTheTemporaryName) {
    // A link planted at the temporary name, or a leftover of a save that was
    // killed: the entry goes, what it leads to stays as it was.
    struct Case {
        const char* what;
        void (*plant)(const fs::path& victim, const fs::path& temporary, std::error_code& error);
    };
    const Case cases[] = {
        {"symbolic link", [](const fs::path& victim, const fs::path& temporary,
                             std::error_code& error) { fs::create_symlink(victim, temporary, error); }},
        {"hard link", [](const fs::path& victim, const fs::path& temporary,
                         std::error_code& error) { fs::create_hard_link(victim, temporary, error); }},
        {"leftover file",
         [](const fs::path&, const fs::path& temporary, std::error_code&) { put(temporary, "half a sa"); }},
    };
    std::string unplanted;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path victim = folder_ / "victim.txt";
        const fs::path target = folder_ / "out.quarn";
        put(victim, "secret");
        fs::permissions(victim, fs::perms::owner_read | fs::perms::owner_write);
        const fs::perms victim_permissions = fs::status(victim).permissions();
        put(target, "old map");
        std::error_code error;
        c.plant(victim, safe_write_temporary(target), error);
        if (error) {
            // Under Wine the C++ library cannot make symbolic links; the
            // command line test plants them from outside.
            unplanted += std::string(" ") + c.what + " (" + error.message() + ")";
            fs::remove(victim);
            fs::remove(target);
            continue;
        }

        EXPECT_EQ(safe_write(target, "new map"), std::nullopt);
        EXPECT_EQ(content(target), "new map");
        EXPECT_FALSE(fs::is_symlink(target));
        EXPECT_EQ(content(victim), "secret");
        EXPECT_EQ(fs::status(victim).permissions(), victim_permissions);
        EXPECT_EQ(names(), (std::vector<std::string>{"out.quarn", "victim.txt"}));
        fs::remove(victim);
        fs::remove(target);
    }
    if (!unplanted.empty()) GTEST_SKIP() << "could not plant:" << unplanted;
}

TEST_F(SafeWrite, ALinkedTargetHasItsRealFileReplaced) {
    fs::create_directory(folder_ / "real");
    const fs::path real = folder_ / "real" / "map.quarn";
    const fs::path link = folder_ / "map.quarn";
    put(real, "old");
    std::error_code error;
    fs::create_symlink(real, link, error);
    if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();

    EXPECT_EQ(safe_write(link, "new"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(content(real), "new");
    EXPECT_EQ(names(), (std::vector<std::string>{"map.quarn", "real"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "real"), fs::directory_iterator()), 1);
}

TEST_F(SafeWrite, SavesOfOneTargetAtTheSameTimeEachLandWhole) {
    // Each writer saves its own content again and again; every save says it
    // landed, and what is there at the end is one writer's content, whole.
    const fs::path target = folder_ / "map.quarn";
    constexpr int k_writers = 4;
    constexpr int k_saves = 20;
    std::vector<std::string> contents;
    for (int w = 0; w < k_writers; ++w) contents.emplace_back(200000 + w, static_cast<char>('a' + w));
    std::vector<int> failures(k_writers, 0);
    std::vector<std::string> last_error(k_writers);
    {
        std::vector<std::thread> writers;
        for (int w = 0; w < k_writers; ++w) {
            writers.emplace_back([&, w] {
                for (int i = 0; i < k_saves; ++i) {
                    if (auto error = safe_write(target, contents[w])) {
                        ++failures[w];
                        last_error[w] = *error;
                    }
                }
            });
        }
        for (std::thread& writer : writers) writer.join();
    }
    for (int w = 0; w < k_writers; ++w) EXPECT_EQ(failures[w], 0) << last_error[w];
    const std::string landed = content(target);
    EXPECT_NE(std::find(contents.begin(), contents.end(), landed), contents.end())
        << "a torn file of " << landed.size() << " bytes";
    EXPECT_EQ(names(), std::vector<std::string>{"map.quarn"});
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
#endif
    EXPECT_EQ(read_whole_file(folder_).error(), k_is_folder_text);
}

TEST_F(SafeWrite, ReadsOnlyRegularFilesOfABoundedSize) {
    // Sparse where the file system allows, so the test costs no disk space.
    const fs::path big = folder_ / "big.quarn";
    put(big, "{");
    fs::resize_file(big, k_max_read_size + 1);
    EXPECT_EQ(read_whole_file(big).error(), k_file_too_large_text);
    fs::remove(big);

#ifdef _WIN32
    EXPECT_EQ(read_whole_file("NUL").error(), k_not_a_file_text);
#else
    // Without the check these would never end, or wait for a writer forever.
    EXPECT_EQ(read_whole_file("/dev/zero").error(), k_not_a_file_text);
    const fs::path pipe = folder_ / "pipe.quarn";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(read_whole_file(pipe).error(), k_not_a_file_text);
#endif
}

#ifndef _WIN32
TEST_F(SafeWrite, AReplacedFileKeepsItsPermissionsAndOwner) {
    const fs::path target = folder_ / "map.quarn";
    put(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const bool may_give_away = ::geteuid() == 0;
    if (may_give_away) {
        ASSERT_EQ(::chown(target.c_str(), 4321, 4322), 0);
    }
    EXPECT_EQ(safe_write(target, "new"), std::nullopt);
    EXPECT_EQ(content(target), "new");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    if (!may_give_away) GTEST_SKIP() << "only a process running as root may keep another user's ownership";
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
}
#endif

TEST_F(SafeWrite, AReadOnlyTargetIsRefused) {
    const fs::path target = folder_ / "map.quarn";
    put(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
#ifdef _WIN32
    // The standard library marks such a file read-only; that is what Windows
    // refuses to replace.
    const std::string refused = win::system_message(5);
#else
    const std::string refused = "Permission denied";
#endif
    EXPECT_EQ(safe_write(target, "new"), refused);
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(content(target), "old");
    EXPECT_EQ(names(), std::vector<std::string>{"map.quarn"});
}

#ifdef _WIN32
// A save follows links to the file they lead to, but a mapped network drive
// is no link: Windows names a file on Z: by its share (\\server\share\...),
// which is not the user's path and may be longer. Wine maps no network
// drives, so the choice is checked on names; the long form is what Windows
// needs past 260 characters when the system's limit is not lifted.
TEST(SafeWriteNames, TheUsersDriveStaysAndLongNamesTakeTheLongForm) {
    const std::wstring deep(300, L'd');
    struct Case {
        const char* what;
        std::wstring given;
        std::wstring final_name;
        bool network_drive;
        std::wstring chosen;
    };
    const Case cases[] = {
        {"a mapped drive", L"Z:\\maps\\site.quarn", L"\\\\server\\share\\dept\\maps\\site.quarn", true,
         L"Z:\\maps\\site.quarn"},
        {"the same in other case", L"Z:\\Maps\\Site.quarn", L"\\\\server\\share\\dept\\maps\\site.quarn",
         true, L"Z:\\Maps\\Site.quarn"},
        {"a link on a mapped drive", L"Z:\\maps\\link.quarn", L"\\\\server\\share\\dept\\real\\site.quarn",
         true, L"\\\\server\\share\\dept\\real\\site.quarn"},
        {"a local link to a share", L"C:\\maps\\site.quarn", L"\\\\server\\share\\maps\\site.quarn", false,
         L"\\\\server\\share\\maps\\site.quarn"},
        {"a local link", L"C:\\maps\\link.quarn", L"C:\\real\\site.quarn", false, L"C:\\real\\site.quarn"},
        {"a long local name", L"C:\\" + deep, L"C:\\" + deep, false, L"\\\\?\\C:\\" + deep},
        {"a long share name", L"Z:\\x", L"\\\\server\\share\\" + deep, true,
         L"\\\\?\\UNC\\server\\share\\" + deep},
        {"already long", L"\\\\?\\C:\\" + deep, L"\\\\?\\C:\\" + deep, false, L"\\\\?\\C:\\" + deep},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(safe_write_detail::working_name(c.given, c.final_name, c.network_drive), c.chosen)
            << c.what;
        EXPECT_EQ(safe_write_detail::plain_name(c.chosen).find(L"\\\\?\\"), std::wstring::npos) << c.what;
    }
}
#endif

#ifdef _WIN32
// The failures of the replacing step that real Windows meets when a virus
// scanner, the indexer or a sync client holds a file for a moment. The test
// bench has none of them, so the calls are replaced, each doing to the files
// what ReplaceFileW's documentation says the failure leaves behind.
class SafeWriteFailures : public SafeWrite {
  protected:
    using Calls = safe_write_detail::FileCalls;

    void SetUp() override {
        SafeWrite::SetUp();
        saved_ = safe_write_detail::file_calls();
        script() = {};
        safe_write_detail::file_calls().pause = [](DWORD) { ++script().pauses; };
    }
    void TearDown() override {
        safe_write_detail::file_calls() = saved_;
        SafeWrite::TearDown();
    }

    struct Script {
        DWORD replace_error = 0;  // 0: the real ReplaceFileW
        int replace_failures = 0; // how often it fails before it works
        int failing_moves = 0;    // moves that fail with ERROR_ACCESS_DENIED first
        int pauses = 0;
    };
    static Script& script() {
        static Script current;
        return current;
    }

    // ReplaceFileW that fails as `replace_error` says, leaving the files as
    // its documentation describes for that error with a backup name given.
    static BOOL WINAPI replace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID,
                               LPVOID) {
        Script& s = script();
        if (s.replace_failures == 0 || s.replace_error == 0)
            return ::ReplaceFileW(replaced, replacement, backup, flags, nullptr, nullptr);
        --s.replace_failures;
        // The previous file is under the backup name, nothing under its own.
        if (s.replace_error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) ::MoveFileExW(replaced, backup, 0);
        ::SetLastError(s.replace_error);
        return FALSE;
    }
    static BOOL WINAPI move(LPCWSTR from, LPCWSTR to, DWORD flags) {
        if (script().failing_moves > 0) {
            --script().failing_moves;
            ::SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        return ::MoveFileExW(from, to, flags);
    }

    void fail_replace(DWORD error, int times, int failing_moves = 0) {
        script().replace_error = error;
        script().replace_failures = times;
        script().failing_moves = failing_moves;
        safe_write_detail::file_calls().replace = &replace;
        safe_write_detail::file_calls().move = &move;
    }

    Calls saved_;
};

TEST_F(SafeWriteFailures, AFileHeldForAMomentIsTriedAgainAndAHeldOneIsReported) {
    const fs::path target = folder_ / "map.quarn";
    put(target, "old");
    fail_replace(ERROR_SHARING_VIOLATION, 3);
    EXPECT_EQ(safe_write(target, "new"), std::nullopt);
    EXPECT_EQ(content(target), "new");
    EXPECT_EQ(script().pauses, 3);
    EXPECT_EQ(names(), std::vector<std::string>{"map.quarn"});

    // Held for good: the save fails after about a second and loses nothing.
    fail_replace(ERROR_SHARING_VIOLATION, 1000);
    EXPECT_EQ(safe_write(target, "newer"), win::system_message(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(content(target), "new");
    EXPECT_EQ(names(), std::vector<std::string>{"map.quarn"});
}

TEST_F(SafeWriteFailures, TheNewFileThatCouldNotBeRenamedIsMovedInAndTheBackupGoes) {
    const fs::path target = folder_ / "map.quarn";
    // Both files keep their names: the replacing move does the rest.
    put(target, "old");
    fail_replace(ERROR_UNABLE_TO_MOVE_REPLACEMENT, 1);
    EXPECT_EQ(safe_write(target, "new"), std::nullopt);
    EXPECT_EQ(content(target), "new");
    EXPECT_EQ(names(), std::vector<std::string>{"map.quarn"});

    // The previous file went to the backup name and the target's name is
    // empty: the new file is moved there.
    fail_replace(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, 1);
    EXPECT_EQ(safe_write(target, "newer"), std::nullopt);
    EXPECT_EQ(content(target), "newer");
    EXPECT_EQ(names(), std::vector<std::string>{"map.quarn"});
}

TEST_F(SafeWriteFailures, NeitherFileIsDeletedWhileItMayBeTheOnlyCopy) {
    const fs::path target = folder_ / "map.quarn";
    put(target, "old");
    // The new file cannot be moved in, but the previous one can go back.
    fail_replace(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, 1, 1);
    EXPECT_EQ(safe_write(target, "new"), win::system_message(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2));
    EXPECT_EQ(content(target), "old");
    EXPECT_EQ(names(), std::vector<std::string>{"map.quarn"});

    // Neither can: both stay, and the message says where.
    fail_replace(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, 1, 1000);
    const fs::path temporary = safe_write_temporary(target);
    const fs::path backup = safe_write_backup(target);
    EXPECT_EQ(safe_write(target, "new"),
              stranded_text(win::system_message(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2), temporary, backup));
    EXPECT_EQ(content(temporary), "new");
    EXPECT_EQ(content(backup), "old");
    EXPECT_FALSE(fs::exists(target));

    // The next save of the map finds the target's name empty and writes it;
    // the backup is the user's to keep until a map stands at the target.
    safe_write_detail::file_calls() = saved_;
    EXPECT_EQ(safe_write(target, "again"), std::nullopt);
    EXPECT_EQ(content(target), "again");
    EXPECT_EQ(content(backup), "old");
}
#endif

} // namespace
} // namespace quarn
