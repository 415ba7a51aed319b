#include "web/core/estimate_json.h"

#include "core/material_grades.h"
#include "core/shapes.h"

#include <cstdio>
#include <span>

namespace kalvora::web {

namespace {

// The names the page uses, indexed by the enums.
constexpr std::array<std::string_view, 6> kStatusNames{
    "Ok", "NotANumber", "TooLarge", "ZeroLength", "InternalDiameterTooLarge", "WallTooThick"};
constexpr std::array<std::string_view, 7> kFieldNames{
    "None", "Density", "Dimension1", "Dimension2", "Dimension3", "Pieces", "Price"};
constexpr std::array<std::string_view, 2> kBasisNames{"PerKilogram", "PerMetre"};

static_assert(static_cast<std::size_t>(EstimateStatus::WallTooThick) + 1 == kStatusNames.size());
static_assert(static_cast<std::size_t>(InputField::Price) + 1 == kFieldNames.size());
static_assert(static_cast<std::size_t>(PriceBasis::PerMetre) + 1 == kBasisNames.size());

template <std::size_t N, class Enum>
std::string_view nameOf(const std::array<std::string_view, N> &names, Enum value) {
    return names.at(static_cast<std::size_t>(value));
}

// Builds one JSON object member by member, in the order they are added.
class JsonObject {
public:
    JsonObject &text(std::string_view key, std::string_view value) {
        return raw(key, quoted(value));
    }
    JsonObject &flag(std::string_view key, bool value) {
        return raw(key, value ? "true" : "false");
    }
    JsonObject &raw(std::string_view key, std::string_view json) {
        out_ += out_.empty() ? "{" : ",";
        out_ += quoted(key);
        out_ += ':';
        out_ += json;
        return *this;
    }
    std::string done() const { return out_.empty() ? "{}" : out_ + "}"; }

    static std::string quoted(std::string_view value) {
        std::string out = "\"";
        for (const char c : value) {
            if (c == '"' || c == '\\') {
                out += '\\';
                out += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                std::array<char, 8> escape{};
                std::snprintf(escape.data(), escape.size(), "\\u%04x", c);
                out += escape.data();
            } else {
                out += c;
            }
        }
        return out + '"';
    }

private:
    std::string out_;
};

template <class Range, class ToJson> std::string jsonArray(const Range &items, ToJson toJson) {
    std::string out = "[";
    for (const auto &item : items) {
        if (out.size() > 1)
            out += ',';
        out += toJson(item);
    }
    return out + ']';
}

std::string gradeJson(const MaterialGrade &grade) {
    return JsonObject()
        .text("name", grade.name)
        .text("densityText", grade.densityText)
        .flag("densityFixed", grade.densityFixed)
        .done();
}

std::string shapeJson(ShapeKind shape) {
    const ShapeLayout &layout = shapeLayout(shape);
    return JsonObject()
        .text("name", shapeDisplayName(shape))
        .raw("rows", jsonArray(layout.rows,
                               [](const RowLayout &row) {
                                   return JsonObject()
                                       .flag("visible", row.visible)
                                       .text("caption", row.caption)
                                       .done();
                               }))
        .flag("perMetreEnabled", layout.perMetreEnabled)
        .text("selectedBasis", nameOf(kBasisNames, layout.selectedBasis))
        .done();
}

std::string namesJson(std::span<const std::string_view> names) {
    return jsonArray(names, [](std::string_view name) { return JsonObject::quoted(name); });
}

} // namespace

std::optional<EstimateInput> estimateInputFromTexts(const EstimateTexts &texts) {
    EstimateInput input;
    input.shape = shapeFromText(texts[0]);
    input.densityText = texts[1];
    input.piecesText = texts[2];
    input.dimension1Text = texts[3];
    input.dimension2Text = texts[4];
    input.dimension3Text = texts[5];
    input.priceText = texts[6];
    if (texts[7] == nameOf(kBasisNames, PriceBasis::PerKilogram))
        input.priceBasis = PriceBasis::PerKilogram;
    else if (texts[7] == nameOf(kBasisNames, PriceBasis::PerMetre))
        input.priceBasis = PriceBasis::PerMetre;
    else
        return std::nullopt;
    return input;
}

std::string estimateJson(const EstimateResult &result) {
    return JsonObject()
        .text("status", nameOf(kStatusNames, result.status))
        .text("faultyField", nameOf(kFieldNames, result.faultyField))
        .flag("pricePanelShown", result.pricePanelShown)
        .flag("gradeMissing", result.gradeMissing)
        .flag("shapeMissing", result.shapeMissing)
        .flag("piecesReset", result.piecesReset)
        .flag("allPiecesShown", result.allPiecesShown)
        .flag("metreWeightShown", result.metreWeightShown)
        .flag("metreCostShown", result.metreCostShown)
        .text("weightPieceLine", result.weightPieceLine)
        .text("weightAllLine", result.weightAllLine)
        .text("weightMetreLine", result.weightMetreLine)
        .text("costPieceLine", result.costPieceLine)
        .text("costAllLine", result.costAllLine)
        .text("costMetreLine", result.costMetreLine)
        .done();
}

std::string warningJson(const Warning &warning) {
    return JsonObject().text("title", warning.title).text("prompt", warning.prompt).done();
}

std::string catalogueJson() {
    return JsonObject()
        .raw("grades", jsonArray(allGrades(), gradeJson))
        .raw("shapes", jsonArray(allShapes(), shapeJson))
        .text("dimensionResetText", kDimensionResetText)
        .raw("gradeMissingWarning", warningJson(gradeMissingWarning()))
        .raw("shapeMissingWarning", warningJson(shapeMissingWarning()))
        .raw("statusNames", namesJson(kStatusNames))
        .raw("fieldNames", namesJson(kFieldNames))
        .done();
}

} // namespace kalvora::web
