#include "ui/RtfReader.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "ui/ParagraphIndents.h"
#include "ui/RtfCodePages.h"
#include "ui/RtfTokenizer.h"

namespace ui {

void setLetterTabStops(QTextDocument &document)
{
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(36 * kPixelsPerPoint);
    document.setDefaultTextOption(option);
}

namespace {

using rtf::Token;

// Deeper groups are still read, but they share the state of the deepest kept one.
constexpr int kMaxGroupDepth = 256;
// Indents beyond 22 inches are taken as 22 inches.
constexpr int kMaxIndentTwips = 31680;
constexpr int kMaxTableEntries = 4096;
constexpr int kMaxFontNameLength = 256;
constexpr double kDefaultPointSize = 12;

enum class Destination { Text, FontTable, ColorTable, Numbering, Skipped };

struct CharState {
    int font = -1; // -1: the default font
    double pointSize = kDefaultPointSize;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int color = 0; // 0: automatic
    bool operator==(const CharState &) const = default;
};

struct GroupState {
    CharState chars;
    Destination destination = Destination::Text;
    int unicodeSkip = 1; // "\ucN"
};

struct ParagraphState {
    Qt::Alignment alignment = Qt::AlignLeft;
    TwipIndents indents;
    bool bullet = false;
};

struct FontEntry {
    QString family;
    int charset = 1;
    QByteArray nameBytes;
    bool complete = false;
};

// Destinations whose contents never reach the text.
bool isSkippedDestination(const QByteArray &word)
{
    static const char *const kSkipped[] = {"stylesheet",   "info",       "pict",
                                           "object",       "header",     "headerl",
                                           "headerr",      "headerf",    "footer",
                                           "footerl",      "footerr",    "footerf",
                                           "footnote",     "pntext",     "listtext",
                                           "fldinst",      "nonshppict", "shp",
                                           "annotation",   "xe",         "tc",
                                           "txe",          "themedata",  "colorschememapping",
                                           "latentstyles", "listtable",  "listoverridetable",
                                           "rsidtbl",      "generator",  "datastore",
                                           "xmlnstbl",     "filetbl",    "revtbl",
                                           "bkmkstart",    "bkmkend",    "atnid",
                                           "atnauthor",    "private"};
    return std::any_of(std::begin(kSkipped), std::end(kSkipped),
                       [&word](const char *name) { return word == name; });
}

int clampedIndent(int twips)
{
    return std::clamp(twips, -kMaxIndentTwips, kMaxIndentTwips);
}

class Reader {
public:
    explicit Reader(QTextDocument &document) : document_(document), cursor_(&document) {}

    void read(QByteArrayView bytes)
    {
        rtf::Tokenizer tokenizer(bytes);
        for (Token token = tokenizer.next(); token.kind != Token::Kind::End; token = tokenizer.next())
            handle(token);
        finish();
    }

private:
    GroupState &group() { return groups_.back(); }

    void handle(const Token &token)
    {
        if (token.kind != Token::Kind::HexByte && token.kind != Token::Kind::Text)
            flushBytes();
        switch (token.kind) {
        case Token::Kind::GroupStart:
            pendingSkip_ = 0;
            starred_ = false;
            if (int(groups_.size()) < kMaxGroupDepth)
                groups_.push_back(groups_.back());
            else
                ++overflowDepth_;
            return;
        case Token::Kind::GroupEnd:
            pendingSkip_ = 0;
            starred_ = false;
            if (overflowDepth_ > 0)
                --overflowDepth_;
            else if (groups_.size() > 1)
                endGroup();
            return; // a "}" without its "{" is ignored
        case Token::Kind::ControlWord:
            if (consumeSkip())
                return;
            controlWord(token);
            starred_ = false;
            return;
        case Token::Kind::ControlSymbol:
            if (consumeSkip())
                return;
            controlSymbol(token.symbol);
            return;
        case Token::Kind::HexByte:
            starred_ = false;
            if (consumeSkip())
                return;
            textByte(char(token.byte));
            return;
        case Token::Kind::Text:
            starred_ = false;
            textBytes(token.text);
            return;
        case Token::Kind::End:
            return;
        }
    }

    // After "\uN" the next characters are the fallback for readers without Unicode.
    bool consumeSkip()
    {
        if (pendingSkip_ <= 0)
            return false;
        --pendingSkip_;
        return true;
    }

