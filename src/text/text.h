#pragma once
// The program's text model. Every text the program handles (control contents,
// list cells, settings, request addresses, decoded replies, export files) is a
// `Text`: GBK (code page 936) bytes. A Text never holds a zero byte; `Bytes`
// may, and reads as text only up to its first zero byte.
#include <string>
#include <string_view>

using Text = std::string;
using Bytes = std::string;

// A UTF-8 source literal as a Text: Gbk("开始搜索"). Converts on every call;
// hot paths keep the result in a static.
Text Gbk(std::string_view utf8);

// The bytes up to the first zero byte.
Text BytesToText(std::string_view bytes);
