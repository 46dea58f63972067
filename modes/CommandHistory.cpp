#include "modes/CommandHistory.h"

#include <algorithm>

namespace mivarelo {

std::string CommandHistory::Line(int i) const {
    if (i < 0 || i >= Count()) return {};
    return lines_[static_cast<std::size_t>(i)];
}

void CommandHistory::Record(const std::string& line) {
    undone_.clear();
    lines_.push_back(line);
}

void CommandHistory::Replace(std::vector<std::string> lines) {
    undone_.clear();
    lines_ = std::move(lines);
}

bool CommandHistory::Undo() {
    if (lines_.size() <= 1) return false;
    undone_.push_back(std::move(lines_.back()));
    lines_.pop_back();
    return true;
}

bool CommandHistory::Redo() {
    if (undone_.empty()) return false;
    std::string line = std::move(undone_.back());
    undone_.pop_back();
    if (line.empty() || line.back() != '\n') line += '\n';
    lines_.push_back(std::move(line));
    return true;
}

std::string CommandHistory::ReplayText() const {
    std::string text;
    for (const std::string& line : lines_) {
        if (line.empty()) continue;
        if (!text.empty()) text += '\n';
        text += line;
    }
    if (!text.empty() && text.back() != '\n') text += '\n';
    return text;
}

std::string CommandHistory::MacroBody() const {
    std::string body;
    for (std::size_t i = static_cast<std::size_t>(std::max(macroStart_, 0)); i < lines_.size(); ++i)
        body += lines_[i] + '\n';
    return body;
}

} // namespace mivarelo
