#include "core/warnings.h"

#include "core/estimate.h"

namespace kalvora {

namespace {

std::string quoted(std::string_view caption) { return '"' + fieldName(caption) + '"'; }

} // namespace

std::string fieldName(std::string_view caption) {
    if (caption.ends_with(':'))
        caption.remove_suffix(1);
    return std::string(caption);
}

Warning inputWarning(EstimateStatus status, InputField field, std::string_view fieldCaption,
                     std::string_view externalDiameterCaption) {
    const std::string name = quoted(fieldCaption);
    switch (status) {
    case EstimateStatus::NotANumber:
        return {"Not a number", field == InputField::Pieces ? "Type a whole number in " + name
                                                            : "Type a number in " + name};
    case EstimateStatus::TooLarge:
        return {"Value too large", "Make " + name + " smaller"};
    case EstimateStatus::ZeroLength:
        return {"Length not set", name + " must not be zero"};
    case EstimateStatus::InternalDiameterTooLarge:
        return {"Section not possible", name + " > " + quoted(externalDiameterCaption)};
    case EstimateStatus::WallTooThick:
        // The multiplication sign in UTF-8, spelt out so that no compiler's source charset
        // can change it.
        return {"Section not possible",
                "2 \xc3\x97 " + name + " > " + quoted(externalDiameterCaption)};
    case EstimateStatus::Ok:
        break;
    }
    return {};
}

Warning gradeMissingWarning() { return {"Grade not set", "Choose grade"}; }

Warning shapeMissingWarning() { return {"Shape not set", "Choose shape"}; }

} // namespace kalvora
