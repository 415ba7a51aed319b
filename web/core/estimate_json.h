#pragma once

#include "core/estimate.h"
#include "core/warnings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The core as the web page sees it: texts in, compact JSON out. The wasm module and the native
// oracle both speak through these functions, so that their outputs can be compared byte for
// byte.
namespace kalvora::web {

// The texts of one estimate in this order: shapeText, densityText, piecesText,
// dimension1Text, dimension2Text, dimension3Text, priceText, priceBasis.
inline constexpr std::size_t kEstimateTextCount = 8;
using EstimateTexts = std::array<std::string_view, kEstimateTextCount>;

// The input the window would read from these texts; none for a price basis other than
// "PerKilogram" or "PerMetre".
std::optional<EstimateInput> estimateInputFromTexts(const EstimateTexts &texts);

// The result with the field names of the page's core.computeEstimate.
std::string estimateJson(const EstimateResult &result);

std::string warningJson(const Warning &warning);

// The grades, shapes and fixed texts the page shows, and the names of the statuses and fields
// in the order of their enums, all as one JSON object.
std::string catalogueJson();

} // namespace kalvora::web
