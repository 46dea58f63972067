#include "core/Notifier.h"

namespace mivarelo {

namespace {
Notifier* current = nullptr;
}

Notifier* SetNotifier(Notifier* n) {
    Notifier* previous = current;
    current = n;
    return previous;
}

Notifier* CurrentNotifier() { return current; }

void ShowMessage(const std::string& text, const std::string& caption) {
    if (current) current->ShowMessage(text, caption);
}

void Beep() {
    if (current) current->Beep();
}

} // namespace mivarelo
