#include "export/file_read.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarn {

Result<std::string> read_whole_file(const std::filesystem::path& path) noexcept {
    try {
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return Result<std::string>::failure(std::strerror(errno));
        auto fail = [&](int code) {
            ::close(fd);
            return Result<std::string>::failure(std::strerror(code));
        };
        struct stat info {};
        if (::fstat(fd, &info) != 0) return fail(errno);
        if (S_ISDIR(info.st_mode)) return fail(EISDIR);
        std::string content;
        if (info.st_size > 0) content.reserve(static_cast<std::size_t>(info.st_size));
        char buffer[65536];
        for (;;) {
            ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR) continue;
                return fail(errno);
            }
            if (got == 0) break;
            content.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(fd);
        return content;
    } catch (...) {
        return Result<std::string>::failure(std::strerror(ENOMEM));
    }
}

} // namespace quarn
