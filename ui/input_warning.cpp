#include "ui/input_warning.h"

#include "core/estimate.h"

namespace kalvora {

namespace {

QString quoted(const QString &caption) {
    return QLatin1Char('"') + fieldName(caption) + QLatin1Char('"');
}

} // namespace

QString fieldName(QString caption) {
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption;
}

InputWarning inputWarning(EstimateStatus status, InputField field, const QString &fieldCaption,
                          const QString &externalDiameterCaption) {
    const QString name = quoted(fieldCaption);
    switch (status) {
    case EstimateStatus::NotANumber:
        return {QStringLiteral("Not a number"),
                field == InputField::Pieces ? QStringLiteral("Type a whole number in %1").arg(name)
                                            : QStringLiteral("Type a number in %1").arg(name)};
    case EstimateStatus::TooLarge:
        return {QStringLiteral("Value too large"), QStringLiteral("Make %1 smaller").arg(name)};
    case EstimateStatus::ZeroLength:
        return {QStringLiteral("Length not set"), QStringLiteral("%1 must not be zero").arg(name)};
    case EstimateStatus::InternalDiameterTooLarge:
        return {QStringLiteral("Section not possible"),
                QStringLiteral("%1 > %2").arg(name, quoted(externalDiameterCaption))};
    case EstimateStatus::WallTooThick:
        return {QStringLiteral("Section not possible"),
                QStringLiteral("2 \u00d7 %1 > %2").arg(name, quoted(externalDiameterCaption))};
    case EstimateStatus::Ok:
        break;
    }
    return {};
}

} // namespace kalvora
