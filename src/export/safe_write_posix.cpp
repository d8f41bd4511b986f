#include "export/safe_write.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarn {
namespace {

std::string error_text(int code) {
    return std::strerror(code);
}

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

// The rename is only durable once the folder's entry is on disk too. Some
// file systems refuse fsync on a folder; the file itself is safe by then, so
// that is not reported.
void sync_folder(const std::filesystem::path& target) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

std::optional<std::string> safe_write(const std::filesystem::path& target, std::string_view bytes) noexcept {
    try {
        const std::filesystem::path temporary = safe_write_temporary(target);
        int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) return error_text(errno);

        auto fail = [&](int code) -> std::optional<std::string> {
            if (fd >= 0) ::close(fd);
            ::unlink(temporary.c_str());
            return error_text(code);
        };

        // A replaced file keeps its permissions, as it would on Windows.
        struct stat existing {};
        if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
            ::fchmod(fd, existing.st_mode & 07777);

        if (!write_all(fd, bytes)) return fail(errno);
        if (::fsync(fd) != 0) return fail(errno);
        int closed = ::close(fd);
        fd = -1;
        if (closed != 0) return fail(errno);
        if (::rename(temporary.c_str(), target.c_str()) != 0) return fail(errno);
        sync_folder(target);
        return std::nullopt;
    } catch (...) {
        return error_text(ENOMEM);
    }
}

} // namespace quarn
