#pragma once
// Escaping of names and values for the two XML forms, and the way back.
#include "core/code_page.h"

#include <string>
#include <string_view>

namespace tbpr {

// UTF-16 XML: LF -> "&cr;", CR dropped, < > & ' " as named entities.
std::u16string escapeXml(std::string_view narrowText, const CodePage &page = currentCodePage());
// XFDF (pure ASCII output): < > & ' " as named entities, CR, LF and every
// code point from 0x80 up as "&#x%04x;".
std::string escapeXfdf(std::string_view narrowText, const CodePage &page = currentCodePage());
// "&cr;" -> CR LF, the five named entities, and "&#xH;" / "&#D;" references
// (into the code page); anything else stays as it is.
std::string unescapeXml(std::string_view text, const CodePage &page = currentCodePage());

// Length of escapeXml's result without building it.
size_t escapedXmlLength(std::string_view narrowText, const CodePage &page = currentCodePage());

} // namespace tbpr
