#include "core/ProgramFiles.h"

#include "core/ConversionReport.h"
#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "core/Notifier.h"
#include "core/ProcedureStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace mivarelo;
namespace fs = std::filesystem;

namespace {

const std::string E = "\xE9"; // the separator of the native format

class RecordingNotifier : public Notifier {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.emplace_back(text, caption);
    }
    void Beep() override {}
    std::vector<std::pair<std::string, std::string>> messages;
};

class ProgramFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int counter = 0;
        dir = fs::temp_directory_path() /
              ("mivarelo-files-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        fs::remove_all(dir);
        fs::create_directories(dir);
        previous = SetNotifier(&notifier);
    }
    void TearDown() override {
        SetNotifier(previous);
        fs::remove_all(dir);
    }

    std::string PathOf(const std::string& name) const { return (dir / name).string(); }

    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::vector<std::string> FilesInDir() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        return names;
    }

    static ProcedureStore StoreOf(std::vector<std::pair<std::string, std::string>> procedures) {
        ProcedureStore store;
        for (auto& [header, body] : procedures)
            store.AddProcedure(header, body);
        return store;
    }

    fs::path dir;
    RecordingNotifier notifier;
    Notifier* previous = nullptr;
};

// ---- Native format ----

TEST_F(ProgramFilesTest, OneProcedureIsWrittenByteForByteAndReadBack) {
    const std::string path = PathOf("one.elg");
    ASSERT_TRUE(SaveProgram(StoreOf({{"ana", "ileri 10\n"}}), path));
    EXPECT_EQ(ReadBytes(path), "1" + E + "1" + E + "ana" + E + "1" + E + "1" + E + "ileri 10\r\n");

    ProcedureStore loaded = StoreOf({{"eski", "geri 5\n"}, {"iki", ""}});
    ASSERT_TRUE(LoadProgram(loaded, path));
    EXPECT_EQ(loaded.Headers(), StringList{"ana"});
    EXPECT_EQ(loaded.Bodies(), StringList{"ileri 10\n"});
}

TEST_F(ProgramFilesTest, EmptyStoreIsWrittenByteForByteAndReadBack) {
    const std::string path = PathOf("empty.elg");
    ASSERT_TRUE(SaveProgram(ProcedureStore(), path));
    EXPECT_EQ(ReadBytes(path), "1" + E + "0" + E + "1" + E + "0");

    ProcedureStore loaded = StoreOf({{"ana", "ileri 10\n"}});
    ASSERT_TRUE(LoadProgram(loaded, path));
    EXPECT_EQ(loaded.ProcedureCount(), 0);
    EXPECT_TRUE(loaded.Headers().empty());
}

TEST_F(ProgramFilesTest, ProgramsRoundTripExactly) {
    const ProcedureStore store = StoreOf({
        {"AnaEkran", "kare 50\r\nsa\xF0 90\n\n"}, // a CR LF inside the data stays CR LF
        {"kare :a", "tekrar 4 [ileri :a; sa\xF0 90]\n\xFF\x01\r"},
        {"bo\xFE", ""}, // an empty last body
    });
    const std::string path = PathOf("round.elg");
    ASSERT_TRUE(SaveProgram(store, path));
    ProcedureStore loaded;
    ASSERT_TRUE(LoadProgram(loaded, path));
    EXPECT_EQ(loaded.Headers(), store.Headers());
    EXPECT_EQ(loaded.Bodies(), store.Bodies());
}

TEST_F(ProgramFilesTest, SaveReplacesTheFileAndLeavesNoTemporaryFile) {
    const std::string path = PathOf("prog.elg");
    WriteBytes(path, "old content that is longer than the new one");
    ASSERT_TRUE(SaveProgram(StoreOf({{"a", "b\n"}}), path));
    EXPECT_EQ(ReadBytes(path), "1" + E + "1" + E + "a" + E + "1" + E + "1" + E + "b\r\n");
    EXPECT_EQ(FilesInDir(), std::vector<std::string>{"prog.elg"});
}

