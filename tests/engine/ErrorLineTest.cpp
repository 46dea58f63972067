// Error lines point at the line the user wrote: a bracketed list at any depth
// takes the body line that started it, a called procedure numbers its own
// body lines, and each entry knows which procedure holds that line.
#include "InterpreterFixture.h"

namespace mivarelo::testing {
namespace {

// One error-list entry and where the run stood when it was added, read the
// way the desktop's error list reads it.
struct PlacedLine {
    std::string text;
    int procedure;
    int line;
    bool operator==(const PlacedLine&) const = default;
};

std::ostream& operator<<(std::ostream& out, const PlacedLine& p) {
    return out << "{\"" << p.text << "\", procedure " << p.procedure << ", line " << p.line << "}";
}

class PlacingErrorList : public ErrorList {
public:
    void AddErrorLine(const std::string& line) override {
        lines.push_back({line, Globals().RunningProcedure, Globals().CurrentLineNumber});
    }
    std::vector<PlacedLine> lines;
};

class ErrorLineTest : public InterpreterFixture {
protected:
    void SetUp() override {
        InterpreterFixture::SetUp();
        if (IsSkipped()) return;
        SetCurrentErrorList(&placed_);
        Globals().AcceptSpace = false;
        Globals().AutoCorrectErrors = false;
    }

    static PlacedLine Unknown(const std::string& word, int procedure, int line) {
        return {"Unknown command: '" + word + "' ( line = " + std::to_string(line) + " ) ",
                procedure, line};
    }

    PlacingErrorList placed_;
};

TEST_F(ErrorLineTest, AListTakesTheLineThatStartedIt) {
    Run("fd 1\n\nrepeat 3 [rt 90 ; foo]\nfd 2\n");
    const PlacedLine foo = Unknown("foo", 0, 3);
    EXPECT_EQ(placed_.lines, (std::vector<PlacedLine>{foo, foo, foo}));
    EXPECT_EQ(Globals().LastErrorLine, 3);
    // The list ran to its end: three turns and both moves.
    EXPECT_FLOAT_EQ(Heading(), 270.0f);
    EXPECT_EQ(X(), 501);
    EXPECT_EQ(Y(), 498);
}

TEST_F(ErrorLineTest, NestedListsOfEveryKindKeepTheOuterLine) {
    Run("x := 0\n"
        "repeat 2 [if 1 < 2 [repeat 1 [qq]]]\n"
        "; a skipped line still counts\n"
        "for [i := 1; i < 2; i := i + 1] [test i > 1 ; iftrue [zz]]\n"
        "test 1 > 2\n"
        "iffalse [repeat 1 [if 2 > 1 [ww]]]\n");
    EXPECT_EQ(placed_.lines, (std::vector<PlacedLine>{Unknown("qq", 0, 2), Unknown("qq", 0, 2),
                                                      Unknown("zz", 0, 4), Unknown("ww", 0, 6)}));
    EXPECT_EQ(Globals().LastErrorLine, 6);
}

TEST_F(ErrorLineTest, ACalledProcedureNumbersItsOwnBodyLines) {
    Define("kare :a", "fd :a\nrepeat 1 [ee]\nqq\n");
    // "rr" runs before the call's first line: a call only starts its body.
    Run("kare 5\nrepeat 2 [kare 1 ; rr]\nww\n");
    const PlacedLine ee = Unknown("ee", 1, 2);
    const PlacedLine qq = Unknown("qq", 1, 3);
    const PlacedLine rr = Unknown("rr", 0, 2);
    EXPECT_EQ(placed_.lines,
              (std::vector<PlacedLine>{ee, qq, rr, ee, qq, rr, ee, qq, Unknown("ww", 0, 3)}));
    EXPECT_EQ(X(), 507);
    EXPECT_EQ(Globals().LastErrorLine, 3);
    EXPECT_EQ(Globals().RunningProcedure, -1);
}

TEST_F(ErrorLineTest, ProceduresCalledFromListsAndFromEachOther) {
    Define("outer", "\ninner\nrepeat 2 [inner ; oo]\n");
    Define("inner", "ii\n");
    Run("if 1 < 2 [outer]\n");
    const PlacedLine ii = Unknown("ii", 2, 1);
    const PlacedLine oo = Unknown("oo", 1, 3);
    EXPECT_EQ(placed_.lines, (std::vector<PlacedLine>{ii, oo, ii, oo, ii}));
}

TEST_F(ErrorLineTest, GraphicalModeLinesCountAsMainProcedureLines) {
    engine_->Procedures().SetBody(0, "fd 10\nrt 90\n");
    EXPECT_TRUE(engine_->SetMainProcedureAndRun("repeat 2 [qq]\n"));
    Runner().RunToEnd(false);
    EXPECT_EQ(Globals().RunningProcedure, -1);
    EXPECT_TRUE(engine_->SetMainProcedureAndRun("zz\n"));
    Runner().RunToEnd(false);
    EXPECT_EQ(placed_.lines, (std::vector<PlacedLine>{Unknown("qq", 0, 3), Unknown("qq", 0, 3),
                                                      Unknown("zz", 0, 4)}));
    EXPECT_EQ(engine_->Procedures().GetBody(0), "fd 10\nrt 90\nrepeat 2 [qq]\nzz\n");
    EXPECT_EQ(Globals().LastErrorLine, 4);
}

TEST_F(ErrorLineTest, NothingRunsBeforeOrAfterARun) {
    EXPECT_EQ(Globals().RunningProcedure, -1);
    Define("kare", "qq\n");
    Start("kare\n");
    EXPECT_EQ(Globals().RunningProcedure, -1);
    Runner().Step(); // the main procedure's line "kare"
    EXPECT_EQ(Globals().RunningProcedure, 0);
    Runner().RunToEnd(false);
    EXPECT_EQ(placed_.lines, (std::vector<PlacedLine>{Unknown("qq", 1, 1)}));
    EXPECT_EQ(Globals().RunningProcedure, -1);
}

} // namespace
} // namespace mivarelo::testing
