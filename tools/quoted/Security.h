#pragma once

#include <cstdint>
#include <string>

namespace listorix::quoted {

enum class Category
{
    Index,
    Share,
    Bond,
    Derivative,
    Fund
};

// One security the service knows: its reference data, the centre its prices wander around.
struct Security
{
    std::string symbol;
    std::string name;
    Category category = Category::Share;
    double referencePrice = 0.0;
    std::int64_t dailyVolume = 0;
};

} // namespace listorix::quoted
