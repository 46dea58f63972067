#include "engine/CommandCache.h"

namespace mivarelo {

void CommandCache::Validate(std::uint64_t run, bool acceptSpace, bool autoCorrect,
                            const StringList& headers) {
    if (run == run_ && acceptSpace == acceptSpace_ && autoCorrect == autoCorrect_ &&
        headers == headers_)
        return;
    pieces_.clear();
    last_ = nullptr;
    headers_ = headers;
    run_ = run;
    acceptSpace_ = acceptSpace;
    autoCorrect_ = autoCorrect;
}

const ParsedPiece* CommandCache::Find(std::string_view piece) const {
    if (last_ && last_->first == piece) return &last_->second;
    const auto found = pieces_.find(piece);
    if (found == pieces_.end()) return nullptr;
    last_ = &*found;
    return &found->second;
}

const ParsedPiece& CommandCache::Store(std::string_view piece, ParsedPiece commands) {
    if (pieces_.size() >= MaxPieces) pieces_.clear();
    const auto stored = pieces_.insert_or_assign(std::string(piece), std::move(commands)).first;
    last_ = &*stored;
    return stored->second;
}

} // namespace mivarelo
