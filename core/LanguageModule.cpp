#include "core/LanguageModule.h"

#include "core/CaseFold.h"
#include "core/Encoding.h"
#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/ProcedureStore.h"
#include "core/VariableStore.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

namespace mivarelo {

namespace {

using TextTable = std::map<int, std::string>;

// The loaded module; empty when none is loaded.
std::optional<TextTable> loadedTexts;
std::string directoryOverride;

// The conversions each status-bar format receives from the main window, in
// order. A format that differs is dropped when the file is read, so a wrong
// translation can never make printf read an argument that is not there.
struct FormatRule {
    int id;
    std::string_view conversions;
};
constexpr FormatRule kFormatRules[] = {
    {PositionFormatId, "dd"},  {HomeFormatId, "dd"},        {PenDownFormatId, ""},
    {PenUpFormatId, ""},       {HeadingFormatId, "s"},      {PenColourFormatId, "s"},
    {FillColourFormatId, "s"}, {ScreenColourFormatId, "s"}, {MouseFormatId, "dd"},
};

const FormatRule* FindFormatRule(int id) {
    for (const FormatRule& rule : kFormatRules)
        if (rule.id == id) return &rule;
    return nullptr;
}

// Reads up to three digits from `i` on; false when there are more.
bool SkipNumber(std::string_view format, std::size_t& i) {
    int digits = 0;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
        ++i;
        ++digits;
    }
    return digits <= 3;
}

// One conversion from the '%' at `i`: flags, width, precision and the
// conversion character. On success `i` is on the conversion character.
bool ReadConversion(std::string_view format, std::size_t& i, char& letter) {
    std::size_t j = i + 1;
    std::string flags;
    while (j < format.size() && std::string_view("-+ 0#").find(format[j]) != std::string_view::npos)
        flags += format[j++];
    if (!SkipNumber(format, j)) return false;
    if (j < format.size() && format[j] == '.' && !SkipNumber(format, ++j)) return false;
    if (j >= format.size()) return false;
    const char c = format[j];
    std::string_view allowed;
    if (c == 'd' || c == 'i') {
        letter = 'd';
        allowed = "-+ 0";
    } else if (c == 's') {
        letter = 's';
        allowed = "-";
    } else {
        return false;
    }
    for (char f : flags)
        if (allowed.find(f) == std::string_view::npos) return false;
    i = j;
    return true;
}

std::string Unescape(std::string_view raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char next = i + 1 < raw.size() ? raw[i + 1] : '\0';
        if (raw[i] == '\\' && (next == 'n' || next == 't' || next == '\\')) {
            out += next == 'n' ? '\n' : next == 't' ? '\t' : '\\';
            ++i;
        } else {
            out += raw[i];
        }
    }
    return out;
}

// The stored form of a file text: Windows-1254, ended at a zero byte as a
// string table ends it, and cut to the 499 bytes a caller's buffer holds.
std::string ToModuleText(std::string_view utf8) {
    std::string text = Utf8ToCp1254(Unescape(utf8));
    text.resize(
        std::min({text.find('\0'), text.size(), static_cast<std::size_t>(LanguageTextMaxBytes)}));
    return text;
}

bool IsValidFormat(int id, const std::string& text) {
    const FormatRule* rule = FindFormatRule(id);
    if (!rule) return true;
    std::string letters;
    return FormatConversions(text, letters) && letters == rule->conversions;
}

// Adds the entry of one line to `table`; comments, blank and malformed lines
// and malformed formats add nothing.
void AddEntry(std::string_view line, TextTable& table) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') return;
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return;
    int id = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + tab, id);
    if (error != std::errc() || end != line.data() + tab || id <= 0) return;
    std::string text = ToModuleText(line.substr(tab + 1));
    if (IsValidFormat(id, text))
        table[id] = std::move(text);
    else
        table.erase(id);
}

