#pragma once

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <poll.h>
#include <string>
#include <unistd.h>

// The frames the run client, the program and the extractor worker exchange on
// the worker's socket: one kind byte, a 4-byte big-endian length, the payload.
// Plain C++: the run client links no Qt.
namespace WorkerFrames {

inline void appendLength(std::string *out, std::uint32_t n)
{
    const char bytes[4] = {static_cast<char>(n >> 24), static_cast<char>(n >> 16),
        static_cast<char>(n >> 8), static_cast<char>(n)};
    out->append(bytes, 4);
}

inline std::uint32_t length(const char *bytes)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes);
    return (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) | (std::uint32_t(b[2]) << 8)
        | std::uint32_t(b[3]);
}

inline std::string frame(char kind, const std::string &payload)
{
    std::string out(1, kind);
    appendLength(&out, static_cast<std::uint32_t>(payload.size()));
    return out + payload;
}

using Deadline = std::chrono::steady_clock::time_point;

// Reads exactly size bytes from fd; false when the peer closed or failed, or,
// with a deadline, when it passed first. Without one (the default) it waits
// as long as the peer is there.
inline bool readExactly(int fd, char *data, std::size_t size, Deadline deadline = Deadline::max())
{
    while (size > 0) {
        if (deadline != Deadline::max()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0)
                return false;
            pollfd p {fd, POLLIN, 0};
            const int ready = ::poll(&p, 1, static_cast<int>(left));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0)
                return false;
        }
        const ssize_t n = ::read(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace WorkerFrames