TEST_F(ProgramFilesTest, SaveKeepsThePermissionsOfTheReplacedFile) {
    const std::string path = PathOf("private.elg");
    WriteBytes(path, "x");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(SaveProgram(StoreOf({{"a", ""}}), path));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ProgramFilesTest, TextHoldingTheSeparatorIsRefusedAndTheOldFileStays) {
    const std::string path = PathOf("keep.elg");
    WriteBytes(path, "previous bytes\r\n");
    const ProcedureStore inBody = StoreOf({{"ana", "ileri 10\n"}, {"kare :a", "yaz caf\xE9\n"}});
    for (const bool english : {false, true}) {
        Globals().EnglishInterface = english;
        ASSERT_TRUE(LoadLanguageModule());
        errno = EBADF;
        EXPECT_FALSE(SaveProgram(inBody, path));
        EXPECT_EQ(errno, 0); // refused, not failed
    }
    const std::vector<std::pair<std::string, std::string>> refusals = {
        {"Program kaydedilmedi: 'kare' yordam\xFDnda '\xE9' karakteri var; bu karakter program "
         "dosyas\xFDnda saklanamaz.",
         "Hata"},
        {"Program not saved: procedure 'kare' holds the character '\xE9', which a program file "
         "cannot store.",
         "Error"}};
    EXPECT_EQ(notifier.messages, refusals);
    notifier.messages.clear();
    Globals().EnglishInterface = false;
    ASSERT_TRUE(LoadLanguageModule());

    const ProcedureStore inHeader = StoreOf({{"ana", ""}, {"s\xE9kil", "ileri 1\n"}});
    EXPECT_FALSE(SaveProgram(inHeader, path));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_NE(notifier.messages[0].first.find("'s\xE9kil'"), std::string::npos);

    EXPECT_EQ(ReadBytes(path), "previous bytes\r\n");
    EXPECT_EQ(FilesInDir(), std::vector<std::string>{"keep.elg"});
}

TEST_F(ProgramFilesTest, UnwritableOrEmptyPathsFailQuietly) {
    const ProcedureStore store = StoreOf({{"ana", ""}});
    EXPECT_FALSE(SaveProgram(store, ""));
    EXPECT_FALSE(SaveProgram(store, PathOf("missing-dir/prog.elg")));
    EXPECT_FALSE(SaveProgram(store, dir.string())); // a directory
    EXPECT_FALSE(ExportLogoText(store, ""));
    EXPECT_FALSE(ExportLogoText(store, PathOf("missing-dir/prog.lgo")));
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_TRUE(FilesInDir().empty());
}

TEST_F(ProgramFilesTest, UnreadablePathsFailAndKeepTheStore) {
    ProcedureStore store = StoreOf({{"ana", "ileri 1\n"}});
    EXPECT_FALSE(LoadProgram(store, ""));
    EXPECT_FALSE(LoadProgram(store, PathOf("nothing.elg")));
    EXPECT_FALSE(LoadProgram(store, dir.string()));
    EXPECT_FALSE(ImportLogoText(store, ""));
    EXPECT_FALSE(ImportLogoText(store, PathOf("nothing.lgo")));
    EXPECT_FALSE(ImportLogoText(store, dir.string()));
    EXPECT_EQ(store.Headers(), StringList{"ana"});
    EXPECT_EQ(store.Bodies(), StringList{"ileri 1\n"});
}

// ---- Damaged native files ----

TEST_F(ProgramFilesTest, DamagedFilesLoadWhatIsThere) {
    struct Case {
        std::string bytes;
        StringList headers;
        StringList bodies;
    };
    const std::vector<Case> cases = {
        {"", {}, {}},                                                // zero length
        {"1" + E + "3" + E + "a" + E + "b", {"a", "b"}, {}},         // count too large
        {"1" + E + "999999999" + E + "a" + E + "b", {"a", "b"}, {}}, // huge count
        {"1" + E + "2" + E + "a" + E + "b" + E + "1" + E + "999999999" + E + "x\r\n",
         {"a", "b"},
         {"x\n"}},
        {"1" + E + "x" + E + "a" + E + "1" + E + "1" + E + "b", {}, {}}, // damaged count
        {"0" + E + "1" + E + "1" + E + "b", {}, {"b"}},                  // headers absent
        {"1" + E + "2" + E + "a" + E + "b" + E + "1" + E + "1" + E + "x", {"a", "b"}, {"x"}},
    };
    for (const Case& c : cases) {
        const std::string path = PathOf("damaged.elg");
        WriteBytes(path, c.bytes);
        ProcedureStore store = StoreOf({{"old", "old\n"}});
        EXPECT_TRUE(LoadProgram(store, path));
        EXPECT_EQ(store.Headers(), c.headers) << c.bytes;
        EXPECT_EQ(store.Bodies(), c.bodies) << c.bytes;
    }
}

