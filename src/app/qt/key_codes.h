#pragma once
// Key codes as the program's handlers know them: the classic virtual-key
// numbers (Enter 13, Escape 27, letters and digits as their upper-case ASCII
// codes, arrows 37 to 40, F1 112 ...). Keys without such a number pass on
// Qt's own code.
int KeyCodeOf(int qtKey);
