#pragma once
// A fresh engine with the English interface texts and an error list that
// records its lines, for the interpreter and dispatcher tests.
#include "core/ErrorList.h"
#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "engine/LogoEngine.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace mivarelo::testing {

class RecordingErrorList : public ErrorList {
public:
    void AddErrorLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

class InterpreterFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        SetLanguageDirectory("");
        Globals().EnglishInterface = true;
        engine_ = std::make_unique<LogoEngine>();
        if (!LoadLanguageModule(&engine_->Procedures()))
            GTEST_SKIP() << "language files are not beside the test program";
        previousList_ = SetCurrentErrorList(&errors_);
        engine_->NewProgram();
    }

    void TearDown() override {
        engine_.reset();
        SetCurrentErrorList(previousList_);
        ResetGlobals();
    }

    // Makes `body` the main procedure and runs it to the end, skipping waits.
    void Run(const std::string& body) {
        Start(body);
        Runner().RunToEnd(false);
    }

    void Start(const std::string& body) {
        engine_->Procedures().SetBody(0, body);
        engine_->StartRun(0);
    }

    void Define(const std::string& header, const std::string& body) {
        engine_->Procedures().AddProcedure(header, body);
    }

    double Var(const std::string& name) const { return engine_->Variables().GetVariable(name); }
    int X() const { return engine_->Screen().State().TurtleX; }
    int Y() const { return engine_->Screen().State().TurtleY; }
    float Heading() const { return engine_->Screen().State().Heading; }
    Interpreter& Runner() { return engine_->Runner(); }
    LineDispatcher& Dispatcher() { return engine_->Dispatcher(); }
    int FrameCount() { return engine_->Variables().Frames().Count(); }

    std::unique_ptr<LogoEngine> engine_;
    RecordingErrorList errors_;
    ErrorList* previousList_ = nullptr;
};

} // namespace mivarelo::testing
