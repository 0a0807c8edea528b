#include "formats/profile_parser.h"

#include "core/mb_text.h"
#include "formats/escape.h"
#include "formats/load_exception.h"

#include <memory>
#include <strings.h>
#include <vector>

namespace tbpr {
namespace {

bool startsWithNoCase(std::string_view line, std::string_view tag)
{
    return line.size() >= tag.size() && strncasecmp(line.data(), tag.data(), tag.size()) == 0;
}

// Position of the first '=' at a character start.
size_t findEquals(std::string_view line, const CodePage &page)
{
    if (!page.multibyte())
        return line.find('=');
    const std::string copy(line);
    const char *found = MbStrChr(copy.c_str(), '=', page);
    return found ? static_cast<size_t>(found - copy.c_str()) : std::string_view::npos;
}

// No real profile comes near this depth; a source that goes deeper would
// build a tree too deep for the recursive writers and walks.
constexpr size_t kMaxNesting = 1000;

void checkNesting(size_t depth, int lineCounter)
{
    if (depth >= kMaxNesting)
        throw LoadException(lineCounter, "prof: lists nested too deeply");
}

// Lists under construction: a list joins its parent when its level ends, so
// a fault inside it leaves it out, as an unwound recursion would.
class LevelStack {
public:
    LevelStack(ItemList &base, const int &lineCounter) : base_(base), lineCounter_(lineCounter) {}
    ItemList &current() { return pending_.empty() ? base_ : *pending_.back(); }
    size_t depth() const { return pending_.size(); }
    void open(std::unique_ptr<ItemList> list)
    {
        checkNesting(pending_.size(), lineCounter_);
        pending_.push_back(std::move(list));
    }
    // Closes the innermost open list; false when the base level ends.
    bool close()
    {
        if (pending_.empty())
            return false;
        std::unique_ptr<ItemList> done = std::move(pending_.back());
        pending_.pop_back();
        current().appendList(std::move(done));
        return true;
    }
    void closeAll()
    {
        while (close()) {
        }
    }

private:
    ItemList &base_;
    const int &lineCounter_;
    std::vector<std::unique_ptr<ItemList>> pending_;
};

void appendTextValue(ItemList &list, std::string_view line, const CodePage &page, bool trimAroundEquals)
{
    const size_t equals = findEquals(line, page);
    if (equals == std::string_view::npos) {
        list.appendValue(std::string(line), {});
        return;
    }
    std::string_view name = line.substr(0, equals);
    std::string_view value = line.substr(equals + 1);
    if (trimAroundEquals) {
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
            name.remove_suffix(1);
        while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
            value.remove_prefix(1);
    }
    list.appendValue(std::string(name), std::string(value));
}

// Text form from depth >= 0: returns when the base level ends or the lines run out.
void parseTextLevels(ItemList &base, LineReader &reader, int &lineCounter, const CodePage &page)
{
    LevelStack levels(base, lineCounter);
    while (auto line = reader.next()) {
        ++lineCounter;
        const char first = line->empty() ? '\0' : line->front();
        if (first == '\0' || first == '#' || first == ';' || first == '{')
            continue;
        if (first == '[') {
            levels.open(ItemList::fromText(*line));
            continue;
        }
        if (first == '}') {
            if (!levels.close())
                return;
            continue;
        }
        appendTextValue(levels.current(), *line, page, false);
    }
    levels.closeAll();
}

void parseText(int depth, ItemList &target, LineReader &reader, int &lineCounter, const CodePage &page)
{
    if (depth < 0) {
        for (;;) {
            auto line = reader.next();
            if (!line)
                return;
            ++lineCounter;
            if (*line == "[/]")
                break;
        }
    }
    parseTextLevels(target, reader, lineCounter, page);
}

// The text of a name="..." attribute (or <field="...">); nullopt without the opening.
struct AttributeName {
    bool found = false;
    bool finished = false;
    std::string_view text;
    size_t end = 0; // after the closing quotation mark
};

AttributeName attributeName(std::string_view line, std::string_view opening)
{
    AttributeName result;
    const size_t at = line.find(opening);
    if (at == std::string_view::npos)
        return result;
    result.found = true;
    const size_t start = at + opening.size();
    const size_t quote = line.find('"', start);
    if (quote == std::string_view::npos)
        return result;
    result.finished = true;
    result.text = line.substr(start, quote - start);
    result.end = quote + 1;
    return result;
}

class XfdfReader {
public:
    XfdfReader(ItemList &base, LineReader &reader, int &lineCounter, const CodePage &page)
        : base_(base), reader_(reader), lineCounter_(lineCounter), page_(page)
    {
    }

