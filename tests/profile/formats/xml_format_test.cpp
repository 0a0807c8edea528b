#include "core/conversion.h"
#include "core/profile_paths.h"
#include "formats/escape.h"
#include "formats/load_exception.h"

#include "format_fixtures.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

using namespace tbpr;
using testsupport::describe;
using testsupport::parseBytes;
using testsupport::render;
using testsupport::utf16le;

namespace {

class XmlFormat : public testing::Test {
protected:
    XmlFormat() { setCurrentCodePage(65001); }
};

std::u16string fromAscii(const std::string &text)
{
    return std::u16string(text.begin(), text.end());
}

std::unique_ptr<ItemList> sampleTree()
{
    auto root = std::make_unique<ItemList>("/");
    setValue(*root, "a", "1");
    setValue(*root, "b/c", "2");
    return root;
}

} // namespace

TEST_F(XmlFormat, GoldenDocument)
{
    const std::u16string header =
        fromAscii("<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"yes\"?>\r\n"
                  "<!-- DTD -->\r\n"
                  "<!DOCTYPE profile [\r\n"
                  " <!ENTITY cr \"&#x000a;<!--CR-->\">\r\n"
                  " <!ELEMENT profile (list*, item*)*>\r\n"
                  "  <!ELEMENT list (list?, item?)*>\r\n"
                  "  <!ATTLIST list name CDATA #REQUIRED>\r\n"
                  "   <!ELEMENT item (#PCDATA)>\r\n"
                  "   <!ATTLIST item name CDATA #REQUIRED>\r\n"
                  "   <!ATTLIST item xml:space (default|preserve) \"preserve\"> ]>\r\n"
                  "<!-- DATA -->\r\n");
    EXPECT_EQ(header.size(), 389u);
    EXPECT_EQ(xmlHeader(), header);
    const std::u16string body = fromAscii("<profile>\r\n"
                                          " <item name=\"a\">1</item>\r\n"
                                          " <list name=\"b\">\r\n"
                                          "  <item name=\"c\">2</item>\r\n"
                                          " </list>\r\n"
                                          "</profile>\r\n");
    EXPECT_EQ(render(*sampleTree(), 1, SaveFormat::Xml, true), "\xFF\xFE" + utf16le(header + body));
}

