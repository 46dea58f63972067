#pragma once
// The two program file formats of the procedure store.
//
// Native (".elg"): the headers and the bodies as two counted lists with the
// separator 0xE9 ('é'), one 0xE9 between the lists, no header of its own.
// Every line feed inside the data is stored as CR LF on disk and read back as
// a line feed.
//
// Plain Logo (".lgo"): two comment lines and an empty line, then one
// "to <header>" ... "end" block per procedure with English commands, CR LF
// line ends on disk.
//
// Paths are file-system paths in the platform's own encoding. Every
// operation returns false for an empty path or a file that cannot be opened
// and then leaves the store (and any existing file) unchanged; errno then
// tells why (0 when the save was refused for the program's content).
//
// Only regular files are read, and only up to their kind's size limit: a
// folder gives EISDIR and a device, FIFO or socket ENODEV before anything is
// opened (opening a FIFO would wait for a writer, a device would never end),
// and a file past the limit gives EFBIG before its content is read.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mivarelo {

class ConversionReport;
class ProcedureStore;

// How a plain Logo file is read: a file this program exported itself (its
// two comment lines at the top) in the own plain format, any other file as
// classic Logo (see ClassicConverter); or either way by choice.
enum class LogoTextKind { Detect, Classic, Native };

// The separator of the native format.
constexpr char ProgramSeparator = '\xE9';

// What a loaded native file lacked: it ended before its own counts said it
// would, so procedures came back empty or cut short.
struct ProgramDamage {
    bool truncated = false;
    // The names (first words of the headers) of those procedures, in order.
    std::vector<std::string> procedures;
};

// Writes the native file through WriteFileAtomically (core/AtomicFile.h), so
// the old file survives any failure. A header or body holding 0xE9 cannot be stored:
// the save is refused with a message naming the procedure.
bool SaveProgram(const ProcedureStore& store, const std::string& path);
// No program comes near this size; a native file larger than it is refused.
constexpr std::uintmax_t ProgramFileSizeLimit = 32 * 1024 * 1024;
// Replaces the store's content with the native file. Damaged files load what
// is there; headers and bodies may then differ in number. `damage` (when
// given) tells whether the file ended early and which procedures that cut.
// A file larger than `ProgramFileSizeLimit` is refused.
bool LoadProgram(ProcedureStore& store, const std::string& path, ProgramDamage* damage = nullptr);

// Writes the plain Logo file, atomically as SaveProgram does. The caller
// translates the program into English long commands first. Every command of
// a body line becomes a line of its own; a comment line stays a comment
// (after ';'). A command without a plain Logo form is written as it stands
// (as a comment when it begins with "to" or "end"), and `keptAsWritten`
// (when given) counts those lines.
bool ExportLogoText(const ProcedureStore& store, const std::string& path,
                    int* keptAsWritten = nullptr);
// Replaces the store's content with the procedures of a plain Logo file.
// LF and CR LF line ends are accepted; a UTF-8 file is converted to
// Windows-1254. All procedure names are known before any body is converted,
// so calls to procedures defined further down are kept. When a name is
// defined twice, the later definition replaces the earlier one, as loading a
// Logo file does. Every line or command left out goes to `report` (when
// given) with its line number; a classic file also turns the precise turtle
// on and notes it there.
// A file larger than `LogoTextSizeLimit` is refused.
bool ImportLogoText(ProcedureStore& store, const std::string& path,
                    LogoTextKind kind = LogoTextKind::Detect, ConversionReport* report = nullptr);
// No Logo program comes near this size, but a picture or a document opened
// as one would: its import would take many times its size in memory.
constexpr std::uintmax_t LogoTextSizeLimit = 2 * 1024 * 1024;
// Whether the text begins with the two comment lines that the export writes.
bool IsOwnLogoExport(std::string_view text);

// One plain Logo line in the own command language: "cs" becomes
// "et;pd;sol 90;", "repeat" becomes a "tekrar" list with " ; " between its
// commands, other commands stay; a line whose first word is neither a
// keyword nor a procedure of the store gives the empty text.
std::string ConvertLineFromLogo(const ProcedureStore& store, std::string_view line);
// One command in plain Logo form: a "repeat" list loses its ';' separators,
// other commands stay; a command that is neither a keyword nor a procedure
// of the store (assignments included) gives the empty text.
std::string ConvertCommandToLogo(const ProcedureStore& store, std::string_view command);

} // namespace mivarelo
