#pragma once

namespace kalvora {

// How the price text is read.
enum class PriceBasis {
    PerKilogram, // price per kilogram of material
    PerMetre,    // price per metre of bar or pipe
};

} // namespace kalvora
