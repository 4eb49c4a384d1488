// The two number input modes of edit boxes.
#include "app/qt/number_input.h"

#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

#include "qt_application.h"

namespace {

void LoseFocus(QLineEdit& edit) {
  QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&edit, &focusOut);
}

TEST(NumberInputTest, TypingAcceptsOnlyDigitsAndMinusInBothModes) {
  EnsureQtApplication();
  for (NumberInputMode mode : {NumberInputMode::WholeNumber, NumberInputMode::AsTyped}) {
    QLineEdit edit;
    SetNumberInputMode(&edit, mode);
    QTest::keyClicks(&edit, QStringLiteral("1a2.b-3 x"));
    EXPECT_EQ(edit.text(), QStringLiteral("12-3"));
    // Control keys still work.
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("12-"));
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), QString());
  }
}

TEST(NumberInputTest, FirstModeWritesTheWholeNumberBackOnFocusLoss) {
  EnsureQtApplication();
  struct Case {
    QString typed;
    QString after;
  };
  const Case cases[] = {
      {QStringLiteral("007"), QStringLiteral("7")},
      {QStringLiteral("12-3"), QStringLiteral("12")},
      {QStringLiteral("0"), QString()},
      {QStringLiteral("-0"), QString()},
      {QStringLiteral("--5"), QString()},
      {QStringLiteral("-15"), QStringLiteral("-15")},
      {QStringLiteral("99999999999"), QStringLiteral("2147483647")},
      {QStringLiteral("-99999999999"), QStringLiteral("-2147483648")},
      {QString(), QString()},
  };
  for (const Case& c : cases) {
    QLineEdit edit;
    SetNumberInputMode(&edit, NumberInputMode::WholeNumber);
    QTest::keyClicks(&edit, c.typed);
    LoseFocus(edit);
    EXPECT_EQ(edit.text(), c.after) << c.typed.toStdString();
  }
  // Text set by the program (or pasted) is read the same way.
  QLineEdit edit;
  SetNumberInputMode(&edit, NumberInputMode::WholeNumber);
  edit.setText(QStringLiteral(" 12.9元"));
  LoseFocus(edit);
  EXPECT_EQ(edit.text(), QStringLiteral("12"));
  edit.setText(QStringLiteral("３４"));
  LoseFocus(edit);
  EXPECT_EQ(edit.text(), QStringLiteral("34"));
}

TEST(NumberInputTest, SecondModeKeepsTheTextAsTyped) {
  EnsureQtApplication();
  QLineEdit edit;
  SetNumberInputMode(&edit, NumberInputMode::AsTyped);
  QTest::keyClicks(&edit, QStringLiteral("0-07"));
  LoseFocus(edit);
  EXPECT_EQ(edit.text(), QStringLiteral("0-07"));
}

}  // namespace
