#include "dialogs/BoundSpinBox.h"

#include "common/Rounding.h"

#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace brellix {

BoundSpinBox::BoundSpinBox(const QString& name, const QString& textName, QWidget* parent)
    : QSpinBox(parent)
{
    setObjectName(name);
    lineEdit()->setObjectName(textName);
    // The value follows every keystroke, not only the end of the typing.
    setKeyboardTracking(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

std::optional<int> BoundSpinBox::leadingNumber(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*([+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?))"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const double value = match.captured(1).toDouble();
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<int>::max() / 2.0) {
        return std::nullopt;
    }
    return static_cast<int>(roundHalfEven(value));
}

QValidator::State BoundSpinBox::validate(QString& input, int&) const
{
    const std::optional<int> value = leadingNumber(input);
    if (!value || *value < minimum() || *value > maximum()) {
        // Kept as typed, but the value stays as it was.
        return QValidator::Intermediate;
    }
    return QValidator::Acceptable;
}

int BoundSpinBox::valueFromText(const QString& text) const
{
    return leadingNumber(text).value_or(value());
}

void BoundSpinBox::fixup(QString& input) const
{
    const std::optional<int> typed = leadingNumber(input);
    if (m_clampOnLeave && typed) {
        input = QString::number(std::clamp(*typed, minimum(), maximum()));
    }
}

} // namespace brellix
