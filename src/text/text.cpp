#include "text/text.h"

#include <cstring>

#include "text/codepage.h"

Text Gbk(std::string_view utf8) { return Utf8ToGbk(utf8); }

Text BytesToText(std::string_view bytes) {
  const void* zero = std::memchr(bytes.data(), 0, bytes.size());
  return Text(bytes.data(), zero ? static_cast<const char*>(zero) - bytes.data() : bytes.size());
}
