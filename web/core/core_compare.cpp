// Prints the core's answers to a fixed sequence of pseudo-random inputs, one record a line, so
// that the wasm build's output can be compared byte for byte with the native build's. Records:
//   E  the eight texts of an estimate, then its JSON
//   N  a number text, its float and double bits (or -), and both formatted again
//   F / D  the bits of a float / double, then its display text
//   K  a character code, then what the decimal and the pieces fields make of it
//   W  status, field, two captions, then the warning's JSON
//   C  the catalogue's JSON
// The generator is our own, as the standard distributions differ between libraries.
#include "core/key_rules.h"
#include "core/material_grades.h"
#include "core/number_text.h"
#include "core/shapes.h"
#include "web/core/estimate_json.h"

#include <bit>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using kalvora::web::EstimateTexts;

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    // splitmix64
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30U)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27U)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31U);
    }
    // 0 .. bound-1
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }
    template <class T> const T &pick(const std::vector<T> &items) {
        return items[below(items.size())];
    }

private:
    std::uint64_t state_;
};

std::string digits(Random &random, std::size_t count, bool leadingNonZero) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t digit =
            (i == 0 && leadingNonZero) ? 1 + random.below(9) : random.below(10);
        out += static_cast<char>('0' + digit);
    }
    return out;
}

// The exact decimal value of mantissa * 2^exponent, with a comma when it has a fraction.
std::string exactDecimal(std::uint64_t mantissa, int exponent) {
    std::vector<int> number; // least significant digit first
    for (; mantissa != 0; mantissa /= 10)
        number.push_back(static_cast<int>(mantissa % 10));
    const int factor = exponent >= 0 ? 2 : 5;
    const int times = exponent >= 0 ? exponent : -exponent;
    for (int t = 0; t < times; ++t) {
        int carry = 0;
        for (int &digit : number) {
            const int product = digit * factor + carry;
            digit = product % 10;
            carry = product / 10;
        }
        if (carry != 0)
            number.push_back(carry);
    }
    const std::size_t fraction = exponent >= 0 ? 0 : static_cast<std::size_t>(times);
    while (number.size() <= fraction)
        number.push_back(0);
    std::string out;
    for (std::size_t i = number.size(); i-- > 0;) {
        out += static_cast<char>('0' + number[i]);
        if (i == fraction && i != 0)
            out += ',';
    }
    return out;
}

// A text just above or just below the midpoint of two neighbouring floats (or doubles): the
// value a reading through the other type would round twice.
std::string nearTie(Random &random, bool single) {
    const int bits = single ? 24 : 53;
    const std::uint64_t mantissa =
        (std::uint64_t{1} << (bits - 1)) + (random.next() >> (65 - bits)); // `bits` bits
    // One more bit makes the midpoint; ties with an even and an odd lower neighbour alike.
    const std::uint64_t midpoint = mantissa * 2 + 1;
    const int exponent = static_cast<int>(random.below(single ? 60 : 120)) - (single ? 50 : 100);
    std::string text = exactDecimal(midpoint, exponent - bits - 1);
    if (text.find(',') == std::string::npos)
        text += ',';
    switch (random.below(3)) {
    case 0:
        return text + std::string(random.below(8), '0') + "1"; // above
    case 1: {
        // The exact fraction of a midpoint ends in 5: one less there, then nines, is below.
        if (text.back() == '5') {
            text.back() = '4';
            return text + std::string(1 + random.below(8), '9');
        }
        return text;
    }
    default:
        return text; // the tie itself
    }
}

std::string numberText(Random &random) {
    static const std::vector<std::string> fixed{"",
                                                ",",
                                                "0",
                                                "0,0",
                                                "0,00",
                                                "0,000",
                                                ",0",
                                                "00",
                                                "0,",
                                                ",5",
                                                "12,",
                                                "1,2,3",
                                                "1.5",
                                                "-1",
                                                "+1",
                                                "1e5",
                                                " 1",
                                                "1 ",
                                                "abc",
                                                "\xd9\xa1",
                                                "7,85",
                                                "16,70",
                                                "2,70",
                                                "0,125",
                                                "58,875",
                                                "1,00000005",
                                                "3,4028235E+38",
                                                "340282356779733661637539395458142568448",
                                                "340282346638528859811704183484516925440"};
    // One draw a statement: the operands of + are evaluated in no fixed order.
    std::string whole;
    switch (random.below(10)) {
    case 0:
        return random.pick(fixed);
    case 1:
        return std::to_string(random.below(1000));
    case 2:
        whole = std::to_string(random.below(10000));
        return whole + "," + digits(random, 1 + random.below(3), false);
    case 3: // long digit strings
        whole = digits(random, 1 + random.below(30), true);
        return whole + "," + digits(random, random.below(30), false);
    case 4:
        whole = "0," + std::string(30 + random.below(300), '0');
        return whole + digits(random, 1 + random.below(5), true);
    case 5: { // beyond float, sometimes beyond double
        const std::size_t spread = random.below(2) == 0 ? 4 : 300;
        return digits(random, 38 + random.below(spread), true);
    }
    case 6:
    case 7:
        return nearTie(random, true);
    case 8:
        return nearTie(random, false);
    default:
        whole = digits(random, random.below(4), false);
        return whole + "," + digits(random, random.below(4), false);
    }
}

