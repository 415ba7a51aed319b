// Prints the core's answers to a fixed sequence of pseudo-random inputs, one record a line, so
// that the wasm build's output can be compared byte for byte with the native build's:
//   C  the catalogue's JSON
//   W  status, field, two captions, the warning's JSON
//   N  a number text, its float and double bits (or -), both values formatted again
//   F, D  the bits of a float, of a double, and its display text
//   E  the eight texts of an estimate, its JSON
// Given "-", it answers the estimates of stdin instead, one a line as eight tab-separated texts,
// with one line of JSON each, or "null" and exit status 1 for a line that is not an estimate.
#include "core/material_grades.h"
#include "core/number_text.h"
#include "core/shapes.h"
#include "web/core/estimate_json.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace {

// splitmix64, our own: the standard distributions differ between libraries.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30U)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27U)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31U);
    }
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }
    const std::string &pick(const std::vector<std::string> &items) {
        return items[below(items.size())];
    }

private:
    std::uint64_t state_;
};

std::string digits(Random &random, std::size_t count, bool leadingNonZero = false) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i)
        out += static_cast<char>(
            '0' + (i == 0 && leadingNonZero ? 1 + random.below(9) : random.below(10)));
    return out;
}

// The midpoint of two neighbouring floats, exactly, or just above or below it: a reading
// through double rounds such a text twice. The midpoint is a double, which both builds' C
// libraries print exactly.
std::string nearFloatTie(Random &random) {
    const auto low = std::bit_cast<float>(
        static_cast<std::uint32_t>(0x30000000U + random.below(0x1a000000U))); // 5E-10 .. 2E+06
    const double midpoint =
        (static_cast<double>(low) + static_cast<double>(std::nextafter(low, 1e30F))) / 2;
    std::array<char, 128> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.80f", midpoint);
    std::string text = buffer.data();
    text.erase(text.find_last_not_of('0') + 1); // ends in its last digit, a 5
    text[text.find('.')] = ',';
    switch (random.below(3)) {
    case 0:
        return text + std::string(random.below(8), '0') + "1";
    case 1:
        text.back() = '4';
        return text + std::string(1 + random.below(8), '9');
    default:
        return text;
    }
}

// One draw a statement: the operands of + are evaluated in no fixed order.
std::string numberText(Random &random) {
    static const std::vector<std::string> fixed{
        "",    ",",   "0",     "0,0",      "0,000",
        ",5",  "12,", "1,2,3", "1.5",      "-1",
        "1e5", " 1",  "abc",   "\xd9\xa1", "340282356779733661637539395458142568448"};
    std::string whole;
    switch (random.below(8)) {
    case 0:
        return random.pick(fixed);
    case 1:
        whole = std::to_string(random.below(10000));
        return whole + "," + digits(random, 1 + random.below(3));
    case 2: // long digit strings
        whole = digits(random, 1 + random.below(30), true);
        return whole + "," + digits(random, random.below(30));
    case 3: // tiny, beyond float, sometimes beyond double
        whole = "0," + std::string(30 + random.below(300), '0');
        return whole + digits(random, 1 + random.below(5), true);
    case 4: {
        const std::size_t spread = random.below(2) == 0 ? 4 : 300;
        return digits(random, 38 + random.below(spread), true); // huge, as above
    }
    case 5:
    case 6:
        return nearFloatTie(random);
    default:
        whole = digits(random, random.below(4));
        return whole + "," + digits(random, random.below(4));
    }
}

std::string dimensionText(Random &random) {
    if (random.below(2) == 0)
        return numberText(random);
    const std::string whole = std::to_string(random.below(2000));
    return whole + "," + digits(random, random.below(3));
}

// The texts live in `store`, which the next call overwrites.
kalvora::web::EstimateTexts estimateTexts(Random &random, std::vector<std::string> &store) {
    static const std::vector<std::string> pieces{"", "0", "1", "2", "12", "1,5", "0000", "007"};
    std::vector<std::string> shapes{"", "Round Bar", "Plate ", "Pipe thk"};
    for (const auto shape : kalvora::allShapes())
        shapes.emplace_back(kalvora::shapeDisplayName(shape));
    std::vector<std::string> densities;
    for (const auto &grade : kalvora::allGrades())
        densities.emplace_back(grade.densityText);
    store = {random.pick(shapes)};
    store.push_back(random.below(4) == 0 ? numberText(random) : random.pick(densities));
    store.push_back(random.below(3) == 0 ? numberText(random) : random.pick(pieces));
    for (int i = 0; i < 3; ++i)
        store.push_back(dimensionText(random));
    store.push_back(random.below(5) == 0 ? "0,00" : dimensionText(random));
    store.emplace_back(random.below(2) == 0 ? "PerKilogram" : "PerMetre");
    kalvora::web::EstimateTexts texts{};
    std::copy(store.begin(), store.end(), texts.begin());
    return texts;
}

