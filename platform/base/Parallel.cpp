#include "platform/base/Parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

thread_local bool t_insideParallelBody = false;

// Ranges per thread: several, so that a thread that gets slow rows does not hold up the others.
constexpr std::int64_t kRangesPerThread = 4;

} // namespace

int ParallelThreadCount() {
    static const int count = std::max(1u, std::thread::hardware_concurrency());
    return count;
}

namespace detail {

InlineScope::InlineScope() : m_wasInline(t_insideParallelBody) {
    t_insideParallelBody = true;
}

InlineScope::~InlineScope() {
    t_insideParallelBody = m_wasInline;
}

void RunParallel(std::int64_t count, std::int64_t grain, ParallelBody body, void* context) {
    if (count <= 0)
        return;
    grain = std::max<std::int64_t>(grain, 1);
    const std::int64_t threads =
        t_insideParallelBody ? 1 : std::min<std::int64_t>(ParallelThreadCount(), (count + grain - 1) / grain);
    if (threads <= 1) {
        body(context, 0, count);
        return;
    }

    const std::int64_t step = std::max(grain, count / (threads * kRangesPerThread));
    std::atomic<std::int64_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    auto work = [&] {
        t_insideParallelBody = true;
        for (;;) {
            const std::int64_t begin = next.fetch_add(step);
            if (begin >= count)
                break;
            try {
                body(context, begin, std::min(count, begin + step));
            } catch (...) {
                std::lock_guard lock(failureLock);
                if (!failure)
                    failure = std::current_exception();
                next.store(count);
            }
        }
        t_insideParallelBody = false;
    };

    std::vector<std::thread> helpers;
    helpers.reserve(static_cast<std::size_t>(threads - 1));
    for (std::int64_t i = 1; i < threads; ++i) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            break; // no more threads to be had: the ones running share the rest
        }
    }
    work();
    for (auto& helper : helpers)
        helper.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace detail
