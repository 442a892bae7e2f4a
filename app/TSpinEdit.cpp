#include "app/TSpinEdit.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>

TSpinEdit::TSpinEdit(int32_t MinValue, int32_t MaxValue, char16_t Sep, QWidget* Parent)
    : QSpinBox(Parent), RangeMin(MinValue), RangeMax(MaxValue), Separator(Sep)
{
    // QSpinBox always has a range; an unlimited field gets the whole int range.
    if (HasRange())
        setRange(RangeMin, RangeMax);
    else
        setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    setValue(HasRange() ? RangeMin : 0);
}

int32_t TSpinEdit::Clamp(int64_t Value) const
{
    if (!HasRange())
        return static_cast<int32_t>(std::clamp<int64_t>(Value, std::numeric_limits<int32_t>::min(),
                                                        std::numeric_limits<int32_t>::max()));
    return static_cast<int32_t>(std::clamp<int64_t>(Value, RangeMin, RangeMax));
}

int32_t TSpinEdit::ReadValue() const
{
    bool Ok = false;
    const qlonglong Value = lineEdit()->text().trimmed().toLongLong(&Ok);
    if (!Ok)
        return HasRange() ? RangeMin : 0;
    return Clamp(Value);
}

void TSpinEdit::WriteValue(int32_t Value)
{
    setValue(Clamp(Value));
    // setValue leaves the text alone when the value is unchanged but the text was edited.
    lineEdit()->setText(textFromValue(value()));
}

QValidator::State TSpinEdit::validate(QString& Input, int& /*Pos*/) const
{
    for (const QChar c : Input)
        if (!c.isDigit() && c != u'+' && c != u'-' && c != Separator && c != u' ')
            return QValidator::Invalid;
    bool Ok = false;
    Input.trimmed().toInt(&Ok);
    // An integer beyond the range is acceptable while typing; leaving the field clamps it.
    return Ok ? QValidator::Acceptable : QValidator::Intermediate;
}

void TSpinEdit::fixup(QString& Input) const
{
    bool Ok = false;
    const qlonglong Value = Input.trimmed().toLongLong(&Ok);
    Input = QString::number(Ok ? Clamp(Value) : (HasRange() ? RangeMin : 0));
}

int TSpinEdit::valueFromText(const QString& Text) const
{
    bool Ok = false;
    const qlonglong Value = Text.trimmed().toLongLong(&Ok);
    return Ok ? Clamp(Value) : (HasRange() ? RangeMin : 0);
}

QString TSpinEdit::textFromValue(int Value) const
{
    return QString::number(Value);
}

void TSpinEdit::focusOutEvent(QFocusEvent* Event)
{
    const int32_t Value = ReadValue();
    QSpinBox::focusOutEvent(Event);
    WriteValue(Value);
}
