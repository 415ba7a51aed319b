#pragma once

#include <QString>

namespace kalvora {

enum class EstimateStatus;
enum class InputField;

// The name a caption gives its field: the caption without its colon.
QString fieldName(QString caption);

struct InputWarning {
    QString title;
    QString prompt;
};

// The warning for an input that cannot give an estimate. It names the faulty field, and for an
// impossible hollow section the external diameter it is measured against, by their captions.
// Each prompt fits one line of the message box, which wraps beyond half the screen's width: a
// 1024-pixel screen at 2x leaves 183 pixels. An estimate that could be made has no warning.
InputWarning inputWarning(EstimateStatus status, InputField field, const QString &fieldCaption,
                          const QString &externalDiameterCaption);

} // namespace kalvora
