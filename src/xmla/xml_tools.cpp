#include "xmla/xml_tools.h"

#include "adomd/provider_error.h"

namespace xmla {

std::string_view WithoutPrefix(std::string_view qualified_name) {
  const size_t colon = qualified_name.find(':');
  return colon == std::string_view::npos ? qualified_name : qualified_name.substr(colon + 1);
}

std::string_view LocalName(const pugi::xml_node& node) {
  return WithoutPrefix(node.name());
}

pugi::xml_node ChildNamed(const pugi::xml_node& node, std::string_view local_name) {
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
    if (child.type() == pugi::node_element && LocalName(child) == local_name)
      return child;
  return {};
}

std::vector<pugi::xml_node> ChildrenNamed(const pugi::xml_node& node, std::string_view local_name) {
  std::vector<pugi::xml_node> found;
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
    if (child.type() == pugi::node_element && LocalName(child) == local_name)
      found.push_back(child);
  return found;
}

pugi::xml_attribute AttributeNamed(const pugi::xml_node& node, std::string_view local_name) {
  for (pugi::xml_attribute attribute = node.first_attribute(); attribute;
       attribute = attribute.next_attribute())
    if (WithoutPrefix(attribute.name()) == local_name)
      return attribute;
  return {};
}

std::string TextOf(const pugi::xml_node& node) {
  std::string text;
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
      text += child.value();
  return text;
}

namespace {

// Whether the text ends with the closing tag of its first element; a document that does not
// was stopped before its end.
bool ClosesItsRoot(const std::string& text) {
  size_t open = text.find('<');
  while (open != std::string::npos && open + 1 < text.size() &&
         (text[open + 1] == '?' || text[open + 1] == '!'))
    open = text.find('<', open + 1);
  if (open == std::string::npos)
    return false;
  const size_t end = text.find_first_of(" \t\r\n/>", open + 1);
  if (end == std::string::npos)
    return false;
  const std::string closing = "</" + text.substr(open + 1, end - open - 1) + ">";
  const size_t last = text.find_last_not_of(" \t\r\n");
  return last != std::string::npos && last + 1 >= closing.size() &&
         text.compare(last + 1 - closing.size(), closing.size(), closing) == 0;
}

}  // namespace

void ParseDocument(pugi::xml_document& document, const std::string& text,
                   const std::string& subject) {
  // Whitespace-only text is kept when it is an element's whole content: a caption of one
  // blank is a value, not layout.
  const pugi::xml_parse_result result =
      document.load_buffer(text.data(), text.size(),
                           pugi::parse_default | pugi::parse_ws_pcdata_single, pugi::encoding_utf8);
  if (result) {
    if (!document.document_element())
      throw adomd::ProviderError(subject + " is empty.");
    return;
  }
  const auto offset = static_cast<size_t>(result.offset);
  const bool at_end = text.find_first_not_of(" \t\r\n", offset) == std::string::npos;
  if (text.find_first_not_of(" \t\r\n") == std::string::npos)
    throw adomd::ProviderError(subject + " is empty.");
  if (result.status == pugi::status_no_document_element)
    throw adomd::ProviderError(subject + " is not an XML document.");
  if (at_end || (result.status == pugi::status_end_element_mismatch && !ClosesItsRoot(text)))
    throw adomd::ProviderError(subject + " was cut short.");
  throw adomd::ProviderError(subject + " is not valid XML: " + result.description() + " at byte " +
                             std::to_string(offset) + ".");
}

namespace {

struct StringWriter : pugi::xml_writer {
  std::string text;
  void write(const void* data, size_t size) override {
    text.append(static_cast<const char*>(data), size);
  }
};

}  // namespace

std::string SaveDocument(const pugi::xml_document& document) {
  StringWriter writer;
  document.save(writer, "", pugi::format_raw | pugi::format_skip_control_chars,
                pugi::encoding_utf8);
  return std::move(writer.text);
}

}  // namespace xmla
