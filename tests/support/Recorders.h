#pragma once
// Test doubles for the process-wide hooks of the core: each installs itself
// while it lives and puts back what was installed before.
#include "core/VariableStore.h"
#include "core/ErrorList.h"
#include "core/Notifier.h"

#include <string>
#include <vector>

namespace mivarelo::support {

// Records every message as "caption: text" and counts the beeps.
class RecordingNotifier : public Notifier {
public:
    RecordingNotifier() : previous_(SetNotifier(this)) {}
    ~RecordingNotifier() override { SetNotifier(previous_); }
    RecordingNotifier(const RecordingNotifier&) = delete;
    RecordingNotifier& operator=(const RecordingNotifier&) = delete;

    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.push_back(caption + ": " + text);
    }
    void Beep() override { ++beeps; }

    std::vector<std::string> messages;
    int beeps = 0;

private:
    Notifier* previous_;
};

// Records the lines written to the current command window's error list.
class RecordingErrorList : public ErrorList {
public:
    RecordingErrorList() : previous_(SetCurrentErrorList(this)) {}
    ~RecordingErrorList() override { SetCurrentErrorList(previous_); }
    RecordingErrorList(const RecordingErrorList&) = delete;
    RecordingErrorList& operator=(const RecordingErrorList&) = delete;

    void AddErrorLine(const std::string& line) override { lines.push_back(line); }

    std::vector<std::string> lines;

private:
    ErrorList* previous_;
};

// A fresh variable store serving as the process-wide one.
class ScopedVariableStore {
public:
    ScopedVariableStore() : previous_(SetVariableStore(&store)) {}
    ~ScopedVariableStore() { SetVariableStore(previous_); }
    ScopedVariableStore(const ScopedVariableStore&) = delete;
    ScopedVariableStore& operator=(const ScopedVariableStore&) = delete;

    VariableStore store;

private:
    VariableStore* previous_;
};

} // namespace mivarelo::support
