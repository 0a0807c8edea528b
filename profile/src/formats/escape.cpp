#include "formats/escape.h"

#include "core/conversion.h"
#include "core/format.h"

#include <charconv>

namespace tbpr {
namespace {

bool needsXmlEscape(std::string_view text)
{
    for (char c : text) {
        if (c == '\n' || c == '\r' || c == '<' || c == '>' || c == '&' || c == '\'' || c == '"')
            return true;
    }
    return false;
}

void appendAscii(std::u16string &out, const char *ascii)
{
    while (*ascii)
        out.push_back(static_cast<char16_t>(*ascii++));
}

const char *namedEntity(char32_t c)
{
    switch (c) {
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '&':
        return "&amp;";
    case '\'':
        return "&apos;";
    case '"':
        return "&quot;";
    default:
        return nullptr;
    }
}

// Decodes "&#x20ac;" / "&#8364;" at text[0]; 0 when it is not a reference.
size_t parseCharacterReference(std::string_view text, char32_t &code)
{
    if (text.size() < 4 || text[0] != '&' || text[1] != '#')
        return 0;
    const bool hex = text[2] == 'x' || text[2] == 'X';
    const size_t digits = hex ? 3 : 2;
    const size_t semicolon = text.find(';', digits);
    if (semicolon == std::string_view::npos || semicolon == digits || semicolon > digits + 8)
        return 0;
    uint32_t value = 0;
    const char *first = text.data() + digits;
    const char *last = text.data() + semicolon;
    const auto result = std::from_chars(first, last, value, hex ? 16 : 10);
    if (result.ec != std::errc() || result.ptr != last || value == 0 || value > 0x10FFFF)
        return 0;
    code = value;
    return semicolon + 1;
}

} // namespace

std::u16string escapeXml(std::string_view narrowText, const CodePage &page)
{
    std::u16string wide = widen(narrowText, page);
    if (!needsXmlEscape(narrowText))
        return wide;
    std::u16string out;
    out.reserve(wide.size() + 16);
    for (char16_t unit : wide) {
        if (unit == '\n') {
            appendAscii(out, "&cr;");
        } else if (unit == '\r') {
            continue;
        } else if (const char *entity = namedEntity(unit)) {
            appendAscii(out, entity);
        } else {
            out.push_back(unit);
        }
    }
    return out;
}

size_t escapedXmlLength(std::string_view narrowText, const CodePage &page)
{
    const std::u16string wide = widen(narrowText, page);
    size_t length = 0;
    for (char16_t unit : wide) {
        switch (unit) {
        case '\n':
        case '<':
        case '>':
            length += 4;
            break;
        case '\r':
            break;
        case '&':
            length += 5;
            break;
        case '\'':
        case '"':
            length += 6;
            break;
        default:
            length += 1;
        }
    }
    return length;
}

std::string escapeXfdf(std::string_view narrowText, const CodePage &page)
{
    bool plain = true;
    for (char c : narrowText) {
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\r' || c == '\n' || namedEntity(c)) {
            plain = false;
            break;
        }
    }
    if (plain)
        return std::string(narrowText);
    const std::u16string wide = widen(narrowText, page);
    std::string out;
    out.reserve(wide.size() + 16);
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t code = wide[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        }
        if (const char *entity = namedEntity(code))
            out.append(entity);
        else if (code >= 0x80 || code == '\r' || code == '\n')
            out.append(format("&#x%04x;", static_cast<unsigned>(code)));
        else
            out.push_back(static_cast<char>(code));
    }
    return out;
}

std::string unescapeXml(std::string_view text, const CodePage &page)
{
    if (text.find('&') == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::u16string references; // consecutive references, converted together
    auto flushReferences = [&] {
        if (!references.empty()) {
            out.append(narrow(references, page));
            references.clear();
        }
    };
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '&') {
            flushReferences();
            out.push_back(text[i++]);
            continue;
        }
        const std::string_view rest = text.substr(i);
        char32_t code = 0;
        if (const size_t length = parseCharacterReference(rest, code)) {
            appendCodePoint(references, code);
            i += length;
            continue;
        }
        flushReferences();
        struct Named {
            std::string_view entity;
            std::string_view replacement;
        };
        static constexpr Named kNamed[] = {{"&cr;", "\r\n"}, {"&lt;", "<"},   {"&gt;", ">"},
                                           {"&amp;", "&"},   {"&apos;", "'"}, {"&quot;", "\""}};
        bool replaced = false;
        for (const Named &named : kNamed) {
            if (rest.substr(0, named.entity.size()) == named.entity) {
                out.append(named.replacement);
                i += named.entity.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out.push_back(text[i++]);
    }
    flushReferences();
    return out;
}

} // namespace tbpr