TEST_F(ProgramFilesTest, EveryTruncationOfAFileLoads) {
    const std::string path = PathOf("full.elg");
    ASSERT_TRUE(
        SaveProgram(StoreOf({{"ana", "kare 5\nileri 2\n"}, {"kare :a", "sag :a\n"}}), path));
    const std::string full = ReadBytes(path);
    for (std::size_t length = 0; length <= full.size(); ++length) {
        WriteBytes(path, full.substr(0, length));
        ProcedureStore store;
        EXPECT_TRUE(LoadProgram(store, path));
        EXPECT_LE(store.Headers().size(), 2u) << length;
        EXPECT_LE(store.Bodies().size(), 2u) << length;
        for (std::string body : store.Bodies()) {
            if (body.ends_with('\r')) body.pop_back(); // a CR LF cut in half
            EXPECT_TRUE(std::string("kare 5\nileri 2\n").starts_with(body) ||
                        std::string("sag :a\n").starts_with(body))
                << length;
        }
    }
}

TEST_F(ProgramFilesTest, AFileThatEndsBeforeItsCountsSaysWhichProceduresItCut) {
    const std::string path = PathOf("cut.elg");
    ASSERT_TRUE(SaveProgram(
        StoreOf({{"ana", "kare 5\n"}, {"kare :a", "sag :a\n"}, {"bos", "ileri 1\n"}}), path));
    const std::string full = ReadBytes(path);
    struct Case {
        std::size_t length;
        bool truncated;
        std::vector<std::string> procedures;
    };
    const std::vector<Case> cases = {
        {0, false, {}},                                       // no structure at all
        {2, true, {}},                                        // the header count missing
        {full.find("kare :a") + 2, true, {"ana", "ka"}},      // inside a header
        {full.find("bos") + 4, true, {"ana", "kare", "bos"}}, // no bodies' list
        {full.find("sag") + 1, true, {"kare", "bos"}},        // inside a body
        {full.find("ileri") - 1, true, {"kare", "bos"}},      // before a separator
        {full.find("ileri") + 1, false, {}},                  // inside the last body
        {full.size(), false, {}},
    };
    for (const Case& c : cases) {
        WriteBytes(path, full.substr(0, c.length));
        ProcedureStore store;
        ProgramDamage damage{true, {"stale"}};
        EXPECT_TRUE(LoadProgram(store, path, &damage));
        EXPECT_EQ(damage.truncated, c.truncated) << c.length;
        EXPECT_EQ(damage.procedures, c.procedures) << c.length;
    }
}

TEST_F(ProgramFilesTest, ASaveRemovesTheTemporaryFilesOfEndedProcessesOnly) {
    // 2147483646 is above every process number Linux hands out.
    const std::vector<std::string> kept = {".mivarelo-save-" + std::to_string(::getpid()) +
                                               "-3.tmp",
                                           ".mivarelo-save-1-0.tmp", // init runs
                                           ".mivarelo-save-x-0.tmp", "notes.tmp"};
    for (const std::string& name : kept)
        WriteBytes(PathOf(name), "kept");
    WriteBytes(PathOf(".mivarelo-save-2147483646-0.tmp"), "stale");
    ASSERT_TRUE(SaveProgram(StoreOf({{"a", ""}}), PathOf("p.elg")));
    std::vector<std::string> names = FilesInDir();
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected = kept;
    expected.push_back("p.elg");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
}

TEST_F(ProgramFilesTest, RandomBytesLoadWithoutHarm) {
    std::mt19937 random(1254);
    const std::string alphabet = "0123456789 \r\n" + E + E + E +
                                 "\xFF"
                                 "ab";
    const std::string path = PathOf("random.elg");
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 200, '\0');
        for (char& b : bytes)
            b = round % 2 ? static_cast<char>(random() % 256)
                          : alphabet[random() % alphabet.size()];
        WriteBytes(path, bytes);
        ProcedureStore store;
        EXPECT_TRUE(LoadProgram(store, path));
        EXPECT_LE(store.Headers().size() + store.Bodies().size(), bytes.size() + 2);
    }
}