    void textBytes(QByteArrayView text)
    {
        qsizetype start = 0;
        while (pendingSkip_ > 0 && start < text.size()) {
            --pendingSkip_;
            ++start;
        }
        for (qsizetype i = start; i < text.size(); ++i)
            textByte(text[i]);
    }

    // A byte of text, as it stands or as "\'hh": a tab is kept, other control characters are
    // dropped (as they are when they come as "\uN"), so that a letter reads the same after saving.
    void textByte(char c)
    {
        if (c == '\t') {
            flushBytes();
            appendText(QStringLiteral("\t"));
        } else if (static_cast<unsigned char>(c) >= 0x20) {
            pendingBytes_.append(c);
        }
    }

    void endGroup()
    {
        const Destination ending = group().destination;
        if (ending == Destination::FontTable)
            finishFontEntry();
        groups_.pop_back();
        // A font entry in its own group ends with it.
        if (ending == Destination::FontTable && group().destination == Destination::FontTable)
            currentFont_.reset();
    }

    void controlSymbol(char symbol)
    {
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            pendingBytes_.append(symbol);
            flushBytes();
            return;
        case '~':
            appendText(QString(QChar(0x00A0)));
            return;
        case '_':
            appendText(QString(QChar(0x2011)));
            return;
        case '*':
            starred_ = true;
            return;
        default: // "\-" optional hyphen, "\|", "\:" and the unknown
            return;
        }
    }

    void controlWord(const Token &token)
    {
        const QByteArray &word = token.word;
        const bool starred = starred_;
        if (group().destination == Destination::Skipped)
            return;
        if (word == "fonttbl") {
            group().destination = Destination::FontTable;
            currentFont_.reset();
            return;
        }
        if (word == "colortbl") {
            group().destination = Destination::ColorTable;
            return;
        }
        if (word == "pn") {
            group().destination = Destination::Numbering;
            return;
        }
        if (word == "fldrslt")
            return;
        if (isSkippedDestination(word) || (starred && !isKnownWord(word))) {
            group().destination = Destination::Skipped;
            return;
        }
        if (word == "uc") {
            group().unicodeSkip = std::clamp(token.parameter, 0, 16);
            return;
        }
        if (word == "u") {
            unicodeChar(token.parameter);
            return;
        }
        switch (group().destination) {
        case Destination::Skipped:
            return;
        case Destination::FontTable:
            fontTableWord(token);
            return;
        case Destination::ColorTable:
            colorTableWord(token);
            return;
        case Destination::Numbering:
            if (word == "pnlvlblt")
                paragraph_.bullet = true;
            return;
        case Destination::Text:
            textWord(token);
            return;
        }
    }

    // Words that may follow "\*" and that this reader acts on.
    static bool isKnownWord(const QByteArray &word) { return word == "pn" || word == "fldrslt"; }

    void unicodeChar(int parameter)
    {
        // A signed 16-bit code unit; surrogate pairs come as two of them.
        const int unit = parameter < 0 ? parameter + 65536 : parameter;
        pendingSkip_ = group().unicodeSkip;
        if (unit < 0 || unit > 0xFFFF)
            return;
        QChar ch(static_cast<char16_t>(unit));
        // Line and paragraph ends come as words, never as characters.
        if (ch != u'\t' && (unit < 0x20 || ch == QChar::ObjectReplacementCharacter))
            return;
        if (ch == QChar::ParagraphSeparator)
            ch = QChar::LineSeparator;
        if (group().destination == Destination::Text)
            appendText(QString(ch));
        else if (group().destination == Destination::FontTable)
            fontNameText(QString(ch));
    }

