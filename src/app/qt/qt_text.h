#pragma once
// The one place where the program's GBK texts meet QString.
#include <QString>
#include <string_view>

#include "text/text.h"

QString ToQString(std::string_view gbk);
Text FromQString(const QString& text);
