#include "engine/ContextStack.h"

namespace mivarelo {

LogoThread& ContextStack::PushThread(LogoThread thread) {
    return items_.emplace_back(std::move(thread));
}

LogoThread* ContextStack::Top() {
    return items_.empty() ? nullptr : &items_.back();
}

void ContextStack::Pop() {
    if (!items_.empty()) items_.pop_back();
}

} // namespace mivarelo
