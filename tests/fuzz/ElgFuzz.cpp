// Loading native program files: the input is the file's bytes. Whatever
// loads must save, and the saved bytes must load to the same program.
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"

#include "core/ProgramFiles.h"
#include "core/ProgramIO.h"
#include "core/ProcedureStore.h"

#include <fstream>

using namespace mivarelo;
using namespace mivarelo::fuzz;

namespace {

void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

bool HoldsSeparator(const StringList& list) {
    for (const std::string& item : list)
        if (item.find(ProgramSeparator) != std::string::npos) return true;
    return false;
}

} // namespace

int FuzzOne(const std::uint8_t* data, std::size_t size) {
    FuzzEnvironment::Prepare();
    const std::string input = FuzzEnvironment::ScratchPath("input.elg");
    const std::string saved = FuzzEnvironment::ScratchPath("saved.elg");
    WriteBytes(input, data, size);
    ProcedureStore loaded;
    Require(ReadProgramFile(loaded, input), "a readable file must load");
    CompleteProcedures(loaded);
    ProgramListing(loaded);
    const bool storable = !HoldsSeparator(loaded.Headers()) && !HoldsSeparator(loaded.Bodies());
    Require(SaveProgram(loaded, saved) == storable, "a loaded program must save");
    if (!storable) return 0;
    ProcedureStore reloaded;
    Require(LoadProgram(reloaded, saved), "a saved program must load");
    Require(reloaded.Headers() == loaded.Headers(), "headers change through save and load");
    Require(reloaded.Bodies() == loaded.Bodies(), "bodies change through save and load");
    return 0;
}
