#include "core/ProgramFiles.h"

#include "core/AtomicFile.h"
#include "core/CaseFold.h"
#include "core/ClassicConverter.h"
#include "core/ConversionReport.h"
#include "core/Encoding.h"
#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "core/LineParser.h"
#include "core/Notifier.h"
#include "core/Numbers.h"
#include "core/ProcedureStore.h"
#include "core/StringList.h"
#include "core/TextOps.h"
#include "core/TextReaders.h"
#include "core/Translation.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace mivarelo {

namespace {

namespace fs = std::filesystem;

// The plain Logo words the import converts.
constexpr CommandCode ClearScreenCode = CodeOf(Keyword::ClearScreenShort);
constexpr CommandCode RepeatCode = CodeOf(Keyword::Repeat);
// Lists nested deeper than this are kept as they stand, so that
// pathological input cannot exhaust the stack.
constexpr int ListDepthLimit = 100;
// Plain Logo lines are read in pieces of at most this many bytes.
constexpr std::size_t LogoLinePiece = 999;

const char* const ExportComments = "; Bu dosya Mivarelo ile olu\xFEturuldu.\n"
                                   "; This file was created by Mivarelo.\n";
const std::string ExportHeading = std::string(ExportComments) + "\n";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string Trim(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

// The command word followed by its arguments, one blank between them.
std::string JoinWordAndRest(const std::string& word, std::string_view rest) {
    const std::string arguments = Trim(rest);
    return arguments.empty() ? word : word + " " + arguments;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    Cursor c(text);
    while (!c.AtEnd())
        lines.push_back(ReadUntil(c, '\n', true));
    return lines;
}

// Text mode on disk: every line feed is stored as CR LF.
std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// Text mode when reading: CR LF becomes a line feed; a lone CR stays.
std::string WithoutCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

// The whole file, when it is a regular file of at most `limit` bytes. Its
// kind and size are asked before it is opened, and the read stops as soon as
// it passes the limit, so that a file growing meanwhile is refused as well.
// On failure errno tells why: EISDIR for a folder, ENODEV for a device, FIFO
// or socket, EFBIG past the limit.
bool ReadBoundedFile(const std::string& path, std::uintmax_t limit, std::string& data) {
    constexpr std::size_t PieceSize = 64 * 1024;
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    std::error_code ec;
    const fs::file_status status = fs::status(fs::path(path), ec);
    if (ec || status.type() == fs::file_type::not_found) {
        errno = ec ? ec.value() : ENOENT;
        return false;
    }
    if (status.type() != fs::file_type::regular) {
        errno = status.type() == fs::file_type::directory ? EISDIR : ENODEV;
        return false;
    }
    const std::uintmax_t size = fs::file_size(fs::path(path), ec);
    if (!ec && size > limit) {
        errno = EFBIG;
        return false;
    }
    errno = 0;
    std::ifstream in(fs::path(path), std::ios::binary);
    if (!in) {
        if (errno == 0) errno = EIO;
        return false;
    }
    data.clear();
    if (!ec) data.reserve(static_cast<std::size_t>(size));
    std::vector<char> piece(PieceSize);
    while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) || in.gcount() > 0) {
        data.append(piece.data(), static_cast<std::size_t>(in.gcount()));
        if (data.size() > limit) {
            errno = EFBIG;
            return false;
        }
    }
    if (!in.bad()) return true;
    if (errno == 0) errno = EIO;
    return false;
}

// The native format has no escape for its separator, so an item holding it
// would read back with every later item shifted.
bool ReportUnsavableItems(const ProcedureStore& store) {
    const StringList& headers = store.Headers();
    const StringList& bodies = store.Bodies();
    const std::size_t count = std::max(headers.size(), bodies.size());
    for (std::size_t i = 0; i < count; ++i) {
        const bool inHeader =
            i < headers.size() && headers[i].find(ProgramSeparator) != std::string::npos;
        const bool inBody =
            i < bodies.size() && bodies[i].find(ProgramSeparator) != std::string::npos;
        if (!inHeader && !inBody) continue;
        std::string name = i < headers.size() ? SplitFirstWord(headers[i]).first : std::string();
        if (name.empty()) name = IntToText(static_cast<long long>(i));
        ShowMessage(GetLanguageString(UnsavableProcedureId) + " '" + name + "' " +
                        GetLanguageString(UnsavableLetterId),
                    GetLanguageString(ErrorCaptionId));
        return true;
    }
    return false;
}

// ---- Plain Logo export ----

struct ExportState {
    const ProcedureStore& store;
    std::string out;
    int keptAsWritten = 0;
};

