#pragma once
// An integer spin edit that behaves like the settings dialog's fields: any integer may
// be typed (a value beyond the range is only pulled back to the nearest bound when the
// field loses the focus), and the arrow buttons and keys step by 1 through the clamp.
// A range whose minimum equals its maximum means "no range".
#include <QSpinBox>

#include <cstdint>

class TSpinEdit : public QSpinBox
{
    Q_OBJECT

  public:
    // Sep is the user's decimal separator, which typing accepts like a digit.
    TSpinEdit(int32_t MinValue, int32_t MaxValue, char16_t Sep, QWidget* Parent = nullptr);

    // The value the text stands for: a text that is not an integer gives the minimum of the
    // range (0 without a range); the result is clamped into the range.
    int32_t ReadValue() const;
    // Shows Value clamped into the range.
    void WriteValue(int32_t Value);

    QValidator::State validate(QString& Input, int& Pos) const override;
    void fixup(QString& Input) const override;
    int valueFromText(const QString& Text) const override;
    // Plain digits: no group separators, whatever the locale.
    QString textFromValue(int Value) const override;

  protected:
    void focusOutEvent(QFocusEvent* Event) override;

  private:
    bool HasRange() const { return RangeMin != RangeMax; }
    int32_t Clamp(int64_t Value) const;

    int32_t RangeMin;
    int32_t RangeMax;
    QChar Separator;
};
