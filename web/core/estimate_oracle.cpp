// The native core's answer to estimates given as text: one estimate a line on stdin, its eight
// texts separated by tabs (shapeText, densityText, piecesText, dimension1Text, dimension2Text,
// dimension3Text, priceText, priceBasis); for each, one line of JSON on stdout with the fields
// of the page's core.computeEstimate. A line that is not eight texts with a known price basis
// gives an error on stderr and exit status 1 at the end.
#include "web/core/estimate_json.h"

#include <cstdio>
#include <string>

namespace {

bool readLine(std::string &line) {
    line.clear();
    int c = 0;
    while ((c = std::getchar()) != EOF && c != '\n')
        line += static_cast<char>(c);
    return c != EOF || !line.empty();
}

std::optional<kalvora::web::EstimateTexts> splitTexts(std::string_view line) {
    kalvora::web::EstimateTexts texts{};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto tab = line.find('\t');
        if ((tab == std::string_view::npos) != (i + 1 == texts.size()))
            return std::nullopt;
        texts[i] = line.substr(0, tab);
        line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
    }
    return texts;
}

} // namespace

int main() {
    int status = 0;
    std::string line;
    for (int number = 1; readLine(line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto texts = splitTexts(line);
        const auto input = texts ? kalvora::web::estimateInputFromTexts(*texts) : std::nullopt;
        if (!input) {
            std::fprintf(stderr,
                         "line %d: not eight tab-separated texts ending in PerKilogram "
                         "or PerMetre\n",
                         number);
            std::puts("null");
            status = 1;
            continue;
        }
        std::puts(kalvora::web::estimateJson(kalvora::computeEstimate(*input)).c_str());
        std::fflush(stdout);
    }
    return status;
}