std::string FirstWordFolded(std::string_view line, Cursor& c);

std::string ExportCommand(const ProcedureStore& store, std::string_view command, int depth);

// Translation keeps a repeat whose count is no whole number in its own
// dialect, so every dialect's repeat word is a repeat here.
bool IsRepeat(CommandCode code) {
    return IsCommand(code, Keyword::Repeat);
}

// Whether `text` opens a bracketed list that it never closes. A repeat with
// such a list is kept as written: closing the list would add a bracket on
// every export and import.
bool ListLeftOpen(std::string_view text) {
    Cursor c(text);
    ReadUntil(c, '[', true);
    if (c.pos == 0 || text[c.pos - 1] != '[') return false;
    ReadUntilBalanced(c, ']', false);
    return c.AtEnd();
}

// "repeat n [ a ; b ; ]" in plain Logo form, where ';' would start a comment:
// the commands of the list are separated by blanks; nested repeats likewise.
std::string RepeatToLogo(const ProcedureStore& store, std::string_view rest, int depth) {
    Cursor c(rest);
    const std::string count = Trim(ReadUntil(c, '[', true));
    const std::string block = ReadUntilBalanced(c, ']', true);
    if (Trim(block).empty()) return {};
    std::string result = "repeat " + count + " [";
    Cursor b(block);
    while (!b.AtEnd()) {
        const std::string part = Trim(ReadUntilBalanced(b, ';', true));
        if (part.empty()) continue;
        std::string word, partRest;
        const bool nested =
            depth < ListDepthLimit && IsRepeat(SplitCommandWord(&store, part, word, partRest));
        const std::string converted = nested ? ExportCommand(store, part, depth + 1) : part;
        result += " " + (converted.empty() ? part : converted);
    }
    result += " ]";
    const std::string after = Trim(c.Rest());
    return after.empty() ? result : result + " " + after;
}

std::string ExportCommand(const ProcedureStore& store, std::string_view command, int depth) {
    std::string word, rest;
    const CommandCode code = SplitCommandWord(&store, command, word, rest);
    if (code == UnknownCode) return {};
    // A repeat whose brackets do not pair up is kept as written, as
    // translation keeps it: converted, its list would end elsewhere.
    if (IsRepeat(code) && !ListLeftOpen(rest) && ClosingBracketsMatch(rest))
        return RepeatToLogo(store, rest, depth);
    return JoinWordAndRest(word, rest);
}

// An assignment is no command word, but the import reads it back as it
// stands, so the export writes it as it stands instead of dropping it.
std::string ExportBodyCommand(const ProcedureStore& store, std::string_view command) {
    const std::string converted = ConvertCommandToLogo(store, command);
    std::string name, expression;
    if (converted.empty() && SplitAssignment(command, name, expression)) return Trim(command);
    return converted;
}

// A line whose first character is ';' or an apostrophe is a comment; plain
// Logo writes comments after ';'.
bool IsCommentLine(std::string_view line, std::string& comment) {
    const std::string text = Trim(line);
    if (text.empty() || (text.front() != ';' && text.front() != '\'')) return false;
    comment = ";" + text.substr(1);
    return true;
}

// Writes one exported command. A command without a plain Logo form is
// written as it stands, for a classic Logo reader to report, and counted;
// one that begins with "to" or "end" would open or close a procedure there
// and is written as a comment instead.
void AppendExportedCommand(ExportState& state, std::string_view command) {
    std::string line = ExportBodyCommand(state.store, command);
    if (line.empty()) {
        line = Trim(command);
        Cursor c;
        const std::string word = FirstWordFolded(line, c);
        if (word == "to" || word == "end") line = "; " + line;
        ++state.keptAsWritten;
    }
    state.out += line + "\n";
}

// One line per command: a body line may hold several commands cut by ';'.
// A line whose brackets do not pair up is one command, as translation and
// the import take it: cut at its ';', its parts would pair up on their own
// and come back as other commands. A comment line stays one line.
void AppendExportedBody(ExportState& state, const std::string& body) {
    for (const std::string& line : SplitLines(body)) {
        std::string comment;
        if (IsCommentLine(line, comment)) {
            state.out += comment + "\n";
            continue;
        }
        if (!ClosingBracketsMatch(line)) {
            AppendExportedCommand(state, line);
            continue;
        }
        Cursor c(line);
        while (!c.AtEnd()) {
            const std::string command = ReadUntilBalanced(c, ';', true);
            if (!Trim(command).empty()) AppendExportedCommand(state, command);
        }
    }
}