template <class T> std::string bits(const std::optional<T> &value) {
    if (!value)
        return "-";
    using Bits = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;
    std::array<char, 32> hex{};
    std::snprintf(hex.data(), hex.size(), "%0*" PRIx64, static_cast<int>(2 * sizeof(T)),
                  static_cast<std::uint64_t>(std::bit_cast<Bits>(*value)));
    return hex.data();
}

template <class T> std::string formatted(const std::optional<T> &value) {
    if (!value)
        return "-";
    if constexpr (sizeof(T) == 4)
        return kalvora::formatSingle(*value);
    else
        return kalvora::formatDouble(*value);
}

std::string answer(const kalvora::web::EstimateTexts &texts) {
    const auto input = kalvora::web::estimateInputFromTexts(texts);
    return input ? kalvora::web::estimateJson(kalvora::computeEstimate(*input)) : "null";
}

// A line of fewer than eight texts ends in no price basis the core knows; one of more, in
// something left over: both are answered "null".
int answerEstimatesOfStdin() {
    int status = 0;
    for (std::string line; std::getline(std::cin, line);) {
        kalvora::web::EstimateTexts texts{};
        std::string_view rest = line;
        for (auto &text : texts) {
            text = rest.substr(0, rest.find('\t'));
            rest.remove_prefix(std::min(text.size() + 1, rest.size()));
        }
        const std::string json = rest.empty() ? answer(texts) : "null";
        std::puts(json.c_str());
        status |= json == "null" ? 1 : 0;
    }
    return status;
}

} // namespace

// Usage: core-compare [ESTIMATES [NUMBERS]], or core-compare -
int main(int argc, char **argv) {
    if (argc > 1 && std::string_view(argv[1]) == "-")
        return answerEstimatesOfStdin();
    const long estimates = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 12000;
    const long numbers = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 8000;
    Random random(20261208);

    std::printf("C\t%s\n", kalvora::web::catalogueJson().c_str());
    const char *const captions[][2] = {
        {"Lenght:", "Ext. diameter:"}, {"", ""}, {R"("Int.\diameter":)", "\xc3\x84u\xc3\x9f:"}};
    for (int status = 0; status <= static_cast<int>(kalvora::EstimateStatus::WallTooThick);
         ++status) {
        for (int field = 0; field <= static_cast<int>(kalvora::InputField::Price); ++field) {
            for (const auto &[fieldCaption, diameterCaption] : captions) {
                const auto warning = kalvora::inputWarning(
                    static_cast<kalvora::EstimateStatus>(status),
                    static_cast<kalvora::InputField>(field), fieldCaption, diameterCaption);
                std::printf("W\t%d\t%d\t%s\t%s\t%s\n", status, field, fieldCaption, diameterCaption,
                            kalvora::web::warningJson(warning).c_str());
            }
        }
    }
    for (long i = 0; i < numbers; ++i) {
        const std::string text = numberText(random);
        const auto single = kalvora::parseSingle(text);
        const auto wide = kalvora::parseDouble(text);
        std::printf("N\t%s\t%s\t%s\t%s\t%s\n", text.c_str(), bits(single).c_str(),
                    bits(wide).c_str(), formatted(single).c_str(), formatted(wide).c_str());
    }
    for (long i = 0; i < numbers / 4; ++i) {
        const std::optional single =
            std::bit_cast<float>(static_cast<std::uint32_t>(random.next()));
        const std::optional wide = std::bit_cast<double>(random.next());
        std::printf("F\t%s\t%s\n", bits(single).c_str(), formatted(single).c_str());
        std::printf("D\t%s\t%s\n", bits(wide).c_str(), formatted(wide).c_str());
    }
    std::vector<std::string> store;
    for (long i = 0; i < estimates; ++i) {
        const auto texts = estimateTexts(random, store);
        std::printf("E");
        for (const auto text : texts)
            std::printf("\t%.*s", static_cast<int>(text.size()), text.data());
        std::printf("\t%s\n", answer(texts).c_str());
    }
    return 0;
}
