#include "engine/TurtleState.h"

#include <cfloat>
#include <climits>
#include <cmath>

namespace mivarelo {

void TurtleState::Reset() {
    const int homeX = HomeX;
    const int homeY = HomeY;
    *this = TurtleState();
    HomeX = homeX;
    HomeY = homeY;
}

QPointF TurtleState::ExactPosition() const {
    const QPointF exact(ExactX, ExactY);
    return NearestPixel(exact) == Position() ? exact : QPointF(Position());
}

int TruncToInt(long double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<long double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<long double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

QPoint MovePoint(QPoint from, int distance, float heading) {
    // The factor 1/180 is multiplied in as an extended constant rather than
    // dividing by 180; the last bit of the result depends on it.
    const long double radians =
        static_cast<long double>(heading) * 3.14159265358979L * (1.0L / 180.0L);
    const long double x = std::cos(radians) * distance + from.x() + 0.5L;
    const long double y = std::sin(radians) * distance + from.y() + 0.5L;
    return {TruncToInt(x), TruncToInt(y)};
}

QPointF MovePointExactly(QPointF from, long double distance, float heading) {
    const long double radians =
        static_cast<long double>(heading) * 3.14159265358979L * (1.0L / 180.0L);
    return {static_cast<double>(std::cos(radians) * distance + from.x()),
            static_cast<double>(std::sin(radians) * distance + from.y())};
}

QPoint NearestPixel(QPointF point) {
    return {TruncToInt(std::floor(static_cast<long double>(point.x()) + 0.5L)),
            TruncToInt(std::floor(static_cast<long double>(point.y()) + 0.5L))};
}

bool FitsFloat(long double value) {
    return !std::isnan(value) && std::fabs(value) <= FLT_MAX;
}

float TurnLeft(float heading, double angle) {
    const long double turned = static_cast<long double>(heading) - angle;
    if (!FitsFloat(turned)) return heading;
    float h = static_cast<float>(turned);
    if (h > 360.0f) h -= 360.0f;
    if (h < 0.0f) h += 360.0f;
    return h;
}

float TurnRight(float heading, double angle) {
    const long double turned = static_cast<long double>(heading) + angle;
    if (!FitsFloat(turned)) return heading;
    float h = static_cast<float>(turned);
    if (h > 360.0f) h -= 360.0f;
    return h;
}

} // namespace mivarelo
