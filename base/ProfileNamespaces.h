#pragma once
// The namespace URIs of the profile, chosen once: the converter, the XPath
// bindings and the installed schema all name these.

namespace tavo {

// Default namespace of every profile document (root TavoProfile).
inline constexpr const char *kProfileNamespace = "urn:vantrel:tavo:profile:1";
// Namespace of the SchemaExtension annotations in DataProfile.xsd.
inline constexpr const char *kSchemaExtensionNamespace = "urn:vantrel:tavo:schema-extension:1";
// The XSLT extension namespace of the XML library, bound to the prefix "ms".
inline constexpr const char *kMsNamespace = "http://xmlsoft.org/XSLT/namespace";

inline constexpr const char *kDfnsPrefix = "dfns";
inline constexpr const char *kMsPrefix = "ms";

inline constexpr const char *kProfileRootName = "TavoProfile";

} // namespace tavo
