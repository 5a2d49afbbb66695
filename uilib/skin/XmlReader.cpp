// A small XML reader for skins. Single pass over the bytes (a 10 MB attribute costs one
// copy), an explicit element stack (no recursion, so deep nesting cannot overflow the
// stack), errors reported with line and column (columns count characters).
#include "uilib/skin/XmlReader.h"

#include "uilib/core/UIText.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace {

const size_t kMaxDepth = 256;

struct ParseError {
    int line;
    int column;
    std::string what;
};

bool IsNameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}
bool IsNameChar(unsigned char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
bool IsSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class Parser {
public:
    Parser(const char *data, size_t size)
        : m_p(reinterpret_cast<const unsigned char *>(data)), m_end(m_p + size), m_lineStart(m_p) {}

    std::unique_ptr<XmlElement> Parse() {
        if (m_end - m_p >= 3 && m_p[0] == 0xEF && m_p[1] == 0xBB && m_p[2] == 0xBF) {
            m_p += 3;
            m_lineStart = m_p;
        }
        Validate();
        std::unique_ptr<XmlElement> root;
        std::vector<XmlElement *> stack;
        for (;;) {
            SkipText(!stack.empty());
            if (m_p >= m_end) break;
            // m_p is at '<'
            if (Starts("<!--")) {
                SkipPast("-->", "unclosed comment");
                continue;
            }
            if (Starts("<![CDATA[")) {
                if (stack.empty()) Fail("character data outside the root element");
                SkipPast("]]>", "unclosed CDATA section");
                continue;
            }
            if (Starts("<?")) {
                SkipPast("?>", "unclosed processing instruction");
                continue;
            }
            if (Starts("<!")) {
                SkipPast(">", "unclosed declaration");
                continue;
            }
            if (Starts("</")) {
                Mark mark = Here();
                m_p += 2;
                std::string name = ReadName();
                SkipSpace();
                Expect('>', "'>' to end the closing tag");
                if (stack.empty()) FailAt(mark, "closing tag </" + name + "> without an open element");
                std::string open = uilib::WideToUtf8(stack.back()->name);
                if (open != name)
                    FailAt(mark, "mismatched tag: </" + name + "> closes <" + open + "> opened on line " +
                                     std::to_string(stack.back()->line));
                stack.pop_back();
                continue;
            }
            // An element.
            if (stack.empty() && root) Fail("a second root element");
            const Mark start = Here();
            ++m_p;
            auto element = std::make_unique<XmlElement>();
            element->line = start.line;
            element->column = ColumnOf(start);
            std::string name = ReadName();
            element->name = uilib::Utf8ToWide(name);
            bool selfClosing = ReadAttributes(*element);
            XmlElement *raw = element.get();
            if (stack.empty()) {
                root = std::move(element);
            } else {
                stack.back()->children.push_back(std::move(element));
            }
            if (!selfClosing) {
                if (stack.size() >= kMaxDepth) Fail("elements nested deeper than " + std::to_string(kMaxDepth));
                stack.push_back(raw);
            }
        }
        if (!stack.empty())
            Fail("premature end: unclosed tag <" + uilib::WideToUtf8(stack.back()->name) + "> opened on line " +
                 std::to_string(stack.back()->line));
        if (!root) Fail("premature end: no root element");
        return root;
    }

private:
    // A place in the document; its column is counted only when an error names it.
    struct Mark {
        int line;
        const unsigned char *lineStart;
        const unsigned char *at;
    };

    Mark Here() const { return Mark{m_line, m_lineStart, m_p}; }

    [[noreturn]] void Fail(const std::string &what) { FailAt(Here(), what); }
    [[noreturn]] void FailAt(const Mark &mark, const std::string &what) {
        throw ParseError{mark.line, ColumnOf(mark), what};
    }

    // Counts on from the last place asked about when it is earlier on the same line, so
    // that a long line of attributes is counted once.
    int ColumnOf(const Mark &mark) {
        if (m_colLineStart != mark.lineStart || m_colAt > mark.at) {
            m_colLineStart = mark.lineStart;
            m_colAt = mark.lineStart;
            m_col = 1;
        }
        for (; m_colAt < mark.at && m_colAt < m_end; ++m_colAt) {
            if ((*m_colAt & 0xC0) != 0x80) ++m_col;
        }
        return m_col;
    }

    void Validate() {
        const unsigned char *saveP = m_p, *saveLine = m_lineStart;
        int saveLineNo = m_line;
        while (m_p < m_end) {
            if (*m_p == '\n') {
                ++m_line;
                m_lineStart = m_p + 1;
            }
            if (*m_p == 0) Fail("NUL byte in the document");
            char32_t cp = 0;
            size_t len = uilib::Utf8SequenceLength(m_p, m_end, cp);
            if (len == 0) Fail("invalid UTF-8");
            m_p += len;
        }
        m_p = saveP;
        m_lineStart = saveLine;
        m_line = saveLineNo;
    }

    void Advance() {
        if (*m_p == '\n') {
            ++m_line;
            m_lineStart = m_p + 1;
        }
        ++m_p;
    }

    bool Starts(const char *s) const {
        size_t n = strlen(s);
        return static_cast<size_t>(m_end - m_p) >= n && memcmp(m_p, s, n) == 0;
    }

    void SkipPast(const char *terminator, const char *error) {
        Mark mark = Here();
        size_t n = strlen(terminator);
        while (m_p < m_end) {
            if (static_cast<size_t>(m_end - m_p) >= n && memcmp(m_p, terminator, n) == 0) {
                m_p += n;
                return;
            }
            Advance();
        }
        FailAt(mark, std::string("premature end: ") + error);
    }

    void SkipSpace() {
        while (m_p < m_end && IsSpace(*m_p)) Advance();
    }

    // Text between tags is not kept; outside the root only blanks may stand.
    void SkipText(bool insideRoot) {
        std::string discard;
        while (m_p < m_end && *m_p != '<') {
            if (!insideRoot && !IsSpace(*m_p)) Fail("text outside the root element");
            if (*m_p == '&') {
                discard.clear();
                ReadEntity(discard);
                continue;
            }
            Advance();
        }
    }

    void Expect(unsigned char c, const char *what) {
        if (m_p >= m_end) Fail(std::string("premature end: expected ") + what);
        if (*m_p != c) Fail(std::string("expected ") + what);
        ++m_p;
    }

    std::string ReadName() {
        if (m_p >= m_end) Fail("premature end: expected a name");
        if (!IsNameStart(*m_p)) Fail("expected a name");
        const unsigned char *start = m_p;
        while (m_p < m_end && IsNameChar(*m_p)) ++m_p;
        return std::string(reinterpret_cast<const char *>(start), static_cast<size_t>(m_p - start));
    }

    // At '&': decodes one entity into out.
    void ReadEntity(std::string &out) {
        Mark mark = Here();
        const unsigned char *start = m_p;
        ++m_p;
        const unsigned char *semi = m_p;
        while (semi < m_end && semi - m_p < 12 && *semi != ';' && *semi != '<' && !IsSpace(*semi)) ++semi;
        if (semi >= m_end || *semi != ';') {
            std::string shown(reinterpret_cast<const char *>(start),
                              static_cast<size_t>(std::min<ptrdiff_t>(semi - start, 12)));
            FailAt(mark, "bad entity \"" + shown + "\" (no ';')");
        }
        std::string body(reinterpret_cast<const char *>(m_p), static_cast<size_t>(semi - m_p));
        m_p = semi + 1;
        if (body == "lt")
            out += '<';
        else if (body == "gt")
            out += '>';
        else if (body == "amp")
            out += '&';
        else if (body == "quot")
            out += '"';
        else if (body == "apos")
            out += '\'';
        else if (body.size() >= 2 && body[0] == '#') {
            bool hex = body[1] == 'x' || body[1] == 'X';
            std::string digits = body.substr(hex ? 2 : 1);
            unsigned long cp = 0;
            bool ok = !digits.empty() && digits.size() <= 8;
            for (char c : digits) {
                int v;
                if (c >= '0' && c <= '9')
                    v = c - '0';
                else if (hex && c >= 'a' && c <= 'f')
                    v = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F')
                    v = c - 'A' + 10;
                else {
                    ok = false;
                    break;
                }
                cp = cp * (hex ? 16 : 10) + static_cast<unsigned long>(v);
            }
            if (!ok || cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
                FailAt(mark, "bad entity \"&" + body + ";\" (not a character)");
            uilib::AppendUtf8(out, static_cast<char32_t>(cp));
        } else {
            FailAt(mark, "bad entity \"&" + body + ";\"");
        }
    }

    // After the element name: attributes up to '>' or '/>'. True for '/>'.
    bool ReadAttributes(XmlElement &element) {
        std::unordered_set<std::wstring> names;
        for (;;) {
            bool spaced = m_p < m_end && IsSpace(*m_p);
            SkipSpace();
            if (m_p >= m_end) Fail("premature end: unclosed tag <" + uilib::WideToUtf8(element.name) + ">");
            if (*m_p == '>') {
                ++m_p;
                return false;
            }
            if (*m_p == '/') {
                ++m_p;
                Expect('>', "'>' after '/'");
                return true;
            }
            if (!spaced) Fail("expected a space, '>' or '/>' in tag <" + uilib::WideToUtf8(element.name) + ">");
            Mark nameMark = Here();
            XmlAttribute attr;
            attr.name = uilib::Utf8ToWide(ReadName());
            attr.line = nameMark.line;
            attr.column = ColumnOf(nameMark);
            SkipSpace();
            Expect('=', "'=' after an attribute name");
            SkipSpace();
            if (m_p >= m_end) Fail("premature end: expected an attribute value");
            unsigned char quote = *m_p;
            if (quote != '"' && quote != '\'') Fail("expected a quoted attribute value");
            Mark valueMark = Here();
            ++m_p;
            std::string value;
            for (;;) {
                const unsigned char *run = m_p;
                while (m_p < m_end && *m_p != quote && *m_p != '&' && *m_p != '<' && *m_p != '\n') ++m_p;
                value.append(reinterpret_cast<const char *>(run), static_cast<size_t>(m_p - run));
                if (m_p >= m_end) FailAt(valueMark, "premature end: unclosed attribute value");
                if (*m_p == quote) {
                    ++m_p;
                    break;
                }
                if (*m_p == '&')
                    ReadEntity(value);
                else if (*m_p == '<')
                    Fail("'<' in an attribute value (write &lt;)");
                else {
                    value += '\n';
                    Advance();
                }
            }
            attr.value = uilib::Utf8ToWide(value);
            if (!names.insert(attr.name).second)
                FailAt(nameMark, "duplicate attribute \"" + uilib::WideToUtf8(attr.name) + "\"");
            element.attributes.push_back(std::move(attr));
        }
    }

    const unsigned char *m_p;
    const unsigned char *m_end;
    const unsigned char *m_lineStart;
    int m_line = 1;
    const unsigned char *m_colLineStart = nullptr;  // ColumnOf's last place
    const unsigned char *m_colAt = nullptr;
    int m_col = 1;
};

}  // namespace

const std::wstring *XmlElement::Attribute(const std::wstring &attrName) const {
    for (const XmlAttribute &a : attributes) {
        if (a.name == attrName) return &a.value;
    }
    return nullptr;
}

XmlParseResult ParseXml(const char *data, size_t size) {
    XmlParseResult result;
    try {
        Parser parser(data, size);
        result.root = parser.Parse();
    } catch (const ParseError &e) {
        result.root.reset();
        result.error = "line " + std::to_string(e.line) + ", column " + std::to_string(e.column) + ": " + e.what;
    } catch (const std::bad_alloc &) {
        result.root.reset();
        result.error = "out of memory";
    }
    return result;
}
