#include "xmla/xml_name.h"

#include <cstdint>
#include <cstdio>
#include <optional>

namespace xmla {

namespace {

// Decodes one UTF-8 sequence at text[i]; a byte that starts no valid sequence reads as itself
// (U+FFFD would lose it), and the caller escapes it.
uint32_t NextCodePoint(std::string_view text, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char first = byte(i);
  int length = 0;
  uint32_t code = 0;
  if (first < 0x80) {
    ++i;
    return first;
  } else if ((first & 0xE0) == 0xC0) {
    length = 2;
    code = first & 0x1F;
  } else if ((first & 0xF0) == 0xE0) {
    length = 3;
    code = first & 0x0F;
  } else if ((first & 0xF8) == 0xF0) {
    length = 4;
    code = first & 0x07;
  } else {
    ++i;
    return first | 0x80000000u;
  }
  if (i + length > text.size()) {
    ++i;
    return first | 0x80000000u;
  }
  for (int k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return first | 0x80000000u;
    }
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  i += length;
  return code;
}

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsNameStartChar(uint32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (c >= 0xC0 && c <= 0xD6) ||
         (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D) ||
         (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) ||
         (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) ||
         (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
         (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(uint32_t c) {
  return IsNameStartChar(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

void AppendEscape(std::string& out, uint32_t code) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "_x%04X_", static_cast<unsigned>(code));
  out += buffer;
}

std::optional<uint32_t> HexAt(std::string_view text, size_t i) {
  // _xHHHH_
  if (i + 7 > text.size() || text[i] != '_' || text[i + 1] != 'x' || text[i + 6] != '_')
    return std::nullopt;
  uint32_t code = 0;
  for (size_t k = i + 2; k < i + 6; ++k) {
    const char c = text[k];
    code <<= 4;
    if (c >= '0' && c <= '9')
      code |= static_cast<uint32_t>(c - '0');
    else if (c >= 'a' && c <= 'f')
      code |= static_cast<uint32_t>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      code |= static_cast<uint32_t>(c - 'A' + 10);
    else
      return std::nullopt;
  }
  return code;
}

}  // namespace

std::string EncodeXmlName(std::string_view name) {
  std::string out;
  size_t i = 0;
  bool first = true;
  while (i < name.size()) {
    const size_t start = i;
    const uint32_t code = NextCodePoint(name, i);
    if (code & 0x80000000u) {
      AppendEscape(out, code & 0xFF);
    } else if (code == '_' && i < name.size() && name[i] == 'x') {
      AppendEscape(out, '_');
    } else if (code != ':' && (first ? IsNameStartChar(code) : IsNameChar(code))) {
      out.append(name.substr(start, i - start));
    } else if (code >= 0x10000) {
      const uint32_t v = code - 0x10000;
      AppendEscape(out, 0xD800 + (v >> 10));
      AppendEscape(out, 0xDC00 + (v & 0x3FF));
    } else {
      AppendEscape(out, code);
    }
    first = false;
  }
  // An empty name still needs an element name; the schema's sql:field keeps the real one.
  if (out.empty())
    out.push_back('_');
  return out;
}

std::string DecodeXmlName(std::string_view name) {
  std::string out;
  size_t i = 0;
  while (i < name.size()) {
    if (const auto code = HexAt(name, i)) {
      i += 7;
      if (*code >= 0xD800 && *code <= 0xDBFF) {
        if (const auto low = HexAt(name, i); low && *low >= 0xDC00 && *low <= 0xDFFF) {
          i += 7;
          AppendUtf8(out, 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00));
          continue;
        }
      }
      AppendUtf8(out, *code);
      continue;
    }
    out += name[i++];
  }
  return out;
}

}  // namespace xmla
