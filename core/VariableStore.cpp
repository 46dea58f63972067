#include "core/VariableStore.h"

#include "core/CaseFold.h"
#include "core/ExpressionHook.h"
#include "core/GlobalSettings.h"
#include "core/Numbers.h"
#include "core/TextReaders.h"

namespace mivarelo {

namespace {

constexpr char DescribeSeparator = '\xE9'; // 'é'
VariableStore* processStore = nullptr;

bool IsPrefix(char c) {
    return c == '_' || c == ':';
}

std::string_view SkipBlanks(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

// The run of name characters at the start of the text, after blanks.
std::string_view LeadingName(std::string_view text) {
    text = SkipBlanks(text);
    std::size_t end = 0;
    while (end < text.size() && IsNameChar(text[end]))
        ++end;
    return text.substr(0, end);
}

std::string_view WithoutPrefix(std::string_view name) {
    if (!name.empty() && IsPrefix(name.front())) name.remove_prefix(1);
    return name;
}

} // namespace

namespace {

// '_', ':', A-Z, a-z and the twelve Turkish letters of Windows-1254.
struct NameCharTable {
    bool is[256];
    constexpr NameCharTable() : is() {
        for (unsigned int c = 'A'; c <= 'Z'; ++c)
            is[c] = is[c + 0x20] = true;
        is[static_cast<unsigned char>('_')] = is[static_cast<unsigned char>(':')] = true;
        for (const int c : {0xC7, 0xD0, 0xDD, 0xD6, 0xDE, 0xDC,  // Ç Ğ İ Ö Ş Ü
                            0xE7, 0xF0, 0xFD, 0xF6, 0xFE, 0xFC}) // ç ğ ı ö ş ü
            is[c] = true;
    }
};

constexpr NameCharTable NameChars;

} // namespace

bool IsNameChar(char c) {
    return NameChars.is[static_cast<unsigned char>(c)];
}

bool IsRepeatCounterName(std::string_view name) {
    for (const std::string_view counter : RepeatCounterNames)
        if (name.size() == counter.size() && PlatformEqualsIgnoreCase(name, counter)) return true;
    return false;
}

std::optional<StringList> SplitList(std::string_view text, char separator, bool evaluate,
                                    bool stripPrefix) {
    if (text.empty()) return std::nullopt;
    StringList items;
    Cursor cursor(text);
    while (!cursor.AtEnd()) {
        SkipSpaces(cursor);
        std::string item = ReadUntil(cursor, separator, true);
        if (item.empty()) continue;
        if (evaluate) {
            char buffer[FloatTextRoom];
            item = ValueText(EvaluateExpression(item), buffer);
        }
        if (stripPrefix && IsPrefix(item.front())) item.erase(0, 1);
        items.push_back(std::move(item));
    }
    if (items.empty()) return std::nullopt;
    return items;
}

std::string_view ValueText(double value, char (&buffer)[FloatTextRoom]) {
    if (!Globals().PreciseTurtle) return FormatFloat(static_cast<float>(value), 1, buffer);
    return DoubleText(value, buffer);
}

double StoredValue(std::string_view text) {
    const double value = TextToFloat(text);
    return Globals().PreciseTurtle ? value : static_cast<float>(value);
}

// ---- VariableFrame ----

VariableFrame VariableFrame::Empty() {
    VariableFrame table;
    table.values.emplace();
    table.names.emplace();
    return table;
}

// Surplus values (more values than names) are dropped, so that locals added
// later keep their value at their own position.
VariableFrame VariableFrame::FromTexts(std::string_view valuesText, std::string_view namesText) {
    VariableFrame table;
    table.values = SplitList(valuesText, ',', true, false);
    table.names = SplitList(namesText, ' ', false, true);
    if (table.values && table.names && table.values->size() > table.names->size())
        table.values->resize(table.names->size());
    return table;
}

int VariableFrame::IndexOf(std::string_view name) const {
    if (name.empty() || !names) return -1;
    return IndexOfText(*names, name);
}

// A name without a value (a call with fewer values than argument names)
// reads as 0.
double VariableFrame::GetValue(std::string_view name) const {
    const int index = IndexOf(name);
    if (index < 0) return NoValue;
    const auto position = static_cast<std::size_t>(index);
    if (!values || position >= values->size()) return 0.0;
    return StoredValue((*values)[position]);
}

// A name whose value is missing gets one: the values list is created or
// padded with zeros up to its position, so that the write is not lost.
void VariableFrame::SetValue(std::string_view text, double value) {
    char buffer[FloatTextRoom];
    SetText(text, ValueText(value, buffer));
}

void VariableFrame::SetText(std::string_view text, std::string_view valueText) {
    const std::string_view name = LeadingName(text);
    if (name.empty() || !names) return;
    int index = IndexOf(name);
    if (index < 0) {
        index = static_cast<int>(names->size());
        names->emplace_back(name);
    }
    if (!values) values.emplace();
    const auto position = static_cast<std::size_t>(index);
    if (values->size() <= position) values->resize(position + 1, "0.0");
    (*values)[position].assign(valueText);
}

bool VariableFrame::Remove(std::string_view name) {
    const int index = IndexOf(name);
    if (index < 0) return false;
    const auto position = static_cast<std::size_t>(index);
    if (values && position < values->size()) values->erase(values->begin() + index);
    names->erase(names->begin() + index);
    return true;
}

std::string VariableFrame::Describe() const {
    if (!values || !names) return std::string();
    std::string text = CountedListText(&*names, DescribeSeparator);
    text += DescribeSeparator;
    text += CountedListText(&*values, DescribeSeparator);
    return text;
}

// ---- FrameStack ----

// The slot array grows by exactly one slot when full.
void FrameStack::Push(VariableFrame frame) {
    Push(std::make_unique<VariableFrame>(std::move(frame)));
}

void FrameStack::Push(std::unique_ptr<VariableFrame> frame) {
    if (Count() >= capacity_) ++capacity_;
    items_.push_back(std::move(frame));
}

VariableFrame* FrameStack::Get(int position) {
    if (position < 0 || position >= Count()) return nullptr;
    return items_[static_cast<std::size_t>(position)].get();
}

const VariableFrame* FrameStack::Get(int position) const {
    if (position < 0 || position >= Count()) return nullptr;
    return items_[static_cast<std::size_t>(position)].get();
}

VariableFrame* FrameStack::Top() {
    return Get(Count() - 1);
}

const VariableFrame* FrameStack::Top() const {
    return items_.empty() ? nullptr : items_.back().get();
}

bool FrameStack::RemoveAt(int position) {
    if (position < 0 || position >= Count()) return false;
    items_.erase(items_.begin() + position);
    return true;
}

int FrameStack::Count() const {
    return static_cast<int>(items_.size());
}

int FrameStack::Capacity() const {
    return capacity_;
}

// ---- VariableStore ----

VariableStore::VariableStore() : globals_(VariableFrame::Empty()) {}

double VariableStore::TurtleCoordinate(std::string_view name, bool& found) const {
    found = false;
    if (!screen_ || name.size() < 6 || name[0] != '_') return 0.0;
    found = true;
    if (PlatformEqualsIgnoreCase(name, "_nerdeyon")) return screen_->TurtleHeading();
    if (PlatformEqualsIgnoreCase(name, "_nerdex")) return screen_->TurtleXValue();
    if (PlatformEqualsIgnoreCase(name, "_nerdey")) return screen_->TurtleYValue();
    if (PlatformEqualsIgnoreCase(name, "_kalem")) return screen_->TurtlePenDown() ? 1.0 : 0.0;
    found = false;
    return 0.0;
}

// Globals are looked up by the name as written; only then is one prefix
// removed and the innermost call's frame asked. Values at or below NoValue
// count as absent, and a missing variable reads as 0.
double VariableStore::GetVariable(std::string_view name) const {
    if (name.empty()) return 0.0;
    bool isTurtle = false;
    const double turtle = TurtleCoordinate(name, isTurtle);
    if (isTurtle) return turtle;
    const double global = globals_.GetValue(name);
    if (global > NoValue) return global;
    const std::string_view local = WithoutPrefix(name);
    if (local.empty()) return 0.0;
    const VariableFrame* frame = frames_.Top();
    const double value = frame ? frame->GetValue(local) : NoValue;
    return value > NoValue ? value : 0.0;
}

bool VariableStore::HasVariable(std::string_view name) const {
    if (name.empty()) return false;
    bool isTurtle = false;
    TurtleCoordinate(name, isTurtle);
    if (isTurtle || globals_.IndexOf(name) >= 0) return true;
    const std::string_view local = WithoutPrefix(name);
    const VariableFrame* frame = frames_.Top();
    return !local.empty() && frame && frame->IndexOf(local) >= 0;
}

// A '_' or ':' prefix makes the variable local to the innermost call; without
// a frame the write is dropped.
void VariableStore::SetVariable(std::string_view name, double value) {
    char buffer[FloatTextRoom];
    SetText(name, ValueText(value, buffer));
}

void VariableStore::SetVariables(std::initializer_list<std::string_view> names, double value) {
    char buffer[FloatTextRoom];
    const std::string_view valueText = ValueText(value, buffer);
    for (const std::string_view name : names)
        SetText(name, valueText);
}

void VariableStore::SetText(std::string_view name, std::string_view valueText) {
    name = SkipBlanks(name);
    if (name.empty()) return;
    if (IsPrefix(name.front())) {
        VariableFrame* frame = frames_.Top();
        if (frame) frame->SetText(name.substr(1), valueText);
        return;
    }
    globals_.SetText(name, valueText);
}

bool VariableStore::RemoveFrameVariable(std::string_view name) {
    VariableFrame* frame = frames_.Top();
    return frame && frame->Remove(name);
}

// The values are evaluated before the frame is pushed, in the caller's context.
void VariableStore::PushFrame(std::string_view valuesText, std::string_view namesText) {
    frames_.Push(VariableFrame::FromTexts(valuesText, namesText));
}

void VariableStore::PopFrame() {
    frames_.RemoveAt(frames_.Count() - 1);
}

std::string VariableStore::DescribeTopFrame() const {
    const VariableFrame* frame = frames_.Top();
    return frame ? frame->Describe() : "0";
}

// ---- the process-wide store ----

VariableStore* SetVariableStore(VariableStore* store) {
    VariableStore* previous = processStore;
    processStore = store;
    return previous;
}

VariableStore* CurrentVariableStore() {
    return processStore;
}

double GetVariable(std::string_view name) {
    return processStore ? processStore->GetVariable(name) : 0.0;
}

bool HasVariable(std::string_view name) {
    return processStore && processStore->HasVariable(name);
}

void SetVariable(std::string_view name, double value) {
    if (processStore) processStore->SetVariable(name, value);
}

void SetVariables(std::initializer_list<std::string_view> names, double value) {
    if (processStore) processStore->SetVariables(names, value);
}

bool RemoveFrameVariable(std::string_view name) {
    return processStore && processStore->RemoveFrameVariable(name);
}

void PushFrame(std::string_view valuesText, std::string_view namesText) {
    if (processStore) processStore->PushFrame(valuesText, namesText);
}

void PopFrame() {
    if (processStore) processStore->PopFrame();
}

std::string DescribeTopFrame() {
    return processStore ? processStore->DescribeTopFrame() : "";
}

} // namespace mivarelo