// ---- Plain Logo import ----

std::string ImportLine(const ProcedureStore& store, std::string_view line, int depth);
std::string RepeatFromLogo(const ProcedureStore& store, std::string_view rest, int depth);

// The start of every word outside brackets that is followed by the word
// ":=": an assignment begins there.
std::vector<std::size_t> AssignmentStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    std::size_t previousWord = std::string_view::npos;
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '[' || c == '(' || c == '{') ++depth;
        if ((c == ']' || c == ')' || c == '}') && depth > 0) --depth;
        const bool wordStart = c != ' ' && (i == 0 || text[i - 1] == ' ');
        if (!wordStart || depth > 0) continue;
        if (text.substr(i).starts_with(":=") && (i + 2 == text.size() || text[i + 2] == ' ') &&
            previousWord != std::string_view::npos && previousWord > 0)
            starts.push_back(previousWord);
        previousWord = i;
    }
    return starts;
}

// A list piece cut before every assignment in it: a blank-separated list
// such as "fd 10 :x := :x + 1" holds two commands, and the assignment runs
// to the next command word.
std::vector<CommandPiece> CutAssignments(const CommandPiece& piece) {
    std::vector<CommandPiece> pieces;
    std::size_t from = 0;
    for (const std::size_t start : AssignmentStarts(piece.text)) {
        pieces.push_back({from == 0 ? piece.code : AssignmentCode,
                          Trim(std::string_view(piece.text).substr(from, start - from))});
        from = start;
    }
    pieces.push_back({from == 0 ? piece.code : AssignmentCode, Trim(piece.text.substr(from))});
    return pieces;
}

std::vector<CommandPiece> ListPieces(const ProcedureStore& store, std::string_view block) {
    std::vector<CommandPiece> pieces;
    for (const CommandPiece& piece : SplitCommands(block, &store))
        for (CommandPiece& part : CutAssignments(piece))
            pieces.push_back(std::move(part));
    return pieces;
}

// Plain Logo separates the commands of a list by blanks only; they are cut
// before every command word and every assignment and joined again with " ; ".
std::string ListFromLogo(const ProcedureStore& store, std::string_view block, int depth) {
    std::string result;
    for (const CommandPiece& piece : ListPieces(store, block)) {
        std::string text;
        if (piece.code == RepeatCode && depth < ListDepthLimit) {
            std::string word, rest;
            SplitCommandWord(&store, piece.text, word, rest);
            if (!ListLeftOpen(rest)) text = RepeatFromLogo(store, rest, depth + 1);
        }
        if (text.empty()) text = piece.text;
        result += result.empty() ? text : " ; " + text;
    }
    return result;
}

// Commands that follow a converted command on the same line.
std::string ImportRemainder(const ProcedureStore& store, std::string_view rest, int depth) {
    if (depth >= ListDepthLimit || Trim(rest).empty()) return {};
    return ImportLine(store, rest, depth + 1);
}

std::string RepeatFromLogo(const ProcedureStore& store, std::string_view rest, int depth) {
    Cursor c(rest);
    const std::string count = Trim(ReadUntil(c, '[', true));
    const std::string block = ReadUntilBalanced(c, ']', true);
    if (Trim(block).empty()) return {};
    const std::string result = "tekrar " + count + " [ " + ListFromLogo(store, block, depth) + " ]";
    const std::string after = ImportRemainder(store, c.Rest(), depth);
    if (!after.empty()) return result + " ; " + after;
    // Text after the list that is no command stays as written, as the
    // export writes it.
    const std::string tail = Trim(c.Rest());
    return tail.empty() ? result : result + " " + tail;
}

std::string ImportLine(const ProcedureStore& store, std::string_view line, int depth) {
    if (Trim(line).empty()) return {};
    std::string word, rest;
    const CommandCode code = SplitCommandWord(&store, line, word, rest);
    if (code == UnknownCode) return {};
    if (code == RepeatCode && !ListLeftOpen(rest)) return RepeatFromLogo(store, rest, depth);
    if (code != ClearScreenCode) return JoinWordAndRest(word, rest);
    // Plain Logo's turtle starts facing up, this one facing right.
    const std::string after = ImportRemainder(store, rest, depth);
    return after.empty() ? "et;pd;sol 90;" : "et;pd;sol 90; " + after;
}