// ---- Plain Logo export ----

TEST_F(ProgramFilesTest, ExportWritesHeadingBlocksAndCrLf) {
    const ProcedureStore store = StoreOf({
        {"ana", "forward 10\nrepeat 4 [ forward 10;right 90; ]\n\nkare 5; x := 3\n"},
        {"kare :a", "repeat 2 [ repeat 4 [ forward :a;right 90; ];left 45; ]\n"},
        {"bos", ""},
    });
    const std::string path = PathOf("out.lgo");
    ASSERT_TRUE(ExportLogoText(store, path));
    EXPECT_EQ(ReadBytes(path), "; Bu dosya Mivarelo ile olu\xFEturuldu.\r\n"
                               "; This file was created by Mivarelo.\r\n"
                               "\r\n"
                               "to ana\r\n"
                               "forward 10\r\n"
                               "repeat 4 [ forward 10 right 90 ]\r\n"
                               "kare 5\r\n"
                               "x := 3\r\n" // read back as it stands
                               "end\r\n\r\n\r\n"
                               "to kare_:a\r\n"
                               "repeat 2 [ repeat 4 [ forward :a right 90 ] left 45 ]\r\n"
                               "end\r\n\r\n\r\n"
                               "to bos\r\n"
                               "end\r\n\r\n\r\n");
    EXPECT_EQ(FilesInDir(), std::vector<std::string>{"out.lgo"});
}

TEST_F(ProgramFilesTest, CommandsConvertToPlainLogo) {
    const ProcedureStore store = StoreOf({{"kare :a", ""}});
    EXPECT_EQ(ConvertCommandToLogo(store, "  forward   10 "), "forward 10");
    EXPECT_EQ(ConvertCommandToLogo(store, "kare 5"), "kare 5");
    EXPECT_EQ(ConvertCommandToLogo(store, "repeat 3 [ forward 1;;right 2; ] "),
              "repeat 3 [ forward 1 right 2 ]");
    EXPECT_EQ(ConvertCommandToLogo(store, "repeat 3 [ ]"), "");
    EXPECT_EQ(ConvertCommandToLogo(store, "tekrar 2 [ forward 1 ] right 2]"),
              "tekrar 2 [ forward 1 ] right 2]");
    EXPECT_EQ(ConvertCommandToLogo(store, "repeat 3"), "");
    EXPECT_EQ(ConvertCommandToLogo(store, "x := 5"), "");
    EXPECT_EQ(ConvertCommandToLogo(store, "bilinmez 5"), "");
    EXPECT_EQ(ConvertCommandToLogo(store, ""), "");
}

// ---- Plain Logo import ----

TEST_F(ProgramFilesTest, ImportConvertsProceduresAndCommands) {
    const std::string path = PathOf("in.lgo");
    WriteBytes(path, "; a comment before any procedure\n"
                     "\n"
                     "TO KARE\n"
                     "  fd 100\n"
                     "cs\n"
                     "repeat 4 [fd 100 rt 90]\n"
                     "show [not known]\n"
                     "setpc [255 0 0]\n"
                     "END\n"
                     "\n"
                     "to ucgen :s\n"
                     "repeat 2 [repeat 4 [fd 10] rt 90]\n"
                     "cs fd 5\n"
                     "end\n");
    ProcedureStore store = StoreOf({{"old", "old\n"}});
    ASSERT_TRUE(ImportLogoText(store, path, LogoTextKind::Native));
    EXPECT_EQ(store.Headers(), (StringList{"KARE", "ucgen :s"}));
    EXPECT_EQ(store.Bodies(), (StringList{"fd 100\n"
                                          "et;pd;sol 90;\n"
                                          "tekrar 4 [ fd 100 ; rt 90 ]\n"
                                          "setpc [255 0 0]\n",
                                          "tekrar 2 [ tekrar 4 [ fd 10 ] ; rt 90 ]\n"
                                          "et;pd;sol 90; fd 5\n"}));
}

