#pragma once
// A parallel-for over all cores, for pixel loops whose iterations are independent.

#include <cstdint>
#include <utility>

namespace detail {
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

// The number of threads ParallelFor uses at most.
int ParallelThreadCount();
