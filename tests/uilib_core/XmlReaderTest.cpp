// The skin XML reader over a table of good and bad documents. If this fails, skins are
// misread (wrong attribute values, lost elements) or malformed ones crash or pass silently.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "uilib/skin/XmlReader.h"

namespace {

XmlParseResult Parse(const std::string &text) { return ParseXml(text.data(), text.size()); }

struct GoodDoc {
    const char *label;
    std::string xml;
    const wchar_t *rootName;
    size_t children;
    const wchar_t *attrName;  // an attribute of the root to check, or null
    std::wstring attrValue;
};

class XmlGoodDocuments : public ::testing::TestWithParam<GoodDoc> {};

TEST_P(XmlGoodDocuments, ParseToTheExpectedTree) {
    const GoodDoc &doc = GetParam();
    XmlParseResult r = Parse(doc.xml);
    ASSERT_TRUE(r.root) << doc.label << ": " << r.error;
    EXPECT_TRUE(r.error.empty());
    EXPECT_EQ(r.root->name, doc.rootName);
    EXPECT_EQ(r.root->children.size(), doc.children);
    if (doc.attrName != nullptr) {
        const std::wstring *v = r.root->Attribute(doc.attrName);
        ASSERT_NE(v, nullptr) << doc.label;
        EXPECT_EQ(*v, doc.attrValue) << doc.label;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, XmlGoodDocuments,
    ::testing::Values(
        GoodDoc{"empty element", "<Window/>", L"Window", 0, nullptr, L""},
        GoodDoc{"declaration and BOM", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window a=\"1\"/>",
                L"Window", 0, L"a", L"1"},
        GoodDoc{"single quotes", "<W text='say \"hi\"'/>", L"W", 0, L"text", L"say \"hi\""},
        GoodDoc{"predefined entities", "<W t=\"&lt;&gt;&amp;&quot;&apos;\"/>", L"W", 0, L"t", L"<>&\"'"},
        GoodDoc{"numeric references", "<W t=\"&#65;&#x4E2D;&#x1F600;\"/>", L"W", 0, L"t",
                std::wstring(L"A\x4E2D") + (sizeof(wchar_t) == 2 ? L"\xD83D\xDE00" : L"\U0001F600")},
        GoodDoc{"chinese text", "<W t=\"\xE5\x9F\xBA\xE7\xAB\x99\"/>", L"W", 0, L"t", L"\x57FA\x7AD9"},
        GoodDoc{"comments everywhere", "<!-- a --><W><!-- <X/> --><A/></W><!-- b -->", L"W", 1, nullptr, L""},
        GoodDoc{"nested children", "<W><A><B/><C></C></A><D/></W>", L"W", 2, nullptr, L""},
        GoodDoc{"text content ignored", "<W>some text &amp; more<A/>tail</W>", L"W", 1, nullptr, L""},
        GoodDoc{"blanks around '='", "<W  a = \"x\"\n\tb='y' />", L"W", 0, L"b", L"y"},
        GoodDoc{"empty attribute", "<W a=\"\"/>", L"W", 0, L"a", L""},
        GoodDoc{"doctype and cdata", "<!DOCTYPE W><W><![CDATA[<not a tag>]]></W>", L"W", 0, nullptr, L""}));

struct BadDoc {
    const char *label;
    std::string xml;
    const char *expect;  // part of the message, including the position
};

class XmlBadDocuments : public ::testing::TestWithParam<BadDoc> {};

TEST_P(XmlBadDocuments, FailWithPositionAndReason) {
    const BadDoc &doc = GetParam();
    XmlParseResult r = Parse(doc.xml);
    EXPECT_FALSE(r.root) << doc.label;
    EXPECT_NE(r.error.find(doc.expect), std::string::npos) << doc.label << ": got \"" << r.error << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Table, XmlBadDocuments,
    ::testing::Values(
        BadDoc{"empty input", "", "premature end: no root element"},
        BadDoc{"only a comment", "<!-- x -->", "no root element"},
        BadDoc{"unclosed tag", "<Window>\n  <A>\n</Window>", "line 3, column 1: mismatched tag: </Window> closes <A>"},
        BadDoc{"unclosed root", "<Window>\n<A/>\n", "unclosed tag <Window> opened on line 1"},
        BadDoc{"unclosed start tag", "<Window a=\"1\"", "premature end: unclosed tag <Window>"},
        BadDoc{"unclosed attribute", "<W a=\"abc/>", "line 1, column 6: premature end: unclosed attribute value"},
        BadDoc{"bad entity", "<W>\n<A t=\"&nbsp;\"/></W>", "line 2, column 7: bad entity \"&nbsp;\""},
        BadDoc{"entity without ';'", "<W t=\"a & b\"/>", "bad entity"},
        BadDoc{"reference to nothing", "<W t=\"&#0;\"/>", "not a character"},
        BadDoc{"reference to a surrogate", "<W t=\"&#xD800;\"/>", "not a character"},
        BadDoc{"invalid UTF-8", "<W>\n <A t=\"\xC3\x28\"/></W>", "line 2, column 8: invalid UTF-8"},
        BadDoc{"overlong UTF-8", "<W t=\"\xC0\xAF\"/>", "invalid UTF-8"},
        BadDoc{"truncated UTF-8", "<W t=\"\xE5\x9F\"/>", "invalid UTF-8"},
        BadDoc{"stray closing tag", "<W/></A>", "without an open element"},
        BadDoc{"two roots", "<W/><V/>", "a second root element"},
        BadDoc{"unquoted value", "<W a=1/>", "expected a quoted attribute value"},
        BadDoc{"missing '='", "<W a \"1\"/>", "'=' after an attribute name"},
        BadDoc{"duplicate attribute", "<W a=\"1\" a=\"2\"/>", "duplicate attribute \"a\""},
        BadDoc{"'<' in a value", "<W a=\"<\"/>", "'<' in an attribute value"},
        BadDoc{"unclosed comment", "<W><!-- x </W>", "unclosed comment"},
        BadDoc{"text before the root", "hello <W/>", "text outside the root element"},
        BadDoc{"column counts characters", "<W t=\"\xE4\xB8\xAD\xE4\xB8\xAD\" &x;/>", "line 1, column 11"}));

TEST(XmlReader, DeepNestingIsRefusedNotOverflowed) {
    std::string open, close;
    for (int i = 0; i < 100000; ++i) {
        open += "<a>";
        close += "</a>";
    }
    XmlParseResult r = Parse(open + close);
    EXPECT_FALSE(r.root);
    EXPECT_NE(r.error.find("nested deeper than"), std::string::npos) << r.error;
}

TEST(XmlReader, TenMegabyteAttributeIsReadWhole) {
    const size_t kLen = 10 * 1024 * 1024;
    std::string xml = "<W big=\"" + std::string(kLen, 'x') + "&amp;\" after=\"1\"/>";
    XmlParseResult r = Parse(xml);
    ASSERT_TRUE(r.root) << r.error;
    const std::wstring *big = r.root->Attribute(L"big");
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->size(), kLen + 1);
    EXPECT_EQ(big->back(), L'&');
    ASSERT_NE(r.root->Attribute(L"after"), nullptr);
}

// The builder reports faults of elements and attributes at these places.
TEST(XmlReader, ElementsAndAttributesRecordWhereTheyStart) {
    XmlParseResult r = Parse("<W>\n\n  <A \xE4\xB8\xAD=\"\xE4\xB8\xAD\" b='1'\n c=\"2\"/>\n</W>");
    ASSERT_TRUE(r.root);
    ASSERT_EQ(r.root->children.size(), 1u);
    EXPECT_EQ(r.root->line, 1);
    EXPECT_EQ(r.root->column, 1);
    const XmlElement &a = *r.root->children[0];
    EXPECT_EQ(a.line, 3);
    EXPECT_EQ(a.column, 3);
    ASSERT_EQ(a.attributes.size(), 3u);
    const int expected[][2] = {{3, 6}, {3, 12}, {4, 2}};  // columns count characters
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(a.attributes[i].line, expected[i][0]) << i;
        EXPECT_EQ(a.attributes[i].column, expected[i][1]) << i;
    }
}

// 20,000 attributes on one line: the last repeats the first and is named at its column.
TEST(XmlReader, ARepeatedAttributeAmongManyIsFound) {
    std::string doc = "<W";
    for (int i = 0; i < 20000; ++i) doc += " a" + std::to_string(i) + "=\"1\"";
    const size_t column = doc.size() + 2;
    doc += " a0=\"2\"/>";
    XmlParseResult r = Parse(doc);
    EXPECT_FALSE(r.root);
    EXPECT_EQ(r.error, "line 1, column " + std::to_string(column) + ": duplicate attribute \"a0\"");
}

}  // namespace