// The file as Windows-1254 text with line feeds: a UTF-8 file (recognised by
// being valid UTF-8 with non-ASCII bytes) is converted, CR LF becomes a line
// feed and tabs become blanks, since the readers skip blanks only. A carriage
// return alone ends a line too, as in old Macintosh files; kept, it would
// hide the first word of its line ("\rto") and come back as that word.
std::string PrepareLogoText(std::string data) {
    if (data.starts_with("\xEF\xBB\xBF")) data.erase(0, 3);
    if (HasNonAscii(data) && IsValidUtf8(data)) data = Utf8ToCp1254(data);
    data = WithoutCrLf(data);
    for (char& c : data) {
        if (c == '\t') c = ' ';
        if (c == '\r') c = '\n';
    }
    return data;
}

// Lines as a line-buffered reader with a 1000-byte buffer delivers them: a
// longer line arrives in pieces of 999 bytes. The line feeds are removed.
std::vector<std::string> LogoLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = std::min(text.size(), pos + LogoLinePiece);
        const std::size_t lineFeed = text.find('\n', pos);
        const bool fullLine = lineFeed != std::string_view::npos && lineFeed < end;
        if (fullLine) end = lineFeed + 1;
        lines.push_back(std::string(text.substr(pos, end - pos - (fullLine ? 1 : 0))));
        pos = end;
    }
    return lines;
}

struct LogoLine {
    int number = 0; // 1-based line in the file
    std::string text;
};

struct LogoBlock {
    std::string header;
    std::vector<LogoLine> lines;
};

std::string FirstWordFolded(std::string_view line, Cursor& c) {
    c = Cursor(line);
    SkipSpaces(c);
    return TurkishLower(ReadUntil(c, ' ', false));
}

// The header of a "to" line. Export writes the blanks of a header as '_'
// ("to kare_:a"); turning "_:" back into " :" keeps the arguments of such a
// procedure, so calls to it survive an export and an import.
std::string HeaderFromLogo(std::string_view text) {
    std::string header(text);
    ReplaceAll(header, "_:", " :");
    return header;
}

// The "to ... end" blocks of the file. Lines outside a block are left out
// (and reported unless they are empty or comments); a
// block that is not closed by "end" ends at the next "to" or at the end of
// the file and keeps its lines.
std::vector<LogoBlock> ReadLogoBlocks(const std::vector<std::string>& lines,
                                      ConversionReport* report) {
    std::vector<LogoBlock> blocks;
    bool inside = false;
    int number = 0;
    for (const std::string& line : lines) {
        ++number;
        Cursor c;
        const std::string word = FirstWordFolded(line, c);
        SkipSpaces(c);
        if (word == "to" && !Trim(c.Rest()).empty()) {
            blocks.push_back({HeaderFromLogo(c.Rest()), {}});
            inside = true;
        } else if (word == "end") {
            inside = false;
        } else if (inside && !Trim(line).empty()) {
            blocks.back().lines.push_back({number, line});
        } else if (report && !Trim(line).empty() && Trim(line).front() != ';') {
            report->Drop(number, Trim(line), OutsideProcedureText);
        }
    }
    return blocks;
}

// The store index of each block. A name defined again takes the later header;
// its body is replaced later on as well.
std::vector<int> DefineProcedures(ProcedureStore& store, const std::vector<LogoBlock>& blocks) {
    std::vector<int> slots;
    for (const LogoBlock& block : blocks) {
        int index = store.FindProcedure(SplitFirstWord(block.header).first);
        if (index >= 0)
            store.SetHeader(index, block.header);
        else if (store.AddProcedure(block.header, ""))
            index = store.ProcedureCount() - 1;
        slots.push_back(index);
    }
    return slots;
}

// An assignment has no command word but is this language's own line, so it
// is kept, and so is a comment; any other line that converts to nothing is
// left out and reported.
std::string ImportBody(const ProcedureStore& store, const std::vector<LogoLine>& lines,
                       ConversionReport* report) {
    std::string body;
    for (const LogoLine& line : lines) {
        std::string converted = ConvertLineFromLogo(store, line.text);
        std::string name, expression;
        if (converted.empty() &&
            (SplitAssignment(line.text, name, expression) || Trim(line.text).starts_with(';')))
            converted = Trim(line.text);
        if (!converted.empty())
            body += converted + "\n";
        else if (report)
            report->Drop(line.number, Trim(line.text), UnknownClassicWordText);
    }
    return body;
}

void ImportNative(ProcedureStore& store, const std::string& text, ConversionReport* report) {
    const std::vector<LogoBlock> blocks = ReadLogoBlocks(LogoLines(text), report);
    store.ClearAll();
    const std::vector<int> slots = DefineProcedures(store, blocks);
    for (std::size_t b = 0; b < blocks.size(); ++b)
        store.SetBody(slots[b], ImportBody(store, blocks[b].lines, report));
    if (report) report->SortByLine();
}

