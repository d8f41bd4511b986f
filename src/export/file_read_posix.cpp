#include "export/file_read.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "export/safe_write.hpp"

namespace quarn {

Result<std::string> read_whole_file(const std::filesystem::path& path) noexcept {
    try {
        // Not blocking, so that opening a named pipe does not wait for a
        // writer; the file is judged by what it is once open.
        int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return Result<std::string>::failure(std::strerror(errno));
        auto fail = [&](std::string text) {
            ::close(fd);
            return Result<std::string>::failure(std::move(text));
        };
        struct stat info {};
        if (::fstat(fd, &info) != 0) return fail(std::strerror(errno));
        if (S_ISDIR(info.st_mode)) return fail(std::string(k_is_folder_text));
        if (!S_ISREG(info.st_mode)) return fail(std::string(k_not_a_file_text));
        if (static_cast<std::uint64_t>(info.st_size) > k_max_read_size)
            return fail(std::string(k_file_too_large_text));
        std::string content;
        if (info.st_size > 0) content.reserve(static_cast<std::size_t>(info.st_size));
        char buffer[65536];
        for (;;) {
            ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR) continue;
                return fail(std::strerror(errno));
            }
            if (got == 0) break;
            // A file that grows while it is read is held to the same limit.
            if (content.size() + static_cast<std::size_t>(got) > k_max_read_size)
                return fail(std::string(k_file_too_large_text));
            content.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(fd);
        return content;
    } catch (...) {
        return Result<std::string>::failure(std::strerror(ENOMEM));
    }
}

} // namespace quarn
