#include "ui/input_warning.h"

namespace kalvora {

namespace {

QString fromUtf8(const std::string &text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString fieldName(const QString &caption) { return fromUtf8(fieldName(caption.toStdString())); }

InputWarning toInputWarning(const Warning &warning) {
    return {fromUtf8(warning.title), fromUtf8(warning.prompt)};
}

InputWarning inputWarning(EstimateStatus status, InputField field, const QString &fieldCaption,
                          const QString &externalDiameterCaption) {
    return toInputWarning(inputWarning(status, field, fieldCaption.toStdString(),
                                       externalDiameterCaption.toStdString()));
}

} // namespace kalvora
