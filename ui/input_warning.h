#pragma once

#include "core/warnings.h"

#include <QString>

namespace kalvora {

// The core's texts of core/warnings.h, as Qt strings.
QString fieldName(const QString &caption);

struct InputWarning {
    QString title;
    QString prompt;
};

InputWarning toInputWarning(const Warning &warning);

InputWarning inputWarning(EstimateStatus status, InputField field, const QString &fieldCaption,
                          const QString &externalDiameterCaption);

} // namespace kalvora
