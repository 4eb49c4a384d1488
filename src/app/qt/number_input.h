#pragma once
// The two number input modes of single-line edit boxes. In both, typing
// accepts only the digits 0 to 9 and "-" (control keys, shortcuts and
// pasting still work). WholeNumber also writes the box's whole number back
// when it loses the focus, limited to the signed 32-bit range, leaving the box
// empty for 0; AsTyped leaves the text as typed.
#include <QLineEdit>

enum class NumberInputMode { WholeNumber, AsTyped };

void SetNumberInputMode(QLineEdit* edit, NumberInputMode mode);
// The text a WholeNumber box holds after losing the focus.
QString WholeNumberText(const QString& text);