// Classic programs are drawn as their authors meant only with positions in
// real numbers, so the import turns the precise turtle on.
void ImportClassic(ProcedureStore& store, const std::string& text, ConversionReport* report) {
    ConversionReport local;
    ConversionReport& notes = report ? *report : local;
    const std::vector<ConvertedProcedure> procedures =
        ClassicConverter(Globals().MainProcedureName).Convert(text, notes);
    store.ClearAll();
    for (const ConvertedProcedure& procedure : procedures)
        store.AddProcedure(procedure.header, procedure.body);
    Globals().PreciseTurtle = true;
    notes.Note(PreciseTurnedOnText);
}

} // namespace

bool SaveProgram(const ProcedureStore& store, const std::string& path) {
    try {
        if (path.empty()) {
            errno = ENOENT;
            return false;
        }
        if (ReportUnsavableItems(store)) {
            errno = 0;
            return false;
        }
        std::ostringstream out;
        WriteCountedList(&store.Headers(), &out, ProgramSeparator);
        out.put(ProgramSeparator);
        WriteCountedList(&store.Bodies(), &out, ProgramSeparator);
        return WriteFileAtomically(path, WithCrLf(out.str()));
    } catch (...) {
        errno = ENOMEM;
        return false;
    }
}

bool LoadProgram(ProcedureStore& store, const std::string& path, ProgramDamage* damage) {
    try {
        std::string data;
        if (!ReadBoundedFile(path, ProgramFileSizeLimit, data)) return false;
        std::istringstream in(WithoutCrLf(data));
        StringList headers;
        StringList bodies;
        bool headersWhole = true;
        bool bodiesWhole = true;
        ReadCountedList(&headers, &in, ProgramSeparator, &headersWhole);
        // The writer always puts the bodies' list after the headers' list.
        const bool bodiesMissing = !data.empty() && in.peek() == std::char_traits<char>::eof();
        ReadCountedList(&bodies, &in, ProgramSeparator, &bodiesWhole);
        if (damage) {
            *damage = ProgramDamage();
            damage->truncated = !headersWhole || bodiesMissing || !bodiesWhole;
            // Without the bodies' list every procedure is empty; otherwise the
            // last body read ended where the file did and may be cut short.
            const std::size_t firstCut =
                headersWhole && !bodiesMissing && !bodies.empty() ? bodies.size() - 1 : 0;
            for (std::size_t i = firstCut; damage->truncated && i < headers.size(); ++i)
                damage->procedures.push_back(SplitFirstWord(headers[i]).first);
        }
        store.Replace(std::move(headers), std::move(bodies));
        return true;
    } catch (...) {
        errno = ENOMEM;
        return false;
    }
}

bool ExportLogoText(const ProcedureStore& store, const std::string& path, int* keptAsWritten) {
    try {
        if (path.empty()) {
            errno = ENOENT;
            return false;
        }
        ExportState state{store, ExportHeading};
        for (int i = 0; i < store.ProcedureCount(); ++i) {
            std::string header = store.GetHeader(i);
            SpacesToUnderscores(header);
            state.out += "to " + header + "\n";
            AppendExportedBody(state, store.GetBody(i));
            state.out += "end\n\n\n";
        }
        if (keptAsWritten) *keptAsWritten = state.keptAsWritten;
        return WriteFileAtomically(path, WithCrLf(state.out));
    } catch (...) {
        errno = ENOMEM;
        return false;
    }
}

bool ImportLogoText(ProcedureStore& store, const std::string& path, LogoTextKind kind,
                    ConversionReport* report) {
    try {
        std::string data;
        if (!ReadBoundedFile(path, LogoTextSizeLimit, data)) return false;
        const std::string text = PrepareLogoText(data);
        const bool native =
            kind == LogoTextKind::Native || (kind == LogoTextKind::Detect && IsOwnLogoExport(text));
        if (native)
            ImportNative(store, text, report);
        else
            ImportClassic(store, text, report);
        return true;
    } catch (...) {
        errno = ENOMEM;
        return false;
    }
}

bool IsOwnLogoExport(std::string_view text) {
    return text.starts_with(ExportComments);
}

std::string ConvertLineFromLogo(const ProcedureStore& store, std::string_view line) {
    return ImportLine(store, line, 0);
}

std::string ConvertCommandToLogo(const ProcedureStore& store, std::string_view command) {
    return ExportCommand(store, command, 0);
}

} // namespace mivarelo
