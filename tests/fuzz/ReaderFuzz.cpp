// The readers of colours, positions, coordinates and plain arguments, and
// the word readers under them: each must end and stay inside its text.
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"

#include "core/VariableStore.h"
#include "core/TextReaders.h"
#include "engine/TurtleArguments.h"

using namespace mivarelo;
using namespace mivarelo::fuzz;

namespace {

// Every reader must either consume something or leave the cursor at the
// end; a reader that does neither would make its caller loop for ever.
void ReadAllArguments(const std::string& text) {
    Cursor cursor(text);
    while (!cursor.AtEnd()) {
        const std::size_t before = cursor.pos;
        ReadArgument(cursor);
        if (cursor.pos == before) cursor.Advance();
        Require(cursor.pos <= text.size(), "argument reader left the text");
    }
}

void ReadAllWords(const std::string& text) {
    Cursor cursor(text);
    while (!cursor.AtEnd()) {
        const std::size_t before = cursor.pos;
        char terminator = 0;
        ReadWord(cursor, &terminator);
        ReadCommandWord(cursor);
        if (cursor.pos == before) cursor.Advance();
        Require(cursor.pos <= text.size(), "word reader left the text");
    }
}

} // namespace

int FuzzOne(const std::uint8_t* data, std::size_t size) {
    FuzzEnvironment::Prepare();
    VariableStore variables;
    VariableStore* previous = SetVariableStore(&variables);
    variables.SetVariable("x", 120.0f);
    const std::string text = InputText(data, size);
    ParseColor(text);
    ParsePosition(text);
    ParseCoordinate(text);
    ArgumentValue(text);
    ReadAllArguments(text);
    ReadAllWords(text);
    Cursor balanced(text);
    ReadUntilBalanced(balanced, ']', true);
    Require(balanced.pos <= text.size(), "balanced reader left the text");
    SetVariableStore(previous);
    return 0;
}
