#include "engine/TextStack.h"

namespace mivarelo {

namespace {
constexpr std::size_t InitialRoom = 10;
}

TextStack::TextStack() {
    items_.reserve(InitialRoom);
}

void TextStack::Push(std::string text) {
    items_.push_back(std::move(text));
}

std::optional<std::string> TextStack::Pop() {
    if (items_.empty()) return std::nullopt;
    std::string last = std::move(items_.back());
    items_.pop_back();
    return last;
}

const std::string* TextStack::Top() const {
    return items_.empty() ? nullptr : &items_.back();
}

} // namespace mivarelo
