#include "FuzzEnvironment.h"

#include "core/ErrorList.h"
#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "core/Notifier.h"
#include "engine/Random.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace mivarelo::fuzz {

namespace {

class SilentErrorList : public ErrorList {
public:
    void AddErrorLine(const std::string&) override {}
};

class SilentNotifier : public Notifier {
public:
    void ShowMessage(const std::string&, const std::string&) override {}
    void Beep() override {}
};

std::filesystem::path& ScratchFolder() {
    static std::filesystem::path folder;
    return folder;
}

void RemoveScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolder(), ignored);
}

// One folder per process, so that two fuzzers running side by side never
// share a file.
void MakeScratchFolder() {
    ScratchFolder() =
        std::filesystem::temp_directory_path() / ("mivarelo-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(ScratchFolder());
    std::atexit(RemoveScratchFolder);
}

void SetUpOnce() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "mivarelo-fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    static SilentErrorList errors;
    static SilentNotifier notifier;
    SetCurrentErrorList(&errors);
    SetNotifier(&notifier);
    MakeScratchFolder();
}

} // namespace

// The settings with the interface texts loaded are kept once and put back
// before every input, which is much faster than reading the texts again;
// the random numbers start over, so that every input runs as on replay.
void FuzzEnvironment::Prepare() {
    static const GlobalSettings prepared = [] {
        SetUpOnce();
        ResetGlobals();
        Globals().EnglishInterface = true;
        LoadLanguageModule(nullptr);
        return Globals();
    }();
    Globals() = prepared;
    SharedRandom() = Random();
}

std::string FuzzEnvironment::ScratchPath(std::string_view name) {
    return (ScratchFolder() / name).string();
}

std::string InputText(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

void Require(bool holds, std::string_view what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz check failed: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

} // namespace mivarelo::fuzz
