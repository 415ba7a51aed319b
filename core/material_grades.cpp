#include "core/material_grades.h"

#include <algorithm>
#include <array>

namespace kalvora {

namespace {

// In list order, which is neither alphabetical nor by density.
// clang-format off
constexpr std::array<MaterialGrade, 16> kGrades{{
    // name                         densityText  densityFixed
    {"UNS S31803-F51-Duplex",       "7,81",      true},
    {"UNS S32760-F55-Superduplex",  "7,81",      true},
    {"UNS S31254-F44-254 SMO",      "8,00",      true},
    {"UNS N08904-904L",             "8,00",      true},
    {"UNS S32750-F53-Superduplex",  "7,81",      true},
    {"UNS S20910-XM 19",            "7,88",      true},
    {"Carbon steel",                "7,85",      true},
    {"AISI 300 series",             "8,00",      true},
    {"Aluminium",                   "2,70",      true},
    {"Nickel 200/201",              "8,89",      true},
    {"Nickel alloy C276/C22",       "8,89",      true},
    {"Nickel alloy 600/625",        "8,44",      true},
    {"Nickel alloy 825",            "8,18",      true},
    {"Tantalum",                    "16,70",     true},
    {"Titanium",                    "4,51",      true},
    {"Other",                       "0,00",      false},
}};
// clang-format on

} // namespace

std::span<const MaterialGrade> allGrades() { return kGrades; }

std::optional<MaterialGrade> gradeFromText(std::string_view text) {
    const auto *const found =
        std::find_if(kGrades.begin(), kGrades.end(),
                     [text](const MaterialGrade &grade) { return grade.name == text; });
    if (found == kGrades.end())
        return std::nullopt;
    return *found;
}

} // namespace kalvora
