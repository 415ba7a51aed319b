#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace kalvora {

struct MaterialGrade {
    std::string_view name;        // display name, also the lookup key
    std::string_view densityText; // kg/dm3 as the density field shows it
    bool densityFixed;            // false only for "Other", whose density the user types
};

// The sixteen grades in list order.
std::span<const MaterialGrade> allGrades();

// The grade whose name equals the text exactly (case and blanks count), or none.
std::optional<MaterialGrade> gradeFromText(std::string_view text);

} // namespace kalvora
