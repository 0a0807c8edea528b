#include "formats/profile_writer.h"

#include "core/conversion.h"
#include "core/mb_text.h"
#include "formats/escape.h"

namespace tbpr {
namespace {

const char *const kXmlHeaderLines[] = {
    "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"yes\"?>",
    "<!-- DTD -->",
    "<!DOCTYPE profile [",
    " <!ENTITY cr \"&#x000a;<!--CR-->\">",
    " <!ELEMENT profile (list*, item*)*>",
    "  <!ELEMENT list (list?, item?)*>",
    "  <!ATTLIST list name CDATA #REQUIRED>",
    "   <!ELEMENT item (#PCDATA)>",
    "   <!ATTLIST item name CDATA #REQUIRED>",
    "   <!ATTLIST item xml:space (default|preserve) \"preserve\"> ]>",
    "<!-- DATA -->",
};

constexpr const char *kXfdfProlog = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                    "<xfdf xmlns=\"http://ns.adobe.com/xfdf/\" xml:space=\"preserve\">\r\n";

bool hasLineBreak(const std::string &text)
{
    return text.find_first_of("\r\n") != std::string::npos;
}

// Escaped UTF-16 of a narrow text; plain ASCII goes straight to the output.
void writeXmlText(OutputBuffer &out, const std::string &text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\n' || c == '\r' || c == '<' || c == '>' ||
            c == '&' || c == '\'' || c == '"') {
            out.wide(escapeXml(text));
            return;
        }
    }
    out.wideAscii(text);
}

void writeValueItem(OutputBuffer &out, const Item &item, int depth, SaveFormat format)
{
    const std::string indent = makeIndent(depth);
    switch (format) {
    case SaveFormat::Text: {
        std::string line;
        line.reserve(indent.size() + item.name.size() + item.value.size() + 3);
        line.append(indent).append(item.name).append("=").append(item.value).append("\r\n");
        out.narrow(line);
        break;
    }
    case SaveFormat::Xml:
        out.wideAscii(indent);
        out.wideAscii("<item name=\"");
        writeXmlText(out, item.name);
        out.wideAscii("\">");
        writeXmlText(out, item.value);
        out.wideAscii("</item>\r\n");
        break;
    case SaveFormat::Xfdf:
        out.narrow(indent + "<field name=\"" + escapeXfdf(item.name) + "\">\r\n");
        out.narrow(indent + " <value>" + escapeXfdf(item.value) + "</value>\r\n");
        out.narrow(indent + "</field>\r\n");
        break;
    }
}

void writeListOpen(OutputBuffer &out, const ItemList &list, int depth, SaveFormat format)
{
    const std::string indent = makeIndent(depth);
    switch (format) {
    case SaveFormat::Text:
        out.narrow(indent + "[" + list.name() + "]\r\n" + makeIndent(depth + 1) + "{\r\n");
        break;
    case SaveFormat::Xml:
        out.wideAscii(indent);
        out.wideAscii("<list name=\"");
        writeXmlText(out, list.name());
        out.wideAscii("\">\r\n");
        break;
    case SaveFormat::Xfdf:
        // A list is a field holding fields: well-formed, and read back as a list.
        out.narrow(indent + "<field name=\"" + escapeXfdf(list.name()) + "\">\r\n");
        break;
    }
}

void writeListClose(OutputBuffer &out, int depth, SaveFormat format)
{
    switch (format) {
    case SaveFormat::Text:
        out.narrow(makeIndent(depth + 1) + "}\r\n");
        break;
    case SaveFormat::Xml:
        out.wideAscii(makeIndent(depth));
        out.wideAscii("</list>\r\n");
        break;
    case SaveFormat::Xfdf:
        out.narrow(makeIndent(depth) + "</field>\r\n");
        break;
    }
}

uint64_t estimateItems(const ItemList &list, int depth, SaveFormat format);

uint64_t indentLength(int depth)
{
    if (depth <= 0)
        return 0;
    return static_cast<uint64_t>(depth / 4 + depth % 4);
}

uint64_t estimateList(const ItemList &list, int depth, SaveFormat format)
{
    switch (format) {
    case SaveFormat::Text:
        // "[name]\r\n", "{\r\n", ..., "}\r\n"
        return indentLength(depth) + list.name().size() + 4 + 2 * (indentLength(depth + 1) + 3) +
               estimateItems(list, depth + 1, format);
    case SaveFormat::Xml:
        return 2 * (2 * indentLength(depth) + 14 + escapedXmlLength(list.name()) + 9) +
               estimateItems(list, depth + 1, format);
    case SaveFormat::Xfdf:
        return 2 * indentLength(depth) + 15 + escapeXfdf(list.name()).size() + 10 +
               estimateItems(list, depth + 1, format);
    }
    return 0;
}

