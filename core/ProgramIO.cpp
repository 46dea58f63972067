#include "core/ProgramIO.h"

#include "core/Encoding.h"
#include "core/ProgramFiles.h"
#include "core/ProcedureStore.h"
#include "core/Translation.h"

#include <algorithm>

namespace mivarelo {

bool IsLogoTextPath(std::string_view path) {
    std::string lower(path);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower.find(".lgo") != std::string::npos;
}

bool ReadProgramFile(ProcedureStore& store, const std::string& path, ConversionReport* report,
                     LogoTextKind kind, ProgramDamage* damage) {
    if (damage) *damage = ProgramDamage();
    return IsLogoTextPath(path) ? ImportLogoText(store, path, kind, report)
                                : LoadProgram(store, path, damage);
}

bool WriteProgramFile(ProcedureStore& store, const std::string& path, int* keptAsWritten) {
    if (keptAsWritten) *keptAsWritten = 0;
    if (!IsLogoTextPath(path)) return SaveProgram(store, path);
    TranslateProgram(store, false, true, false);
    return ExportLogoText(store, path, keptAsWritten);
}

bool CompleteProcedures(ProcedureStore& store) {
    StringList headers = store.Headers();
    StringList bodies = store.Bodies();
    if (headers.empty() && bodies.empty()) return false;
    if (bodies.size() < headers.size()) {
        bodies.resize(headers.size());
        store.Replace(std::move(headers), std::move(bodies));
    }
    return true;
}

std::string ProgramListing(const ProcedureStore& store) {
    const std::size_t count = std::max(store.Headers().size(), store.Bodies().size());
    std::string listing;
    for (std::size_t k = 0; k < count; ++k) {
        const int i = static_cast<int>(k);
        std::string body = store.GetBody(i);
        if (!body.empty() && body.back() != '\n') body += '\n';
        if (k > 0) listing += '\n';
        listing += store.GetHeader(i) + '\n' + body;
    }
    return Cp1254ToUtf8(listing);
}

} // namespace mivarelo
