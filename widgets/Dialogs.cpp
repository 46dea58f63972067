#include "widgets/Dialogs.h"

#include "widgets/WidgetDialogs.h"

namespace mivarelo {

namespace {

WidgetDialogs& WidgetInstance() {
    static WidgetDialogs dialogs;
    return dialogs;
}

Dialogs* current = nullptr;

} // namespace

Dialogs& CurrentDialogs() {
    return current ? *current : WidgetInstance();
}

Dialogs* SetDialogs(Dialogs* dialogs) {
    Dialogs* previous = current;
    current = dialogs;
    return previous;
}

} // namespace mivarelo
