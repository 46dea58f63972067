#include "core/ProcedureStore.h"

#include "core/CaseFold.h"
#include "core/Notifier.h"
#include "core/TextOps.h"
#include "core/TextReaders.h"

#include <algorithm>

namespace mivarelo {

namespace {

bool InRange(const StringList& list, int i) {
    return i >= 0 && static_cast<std::size_t>(i) < list.size();
}

// The lines of a body, cut at line feeds. A final line feed ends the last
// line rather than starting an empty one, and a carriage return before a line
// feed belongs to the line end.
StringList BodyLines(std::string_view body) {
    StringList lines;
    std::size_t start = 0;
    while (start < body.size()) {
        std::size_t end = body.find('\n', start);
        if (end == std::string_view::npos) end = body.size();
        std::size_t lineEnd = end;
        if (lineEnd > start && end < body.size() && body[lineEnd - 1] == '\r') --lineEnd;
        lines.emplace_back(body.substr(start, lineEnd - start));
        start = end + 1;
    }
    return lines;
}

} // namespace

std::string_view FirstWordOf(std::string_view text) {
    const std::size_t start = std::min(text.find_first_not_of(' '), text.size());
    const std::size_t end = std::min(text.find(' ', start), text.size());
    return text.substr(start, end - start);
}

std::pair<std::string, std::string> SplitFirstWord(std::string_view text) {
    Cursor c{text};
    SkipSpaces(c);
    std::string first = ReadUntil(c, ' ', true);
    return {std::move(first), std::string(c.Rest())};
}

// Names are compared under the platform lower-casing; the whole given text
// must equal a header's first word, so a text carrying arguments never
// matches.
// Every command word is looked up here, so the comparison copies nothing.
int ProcedureStore::FindProcedure(std::string_view name) const {
    if (name.empty()) return -1;
    for (std::size_t i = 0; i < headers_.size(); ++i)
        if (PlatformEqualsIgnoreCase(FirstWordOf(headers_[i]), name)) return static_cast<int>(i);
    return -1;
}

bool ProcedureStore::AddProcedure(const std::string& header, const std::string& body) {
    if (FindProcedure(header) >= 0) {
        if (!body.empty()) ShowMessage("isim var", "Hata");
        return false;
    }
    bodies_.push_back(body);
    headers_.push_back(header);
    return true;
}

void ProcedureStore::DeleteProcedure(int i) {
    if (!InRange(bodies_, i)) return;
    bodies_.erase(bodies_.begin() + i);
    if (InRange(headers_, i)) headers_.erase(headers_.begin() + i);
}

void ProcedureStore::ClearAll() {
    bodies_.clear();
    headers_.clear();
}

void ProcedureStore::ClearProgram() {
    if (!bodies_.empty()) bodies_.front().clear();
    if (bodies_.size() > 1) bodies_.resize(1);
    if (headers_.size() > 1) headers_.resize(1);
}

int ProcedureStore::ProcedureCount() const {
    return static_cast<int>(bodies_.size());
}

std::string ProcedureStore::GetBody(int i) const {
    return InRange(bodies_, i) ? bodies_[i] : "";
}

std::string ProcedureStore::GetHeader(int i) const {
    return InRange(headers_, i) ? headers_[i] : "";
}

void ProcedureStore::SetBody(int i, const std::string& text) {
    if (InRange(bodies_, i)) bodies_[i] = text;
}

void ProcedureStore::SetHeader(int i, const std::string& text) {
    if (InRange(headers_, i)) headers_[i] = text;
}

void ProcedureStore::ClearBody(int i) {
    SetBody(i, std::string());
}

void ProcedureStore::AppendToBody(int i, const std::string& text) {
    if (!text.empty() && InRange(bodies_, i)) bodies_[i] += text;
}

std::string ProcedureStore::GetArguments(int i) const {
    return SplitFirstWord(GetHeader(i)).second;
}

void ProcedureStore::SetArguments(int i, const std::string& arguments) {
    if (!InRange(headers_, i)) return;
    std::string header = SplitFirstWord(headers_[i]).first;
    if (!arguments.empty()) header += " " + arguments;
    headers_[i] = std::move(header);
}

std::string ProcedureStore::JoinBodyLines(int i, std::string_view separator) const {
    std::string joined;
    for (const std::string& line : BodyLines(GetBody(i))) {
        joined += line;
        joined += separator;
    }
    return joined;
}

std::string ProcedureStore::GetBodyLine(int i, int n) const {
    const StringList lines = BodyLines(GetBody(i));
    return n >= 1 && static_cast<std::size_t>(n) <= lines.size() ? lines[n - 1] : "";
}

bool ProcedureStore::CopyBodyLines(int i, StringList* list) const {
    const std::string body = GetBody(i);
    if (!list || body.empty()) return false;
    *list = BodyLines(body);
    return true;
}

// Plain text replacement, inside words too: the interface language switch
// renames the words the system itself writes into programs.
bool ProcedureStore::ReplaceInBodies(const std::string& oldText, const std::string& newText) {
    if (oldText.empty() || newText.empty()) return false;
    bool anyBody = false;
    for (std::string& body : bodies_) {
        if (body.empty()) continue;
        anyBody = true;
        ReplaceAll(body, oldText, newText);
    }
    return anyBody;
}

bool ProcedureStore::ReplaceWordInBodies(const std::string& oldWord, const std::string& newWord) {
    if (oldWord.empty() || newWord.empty()) return false;
    bool changed = false;
    for (std::string& body : bodies_)
        changed = ReplaceWholeWords(body, oldWord, newWord) || changed;
    return changed;
}

void ProcedureStore::Replace(StringList headers, StringList bodies) {
    headers_ = std::move(headers);
    bodies_ = std::move(bodies);
}

} // namespace mivarelo
