#include "pixels/Prefault.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace orvane::pixels {
namespace {

#ifdef MADV_POPULATE_WRITE
constexpr bool kCanPrefault = true;
#else
constexpr bool kCanPrefault = false;
#endif

// 2 MiB at a time, so that a buffer given back waits for at most that much.
constexpr std::size_t kChunk = std::size_t{2} << 20;

struct Range {
    char* data = nullptr;
    std::size_t bytes = 0;
};

class Prefaulter {
  public:
    void Add(Range range) {
        std::lock_guard lock(mutex_);
        if (!started_) {
            // Detached and never destroyed: buffers may be given back during static
            // destruction, and the process may end with work queued.
            try {
                std::thread([this] { Run(); }).detach();
            } catch (const std::system_error&) {
                return;  // no thread to spare: the pages are made as they are written
            }
            started_ = true;
        }
        queue_.push_back(range);
        wake_.notify_one();
    }

    void Forget(char* data) {
        std::unique_lock lock(mutex_);
        std::erase_if(queue_, [data](const Range& r) { return r.data == data; });
        if (current_ == data) {
            cancelled_ = true;
            idle_.wait(lock, [&] { return current_ != data; });
        }
    }

  private:
    void Run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return !queue_.empty(); });
            const Range range = queue_.front();
            queue_.pop_front();
            current_ = range.data;
            cancelled_ = false;
            // Last page first: the thread that asked for the buffer writes it from the start.
            for (std::size_t end = range.bytes; end > 0 && !cancelled_ && supported_;) {
                const std::size_t begin = (end - 1) / kChunk * kChunk;  // aligned, as `data` is
                lock.unlock();
                const bool ok = Populate(range.data + begin, end - begin);
                lock.lock();
                supported_ = supported_ && ok;
                end = begin;
            }
            current_ = nullptr;
            idle_.notify_all();
        }
    }

    // False when the system does not know the request (an older kernel).
    static bool Populate(char* data, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
        return madvise(data, bytes, MADV_POPULATE_WRITE) == 0 || errno != EINVAL;
#else
        (void)data;
        (void)bytes;
        return false;
#endif
    }

    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<Range> queue_;
    char* current_ = nullptr;
    bool cancelled_ = false;
    bool supported_ = true;
    bool started_ = false;
};

Prefaulter& Instance() {
    static Prefaulter* const instance = new Prefaulter;
    return *instance;
}

}  // namespace

void PrefaultLater(void* data, std::size_t bytes) {
    if (kCanPrefault && bytes > 0) Instance().Add({static_cast<char*>(data), bytes});
}

void ForgetPrefault(void* data) noexcept {
    if (kCanPrefault) Instance().Forget(static_cast<char*>(data));
}

}  // namespace orvane::pixels
