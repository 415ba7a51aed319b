// The functions the web page calls in the wasm module (web/src/core.js). Texts come in through
// one input area, each as a 32-bit little-endian byte count followed by its UTF-8 bytes; answers
// go out as NUL-terminated UTF-8 (JSON where they are not a number), valid until the next call.
#include "core/estimate.h"
#include "core/key_rules.h"
#include "core/material_grades.h"
#include "core/shapes.h"
#include "core/warnings.h"
#include "web/core/estimate_json.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#define KALVORA_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

std::vector<unsigned char> inputArea;
std::string answer;

// The first N texts of the input area; a text cut short by the area's end is cut there.
template <std::size_t N> std::array<std::string_view, N> inputTexts() {
    std::array<std::string_view, N> texts{};
    std::size_t at = 0;
    for (auto &text : texts) {
        std::uint32_t length = 0;
        if (inputArea.size() - at < sizeof length)
            break;
        std::memcpy(&length, inputArea.data() + at, sizeof length);
        at += sizeof length;
        length = static_cast<std::uint32_t>(std::min<std::size_t>(length, inputArea.size() - at));
        text = {reinterpret_cast<const char *>(inputArea.data() + at), length};
        at += length;
    }
    return texts;
}

const char *answerWith(std::string json) {
    answer = std::move(json);
    return answer.c_str();
}

} // namespace

// Room for `bytes` bytes of texts; the page writes them there before the call that reads them.
KALVORA_EXPORT(kalvora_input_area) unsigned char *kalvoraInputArea(std::uint32_t bytes) {
    inputArea.assign(bytes, 0);
    return inputArea.data();
}

KALVORA_EXPORT(kalvora_catalogue) const char *kalvoraCatalogue() {
    return answerWith(kalvora::web::catalogueJson());
}

// Reads the eight texts of an estimate; an unknown price basis gives an empty answer.
KALVORA_EXPORT(kalvora_estimate) const char *kalvoraEstimate() {
    const auto input =
        kalvora::web::estimateInputFromTexts(inputTexts<kalvora::web::kEstimateTextCount>());
    return answerWith(input ? kalvora::web::estimateJson(kalvora::computeEstimate(*input)) : "");
}

// The list index of the grade named by the one text, or -1.
KALVORA_EXPORT(kalvora_grade_index) int kalvoraGradeIndex() {
    const auto grade = kalvora::gradeFromText(inputTexts<1>()[0]);
    const auto grades = kalvora::allGrades();
    for (std::size_t i = 0; grade && i < grades.size(); ++i) {
        if (grades[i].name == grade->name)
            return static_cast<int>(i);
    }
    return -1;
}

// The list index of the shape named by the one text, or -1.
KALVORA_EXPORT(kalvora_shape_index) int kalvoraShapeIndex() {
    const auto shape = kalvora::shapeFromText(inputTexts<1>()[0]);
    const auto shapes = kalvora::allShapes();
    for (std::size_t i = 0; shape && i < shapes.size(); ++i) {
        if (shapes[i] == *shape)
            return static_cast<int>(i);
    }
    return -1;
}

// Reads the faulty field's caption and the external diameter's caption.
KALVORA_EXPORT(kalvora_input_warning) const char *kalvoraInputWarning(int status, int field) {
    const auto captions = inputTexts<2>();
    const bool known = status >= 0 &&
                       status <= static_cast<int>(kalvora::EstimateStatus::WallTooThick) &&
                       field >= 0 && field <= static_cast<int>(kalvora::InputField::Price);
    if (!known)
        return answerWith("");
    return answerWith(kalvora::web::warningJson(
        kalvora::inputWarning(static_cast<kalvora::EstimateStatus>(status),
                              static_cast<kalvora::InputField>(field), captions[0], captions[1])));
}

KALVORA_EXPORT(kalvora_decimal_field_key) int kalvoraDecimalFieldKey(int code) {
    return kalvora::decimalFieldKey(code);
}

KALVORA_EXPORT(kalvora_pieces_field_key) int kalvoraPiecesFieldKey(int code) {
    return kalvora::piecesFieldKey(code);
}