TEST_F(XmlFormat, EscapingTable)
{
    EXPECT_EQ(escapeXml("a<b>c&d'e\"f"), u"a&lt;b&gt;c&amp;d&apos;e&quot;f");
    EXPECT_EQ(escapeXml("x\r\ny\nz\r"), u"x&cr;y&cr;z");
    EXPECT_EQ(escapeXml("Gr\xC3\xBC\xC3\x9F\x65"), u"Grüße");
    EXPECT_EQ(escapedXmlLength("a<b>c&d'e\"f\r\n"), escapeXml("a<b>c&d'e\"f\r\n").size());

    EXPECT_EQ(escapeXfdf("plain ASCII"), "plain ASCII");
    EXPECT_EQ(escapeXfdf("<&>'\""), "&lt;&amp;&gt;&apos;&quot;");
    EXPECT_EQ(escapeXfdf("\xE2\x82\xAC"), "&#x20ac;");
    EXPECT_EQ(escapeXfdf("\xC3\xA4"), "&#x00e4;");
    EXPECT_EQ(escapeXfdf("\xF0\x9F\x98\x80"), "&#x1f600;");
    EXPECT_EQ(escapeXfdf("a\r\nb"), "a&#x000d;&#x000a;b");
    EXPECT_EQ(escapeXfdf("\x80", *findCodePage(1252)), "&#x20ac;");

    EXPECT_EQ(unescapeXml("&cr;&lt;&gt;&amp;&apos;&quot;&other;&"), "\r\n<>&'\"&other;&");
    EXPECT_EQ(unescapeXml("&#x20ac;&#8364;&#xd83d;&#xde00;"), "\xE2\x82\xAC\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(unescapeXml("&#x20ac;", *findCodePage(1252)), "\x80");
    EXPECT_EQ(unescapeXml("&#xZZ;&#;&#x110000;"), "&#xZZ;&#;&#x110000;");
}

TEST_F(XmlFormat, LineBreaksInValuesReadBackAsCrLf)
{
    ItemList root("/");
    setValue(root, "crlf", "a\r\nb");
    setValue(root, "lf", "c\nd");
    const std::string bytes = render(root, 1, SaveFormat::Xml, true);
    EXPECT_NE(bytes.find(utf16le(u"a&cr;b")), std::string::npos);
    ItemList back("/");
    parseBytes(back, bytes, ParseMode::Xml, true);
    EXPECT_EQ(describe(back), "crlf=a\r\nb,lf=c\r\nd");
}

TEST_F(XmlFormat, NestedTreeRoundTrips)
{
    ItemList root("/");
    setValue(root, "a", "1");
    setValue(root, "l/m/n", "<tag> & \"quoted\" 'x' Grüße €");
    appendValue(root, "l/m/n", "");
    appendList(root, "l/empty");
    setValue(root, "same", "v");
    appendList(root, "same");
    for (SaveFormat format : {SaveFormat::Xml, SaveFormat::Xfdf}) {
        const bool wide = format == SaveFormat::Xml;
        ItemList back("/");
        parseBytes(back, render(root, 1, format, true), wide ? ParseMode::Xml : ParseMode::Xfdf, wide);
        EXPECT_EQ(describe(back), describe(root)) << static_cast<int>(format);
    }
}

TEST_F(XmlFormat, ParseErrorsWithMessageAndLine)
{
    struct Case {
        std::string body; // lines after "<profile>" (line 1)
        const char *message;
        int line;
    };
    const Case cases[] = {
        {"text\r\n", "prof::xml: bad format", 2},
        {"<item name=\"a\">1\r\n", "prof::xml::item no '</item>' tag found", 2},
        {"<item x>1</item>\r\n", "prof::xml::item empty name", 2},
        {"<item name=\"a>1</item>\r\n", "prof::xml::item no end tag", 2},
        {"<item name=\"a\"\r\n", "prof::xml::item no end tag (2)", 2},
        {"<list name=\"l\">\r\n</profile>\r\n", "prof::xml::profile: bad nesting level (should be 0)", 3},
        {"<list x>\r\n", "prof::xml::list: name is empty", 2},
        {"<list name=\"l>\r\n", "prof::xml::list: name is unfinished", 2},
        {"<profile>\r\n", "prof::xml::profile: bad nesting level (should be -1)", 2},
        {"<xfdf x>\r\n", "prof::xml::xfdf: bad nesting level (should be -1)", 2},
        {"<list name=\"l\">\r\n</xfdf>\r\n", "prof::xml::xfdf: bad nesting level (should be 0)", 3},
    };
    for (const Case &c : cases) {
        ItemList root("/");
        try {
            parseBytes(root, utf16le(fromAscii("<profile>\r\n" + c.body)), ParseMode::Xml, true);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const LoadException &fault) {
            EXPECT_STREQ(fault.what(), c.message);
            EXPECT_EQ(fault.line(), c.line) << c.message;
        }
    }
    // before <profile>: items and list ends are out of place
    const std::pair<const char *, const char *> outside[] = {
        {"<item name=\"a\">1</item>\r\n", "prof::xml::item bad nesting level (becomes negative)"},
        {"<list name=\"a\">\r\n", "prof::xml::list: bad nesting level"},
        {"</list>\r\n", "prof::xml::profile: bad nesting level (becomes negative)"},
    };
    for (const auto &[text, message] : outside) {
        ItemList root("/");
        EXPECT_THROW(
            {
                try {
                    parseBytes(root, utf16le(fromAscii(text)), ParseMode::Xml, true);
                } catch (const LoadException &fault) {
                    EXPECT_STREQ(fault.what(), message);
                    throw;
                }
            },
            LoadException);
    }
}

TEST_F(XmlFormat, ItemsBeforeAFaultStay)
{
    ItemList root("/");
    EXPECT_THROW(parseBytes(root,
                            utf16le(u"<profile>\r\n<item name=\"a\">1</item>\r\n<list name=\"l\">\r\n"
                                    u"<item name=\"b\">2</item>\r\nbroken\r\n"),
                            ParseMode::Xml, true),
                 LoadException);
    EXPECT_EQ(describe(root), "a=1");
}

TEST_F(XmlFormat, XfdfGoldenAndForeignForms)
{
    ItemList root("/");
    setValue(root, "euro", "\xE2\x82\xAC");
    setValue(root, "l/x", "\xC3\xA4");
    EXPECT_EQ(render(root, 1, SaveFormat::Xfdf, true),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<xfdf xmlns=\"http://ns.adobe.com/xfdf/\" xml:space=\"preserve\">\r\n"
              "<fields>\r\n"
              " <field name=\"euro\">\r\n"
              "  <value>&#x20ac;</value>\r\n"
              " </field>\r\n"
              " <field name=\"l\">\r\n"
              "  <field name=\"x\">\r\n"
              "   <value>&#x00e4;</value>\r\n"
              "  </field>\r\n"
              " </field>\r\n"
              "</fields>\r\n"
              "</xfdf>\r\n");
    // one-line fields, the list form "<field=", and a value over two lines
    ItemList foreign("/");
    parseBytes(
        foreign,
        "<xfdf>\r\n<fields>\r\n<field name=\"a\"><value>1</value></field>\r\n<field=\"l\">\r\n"
        "<field name=\"b\">\r\n<value>x\r\ny</value>\r\n</field>\r\n</field>\r\n</fields>\r\n</xfdf>\r\n",
        ParseMode::Xfdf);
    EXPECT_EQ(describe(foreign), "a=1,[l]{b=x\r\ny}");
}

TEST_F(XmlFormat, XfdfFaults)
{
    const std::pair<const char *, const char *> cases[] = {
        {"<fields>\r\nplain\r\n", "prof::xml::xfdf: bad format ('<' expected)"},
        {"<field x>\r\n", "prof::xml::field: no name found"},
        {"<field name=\"a>\r\n", "prof::xml::field: name unfinished"},
        {"<field name=\"a\">\r\n<value>never closed\r\n", "prof::xml::value: bad format (missing next line)"},
    };
    for (const auto &[text, message] : cases) {
        ItemList root("/");
        try {
            parseBytes(root, text, ParseMode::Xfdf);
            ADD_FAILURE() << message;
        } catch (const LoadException &fault) {
            EXPECT_STREQ(fault.what(), message);
        }
    }
}

TEST_F(XmlFormat, OutsideParserAcceptsBothForms)
{
    ItemList root("/");
    setValue(root, "a", "<&>\"' Grüße € \xF0\x9F\x98\x80");
    setValue(root, "l/m/n", "line\r\nbreak");
    appendList(root, "l/empty");

    const std::string xml = render(root, 1, SaveFormat::Xml, true);
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(
        xml.data(), xml.size(), pugi::parse_default | pugi::parse_doctype, pugi::encoding_utf16_le);
    ASSERT_TRUE(parsed) << parsed.description();
    EXPECT_STREQ(doc.child("profile").child("item").attribute("name").value(), "a");
    EXPECT_STREQ(doc.child("profile").child("item").child_value(), "<&>\"' Grüße € \xF0\x9F\x98\x80");
    EXPECT_STREQ(doc.child("profile").child("list").attribute("name").value(), "l");

    const std::string xfdf = render(root, 1, SaveFormat::Xfdf, true);
    pugi::xml_document fdf;
    const pugi::xml_parse_result parsedFdf = fdf.load_buffer(xfdf.data(), xfdf.size());
    ASSERT_TRUE(parsedFdf) << parsedFdf.description();
    const pugi::xml_node fields = fdf.child("xfdf").child("fields");
    EXPECT_STREQ(fields.child("field").child("value").child_value(), "<&>\"' Grüße € \xF0\x9F\x98\x80");
    EXPECT_STREQ(fields.find_child_by_attribute("field", "name", "l")
                     .child("field")
                     .child("field")
                     .child("value")
                     .child_value(),
                 "line\r\nbreak");
}