TEST_F(ProgramFilesTest, ImportKeepsCallsToProceduresDefinedLater) {
    const std::string path = PathOf("later.lgo");
    WriteBytes(path, "to main\nsquare 50\nrepeat 2 [square 10 fd 5]\nend\n"
                     "to square :s\nrepeat 4 [fd :s rt 90]\nend\n");
    ProcedureStore store;
    ASSERT_TRUE(ImportLogoText(store, path, LogoTextKind::Native));
    EXPECT_EQ(store.Bodies(), (StringList{"square 50\ntekrar 2 [ square 10 ; fd 5 ]\n",
                                          "tekrar 4 [ fd :s ; rt 90 ]\n"}));
}

TEST_F(ProgramFilesTest, ImportReadsLfCrLfCrAndAMissingLastLineFeedAlike) {
    const std::string lf = "to a\nfd 1\nrt 2\nend\nto b\nbk 3\nend";
    std::string crlf;
    std::string cr = lf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::replace(cr.begin(), cr.end(), '\n', '\r');
    for (const std::string& bytes : {lf + "\n", lf, crlf + "\r\n", crlf, cr + "\r"}) {
        WriteBytes(PathOf("ends.lgo"), bytes);
        ProcedureStore store;
        ASSERT_TRUE(ImportLogoText(store, PathOf("ends.lgo"), LogoTextKind::Native));
        EXPECT_EQ(store.Headers(), (StringList{"a", "b"}));
        EXPECT_EQ(store.Bodies(), (StringList{"fd 1\nrt 2\n", "bk 3\n"}));
    }
    // A last line without a line feed is processed exactly once.
    WriteBytes(PathOf("open.lgo"), "to a\nfd 1\nrt 2");
    ProcedureStore store;
    ASSERT_TRUE(ImportLogoText(store, PathOf("open.lgo"), LogoTextKind::Native));
    EXPECT_EQ(store.Bodies(), StringList{"fd 1\nrt 2\n"});
}

TEST_F(ProgramFilesTest, ImportBlocksNeverShiftBodies) {
    const std::string path = PathOf("blocks.lgo");
    WriteBytes(path, "end\n" // a stray end before any procedure
                     "to a\nfd 1\nend\n"
                     "to b\nfd 2\nend\n"
                     "to A\nfd 3\nend\n"        // the same name again: the later one wins
                     "to c\nfd 4\n"             // no end: the next "to" closes it
                     "to d\t\nfd 5\n\tfd 6\n"); // tabs count as blanks; no end at all
    ProcedureStore store;
    ASSERT_TRUE(ImportLogoText(store, path, LogoTextKind::Native));
    EXPECT_EQ(store.Headers(), (StringList{"A", "b", "c", "d "}));
    EXPECT_EQ(store.Bodies(), (StringList{"fd 3\n", "fd 2\n", "fd 4\n", "fd 5\nfd 6\n"}));
}

TEST_F(ProgramFilesTest, ImportTakesLongLinesInPiecesOf999Bytes) {
    const std::string first = "fd " + std::string(996, '1'); // 999 bytes
    WriteBytes(PathOf("long.lgo"), "to a\n" + first + "rt 90\nend\n");
    ProcedureStore store;
    ASSERT_TRUE(ImportLogoText(store, PathOf("long.lgo"), LogoTextKind::Native));
    EXPECT_EQ(store.Bodies(), StringList{first + "\nrt 90\n"});
}

TEST_F(ProgramFilesTest, ImportConvertsUtf8AndReadsOtherBytesAsWindows1254) {
    WriteBytes(PathOf("utf8.lgo"), "\xEF\xBB\xBFto şekil\nlabel \"ğüç\nend\n");
    ProcedureStore store;
    ASSERT_TRUE(ImportLogoText(store, PathOf("utf8.lgo"), LogoTextKind::Native));
    EXPECT_EQ(store.Headers(), StringList{"\xFE"
                                          "ekil"});
    EXPECT_EQ(store.Bodies(), StringList{"label \"\xF0\xFC\xE7\n"});

    WriteBytes(PathOf("cp1254.lgo"), "to \xFE"
                                     "ekil\nlabel \"\xF0\xFC\xE7\nend\n");
    ProcedureStore other;
    ASSERT_TRUE(ImportLogoText(other, PathOf("cp1254.lgo"), LogoTextKind::Native));
    EXPECT_EQ(other.Headers(), StringList{"\xFE"
                                          "ekil"});
    EXPECT_EQ(other.Bodies(), StringList{"label \"\xF0\xFC\xE7\n"});
}