    // Reads until the base level ends or the lines run out.
    void run()
    {
        while (auto line = reader_.next()) {
            ++lineCounter_;
            if (!step(*line))
                break;
        }
        while (!frames_.empty())
            closeField();
    }

private:
    struct Frame {
        std::string name;
        std::unique_ptr<ItemList> list; // made when the field holds fields
        bool hasValue = false;
    };

    ItemList &container()
    {
        for (auto it = frames_.rbegin(); it != frames_.rend(); ++it) {
            if (it->list)
                return *it->list;
        }
        return base_;
    }

    std::string fullName() const
    {
        std::string name;
        for (const Frame &frame : frames_) {
            if (!name.empty())
                name.push_back('.');
            name.append(frame.name);
        }
        return name;
    }

    [[noreturn]] void fail(const char *message) { throw LoadException(lineCounter_, message, fullName()); }

    static bool isFieldLine(std::string_view line)
    {
        if (!startsWithNoCase(line, "<field") || line.size() < 7)
            return false;
        const char next = line[6];
        return next == ' ' || next == '>' || next == '=' || next == '\t';
    }

    void openField(std::string_view line)
    {
        AttributeName name = attributeName(line, "name=\"");
        if (!name.found)
            name = attributeName(line, "<field=\"");
        if (!name.found) {
            if (line.size() >= 7 && line[6] == '>') {
                name.found = name.finished = true; // <field> without a name
            } else {
                fail("prof::xml::field: no name found");
            }
        }
        if (!name.finished)
            fail("prof::xml::field: name unfinished");
        // The enclosing field holds fields, so it is a list.
        if (!frames_.empty() && !frames_.back().list)
            frames_.back().list = ItemList::fromText(frames_.back().name);
        checkNesting(frames_.size(), lineCounter_);
        frames_.push_back(Frame{unescapeXml(name.text, page_), nullptr});
        // A one-line field: <field name="x"><value>v</value></field>
        const size_t value = line.find("<value>");
        if (value != std::string_view::npos)
            readValue(line.substr(value));
        if (line.find("</field>") != std::string_view::npos)
            closeField();
    }

    void readValue(std::string_view line)
    {
        std::string_view rest = line.substr(7);
        std::string text;
        size_t end = rest.find("</value>");
        if (end != std::string_view::npos) {
            text.assign(rest.substr(0, end));
        } else {
            text.assign(rest);
            for (;;) {
                auto more = reader_.next();
                if (!more)
                    fail("prof::xml::value: bad format (missing next line)");
                text.append("\r\n");
                end = more->find("</value>");
                if (end != std::string_view::npos) {
                    text.append(more->substr(0, end));
                    break;
                }
                text.append(*more);
            }
        }
        std::string value = unescapeXml(text, page_);
        if (frames_.empty()) {
            base_.appendValue({}, std::move(value));
            return;
        }
        Frame frame = std::move(frames_.back());
        frames_.pop_back();
        container().appendValue(frame.name, std::move(value));
        frame.hasValue = true;
        frames_.push_back(std::move(frame));
    }

    // Ends the innermost field; a field that held fields (or nothing) is a list.
    void closeField()
    {
        Frame frame = std::move(frames_.back());
        frames_.pop_back();
        if (frame.list)
            container().appendList(std::move(frame.list));
        else if (!frame.hasValue)
            container().appendList(ItemList::fromText(frame.name));
    }

    // false when the base level ends.
    bool step(std::string_view line)
    {
        if (line.empty())
            return true;
        if (line.front() != '<')
            fail("prof::xml::xfdf: bad format ('<' expected)");
        if (isFieldLine(line)) {
            openField(line);
            return true;
        }
        if (startsWithNoCase(line, "<value>")) {
            readValue(line);
            return true;
        }
        if (startsWithNoCase(line, "</field>")) {
            if (frames_.empty())
                return false;
            closeField();
        }
        return true;
    }

