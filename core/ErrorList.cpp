#include "core/ErrorList.h"

namespace mivarelo {

namespace {
ErrorList* current = nullptr;
}

ErrorList* SetCurrentErrorList(ErrorList* list) {
    ErrorList* previous = current;
    current = list;
    return previous;
}

ErrorList* CurrentErrorList() { return current; }

} // namespace mivarelo
