#include "core/estimate.h"

#include "core/number_text.h"

#include <cfloat>
#include <cmath>

namespace kalvora {

namespace {

// The circle constant the weights have always been computed with, held as a float.
constexpr float kCircle = 3.142f;
constexpr double kMillimetresPerDecimetre = 100.0f;
constexpr double kMillimetresPerRadiusDecimetre = 200.0f; // a diameter in mm to a radius in dm
constexpr double kMillimetresPerMetre = 1000.0f;
constexpr double kDecimetresPerMetre = 1000.0 / 100.0;

// Why no estimate can be made, and which field to fix.
struct Fault {
    EstimateStatus status;
    InputField field;
};

// The nearest float, when the value fits one; narrowing a larger double is undefined behaviour.
std::optional<float> single(double value) {
    if (!(std::fabs(value) <= static_cast<double>(FLT_MAX)))
        return std::nullopt;
    return static_cast<float>(value);
}

double squared(double x) { return x * x; }

// Area term of a hollow section: outer circle minus inner circle, each formed with k first.
double hollowArea(double outerDiameter, double innerDiameter) {
    const double k = kCircle;
    return squared(outerDiameter / kMillimetresPerRadiusDecimetre) * k -
           squared(innerDiameter / kMillimetresPerRadiusDecimetre) * k;
}

struct Values {
    double density;
    double pieces;
    double d1;
    double d2;
    double d3;
    double price;
};

// Converts the texts the shape reads and checks them, top field first.
std::optional<Fault> readValues(const EstimateInput &input, Values &values) {
    const auto readSingle = [](const std::string &text, InputField field,
                               double &out) -> std::optional<Fault> {
        const auto value = parseSingle(text);
        if (!value)
            return Fault{EstimateStatus::NotANumber, field};
        if (std::isinf(*value))
            return Fault{EstimateStatus::TooLarge, field};
        out = *value;
        return std::nullopt;
    };

    if (auto fault = readSingle(input.densityText, InputField::Density, values.density))
        return fault;
    values.d1 = values.d2 = values.d3 = 0.0;
    if (input.shape) {
        const ShapeKind shape = *input.shape;
        if (auto fault = readSingle(input.dimension1Text, InputField::Dimension1, values.d1))
            return fault;
        if (auto fault = readSingle(input.dimension2Text, InputField::Dimension2, values.d2))
            return fault;
        if (shape == ShapeKind::FlatBar && values.d2 == 0.0)
            return Fault{EstimateStatus::ZeroLength, InputField::Dimension2};
        if ((shape == ShapeKind::PipeByDiameters || shape == ShapeKind::Ring) &&
            values.d2 > values.d1)
            return Fault{EstimateStatus::InternalDiameterTooLarge, InputField::Dimension2};
        if (shape == ShapeKind::PipeByThickness && values.d2 + values.d2 > values.d1)
            return Fault{EstimateStatus::WallTooThick, InputField::Dimension2};
        if (dimensionCount(shape) == 3) {
            if (auto fault = readSingle(input.dimension3Text, InputField::Dimension3, values.d3))
                return fault;
        }
    }
    if (auto fault = readSingle(input.piecesText, InputField::Pieces, values.pieces))
        return fault;
    const auto price = parseDouble(input.priceText);
    if (!price)
        return Fault{EstimateStatus::NotANumber, InputField::Price};
    if (std::isinf(*price))
        return Fault{EstimateStatus::TooLarge, InputField::Price};
    values.price = *price;
    return std::nullopt;
}

// Weight of one piece (kg) before any rounding, and the length read for pricing per metre.
struct PieceGeometry {
    double weight;
    double perMetreWeight; // only for bars and pipes other than the flat bar
    double length;         // mm, only for bars and pipes
};

PieceGeometry pieceGeometry(ShapeKind shape, const Values &v) {
    const double k = kCircle;
    const double rho = v.density;
    switch (shape) {
    case ShapeKind::Plate:
    case ShapeKind::FlatBar: {
        const double weight =
            (((v.d1 / kMillimetresPerDecimetre) * rho) * (v.d2 / kMillimetresPerDecimetre)) *
            (v.d3 / kMillimetresPerDecimetre);
        return {weight, 0.0, v.d2};
    }
    case ShapeKind::RoundBar:
    case ShapeKind::Disc: {
        const double section = (squared(v.d1 / kMillimetresPerRadiusDecimetre) * rho) * k;
        return {section * (v.d2 / kMillimetresPerDecimetre), section * kDecimetresPerMetre, v.d2};
    }
    case ShapeKind::PipeByThickness:
    case ShapeKind::PipeByDiameters:
    case ShapeKind::Ring: {
        const double inner = shape == ShapeKind::PipeByThickness ? v.d1 - (v.d2 + v.d2) : v.d2;
        const double section = hollowArea(v.d1, inner) * rho;
        return {section * (v.d3 / kMillimetresPerDecimetre), section * kDecimetresPerMetre, v.d3};
    }
    }
    return {0.0, 0.0, 0.0};
}

// R(single(x)): the figure rounded to a float, then to two decimals.
std::optional<float> figure(double value) {
    const auto narrowed = single(value);
    if (!narrowed)
        return std::nullopt;
    return roundTwoDecimals(*narrowed);
}

std::optional<Fault> computeFigures(ShapeKind shape, PriceBasis basis, const Values &v,
                                    EstimateResult &r) {
    const Fault weightTooLarge{EstimateStatus::TooLarge, InputField::Dimension1};
    const Fault costTooLarge{EstimateStatus::TooLarge, InputField::Price};
    const Fault allTooLarge{EstimateStatus::TooLarge, InputField::Pieces};

    const PieceGeometry geometry = pieceGeometry(shape, v);
    const auto weightPiece = figure(geometry.weight);
    if (!weightPiece)
        return weightTooLarge;
    r.weightPiece = *weightPiece;
    const double w1 = r.weightPiece;

    const bool pricedPerMetre = hasWeightPerMetre(shape) && basis == PriceBasis::PerMetre;
    const double costBase = pricedPerMetre ? geometry.length / kMillimetresPerMetre : w1;
    const auto costPiece = figure(v.price * costBase);
    if (!costPiece)
        return costTooLarge;
    r.costPiece = *costPiece;

    const auto weightAll = figure(w1 * r.pieces);
    const auto costAll = figure(static_cast<double>(r.costPiece) * r.pieces);
    if (!weightAll || !costAll)
        return allTooLarge;
    r.weightAll = *weightAll;
    r.costAll = *costAll;

    if (!hasWeightPerMetre(shape))
        return std::nullopt;
    // The flat bar's metre comes from its rounded piece weight; its cost uses that quotient
    // unrounded. Bars and pipes with a round section price the rounded metre weight.
    const double flatBarMetre =
        shape == ShapeKind::FlatBar ? w1 / (v.d2 / kMillimetresPerMetre) : 0;
    const auto weightMetre =
        figure(shape == ShapeKind::FlatBar ? flatBarMetre : geometry.perMetreWeight);
    if (!weightMetre)
        return weightTooLarge;
    r.weightMetre = *weightMetre;
    r.metreWeightShown = true;
    if (basis == PriceBasis::PerKilogram) {
        const double metreWeight = shape == ShapeKind::FlatBar ? flatBarMetre : *r.weightMetre;
        const double costMetre = roundTwoDecimals(v.price * metreWeight);
        if (!std::isfinite(costMetre))
            return costTooLarge;
        r.costMetre = costMetre;
        r.metreCostShown = true;
    }
    return std::nullopt;
}

void writeLines(EstimateResult &r) {
    const std::string pieces = formatSingle(r.pieces);
    r.weightPieceLine = "1 pc: " + formatSingle(r.weightPiece) + " Kg";
    r.costPieceLine = "1 pc: " + formatSingle(r.costPiece) + " \u20AC";
    r.weightAllLine = pieces + " pcs: " + formatSingle(r.weightAll) + " Kg";
    r.costAllLine = pieces + " pcs: " + formatSingle(r.costAll) + " \u20AC";
    if (r.weightMetre)
        r.weightMetreLine = "1 meter: " + formatSingle(*r.weightMetre) + " Kg";
    if (r.costMetre)
        r.costMetreLine = "1 meter " + formatDouble(*r.costMetre) + " \u20AC";
}

} // namespace

EstimateResult computeEstimate(const EstimateInput &input) {
    EstimateResult result;
    Values values{};
    const auto reject = [](const Fault &fault) {
        EstimateResult rejected;
        rejected.status = fault.status;
        rejected.faultyField = fault.field;
        return rejected;
    };
    if (auto fault = readValues(input, values))
        return reject(*fault);

    result.pricePanelShown = values.price != 0.0;
    result.gradeMissing = *parseDouble(input.densityText) == 0.0;
    auto pieces = static_cast<float>(values.pieces);
    if (pieces == 0.0f) {
        pieces = 1.0f;
        result.piecesReset = true;
    }
    result.pieces = pieces;
    result.allPiecesShown = pieces != 1.0f;

    if (!input.shape) {
        result.shapeMissing = true;
        return result;
    }
    if (auto fault = computeFigures(*input.shape, input.priceBasis, values, result))
        return reject(*fault);
    writeLines(result);
    return result;
}

} // namespace kalvora
