#include <chrono>

#include "map/MapLog.h"

namespace orvane {

long long TickCount() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace orvane
