// An up-down control bound to its text box: typing edits the value as the digits arrive (the
// text's leading number, rounded to a whole number, halves to even), a number outside the
// range or no number at all is ignored, and leaving the box shows the value in force (or, when
// asked, the number typed brought within the range).
#pragma once

#include <QSpinBox>

#include <optional>

class QLineEdit;

namespace brellix {

class BoundSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    // textName names the text box, so that it is found as the control it stands for.
    BoundSpinBox(const QString& name, const QString& textName, QWidget* parent = nullptr);

    // The text box.
    QLineEdit* text() const { return lineEdit(); }

    // Whether leaving the box takes a number typed outside the range, brought within it;
    // otherwise the value stays as it was.
    void setClampOnLeave(bool clamp) { m_clampOnLeave = clamp; }

    // The whole number that text's leading number rounds to; empty when it starts with none.
    static std::optional<int> leadingNumber(const QString& text);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void fixup(QString& input) const override;

private:
    bool m_clampOnLeave = false;
};

} // namespace brellix
