#include "quoted/Clock.h"

#include <chrono>

namespace listorix::quoted {

LocalDateTime SystemClock::now() const
{
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch());
    return romeTimeFromUnix(seconds.count());
}

} // namespace listorix::quoted
