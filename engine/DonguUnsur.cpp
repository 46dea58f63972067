#include "engine/DonguUnsur.h"

#include "engine/Conditions.h"

namespace mivarelo {

bool DonguUnsur::CheckLoop() const {
    if (Condition.empty()) return false;
    Cursor cursor(Condition);
    return (ConditionValue(cursor) != 0) == ContinueWhen;
}

} // namespace mivarelo
