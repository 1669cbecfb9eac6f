// libFuzzer target for the FORMAT_STRING formatter: the first eight bytes are the value, the
// rest the format string. Any format formats any value without failing.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "engine/mdx/format_string.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  double value = 0;
  const size_t value_size = size < sizeof value ? size : sizeof value;
  std::memcpy(&value, data, value_size);
  const std::string_view format(reinterpret_cast<const char*>(data) + value_size,
                                size - value_size);
  const engine::mdx::FormatString formatter(format);
  formatter.Format(value);
  formatter.Format(-value);
  formatter.Format(0.0);
  if (!formatter.Format(std::nullopt).empty())
    std::abort();
  return 0;
}
