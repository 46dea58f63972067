// The line normalizer and the command splitters with a procedure store. The
// first byte chooses the glued-word settings; the rest is the line.
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"

#include "core/GlobalSettings.h"
#include "core/LineParser.h"
#include "core/ProcedureStore.h"
#include "core/StringList.h"
#include "core/Translation.h"

using namespace mivarelo;
using namespace mivarelo::fuzz;

namespace {

class CountingSink : public ColorSink {
public:
    void Clear() override { length = 0; }
    void AppendColored(const std::string& text, std::uint32_t) override { length += text.size(); }
    std::size_t length = 0;
};

void DefineProcedures(ProcedureStore& store) {
    store.AddProcedure("AnaEkran", "");
    store.AddProcedure("kare :kenar", "tekrar 4 [ileri :kenar sa\xF0 90]\n");
    store.AddProcedure("tree :size :depth", "fd :size\n");
    store.AddProcedure("a\xF0\xE7", "ig 10\n");
}

// Splitting off command words must always shorten the text.
void SplitAllCommandWords(const ProcedureStore& store, const std::string& text) {
    std::string rest = text;
    while (!rest.empty()) {
        std::string word, after;
        SplitCommandWord(&store, rest, word, after);
        if (after.size() >= rest.size()) break;
        rest = after;
    }
}

void ColorizeEveryLine(const ProcedureStore& store, const std::string& text) {
    StringList lines;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(text.substr(start));
    CountingSink sink;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        ColorizeLine(&lines, i, &store, &sink);
        Require(sink.length <= text.size(), "colouring made up text");
    }
}

} // namespace

int FuzzOne(const std::uint8_t* data, std::size_t size) {
    FuzzEnvironment::Prepare();
    if (size == 0) return 0;
    Globals().AcceptSpace = (data[0] & 1) != 0;
    Globals().AutoCorrectErrors = (data[0] & 2) != 0;
    const std::string text = InputText(data + 1, size - 1);
    ProcedureStore store;
    DefineProcedures(store);
    const std::string normalized = NormalizeLine(text, &store);
    NormalizeLine(normalized, &store);
    NormalizeLine(text, nullptr);
    for (const CommandPiece& piece : SplitCommands(text, &store))
        Require(piece.text.size() <= text.size(), "a command piece is longer than its text");
    SplitAllCommandWords(store, text);
    std::string first, second;
    TwoBlocks(text, first, second);
    Require(first.size() + second.size() <= text.size(), "blocks longer than their text");
    ColorizeEveryLine(store, text);
    return 0;
}
