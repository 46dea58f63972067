#include "engine/MyStringStack.h"

namespace mivarelo {

namespace {
constexpr std::size_t InitialRoom = 10;
}

MyStringStack::MyStringStack() {
    items_.reserve(InitialRoom);
}

void MyStringStack::Push(std::string text) {
    items_.push_back(std::move(text));
}

std::optional<std::string> MyStringStack::Pop() {
    if (items_.empty()) return std::nullopt;
    std::string last = std::move(items_.back());
    items_.pop_back();
    return last;
}

const std::string* MyStringStack::Top() const {
    return items_.empty() ? nullptr : &items_.back();
}

} // namespace mivarelo