TEST_F(ProgramFilesTest, ExportedProgramImportsBack) {
    const ProcedureStore store = StoreOf({
        {"ana", "clearscreen\nforward 10\nrepeat 4 [ forward 10;right 90; ]\n"},
        {"ucgen", "repeat 3 [ forward 50;left 120; ]\n"},
    });
    ASSERT_TRUE(ExportLogoText(store, PathOf("both.lgo")));
    ProcedureStore imported;
    ASSERT_TRUE(ImportLogoText(imported, PathOf("both.lgo")));
    EXPECT_EQ(imported.Headers(), store.Headers());
    EXPECT_EQ(imported.Bodies(),
              (StringList{"clearscreen\nforward 10\ntekrar 4 [ forward 10 ; right 90 ]\n",
                          "tekrar 3 [ forward 50 ; left 120 ]\n"}));
}

// What translation leaves alone (an assignment, a repeat whose count is a
// variable, a list left open, a line whose brackets do not pair up) must
// survive export and import unchanged, so that a second export writes the
// same file.
TEST_F(ProgramFilesTest, ExportAndImportKeepWhatTranslationLeavesAlone) {
    const ProcedureStore store = StoreOf({
        {"zig :n", ":s := 10\n"
                   "tekrar :n [ forward :s ; right 90 ; :s := :s + 2 ]\n"
                   "tekrar :n [ forward [1 2\n"
                   "setpos :x,:y pendown;forward 3 right 30 ]\n"},
    });
    ASSERT_TRUE(ExportLogoText(store, PathOf("first.lgo")));
    const std::string first = ReadBytes(PathOf("first.lgo"));
    EXPECT_NE(first.find("to zig_:n\r\n"
                         ":s := 10\r\n"
                         "repeat :n [ forward :s right 90 :s := :s + 2 ]\r\n"
                         "tekrar :n [ forward [1 2\r\n"
                         "setpos :x,:y pendown;forward 3 right 30 ]\r\n"
                         "end\r\n"),
              std::string::npos);
    ProcedureStore imported;
    ASSERT_TRUE(ImportLogoText(imported, PathOf("first.lgo")));
    EXPECT_EQ(imported.GetBody(0), ":s := 10\n"
                                   "tekrar :n [ forward :s ; right 90 ; :s := :s + 2 ]\n"
                                   "tekrar :n [ forward [1 2\n"
                                   "setpos :x,:y pendown;forward 3 right 30 ]\n");
    ASSERT_TRUE(ExportLogoText(imported, PathOf("second.lgo")));
    EXPECT_EQ(ReadBytes(PathOf("second.lgo")), first);
}

TEST_F(ProgramFilesTest, ExportedArgumentsImportBackAsArguments) {
    const ProcedureStore store = StoreOf({
        {"ana", "kare 10\n"},
        {"kare :a :b", "forward :a\n"},
        {"my_box", "kare 5\n"},
    });
    ASSERT_TRUE(ExportLogoText(store, PathOf("args.lgo")));
    ProcedureStore imported;
    ASSERT_TRUE(ImportLogoText(imported, PathOf("args.lgo")));
    EXPECT_EQ(imported.Headers(), (StringList{"ana", "kare :a :b", "my_box"}));
    EXPECT_EQ(imported.GetBody(0), "kare 10\n");
    EXPECT_EQ(imported.GetBody(2), "kare 5\n");
}

