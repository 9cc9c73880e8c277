#pragma once
// A parallel-for over all cores, for pixel loops whose iterations are independent.

#include <cstdint>
#include <utility>

namespace detail {
// While one lives, ParallelFor on this thread runs inline.
class InlineScope {
public:
    InlineScope();
    ~InlineScope();
    InlineScope(const InlineScope&) = delete;
    InlineScope& operator=(const InlineScope&) = delete;

private:
    bool m_wasInline;
};
using ParallelBody = void (*)(void* context, std::int64_t begin, std::int64_t end);
void RunParallel(std::int64_t count, std::int64_t grain, ParallelBody body, void* context);
} // namespace detail

// Calls body(begin, end) for disjoint ranges that together cover [0, count), on up to one thread per
// core, and returns when every range is done. grain is the smallest range worth a thread of its own;
// work of one grain or less runs on the calling thread. A call from inside a body runs inline, so
// nested loops do not multiply threads. The first exception a body throws is rethrown here.
template <typename Body>
void ParallelFor(std::int64_t count, std::int64_t grain, Body&& body) {
    auto trampoline = [](void* context, std::int64_t begin, std::int64_t end) {
        (*static_cast<std::remove_reference_t<Body>*>(context))(begin, end);
    };
    detail::RunParallel(count, grain, trampoline, const_cast<void*>(static_cast<const void*>(&body)));
}

// Calls body() on the calling thread with every ParallelFor inside it running inline: for a background
// thread that leaves the other cores to the program, and for work too small to be worth starting threads.
template <typename Body>
decltype(auto) RunOnThisThread(Body&& body) {
    detail::InlineScope scope;
    return body();
}

// The number of threads ParallelFor uses at most.
int ParallelThreadCount();
