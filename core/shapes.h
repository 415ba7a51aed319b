#pragma once

#include "core/number_text.h"
#include "core/price_basis.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace kalvora {

// In list order.
enum class ShapeKind { Plate, RoundBar, FlatBar, PipeByThickness, PipeByDiameters, Disc, Ring };

// One of the three dimension rows of the window for one shape.
struct RowLayout {
    bool visible;
    std::string_view caption; // a hidden row gets a caption too
};

struct ShapeLayout {
    std::array<RowLayout, 3> rows;
    bool perMetreEnabled;
    PriceBasis selectedBasis;
};

// Written into all three dimension fields whenever a layout is applied.
inline constexpr std::string_view kDimensionResetText = kZeroTextOneDecimal;

std::span<const ShapeKind> allShapes();
std::string_view shapeDisplayName(ShapeKind shape);
// The shape whose display name equals the text exactly (case, blanks and full stops count).
std::optional<ShapeKind> shapeFromText(std::string_view text);
const ShapeLayout &shapeLayout(ShapeKind shape);

// Bars and pipes have a weight per metre and may be priced per metre.
bool hasWeightPerMetre(ShapeKind shape);
// How many of the three dimension rows the shape reads (2 or 3).
int dimensionCount(ShapeKind shape);

} // namespace kalvora