    void textWord(const Token &token)
    {
        const QByteArray &word = token.word;
        const int p = token.parameter;
        const bool on = !token.hasParameter || p != 0;
        CharState &chars = group().chars;
        if (word == "par" || word == "row")
            endParagraph();
        else if (word == "line")
            appendText(QString(QChar(0x2028)));
        else if (word == "tab" || word == "cell")
            appendText(QStringLiteral("\t"));
        else if (word == "pard")
            paragraph_ = {};
        else if (word == "ql")
            paragraph_.alignment = Qt::AlignLeft;
        else if (word == "qc")
            paragraph_.alignment = Qt::AlignHCenter;
        else if (word == "qr")
            paragraph_.alignment = Qt::AlignRight;
        else if (word == "qj")
            paragraph_.alignment = Qt::AlignJustify;
        else if (word == "fi")
            paragraph_.indents.firstLine = clampedIndent(p);
        else if (word == "li")
            paragraph_.indents.left = clampedIndent(p);
        else if (word == "ri")
            paragraph_.indents.right = clampedIndent(p);
        else if (word == "ls")
            paragraph_.bullet = on;
        else if (word == "plain")
            chars = CharState{};
        else if (word == "b")
            chars.bold = on;
        else if (word == "i")
            chars.italic = on;
        else if (word == "ul" || word == "uld" || word == "uldash" || word == "uldb" || word == "ulth" ||
                 word == "ulw" || word == "ulwave")
            chars.underline = on;
        else if (word == "ulnone")
            chars.underline = false;
        else if (word == "strike" || word == "striked")
            chars.strikeOut = on;
        else if (word == "f" && token.hasParameter)
            chars.font = p;
        else if (word == "fs" && p > 0)
            chars.pointSize = std::min(p, 3276) / 2.0;
        else if (word == "cf")
            chars.color = std::max(p, 0);
        else if (word == "ansicpg")
            documentCodePage_ = rtf::codePageName(p).isEmpty() ? 1252 : p;
        else if (word == "deff" && token.hasParameter)
            defaultFont_ = p;
        else if (const QChar special = specialCharacter(word); !special.isNull())
            appendText(QString(special));
        paragraphChars_ = chars;
    }

    static QChar specialCharacter(const QByteArray &word)
    {
        static const std::pair<const char *, char16_t> kSpecial[] = {
            {"emdash", 0x2014},    {"endash", 0x2013},    {"lquote", 0x2018}, {"rquote", 0x2019},
            {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022}, {"emspace", 0x2003},
            {"enspace", 0x2002},   {"qmspace", 0x2005},   {"zwj", 0x200D},    {"zwnj", 0x200C}};
        for (const auto &[name, ch] : kSpecial) {
            if (word == name)
                return QChar(ch);
        }
        return {};
    }

    void fontTableWord(const Token &token)
    {
        if (token.word == "f" && token.hasParameter) {
            finishFontEntry();
            currentFont_.reset();
            if (fonts_.size() < std::size_t(kMaxTableEntries) || fonts_.count(token.parameter)) {
                currentFont_ = token.parameter;
                fonts_[token.parameter] = FontEntry{};
            }
        } else if (token.word == "fcharset" && currentFont_) {
            fonts_[*currentFont_].charset = token.parameter;
        }
    }

    void colorTableWord(const Token &token)
    {
        const int value = std::clamp(token.parameter, 0, 255);
        if (token.word == "red")
            colorComponents_.setRed(value);
        else if (token.word == "green")
            colorComponents_.setGreen(value);
        else if (token.word == "blue")
            colorComponents_.setBlue(value);
        else
            return;
        colorSet_ = true;
    }

    void colorTableText(const QString &text)
    {
        for (const QChar ch : text) {
            if (ch != u';' || colors_.size() >= kMaxTableEntries)
                continue;
            colors_.push_back(colorSet_ ? std::optional<QColor>(colorComponents_) : std::nullopt);
            colorComponents_ = QColor(0, 0, 0);
            colorSet_ = false;
        }
    }

    void fontNameText(const QString &text)
    {
        if (!currentFont_)
            return;
        FontEntry &entry = fonts_[*currentFont_];
        for (const QChar ch : text) {
            if (entry.complete)
                return;
            if (ch == u';')
                completeFontEntry(entry);
            else if (entry.family.size() < kMaxFontNameLength)
                entry.family += ch;
        }
    }

    static void completeFontEntry(FontEntry &entry)
    {
        entry.complete = true;
        entry.family = entry.family.trimmed();
    }

    void finishFontEntry()
    {
        flushBytes();
        if (currentFont_)
            completeFontEntry(fonts_[*currentFont_]);
    }

    int currentCodePage() const
    {
        if (group().destination == Destination::FontTable && currentFont_)
            return rtf::codePageOfCharset(fonts_.at(*currentFont_).charset, documentCodePage_);
        const int font = groups_.back().chars.font >= 0 ? groups_.back().chars.font : defaultFont_;
        if (const auto it = fonts_.find(font); it != fonts_.end())
            return rtf::codePageOfCharset(it->second.charset, documentCodePage_);
        return documentCodePage_;
    }
    const GroupState &group() const { return groups_.back(); }

