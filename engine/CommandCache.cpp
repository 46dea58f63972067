#include "engine/CommandCache.h"

namespace mivarelo {

bool CommandCache::Validate(std::uint64_t run, bool acceptSpace, bool autoCorrect,
                            const StringList& headers) {
    if (run == run_ && acceptSpace == acceptSpace_ && autoCorrect == autoCorrect_ &&
        headers == headers_)
        return false;
    pieces_.clear();
    places_.clear();
    lastPlace_ = nullptr;
    matches_.clear();
    matchedBytes_ = 0;
    last_ = nullptr;
    headers_ = headers;
    run_ = run;
    acceptSpace_ = acceptSpace;
    autoCorrect_ = autoCorrect;
    return true;
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

const ParsedPiece* CommandCache::FindAt(std::string_view piece) const {
    const std::pair<const char*, std::size_t> place{piece.data(), piece.size()};
    if (lastPlace_ && lastPlace_->first == place) return &lastPlace_->second.second;
    const auto found = places_.find(place);
    if (found == places_.end()) return nullptr;
    lastPlace_ = &*found;
    return &found->second.second;
}

const ParsedPiece& CommandCache::StoreAt(std::string_view piece, SharedText holder,
                                         ParsedPiece commands) {
    if (places_.size() >= MaxPieces) places_.clear();
    const auto stored =
        places_
            .insert_or_assign({piece.data(), piece.size()},
                              std::make_pair(std::move(holder), std::move(commands)))
            .first;
    lastPlace_ = &*stored;
    return stored->second.second;
}

std::shared_ptr<const BracketMatches> CommandCache::MatchesOf(const SharedText& owner) {
    const auto found = matches_.find(owner.get());
    if (found != matches_.end()) return found->second.second;
    if (matches_.size() >= MaxPieces || matchedBytes_ + owner->size() > MaxMatchedBytes) {
        matches_.clear();
        matchedBytes_ = 0;
    }
    matchedBytes_ += owner->size();
    auto matches = std::make_shared<const BracketMatches>(MatchBrackets(*owner));
    matches_.emplace(owner.get(), std::make_pair(owner, matches));
    return matches;
}

} // namespace mivarelo
