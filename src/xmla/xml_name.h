#pragma once

#include <string>
#include <string_view>

// Column names as element names of a rowset: a character that may not stand in an XML name
// is written _xHHHH_ (its UTF-16 code in hexadecimal), so "[Store].[Store City]" becomes
// "_x005B_Store_x005D_._x005B_Store_x0020_City_x005D_". An underscore that would read as the
// start of such an escape is itself escaped, so decoding gives back the exact name.
namespace xmla {

std::string EncodeXmlName(std::string_view name);
std::string DecodeXmlName(std::string_view name);

}  // namespace xmla