std::optional<TextTable> ReadTable(const std::filesystem::path& path) {
    try {
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        TextTable table;
        std::string line;
        for (bool first = true; std::getline(in, line); first = false) {
            std::string_view view = line;
            if (first && view.starts_with("\xEF\xBB\xBF")) view.remove_prefix(3);
            AddEntry(view, table);
        }
        return table;
    } catch (...) {
        // Out of memory while reading: behave as if the file were missing.
        return std::nullopt;
    }
}

std::string ExecutableDirectory() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.parent_path().string();
}

bool HoldsLanguageFile(const std::filesystem::path& dir) {
    std::error_code error;
    for (bool english : {false, true})
        if (std::filesystem::is_regular_file(dir / LanguageFileName(english), error)) return true;
    return false;
}

// The folder of the executable when a language file lies there (the build
// tree), else the installed data folder <exe>/../share/mivarelo/lang when it
// holds one, else the folder of the executable again.
std::string DefaultLanguageDirectory() {
    const std::string executableDirectory = ExecutableDirectory();
    if (executableDirectory.empty() || HoldsLanguageFile(executableDirectory))
        return executableDirectory;
    const std::filesystem::path installed =
        (std::filesystem::path(executableDirectory) / ".." / "share" / "mivarelo" / "lang")
            .lexically_normal();
    return HoldsLanguageFile(installed) ? installed.string() : executableDirectory;
}

struct PredefinedVariable {
    std::string GlobalSettings::*name;
    std::string GlobalSettings::*oldName;
    int textId;
    float startValue;
};
constexpr PredefinedVariable kLengthVariable{&GlobalSettings::LengthVariableName,
                                             &GlobalSettings::OldLengthVariableName,
                                             StepLengthVariableId, 40.0f};
constexpr PredefinedVariable kAngleVariable{&GlobalSettings::AngleVariableName,
                                            &GlobalSettings::OldAngleVariableName,
                                            ArcAngleVariableId, 360.0f};

// Renames a predefined variable to the module's name. A module without the
// name keeps the old one, so the variable never loses its name.
void RefreshPredefinedVariable(const PredefinedVariable& v, ProcedureStore* procedures) {
    GlobalSettings& g = Globals();
    const std::string old = g.*v.name;
    g.*v.oldName = old;
    const std::string text = GetLanguageString(v.textId);
    if (!text.empty()) g.*v.name = text;
    const std::string current = g.*v.name;
    const double value = GetVariable(old.empty() ? current : old);
    SetVariable(current, value == 0.0 ? v.startValue : value);
    if (old.empty() || PlatformEqualsIgnoreCase(old, current)) return;
    if (VariableStore* store = CurrentVariableStore()) store->RemoveGlobalVariable(old);
    if (procedures) procedures->ReplaceWordInBodies(old, current);
}

} // namespace

bool FormatConversions(std::string_view format, std::string& letters) {
    letters.clear();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') continue;
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        char letter = 0;
        if (!ReadConversion(format, i, letter)) return false;
        letters += letter;
    }
    return true;
}

const char* LanguageFileName(bool english) {
    return english ? "english.txt" : "turkish.txt";
}

void SetLanguageDirectory(const std::string& dir) {
    directoryOverride = dir;
}

std::string LanguageDirectory() {
    if (!directoryOverride.empty()) return directoryOverride;
    static const std::string defaultDirectory = DefaultLanguageDirectory();
    return defaultDirectory;
}

bool LoadLanguageModule(ProcedureStore* procedures) {
    const std::filesystem::path path =
        std::filesystem::path(LanguageDirectory()) / LanguageFileName(Globals().EnglishInterface);
    loadedTexts = ReadTable(path);
    RefreshPredefinedVariable(kLengthVariable, procedures);
    RefreshPredefinedVariable(kAngleVariable, procedures);
    return loadedTexts.has_value();
}

bool LanguageModuleLoaded() {
    return loadedTexts.has_value();
}

std::string GetLanguageString(int id) {
    if (!loadedTexts) return {};
    const auto found = loadedTexts->find(id);
    return found == loadedTexts->end() ? std::string() : found->second;
}

} // namespace mivarelo
