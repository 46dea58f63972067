// mivarelo-run's error lines carry the body line of the procedure that holds
// the failing command, also inside bracketed lists and called procedures.
#include "RunnerProcess.h"

#include <QJsonArray>

namespace {

using namespace runner_test;

TEST(ErrorLineRunnerTest, ListsAndCalledProceduresReportTheirBodyLines) {
    const RunResult r = RunRunner({"--english", "--no-accept-space", "--no-autocorrect", "--define",
                                   "kare :a", "fd :a\nrepeat 2 [rt 90 ; qq]", "-e", "fd 1", "-e",
                                   "kare 5", "-e", "repeat 1 [if 1 < 2 [ww]]", "--state"});
    EXPECT_EQ(r.exitCode, 1);
    const QString qq = "Unknown command: 'qq' ( line = 2 ) ";
    const QString ww = "Unknown command: 'ww' ( line = 3 ) ";
    EXPECT_EQ(QString::fromUtf8(r.err), qq + "\n" + qq + "\n" + ww + "\n");
    const QJsonObject s = StateOf(r);
    EXPECT_EQ(s["errors"].toArray(), QJsonArray({qq, qq, ww}));
    EXPECT_EQ(s["x"].toInt(), 506);
    EXPECT_EQ(s["y"].toInt(), 500);
    EXPECT_EQ(s["heading"].toDouble(), 180.0);
}

TEST(ErrorLineRunnerTest, TurkishLinesNumberARepeatByItsOwnLine) {
    const RunResult r = RunRunner({"--no-accept-space", "--no-autocorrect", "-e", "ileri 1", "-e",
                                   "", "-e", "tekrar 3 [sa\xC4\x9F 90 ; foo]"});
    EXPECT_EQ(r.exitCode, 1);
    const QByteArray line = "Bilinmeyen komut: 'foo' ( sat\xC4\xB1r = 3 ) \n";
    EXPECT_EQ(r.err, line + line + line);
}

} // namespace
