#pragma once
// The core never shows a window. Messages and beeps go through the one
// process-wide Notifier; the shell installs a real one, tests a recorder.
// Without a notifier messages are dropped.
#include <string>

namespace mivarelo {

class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    virtual void Beep() = 0;
};

// Installs `n` (may be null) and returns the previous notifier.
Notifier* SetNotifier(Notifier* n);
Notifier* CurrentNotifier();
void ShowMessage(const std::string& text, const std::string& caption);
void Beep();

} // namespace mivarelo