    void flushBytes()
    {
        if (pendingBytes_.isEmpty())
            return;
        const QString text = decoder_.decode(pendingBytes_, currentCodePage());
        pendingBytes_.clear();
        switch (group().destination) {
        case Destination::Text:
            appendText(text);
            return;
        case Destination::FontTable:
            fontNameText(text);
            return;
        case Destination::ColorTable:
            colorTableText(text);
            return;
        case Destination::Numbering:
        case Destination::Skipped:
            return;
        }
    }

    void appendText(const QString &text)
    {
        if (group().destination != Destination::Text || text.isEmpty())
            return;
        if (!pendingText_.isEmpty() && !(pendingChars_ == group().chars))
            flushRun();
        if (pendingText_.isEmpty())
            pendingChars_ = group().chars;
        pendingText_ += text;
        paragraphChars_ = group().chars;
    }

    QString familyOf(int font) const
    {
        const auto it = fonts_.find(font >= 0 ? font : defaultFont_);
        if (it != fonts_.end() && !it->second.family.isEmpty())
            return it->second.family;
        if (const auto def = fonts_.find(defaultFont_); def != fonts_.end())
            return def->second.family;
        return {};
    }

    QTextCharFormat charFormat(const CharState &chars) const
    {
        QTextCharFormat format;
        const QString family = familyOf(chars.font);
        if (!family.isEmpty())
            format.setFontFamilies({family});
        format.setFontPointSize(chars.pointSize);
        format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(chars.italic);
        format.setFontUnderline(chars.underline);
        format.setFontStrikeOut(chars.strikeOut);
        if (chars.color > 0 && chars.color < int(colors_.size()) && colors_[chars.color])
            format.setForeground(*colors_[chars.color]);
        return format;
    }

    void flushRun()
    {
        if (pendingText_.isEmpty())
            return;
        cursor_.insertText(pendingText_, charFormat(pendingChars_));
        pendingText_.clear();
    }

    void applyParagraph()
    {
        QTextBlockFormat format;
        format.setAlignment(paragraph_.alignment);
        setIndents(format, fromTwips(paragraph_.indents));
        cursor_.setBlockFormat(format);
        // An empty paragraph's line has the size of the characters set last in it.
        cursor_.setBlockCharFormat(charFormat(paragraphChars_));
        if (!paragraph_.bullet)
            return;
        const QTextBlock previous = cursor_.block().previous();
        QTextList *list = previous.isValid() ? previous.textList() : nullptr;
        if (list && list->format().style() == QTextListFormat::ListDisc) {
            list->add(cursor_.block());
        } else {
            QTextListFormat listFormat;
            listFormat.setStyle(QTextListFormat::ListDisc);
            listFormat.setIndent(1);
            cursor_.createList(listFormat);
        }
    }

    void endParagraph()
    {
        flushRun();
        applyParagraph();
        cursor_.insertBlock(QTextBlockFormat(), QTextCharFormat());
    }

    void finish()
    {
        flushBytes();
        flushRun();
        applyParagraph();
        if (const auto it = fonts_.find(defaultFont_); it != fonts_.end() && !it->second.family.isEmpty()) {
            QFont font = document_.defaultFont();
            font.setFamilies({it->second.family});
            document_.setDefaultFont(font);
        }
    }

    QTextDocument &document_;
    QTextCursor cursor_;
    std::vector<GroupState> groups_{GroupState{}};
    int overflowDepth_ = 0;
    bool starred_ = false;
    int pendingSkip_ = 0;
    QByteArray pendingBytes_;
    QString pendingText_;
    CharState pendingChars_;
    CharState paragraphChars_;
    ParagraphState paragraph_;
    int documentCodePage_ = 1252;
    int defaultFont_ = 0;
    std::map<int, FontEntry> fonts_;
    std::optional<int> currentFont_;
    std::vector<std::optional<QColor>> colors_;
    QColor colorComponents_{0, 0, 0};
    bool colorSet_ = false;
    rtf::ByteDecoder decoder_;
};

} // namespace

void readRtf(QByteArrayView bytes, QTextDocument &document)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    setLetterTabStops(document);
    Reader(document).read(bytes);
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
}

} // namespace ui
