// A small XML reader for skins: UTF-8 (a BOM is skipped), elements, attributes,
// comments, the XML declaration, the five predefined entities and numeric character
// references. Text content is ignored. Parse errors give a message with line and column.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct XmlAttribute {
    std::wstring name;
    std::wstring value;
    int line = 0;  // where its name starts; columns count characters from 1
    int column = 0;
};

struct XmlElement {
    std::wstring name;
    std::vector<XmlAttribute> attributes;
    std::vector<std::unique_ptr<XmlElement>> children;
    int line = 0;  // where its '<' is
    int column = 0;

    // null when absent
    const std::wstring *Attribute(const std::wstring &attrName) const;
};

struct XmlParseResult {
    std::unique_ptr<XmlElement> root;  // null on error
    std::string error;                 // "line L, column C: what"
};

XmlParseResult ParseXml(const char *data, size_t size);
XmlParseResult ParseXmlFile(const std::wstring &path);
