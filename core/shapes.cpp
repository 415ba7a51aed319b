#include "core/shapes.h"

#include <algorithm>

namespace kalvora {

namespace {

struct ShapeEntry {
    ShapeKind kind;
    std::string_view displayName;
    ShapeLayout layout;
};

constexpr RowLayout shown(std::string_view caption) { return {true, caption}; }
constexpr RowLayout hidden(std::string_view caption) { return {false, caption}; }

constexpr PriceBasis kPerKg = PriceBasis::PerKilogram;
constexpr PriceBasis kPerM = PriceBasis::PerMetre;

// In list order. "Lenght", "Widht", "non usata" and the colon missing after the disc's
// "Thickness" are the captions users know; keep them.
// clang-format off
constexpr std::array<ShapeEntry, 7> kShapes{{
    // kind                        name         row 1                     row 2                     row 3                  per metre  selected
    {ShapeKind::Plate,           "Plate",     {{{shown("Lenght:"),        shown("Widht:"),          shown("Thickness:")}}, false, kPerKg}},
    {ShapeKind::RoundBar,        "Round bar", {{{shown("Diameter:"),      shown("Lenght:"),         hidden("non usata")}}, true,  kPerKg}},
    {ShapeKind::FlatBar,         "Flat bar",  {{{shown("Widht:"),         shown("Lenght:"),         shown("Thickness:")}}, true,  kPerKg}},
    {ShapeKind::PipeByThickness, "Pipe thk.", {{{shown("Ext. diameter:"), shown("Thickness:"),      shown("Lenght:")}},    true,  kPerM}},
    {ShapeKind::PipeByDiameters, "Pipe dia.", {{{shown("Ext. diameter:"), shown("Int. diameter:"),  shown("Lenght:")}},    true,  kPerM}},
    {ShapeKind::Disc,            "Disc",      {{{shown("Diameter:"),      shown("Thickness"),       hidden("non usata")}}, false, kPerKg}},
    {ShapeKind::Ring,            "Ring",      {{{shown("Ext. diameter:"), shown("Int. diameter:"),  shown("Thickness:")}}, false, kPerKg}},
}};
// clang-format on

constexpr std::array<ShapeKind, 7> kListOrder{
    ShapeKind::Plate,           ShapeKind::RoundBar, ShapeKind::FlatBar, ShapeKind::PipeByThickness,
    ShapeKind::PipeByDiameters, ShapeKind::Disc,     ShapeKind::Ring};

const ShapeEntry &entryOf(ShapeKind shape) { return kShapes[static_cast<std::size_t>(shape)]; }

constexpr bool tableFollowsEnum() {
    for (std::size_t i = 0; i < kShapes.size(); ++i)
        if (kShapes[i].kind != kListOrder[i] || static_cast<std::size_t>(kListOrder[i]) != i)
            return false;
    return true;
}
static_assert(tableFollowsEnum(), "the shape table is indexed by ShapeKind");

} // namespace

std::span<const ShapeKind> allShapes() { return kListOrder; }

std::string_view shapeDisplayName(ShapeKind shape) { return entryOf(shape).displayName; }

std::optional<ShapeKind> shapeFromText(std::string_view text) {
    const auto *const found =
        std::find_if(kShapes.begin(), kShapes.end(),
                     [text](const ShapeEntry &entry) { return entry.displayName == text; });
    if (found == kShapes.end())
        return std::nullopt;
    return found->kind;
}

const ShapeLayout &shapeLayout(ShapeKind shape) { return entryOf(shape).layout; }

bool hasWeightPerMetre(ShapeKind shape) {
    return shape == ShapeKind::RoundBar || shape == ShapeKind::FlatBar ||
           shape == ShapeKind::PipeByThickness || shape == ShapeKind::PipeByDiameters;
}

int dimensionCount(ShapeKind shape) { return entryOf(shape).layout.rows[2].visible ? 3 : 2; }

} // namespace kalvora
