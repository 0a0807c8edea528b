#pragma once
// Renders trees into bytes and reads bytes back, through a temporary file.
#include "core/file.h"
#include "formats/line_reader.h"
#include "formats/output_buffer.h"
#include "formats/profile_parser.h"
#include "formats/profile_writer.h"

#include <string>

namespace testsupport {

inline std::string fileBytes(tbpr::File &file)
{
    std::string bytes(file.size(), '\0');
    file.readAt(0, bytes.data(), bytes.size());
    return bytes;
}

inline std::string render(const tbpr::ItemList &root, int depth, tbpr::SaveFormat format,
                          bool withHeader = false)
{
    auto file = tbpr::File::temporary();
    {
        tbpr::OutputBuffer out(*file);
        if (withHeader)
            tbpr::writeHeader(out, format);
        tbpr::writeTree(out, root, depth, format);
        if (withHeader)
            tbpr::writeFooter(out, format);
    }
    return fileBytes(*file);
}

// Parses bytes as a file job would (start depth -1).
inline void parseBytes(tbpr::ItemList &root, const std::string &bytes, tbpr::ParseMode mode,
                       bool utf16 = false, int depth = -1)
{
    tbpr::LineReader reader(bytes, utf16);
    int lines = 0;
    tbpr::parseProfileLines(mode, depth, root, reader, lines);
}

inline std::string utf16le(const std::u16string &text)
{
    std::string bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// A compact picture of a tree: "a=1,[b]{c=2}".
inline std::string describe(const tbpr::ItemList &list)
{
    std::string out;
    for (const auto &item : list.items()) {
        if (!out.empty())
            out += ",";
        if (item->isList())
            out += "[" + item->name + "]{" + describe(*item->sublist) + "}";
        else
            out += item->name + "=" + item->value;
    }
    return out;
}

} // namespace testsupport
