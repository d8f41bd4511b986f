#include "export/safe_write.hpp"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace quarn {
namespace {

std::string error_text(int code) {
    return std::strerror(code);
}

// Closes on every path.
class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(); }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // Closes now; gives close's own result, which can report a late write
    // error.
    int reset() {
        if (fd_ < 0) return 0;
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

// Writes everything, riding over short writes and interruptions.
bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A save that holds the lock longer than this is taken to be stuck; the
// other one gives up rather than wait forever.
constexpr auto k_lock_patience = std::chrono::seconds(15);

// Saves into one folder take turns under an advisory lock on the folder
// itself: while it is held, nobody else's temporary file is in the making
// there, so any entry at the temporary name is a leftover and may go. The
// system drops the lock of a process that dies. A folder that cannot be
// opened for reading cannot be locked; the save goes on without the lock.
std::optional<std::string> lock_folder(const Descriptor& folder) {
    if (!folder) return std::nullopt;
    const auto give_up = std::chrono::steady_clock::now() + k_lock_patience;
    auto pause = std::chrono::milliseconds(1);
    while (::flock(folder.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return std::nullopt; // a file system without locks
        if (std::chrono::steady_clock::now() >= give_up) return std::string(k_save_busy_text);
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

// The file a target stands for: a link is followed to the file it leads to,
// so that the real file is replaced and the link stays a link. A link that
// leads nowhere is replaced itself.
std::filesystem::path real_target(const std::filesystem::path& target) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
    char* resolved = ::realpath(target.c_str(), nullptr);
    if (resolved == nullptr) return target;
    std::filesystem::path real(resolved);
    std::free(resolved);
    return real;
}

} // namespace

std::optional<std::string> safe_write(const std::filesystem::path& target, std::string_view bytes) noexcept {
    try {
        if (target.empty()) return error_text(ENOENT);
        if (!target.has_filename()) return std::string(k_target_ends_in_separator_text);

        const std::filesystem::path real = real_target(target);
        std::filesystem::path folder = real.parent_path();
        if (folder.empty()) folder = ".";
        Descriptor folder_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!folder_fd && errno != EACCES) return error_text(errno);
        // The target is judged in turn too: another save may make it.
        if (auto busy = lock_folder(folder_fd)) return busy;

        struct stat existing {};
        const bool exists = ::stat(real.c_str(), &existing) == 0;
        if (!exists && errno != ENOENT) return error_text(errno);
        if (exists && S_ISDIR(existing.st_mode)) return std::string(k_is_folder_text);
        // Renaming over a device or a pipe would take it away from everyone
        // else who uses it.
        if (exists && !S_ISREG(existing.st_mode)) return std::string(k_not_a_file_text);
        // A rename would replace a read-only file without asking. Windows
        // refuses a file marked read-only, even to an administrator; here a
        // file that no one may write is such a file, and one that this
        // process may not write is refused too.
        if (exists && (existing.st_mode & 0222) == 0) return error_text(EACCES);
        if (exists && ::access(real.c_str(), W_OK) != 0) return error_text(errno);

        // Only the entry goes: unlink never touches what a link leads to, nor
        // the other names of a hard-linked file.
        const std::filesystem::path temporary = safe_write_temporary(real);
        if (::unlink(temporary.c_str()) != 0 && errno != ENOENT) {
            const int code = errno;
            struct stat in_the_way {};
            if (::lstat(temporary.c_str(), &in_the_way) == 0 && S_ISDIR(in_the_way.st_mode))
                return temporary_is_folder_text(temporary);
            return error_text(code);
        }
        Descriptor file(
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!file) return error_text(errno);

        auto fail = [&](int code) -> std::optional<std::string> {
            file.reset();
            ::unlink(temporary.c_str());
            return error_text(code);
        };

        // A replaced file keeps its owner where the process may give it, and
        // its permissions (set after the owner, which can clear some bits).
        if (exists) {
            if (::fchown(file.get(), existing.st_uid, existing.st_gid) != 0 &&
                ::fchown(file.get(), static_cast<uid_t>(-1), existing.st_gid) != 0) {
                // Neither is the process's to give: the file becomes its own.
            }
            if (::fchmod(file.get(), existing.st_mode & 07777) != 0) return fail(errno);
        }

        if (!write_all(file.get(), bytes)) return fail(errno);
        if (::fsync(file.get()) != 0) return fail(errno);
        if (file.reset() != 0) return fail(errno);
        if (::rename(temporary.c_str(), real.c_str()) != 0) return fail(errno);
        // The rename is only durable once the folder's entry is on disk too.
        // Some file systems refuse fsync on a folder; the file itself is safe
        // by then, so that is not reported.
        if (folder_fd) ::fsync(folder_fd.get());
        return std::nullopt;
    } catch (...) {
        return error_text(ENOMEM);
    }
}

} // namespace quarn