    ItemList &base_;
    LineReader &reader_;
    int &lineCounter_;
    const CodePage &page_;
    std::vector<Frame> frames_;
};

std::string xmlAttributeName(std::string_view line, int lineCounter, const char *empty,
                             const char *unfinished)
{
    const AttributeName name = attributeName(line, "name=\"");
    if (!name.found)
        throw LoadException(lineCounter, empty);
    if (!name.finished)
        throw LoadException(lineCounter, unfinished);
    return std::string(name.text);
}

// XML form. depth is the level of the base list (-1 before <profile>).
void parseXml(int depth, ItemList &target, LineReader &reader, int &lineCounter, const CodePage &page)
{
    LevelStack levels(target, lineCounter);
    int level = depth;
    // The level at which the reader was entered for the current base
    // (<profile> and <xfdf> enter at 0).
    auto currentDepth = [&] { return level + static_cast<int>(levels.depth()); };
    while (auto next = reader.next()) {
        ++lineCounter;
        std::string_view line = *next;
        if (line.empty())
            continue;
        if (line.front() != '<')
            throw LoadException(lineCounter, "prof::xml: bad format");
        const int d = currentDepth();
        if (startsWithNoCase(line, "<item ")) {
            if (d < 0)
                throw LoadException(lineCounter, "prof::xml::item bad nesting level (becomes negative)");
            const AttributeName name = attributeName(line, "name=\"");
            if (!name.found)
                throw LoadException(lineCounter, "prof::xml::item empty name");
            if (!name.finished)
                throw LoadException(lineCounter, "prof::xml::item no end tag");
            const size_t open = line.find('>', name.end);
            if (open == std::string_view::npos)
                throw LoadException(lineCounter, "prof::xml::item no end tag (2)");
            const size_t close = line.find("</item>", open + 1);
            if (close == std::string_view::npos)
                throw LoadException(lineCounter, "prof::xml::item no '</item>' tag found");
            levels.current().appendValue(unescapeXml(name.text, page),
                                         unescapeXml(line.substr(open + 1, close - open - 1), page));
        } else if (startsWithNoCase(line, "<list ")) {
            if (d < 0)
                throw LoadException(lineCounter, "prof::xml::list: bad nesting level");
            const std::string name = xmlAttributeName(line, lineCounter, "prof::xml::list: name is empty",
                                                      "prof::xml::list: name is unfinished");
            levels.open(ItemList::fromText(unescapeXml(name, page)));
        } else if (startsWithNoCase(line, "</list>")) {
            if (d < 0)
                throw LoadException(lineCounter, "prof::xml::profile: bad nesting level (becomes negative)");
            if (!levels.close())
                return;
        } else if (startsWithNoCase(line, "<profile>")) {
            if (d != -1)
                throw LoadException(lineCounter, "prof::xml::profile: bad nesting level (should be -1)");
            level = 0;
        } else if (startsWithNoCase(line, "</profile>")) {
            if (d != 0)
                throw LoadException(lineCounter, "prof::xml::profile: bad nesting level (should be 0)");
            return;
        } else if (startsWithNoCase(line, "<xfdf ")) {
            if (d != -1)
                throw LoadException(lineCounter, "prof::xml::xfdf: bad nesting level (should be -1)");
            XfdfReader(levels.current(), reader, lineCounter, page).run();
            return;
        } else if (startsWithNoCase(line, "</xfdf>")) {
            if (d != 0)
                throw LoadException(lineCounter, "prof::xml::xfdf: bad nesting level (should be 0)");
            return;
        }
    }
    levels.closeAll();
}

} // namespace

void parseProfileLines(ParseMode mode, int depth, ItemList &target, LineReader &reader, int &lineCounter,
                       const CodePage &page)
{
    switch (mode) {
    case ParseMode::Text:
        parseText(depth, target, reader, lineCounter, page);
        break;
    case ParseMode::Xml:
        parseXml(depth, target, reader, lineCounter, page);
        break;
    case ParseMode::Xfdf:
        // 8-bit XFDF is read from the root level, so the library's own files load.
        XfdfReader(target, reader, lineCounter, page).run();
        break;
    }
}

void readIniFile(ItemList &root, LineReader &reader, const CodePage &page)
{
    // The first section's keys go to the root; each later section is a list.
    bool firstSectionSeen = false;
    ItemList *section = &root;
    while (auto line = reader.next()) {
        if (line->empty() || line->front() == ';' || line->front() == '#')
            continue;
        if (line->front() == '[') {
            if (firstSectionSeen)
                section = &root.appendList(ItemList::fromText(*line));
            firstSectionSeen = true;
            continue;
        }
        appendTextValue(*section, *line, page, true);
    }
}

} // namespace tbpr
