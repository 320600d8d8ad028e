// Windows' rand_s is declared only when this comes before the C headers.
#if defined(_WIN32) && !defined(_CRT_RAND_S)
#define _CRT_RAND_S
#endif

#include "registry/random.h"

#include <cstdlib>
#include <ctime>
#include <limits>

#include "data/sample_rows.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif
#if defined(__linux__)
#include <sys/syscall.h>
#endif

namespace ov {

namespace {

#if !defined(_WIN32)
// Calls `read(p, n)` until n bytes came, retrying interrupted calls.
template <class Read>
bool fill(unsigned char* p, std::size_t n, Read read) noexcept {
    while (n > 0) {
        const auto got = read(p, n);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        p += got;
        n -= static_cast<std::size_t>(got);
    }
    return true;
}

bool read_all(int fd, unsigned char* p, std::size_t n) noexcept {
    return fill(p, n, [fd](unsigned char* q, std::size_t m) { return ::read(fd, q, m); });
}
#endif

#if defined(__linux__) && defined(SYS_getrandom)
// Refused (ENOSYS before Linux 3.17, EPERM under some seccomp filters) or
// not ready yet (EAGAIN early at boot): the caller falls back to the device.
bool getrandom_entropy(unsigned char* p, std::size_t n) noexcept {
    constexpr unsigned kNonBlocking = 0x0001;  // GRND_NONBLOCK, absent from old headers
    return fill(p, n, [](unsigned char* q, std::size_t m) { return ::syscall(SYS_getrandom, q, m, kNonBlocking); });
}
#endif

}  // namespace

bool urandom_entropy(void* out, std::size_t n) noexcept {
#if defined(_WIN32)
    (void)out;
    (void)n;
    return false;
#else
    int flags = O_RDONLY;
#ifdef O_CLOEXEC
    flags |= O_CLOEXEC;
#endif
    int fd;
    do fd = ::open("/dev/urandom", flags);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return false;
    const bool ok = read_all(fd, static_cast<unsigned char*>(out), n);
    ::close(fd);
    return ok;
#endif
}

bool os_entropy(void* out, std::size_t n) noexcept {
#if defined(__linux__) && defined(SYS_getrandom)
    if (getrandom_entropy(static_cast<unsigned char*>(out), n)) return true;
    return urandom_entropy(out, n);
#elif defined(__linux__)
    return urandom_entropy(out, n);
#elif defined(_WIN32)
    auto* p = static_cast<unsigned char*>(out);
    for (std::size_t i = 0; i < n; i += 4) {
        unsigned int word = 0;
        if (rand_s(&word) != 0) return false;
        for (std::size_t k = 0; k < 4 && i + k < n; ++k) p[i + k] = static_cast<unsigned char>(word >> (8 * k));
    }
    return true;
#elif defined(__APPLE__) || defined(__FreeBSD__) || defined(__OpenBSD__) || defined(__NetBSD__)
    arc4random_buf(out, n);
    return true;
#else
    return urandom_entropy(out, n);
#endif
}

RandomSource::RandomSource(EntropySource entropy) noexcept {
    std::uint64_t s = 0;
    if (entropy == nullptr || !entropy(&s, sizeof s)) s = 0;
    seed_ = s;
}

std::uint64_t clock_ns() noexcept {
    // The C library's clock, not std::chrono::system_clock: some C++
    // runtimes give the latter in microseconds only, and successive draws
    // would then share their clock value.
    struct timespec ts{};
#if defined(_WIN32)
    if (timespec_get(&ts, TIME_UTC) != TIME_UTC) return 0;
#else
    if (clock_gettime(CLOCK_REALTIME, &ts) != 0) return 0;
#endif
    if (ts.tv_sec < 0 || ts.tv_nsec < 0) return 0;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    const auto s = static_cast<std::uint64_t>(ts.tv_sec);
    // Saturate before multiplying so that a far-future clock cannot wrap.
    if (s > kMax / 1000000000ULL) return kMax;
    const std::uint64_t t = s * 1000000000ULL;
    const auto n = static_cast<std::uint64_t>(ts.tv_nsec);
    return t > kMax - n ? kMax : t + n;
}

std::uint64_t RandomSource::draw_at(std::uint64_t t) noexcept {
    std::uint64_t old = counter_.fetch_add(kStep, std::memory_order_relaxed);
    std::uint64_t x = t ^ old;
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    return x;
}

std::uint64_t RandomSource::draw() noexcept { return draw_at(clock_ns() ^ seed_); }

RandomSource& random_source() noexcept {
    static RandomSource source;
    return source;
}

std::uint64_t draw() noexcept { return spread(random_source().draw()); }

std::uint64_t spread(std::uint64_t raw) noexcept { return SampleRng(raw).next(); }

std::uint64_t random_below(std::uint64_t n) noexcept { return n == 0 ? 0 : draw() % n; }

char random_digit() noexcept { return static_cast<char>('0' + draw() % 10); }

std::string random_digits(std::size_t n) {
    std::string out(n, '0');
    for (auto& c : out) c = random_digit();
    return out;
}

}  // namespace ov
