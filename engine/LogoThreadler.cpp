#include "engine/LogoThreadler.h"

namespace mivarelo {

LogoThread& LogoThreadler::PushThread(LogoThread thread) {
    return items_.emplace_back(std::move(thread));
}

LogoThread* LogoThreadler::Top() {
    return items_.empty() ? nullptr : &items_.back();
}

void LogoThreadler::Pop() {
    if (!items_.empty()) items_.pop_back();
}

} // namespace mivarelo
