#include "CostBudget.h"

#include "FuzzEnvironment.h"

#include <algorithm>
#include <atomic>
#include <string>

// The sanitizer's allocator interface, present only when a sanitizer is
// linked in: without one, the heap is not counted.
extern "C" {
__attribute__((weak)) int
__sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, std::size_t),
                                          void (*free_hook)(const volatile void*));
__attribute__((weak)) std::size_t __sanitizer_get_allocated_size(const volatile void* p);
}

namespace mivarelo::fuzz {

namespace {

std::atomic<std::int64_t> liveBytes{0};
std::atomic<std::int64_t> peakBytes{0};

void CountMalloc(const volatile void*, std::size_t size) {
    const std::int64_t now =
        liveBytes.fetch_add(static_cast<std::int64_t>(size)) + static_cast<std::int64_t>(size);
    std::int64_t peak = peakBytes.load(std::memory_order_relaxed);
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
}

void CountFree(const volatile void* p) {
    if (p) liveBytes.fetch_sub(static_cast<std::int64_t>(__sanitizer_get_allocated_size(p)));
}

bool HeapCounted() {
    static const bool counted = __sanitizer_install_malloc_and_free_hooks &&
                                __sanitizer_get_allocated_size &&
                                __sanitizer_install_malloc_and_free_hooks(CountMalloc, CountFree);
    return counted;
}

} // namespace

CostBudget::CostBudget(std::size_t inputSize)
    : inputSize_(inputSize), startBytes_(liveBytes.load()),
      start_(std::chrono::steady_clock::now()) {
    if (HeapCounted()) peakBytes = startBytes_;
}

double CostBudget::LimitMs() const {
    return BaseMs + MsPerKilobyte * static_cast<double>(inputSize_) / 1024.0;
}

std::size_t CostBudget::LimitBytes() const {
    return BaseBytes + BytesPerInputByte * inputSize_;
}

void CostBudget::Check() const {
    CheckTime();
    CheckHeap();
}

void CostBudget::CheckTime() const {
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
            .count();
    if (ms > LimitMs()) {
        Require(false, "slow input: " + std::to_string(static_cast<long>(ms)) + " ms for " +
                           std::to_string(inputSize_) + " bytes, budget " +
                           std::to_string(static_cast<long>(LimitMs())) + " ms");
    }
}

void CostBudget::CheckHeap() const {
    if (!HeapCounted()) return;
    const auto grown = static_cast<std::size_t>(std::max<std::int64_t>(0, peakBytes - startBytes_));
    if (grown > LimitBytes()) {
        Require(false, "costly input: its heap grew by " + std::to_string(grown >> 10) +
                           " KB for " + std::to_string(inputSize_) + " bytes, budget " +
                           std::to_string(LimitBytes() >> 10) + " KB");
    }
}

} // namespace mivarelo::fuzz
