#pragma once
// The procedure store: parallel lists of headers ("kare :a :b") and bodies
// (lines each ending in a line feed). Index 0 is the main procedure.
#include "core/StringList.h"

#include <string>
#include <string_view>
#include <utility>

namespace mivarelo {

// (first blank-delimited word, the rest after the blank that ends it).
std::pair<std::string, std::string> SplitFirstWord(std::string_view text);
// The first word of SplitFirstWord, without a copy.
std::string_view FirstWordOf(std::string_view text);

class ProcedureStore {
public:
    int FindProcedure(std::string_view name) const;
    // Appends unless the name exists. A refused add with a body reports
    // "isim var" through the notifier. Returns true when it was added.
    bool AddProcedure(const std::string& header, const std::string& body);
    void DeleteProcedure(int i);
    void ClearAll();
    void ClearProgram();
    int ProcedureCount() const;
    std::string GetBody(int i) const;
    std::string GetHeader(int i) const;
    void SetBody(int i, const std::string& text);
    void SetHeader(int i, const std::string& text);
    void ClearBody(int i);
    void AppendToBody(int i, const std::string& text);
    std::string GetArguments(int i) const;
    void SetArguments(int i, const std::string& arguments);
    std::string JoinBodyLines(int i, std::string_view separator) const;
    std::string GetBodyLine(int i, int n) const;
    bool CopyBodyLines(int i, StringList* list) const;
    bool ReplaceInBodies(const std::string& oldText, const std::string& newText);
    // Replaces `oldWord` by `newWord` in every body where it stands as a
    // whole word (ReplaceWholeWords), so "setuzunluk" and "uzunluk2" keep
    // their "uzunluk" while ":uzunluk" loses it. True when a body changed;
    // false for an empty old or new word.
    bool ReplaceWordInBodies(const std::string& oldWord, const std::string& newWord);
    // Any list-like target with clear() and push_back(std::string).
    template <class List> void FillHeaderList(List& target, bool includeMain) const {
        target.clear();
        for (std::size_t k = includeMain ? 0 : 1; k < headers_.size(); ++k)
            target.push_back(headers_[k]);
    }

    const StringList& Headers() const { return headers_; }
    const StringList& Bodies() const { return bodies_; }
    // Replaces both lists at once (file loading); they may differ in length.
    void Replace(StringList headers, StringList bodies);

private:
    StringList bodies_;
    StringList headers_;
};

} // namespace mivarelo
