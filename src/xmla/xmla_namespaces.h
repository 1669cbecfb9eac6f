#pragma once

// The namespaces of SOAP 1.1 and XML for Analysis 1.1 documents.
namespace xmla {

inline constexpr const char* kSoapEnvelopeNs = "http://schemas.xmlsoap.org/soap/envelope/";
inline constexpr const char* kXmlaNs = "urn:schemas-microsoft-com:xml-analysis";
inline constexpr const char* kRowsetNs = "urn:schemas-microsoft-com:xml-analysis:rowset";
inline constexpr const char* kMdDataSetNs = "urn:schemas-microsoft-com:xml-analysis:mddataset";
inline constexpr const char* kExceptionNs = "urn:schemas-microsoft-com:xml-analysis:exception";
inline constexpr const char* kXsdNs = "http://www.w3.org/2001/XMLSchema";
inline constexpr const char* kXsiNs = "http://www.w3.org/2001/XMLSchema-instance";
inline constexpr const char* kSqlNs = "urn:schemas-microsoft-com:xml-sql";

// The SOAPAction header values of the two methods.
inline constexpr const char* kDiscoverAction = "urn:schemas-microsoft-com:xml-analysis:Discover";
inline constexpr const char* kExecuteAction = "urn:schemas-microsoft-com:xml-analysis:Execute";

}  // namespace xmla
