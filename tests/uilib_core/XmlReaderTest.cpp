// The skin XML reader. If this fails, skins are misread or malformed ones pass silently.
#include <gtest/gtest.h>

#include "uilib/skin/XmlReader.h"

namespace {

XmlParseResult Parse(const std::string &text) { return ParseXml(text.data(), text.size()); }

std::string Nested(int depth) { return depth == 0 ? "" : "<a>" + Nested(depth - 1) + "</a>"; }

TEST(XmlReader, GoodDocumentsGiveTheirTree) {
    struct Case {
        std::string xml;
        const wchar_t *root;
        size_t children;
        const wchar_t *attr;  // an attribute of the root, or null
        std::wstring value;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window a=\"1\"/>", L"Window", 0, L"a", L"1"},
        {"<W t='&lt;&gt;&amp;&quot;&apos;\"'/>", L"W", 0, L"t", L"<>&\"'\""},
        {"<W t=\"&#65;&#x4E2D;&#x1F600;\"/>", L"W", 0, L"t",
         std::wstring(L"A\x4E2D") + (sizeof(wchar_t) == 2 ? L"\xD83D\xDE00" : L"\U0001F600")},
        {"<!-- a --><W><!-- <X/> --><A/></W><!-- b -->", L"W", 1, nullptr, L""},
        {"<W  a = \"x\"\n\tb='y' ><A><B/><C></C></A><D/></W>", L"W", 2, L"b", L"y"},
        {"<!DOCTYPE W><W><![CDATA[<not a tag>]]></W>", L"W", 0, nullptr, L""},
        {Nested(256), L"a", 1, nullptr, L""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.xml.substr(0, 60));
        XmlParseResult r = Parse(c.xml);
        ASSERT_TRUE(r.root) << r.error;
        EXPECT_EQ(r.root->name, c.root);
        EXPECT_EQ(r.root->children.size(), c.children);
        if (c.attr != nullptr) {
            ASSERT_NE(r.root->Attribute(c.attr), nullptr);
            EXPECT_EQ(*r.root->Attribute(c.attr), c.value);
        }
    }
}

TEST(XmlReader, BadDocumentsFailWithPositionAndReason) {
    const std::pair<std::string, const char *> cases[] = {
        {"", "premature end: no root element"},
        {"<Window>\n  <A>\n</Window>", "line 3, column 1: mismatched tag: </Window> closes <A>"},
        {"<Window>\n<A/>\n", "unclosed tag <Window> opened on line 1"},
        {"<W a=\"abc/>", "line 1, column 6: premature end: unclosed attribute value"},
        {"<W>\n<A t=\"&nbsp;\"/></W>", "line 2, column 7: bad entity \"&nbsp;\""},
        {"<W t=\"&#xD800;\"/>", "not a character"},
        {"<W t=\"&#x110000;\"/>", "not a character"},
        {"<W>\n <A t=\"\xC0\xAF\"/></W>", "line 2, column 8: invalid UTF-8"},
        {"<W/><V/>", "a second root element"},
        {"<W a=1/>", "expected a quoted attribute value"},
        {"<W a=\"1\" a=\"2\"/>", "duplicate attribute \"a\""},
        {"<W><!-- x </W>", "unclosed comment"},
        {"hello <W/>", "text outside the root element"},
        {"<W t=\"\xE4\xB8\xAD\xE4\xB8\xAD\" &x;/>", "line 1, column 11"},  // columns count characters
        {Nested(257), "nested deeper than 256"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first.substr(0, 60));
        XmlParseResult r = Parse(c.first);
        EXPECT_FALSE(r.root);
        EXPECT_NE(r.error.find(c.second), std::string::npos) << r.error;
    }
}

}  // namespace