TEST_F(ProgramFilesTest, LinesConvertFromPlainLogo) {
    const ProcedureStore store = StoreOf({{"kare :a", ""}});
    EXPECT_EQ(ConvertLineFromLogo(store, "CS"), "et;pd;sol 90;");
    EXPECT_EQ(ConvertLineFromLogo(store, "cs ; clear"), "et;pd;sol 90;");
    EXPECT_EQ(ConvertLineFromLogo(store, "repeat 4 [fd 10] rt 90"), "tekrar 4 [ fd 10 ] ; rt 90");
    EXPECT_EQ(ConvertLineFromLogo(store, "repeat 4 [fd 10] *x"), "tekrar 4 [ fd 10 ] *x");
    EXPECT_EQ(ConvertLineFromLogo(store, "REPEAT 4 [FD 10 RIGHT 90]"),
              "tekrar 4 [ FD 10 ; RIGHT 90 ]");
    EXPECT_EQ(ConvertLineFromLogo(store, "FILL"), "FILL");
    EXPECT_EQ(ConvertLineFromLogo(store, "repeat 4 []"), "");
    EXPECT_EQ(ConvertLineFromLogo(store, "repeat 4"), "");
    EXPECT_EQ(ConvertLineFromLogo(store, "repeat 2 [10 fd]"), "tekrar 2 [ 10 ; fd ]");
    EXPECT_EQ(ConvertLineFromLogo(store, "setpos [10 20]"), "setpos [10 20]");
    EXPECT_EQ(ConvertLineFromLogo(store, "kare 5"), "kare 5");
    EXPECT_EQ(ConvertLineFromLogo(store, "show 5"), "");
    EXPECT_EQ(ConvertLineFromLogo(store, "   "), "");
}

TEST_F(ProgramFilesTest, DeeplyNestedListsDoNotExhaustTheStack) {
    std::string line;
    for (int i = 0; i < 1000; ++i)
        line += "repeat 2 [";
    line += "fd 1" + std::string(1000, ']');
    const ProcedureStore store;
    const std::string converted = ConvertLineFromLogo(store, line);
    EXPECT_TRUE(converted.starts_with("tekrar 2 [ tekrar 2 [ "));
    EXPECT_NE(converted.find("fd 1"), std::string::npos);
    const std::string exported = ConvertCommandToLogo(store, line);
    EXPECT_TRUE(exported.starts_with("repeat 2 [ repeat 2 [ "));
    EXPECT_NE(exported.find("fd 1"), std::string::npos);
}

TEST_F(ProgramFilesTest, OwnExportsKeepAssignmentsAndReportEveryLineLeftOut) {
    const std::string path = PathOf("own.lgo");
    WriteBytes(path, "; Bu dosya Mivarelo ile olu\xFEturuldu.\r\n"
                     "; This file was created by Mivarelo.\r\n"
                     "\r\n"
                     "to ana\r\n"
                     "x := 5\r\n"
                     "frobnicate 3\r\n"
                     "forward x\r\n"
                     "end\r\n"
                     "; a comment\r\n"
                     "fd 10\r\n");
    ProcedureStore store;
    ConversionReport report;
    ASSERT_TRUE(ImportLogoText(store, path, LogoTextKind::Detect, &report));
    EXPECT_EQ(store.Headers(), StringList{"ana"});
    EXPECT_EQ(store.GetBody(0), "x := 5\nforward x\n");
    ASSERT_EQ(report.Dropped().size(), 2u);
    EXPECT_EQ(report.Dropped()[0].line, 6);
    EXPECT_EQ(report.Dropped()[0].text, "frobnicate 3");
    EXPECT_EQ(report.Dropped()[0].reason, UnknownClassicWordText);
    EXPECT_EQ(report.Dropped()[1].line, 10);
    EXPECT_EQ(report.Dropped()[1].text, "fd 10");
    EXPECT_EQ(report.Dropped()[1].reason, OutsideProcedureText);
    EXPECT_TRUE(report.Notes().empty());
    EXPECT_FALSE(Globals().PreciseTurtle);
}

TEST_F(ProgramFilesTest, AnyOtherPlainLogoFileIsConvertedAsClassicLogo) {
    ResetGlobals();
    const std::string path = PathOf("classic.lgo");
    WriteBytes(path, "to sq :a\r\nrepeat 4 [fd :a rt 90]\r\nend\r\nsq 10\r\n");
    ProcedureStore store;
    ConversionReport report;
    ASSERT_TRUE(ImportLogoText(store, path, LogoTextKind::Detect, &report));
    EXPECT_EQ(store.Headers(), (StringList{Globals().MainProcedureName, "sq :a"}));
    EXPECT_EQ(store.GetBody(0), "reset\nleft 90\nsq 10\n");
    EXPECT_FALSE(report.AnyDropped());
    EXPECT_EQ(report.Notes(), std::vector<ConversionText>{PreciseTurnedOnText});
    EXPECT_TRUE(Globals().PreciseTurtle);
    ResetGlobals();
}

} // namespace
