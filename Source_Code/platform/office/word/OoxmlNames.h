#pragma once

// Namespace URIs, relationship types and content types of the .docx package.
namespace tovu::platform::word::ooxml {

inline constexpr const char* kW = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
inline constexpr const char* kR = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kWp = "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
inline constexpr const char* kA = "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr const char* kPic = "http://schemas.openxmlformats.org/drawingml/2006/picture";
inline constexpr const char* kMc = "http://schemas.openxmlformats.org/markup-compatibility/2006";
inline constexpr const char* kPkgRels = "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* kContentTypes = "http://schemas.openxmlformats.org/package/2006/content-types";
inline constexpr const char* kCoreProps = "http://schemas.openxmlformats.org/package/2006/metadata/core-properties";
inline constexpr const char* kDc = "http://purl.org/dc/elements/1.1/";
inline constexpr const char* kDcTerms = "http://purl.org/dc/terms/";
inline constexpr const char* kXsi = "http://www.w3.org/2001/XMLSchema-instance";
inline constexpr const char* kExtProps = "http://schemas.openxmlformats.org/officeDocument/2006/extended-properties";
// Our own extension inside a:blip: the PNG rendering that goes with an EMF picture.
inline constexpr const char* kFallbackExtUri = "{7C1D4E5A-2B9F-4C1E-9A63-5F0B8D2E4A17}";
inline constexpr const char* kTv = "urn:tovu:word:picture-fallback";

inline constexpr const char* kRelOfficeDocument = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr const char* kRelCore = "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
inline constexpr const char* kRelExtended = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties";
inline constexpr const char* kRelStyles = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
inline constexpr const char* kRelSettings = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings";
inline constexpr const char* kRelHeader = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/header";
inline constexpr const char* kRelFooter = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer";
inline constexpr const char* kRelImage = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
inline constexpr const char* kRelHyperlink = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink";

inline constexpr const char* kCtMain = "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
inline constexpr const char* kCtStyles = "application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml";
inline constexpr const char* kCtSettings = "application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml";
inline constexpr const char* kCtHeader = "application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml";
inline constexpr const char* kCtFooter = "application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml";
inline constexpr const char* kCtCore = "application/vnd.openxmlformats-package.core-properties+xml";
inline constexpr const char* kCtExtended = "application/vnd.openxmlformats-officedocument.extended-properties+xml";
inline constexpr const char* kCtRels = "application/vnd.openxmlformats-package.relationships+xml";

}  // namespace tovu::platform::word::ooxml
