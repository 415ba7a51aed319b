// Feeds arbitrary bytes to the number conversions and to computeEstimate for every shape and
// price basis. Any crash, sanitizer report or broken promise below is a finding.
#include "core/estimate.h"
#include "core/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

bool showsNoInfinityOrNan(const std::string &line) {
    return line.find("inf") == std::string::npos && line.find("nan") == std::string::npos;
}

void checkConversions(std::string_view text) {
    if (const auto value = kalvora::parseSingle(text)) {
        check(!std::isnan(*value) && *value >= 0.0f);
        if (std::isfinite(*value))
            check(showsNoInfinityOrNan(kalvora::formatSingle(kalvora::roundTwoDecimals(*value))));
    }
    if (const auto value = kalvora::parseDouble(text)) {
        check(!std::isnan(*value) && *value >= 0.0);
        if (std::isfinite(*value))
            check(showsNoInfinityOrNan(kalvora::formatDouble(*value)));
    }
}

void checkFormatting(const std::uint8_t *data, std::size_t size) {
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        (void)kalvora::formatDouble(value);
        (void)kalvora::roundTwoDecimals(value);
        float narrow;
        std::memcpy(&narrow, data, sizeof narrow);
        const std::string text = kalvora::formatSingle(narrow);
        check(text != "-0");
        (void)kalvora::roundTwoDecimals(narrow);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    checkFormatting(data, size);
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    checkConversions(bytes);

    // The texts: density, pieces, three dimensions, price, separated by new lines.
    std::vector<std::string> texts;
    std::size_t start = 0;
    while (texts.size() < 6) {
        const auto end = bytes.find('\n', start);
        texts.emplace_back(
            bytes.substr(start, end == std::string_view::npos ? bytes.npos : end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    texts.resize(6);

    kalvora::EstimateInput input{std::nullopt, texts[0], texts[1], texts[2],
                                 texts[3],     texts[4], texts[5]};
    for (int shape = -1; shape < 7; ++shape) {
        input.shape =
            shape < 0 ? std::nullopt : std::optional(static_cast<kalvora::ShapeKind>(shape));
        for (const auto basis : {kalvora::PriceBasis::PerKilogram, kalvora::PriceBasis::PerMetre}) {
            input.priceBasis = basis;
            const kalvora::EstimateResult r = kalvora::computeEstimate(input);
            if (r.status != kalvora::EstimateStatus::Ok) {
                check(r.faultyField != kalvora::InputField::None);
                check(r.weightPieceLine.empty());
                continue;
            }
            check(r.shapeMissing == !input.shape);
            for (const std::string *line :
                 {&r.weightPieceLine, &r.weightAllLine, &r.weightMetreLine, &r.costPieceLine,
                  &r.costAllLine, &r.costMetreLine})
                check(showsNoInfinityOrNan(*line));
            check(r.weightPiece >= 0.0f && r.costPiece >= 0.0f);
            check(r.metreWeightShown == r.weightMetre.has_value());
        }
    }
    return 0;
}
