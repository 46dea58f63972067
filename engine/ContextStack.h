#pragma once
// The stack of running lists of one run. Only the top context advances; the
// ones below wait for the lists they started. A deque keeps every context at
// its address while others are pushed above it, and grows without copying.
#include "engine/LogoThread.h"

#include <cstddef>
#include <deque>

namespace mivarelo {

class ContextStack {
public:
    LogoThread& PushThread(LogoThread thread);
    // The top context, or null when the stack is empty.
    LogoThread* Top();
    // Context `i`, counted from the bottom of the stack.
    const LogoThread& At(std::size_t i) const { return items_[i]; }
    // Removes the top context; the one below becomes the top.
    void Pop();
    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }

private:
    std::deque<LogoThread> items_;
};

} // namespace mivarelo
