#pragma once

#include <string>
#include <string_view>

namespace kalvora {

enum class EstimateStatus;
enum class InputField;

// A warning as the message box shows it: its title and its one-line prompt, in UTF-8.
struct Warning {
    std::string title;
    std::string prompt;
};

// The name a caption gives its field: the caption without its colon.
std::string fieldName(std::string_view caption);

// The warning for an input that cannot give an estimate. It names the faulty field, and for an
// impossible hollow section the external diameter it is measured against, by their captions.
// Each prompt fits one line of the message box, which wraps beyond half the screen's width: a
// 1024-pixel screen at 2x leaves 183 pixels. An estimate that could be made has no warning.
Warning inputWarning(EstimateStatus status, InputField field, std::string_view fieldCaption,
                     std::string_view externalDiameterCaption);

// After an estimate made without a grade or without a shape.
Warning gradeMissingWarning();
Warning shapeMissingWarning();

} // namespace kalvora
