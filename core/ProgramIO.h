#pragma once
// The program files by path: which format a path names, loading and
// saving by that format, and the printed listing of a program.
#include "core/ProgramFiles.h"

#include <string>
#include <string_view>

namespace mivarelo {

class ProcedureStore;

// True when the path names a plain Logo file: ".lgo" anywhere in the path,
// in any letter case, as the main window judges opened files. Any other path
// names a native file.
bool IsLogoTextPath(std::string_view path);
// Loads the file into the store (replacing its program) by the path's kind;
// a plain Logo file is read as `kind` says and what it loses goes to
// `report`; a native file that ends early says so in `damage`. False when
// the file cannot be read (errno tells why).
bool ReadProgramFile(ProcedureStore& store, const std::string& path,
                     ConversionReport* report = nullptr, LogoTextKind kind = LogoTextKind::Detect,
                     ProgramDamage* damage = nullptr);
// Saves the program by the path's kind. Plain Logo text holds English
// commands, so the program is translated into English long commands first
// and stays translated, as in the main window; `keptAsWritten` is
// ExportLogoText's count (0 for a native file). False when nothing was
// saved (errno tells why).
bool WriteProgramFile(ProcedureStore& store, const std::string& path, int* keptAsWritten = nullptr);
// A damaged native file may hold more headers than bodies; every header gets
// an (empty) body so that each procedure can run and grow. False when the
// store holds no procedure at all.
bool CompleteProcedures(ProcedureStore& store);
// The program in UTF-8: per procedure its header line, then its body lines;
// one empty line between procedures.
std::string ProgramListing(const ProcedureStore& store);

} // namespace mivarelo