std::string dimensionText(Random &random) {
    switch (random.below(4)) {
    case 0:
        return std::to_string(1 + random.below(2000));
    case 1: {
        const std::string whole = std::to_string(random.below(500));
        return whole + "," + digits(random, 1 + random.below(2), false);
    }
    default:
        return numberText(random);
    }
}

EstimateTexts estimateTexts(Random &random, std::vector<std::string> &store) {
    std::vector<std::string> shapes{"", "Round Bar", "Plate ", "Pipe thk"};
    for (const auto shape : kalvora::allShapes())
        shapes.emplace_back(kalvora::shapeDisplayName(shape));
    std::vector<std::string> densities;
    for (const auto &grade : kalvora::allGrades())
        densities.emplace_back(grade.densityText);
    store.clear();
    store.push_back(random.pick(shapes));
    store.push_back(random.below(4) == 0 ? numberText(random) : random.pick(densities));
    const std::vector<std::string> pieces{"", "0", "1", "2", "12", "1,5", "0000", "99999", "007"};
    store.push_back(random.below(3) == 0 ? numberText(random) : random.pick(pieces));
    for (int i = 0; i < 3; ++i)
        store.push_back(dimensionText(random));
    store.push_back(random.below(5) == 0 ? "0,00" : dimensionText(random));
    store.emplace_back(random.below(2) == 0 ? "PerKilogram" : "PerMetre");
    EstimateTexts texts{};
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = store[i];
    return texts;
}

void printNumber(const std::string &text) {
    const auto single = kalvora::parseSingle(text);
    const auto wide = kalvora::parseDouble(text);
    std::string singleBits = "-";
    std::string wideBits = "-";
    std::array<char, 32> hex{};
    if (single) {
        std::snprintf(hex.data(), hex.size(), "%08" PRIx32, std::bit_cast<std::uint32_t>(*single));
        singleBits = hex.data();
    }
    if (wide) {
        std::snprintf(hex.data(), hex.size(), "%016" PRIx64, std::bit_cast<std::uint64_t>(*wide));
        wideBits = hex.data();
    }
    std::printf("N\t%s\t%s\t%s\t%s\t%s\n", text.c_str(), singleBits.c_str(), wideBits.c_str(),
                single ? kalvora::formatSingle(*single).c_str() : "-",
                wide ? kalvora::formatDouble(*wide).c_str() : "-");
}

} // namespace

// Usage: core-compare [ESTIMATES [NUMBERS]]
int main(int argc, char **argv) {
    const long estimates = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 12000;
    const long numbers = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 8000;
    Random random(20261208);

    std::printf("C\t%s\n", kalvora::web::catalogueJson().c_str());
    for (int code = -1; code < 400; ++code)
        std::printf("K\t%d\t%d\t%d\n", code, kalvora::decimalFieldKey(code),
                    kalvora::piecesFieldKey(code));
    const std::vector<std::pair<std::string, std::string>> captions{
        {"Lenght:", "Ext. diameter:"},
        {"Thickness", "Diameter:"},
        {"", ""},
        {R"("Int.\diameter":)", "\xc3\x84u\xc3\x9f:"}};
    for (int status = 0; status <= static_cast<int>(kalvora::EstimateStatus::WallTooThick);
         ++status) {
        for (int field = 0; field <= static_cast<int>(kalvora::InputField::Price); ++field) {
            for (const auto &[fieldCaption, diameterCaption] : captions) {
                const auto warning = kalvora::inputWarning(
                    static_cast<kalvora::EstimateStatus>(status),
                    static_cast<kalvora::InputField>(field), fieldCaption, diameterCaption);
                std::printf("W\t%d\t%d\t%s\t%s\t%s\n", status, field, fieldCaption.c_str(),
                            diameterCaption.c_str(), kalvora::web::warningJson(warning).c_str());
            }
        }
    }
    for (long i = 0; i < numbers; ++i)
        printNumber(numberText(random));
    for (long i = 0; i < numbers / 4; ++i) {
        const auto single = std::bit_cast<float>(static_cast<std::uint32_t>(random.next()));
        const auto wide = std::bit_cast<double>(random.next());
        std::printf("F\t%08" PRIx32 "\t%s\n", std::bit_cast<std::uint32_t>(single),
                    kalvora::formatSingle(single).c_str());
        std::printf("D\t%016" PRIx64 "\t%s\n", std::bit_cast<std::uint64_t>(wide),
                    kalvora::formatDouble(wide).c_str());
    }
    std::vector<std::string> store;
    for (long i = 0; i < estimates; ++i) {
        const EstimateTexts texts = estimateTexts(random, store);
        const auto input = kalvora::web::estimateInputFromTexts(texts);
        std::printf("E");
        for (const auto text : texts)
            std::printf("\t%.*s", static_cast<int>(text.size()), text.data());
        std::printf("\t%s\n",
                    input ? kalvora::web::estimateJson(kalvora::computeEstimate(*input)).c_str()
                          : "null");
    }
    return 0;
}