uint64_t estimateItems(const ItemList &list, int depth, SaveFormat format)
{
    uint64_t total = 0;
    for (const auto &item : list.items()) {
        if (item->isList()) {
            total += estimateList(*item->sublist, depth, format);
            continue;
        }
        switch (format) {
        case SaveFormat::Text:
            total += indentLength(depth) + item->name.size() + 1 + item->value.size() + 2;
            break;
        case SaveFormat::Xml:
            total += 2 * (indentLength(depth) + 14 + escapedXmlLength(item->name) +
                          escapedXmlLength(item->value) + 9);
            break;
        case SaveFormat::Xfdf:
            total += 3 * indentLength(depth) + 15 + escapeXfdf(item->name).size() + 8 +
                     escapeXfdf(item->value).size() + 10 + 10;
            break;
        }
    }
    return total;
}

} // namespace

SaveFormat saveFormatFromNumber(int number)
{
    if (number == 0)
        return SaveFormat::Text;
    if (number == 2)
        return SaveFormat::Xfdf;
    return SaveFormat::Xml;
}

std::string makeIndent(int depth)
{
    if (depth <= 0)
        return {};
    return std::string(static_cast<size_t>(depth / 4), '\t') +
           std::string(static_cast<size_t>(depth % 4), ' ');
}

const std::u16string &xmlHeader()
{
    static const std::u16string header = [] {
        std::u16string text;
        for (const char *line : kXmlHeaderLines) {
            for (const char *p = line; *p; ++p)
                text.push_back(static_cast<char16_t>(*p));
            text.append(u"\r\n");
        }
        return text;
    }();
    return header;
}

void writeHeader(OutputBuffer &out, SaveFormat format)
{
    switch (format) {
    case SaveFormat::Text:
        break;
    case SaveFormat::Xml:
        out.narrow(std::string_view("\xFF\xFE", 2));
        out.wide(xmlHeader());
        out.wideAscii("<profile>\r\n");
        break;
    case SaveFormat::Xfdf:
        out.narrow(kXfdfProlog);
        out.narrow("<fields>\r\n");
        break;
    }
}

void writeFooter(OutputBuffer &out, SaveFormat format)
{
    switch (format) {
    case SaveFormat::Text:
        break;
    case SaveFormat::Xml:
        out.wideAscii("</profile>\r\n");
        break;
    case SaveFormat::Xfdf:
        out.narrow("</fields>\r\n</xfdf>\r\n");
        break;
    }
}

void writeItems(OutputBuffer &out, const ItemList &list, int depth, SaveFormat format)
{
    for (const auto &item : list.items()) {
        if (!out.ok())
            return;
        if (item->isList())
            writeList(out, *item->sublist, depth, format);
        else
            writeValueItem(out, *item, depth, format);
    }
}

void writeList(OutputBuffer &out, const ItemList &list, int depth, SaveFormat format)
{
    writeListOpen(out, list, depth, format);
    writeItems(out, list, depth + 1, format);
    writeListClose(out, depth, format);
}

void writeTree(OutputBuffer &out, const ItemList &root, int depth, SaveFormat format)
{
    // The XML forms never write the root "/" as an element of its own.
    if (format != SaveFormat::Text && root.name() == "/")
        writeItems(out, root, depth, format);
    else
        writeList(out, root, depth, format);
}

uint64_t estimateListSize(const ItemList &root, int depth, SaveFormat format)
{
    if (format != SaveFormat::Text && root.name() == "/")
        return estimateItems(root, depth, format);
    return estimateList(root, depth, format);
}

bool listNameRepresentableInText(const std::string &name)
{
    return !hasLineBreak(name);
}

const Item *findUnrepresentableInText(const ItemList &list)
{
    for (const auto &item : list.items()) {
        if (item->isList()) {
            if (!listNameRepresentableInText(item->sublist->name()))
                return item.get();
            if (const Item *inner = findUnrepresentableInText(*item->sublist))
                return inner;
            continue;
        }
        const std::string &name = item->name;
        if (hasLineBreak(name) || hasLineBreak(item->value) || MbStrChr(name.c_str(), '=') != nullptr)
            return item.get();
        if (!name.empty() && std::string_view("#;{}[ \t").find(name.front()) != std::string_view::npos)
            return item.get();
    }
    return nullptr;
}

} // namespace tbpr
