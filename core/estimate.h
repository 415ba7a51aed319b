#pragma once

#include "core/price_basis.h"
#include "core/shapes.h"

#include <optional>
#include <string>

namespace kalvora {

// The texts of one calculation, exactly as they stand in their fields.
struct EstimateInput {
    std::optional<ShapeKind> shape;
    std::string densityText;
    std::string piecesText;
    std::string dimension1Text;
    std::string dimension2Text;
    std::string dimension3Text;
    std::string priceText;
    PriceBasis priceBasis = PriceBasis::PerKilogram;
};

// The inputs, in the order the window shows them from top to bottom.
enum class InputField { None, Density, Dimension1, Dimension2, Dimension3, Pieces, Price };

// Whether an estimate could be made, and if not, what is wrong with `EstimateResult::faultyField`.
enum class EstimateStatus {
    Ok,
    NotANumber,               // the text is not a decimal-comma number
    TooLarge,                 // the value, or a figure it leads to, does not fit a float
    ZeroLength,               // a flat bar of length zero has no weight per metre
    InternalDiameterTooLarge, // a hollow section whose hole is wider than the section
    WallTooThick,             // a pipe wall thicker than half the external diameter
};

struct EstimateResult {
    EstimateStatus status = EstimateStatus::Ok;
    InputField faultyField = InputField::None; // the first faulty field from the top

    bool pricePanelShown = false;
    bool gradeMissing = false;
    bool shapeMissing = false;
    float pieces = 1.0f;
    bool piecesReset = false;
    bool allPiecesShown = false;

    float weightPiece = 0.0f;
    float costPiece = 0.0f;
    float weightAll = 0.0f;
    float costAll = 0.0f;
    std::optional<float> weightMetre;
    std::optional<double> costMetre;
    bool metreWeightShown = false;
    bool metreCostShown = false;

    std::string weightPieceLine;
    std::string weightAllLine;
    std::string weightMetreLine;
    std::string costPieceLine;
    std::string costAllLine;
    std::string costMetreLine;
};

// One estimate, without side effects. The figures and lines are set only when the status is Ok
// and a shape is given; the flags are set whenever the status is Ok.
EstimateResult computeEstimate(const EstimateInput &input);

} // namespace kalvora
