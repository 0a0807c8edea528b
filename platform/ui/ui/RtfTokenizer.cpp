#include "ui/RtfTokenizer.h"

#include <algorithm>
#include <limits>

namespace ui::rtf {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Token tokenOf(Token::Kind kind)
{
    Token token;
    token.kind = kind;
    return token;
}

} // namespace

Tokenizer::Tokenizer(QByteArrayView bytes) : bytes_(bytes) {}

Token Tokenizer::next()
{
    while (pos_ < bytes_.size()) {
        const char c = bytes_[pos_];
        if (c == '{') {
            ++pos_;
            return tokenOf(Token::Kind::GroupStart);
        }
        if (c == '}') {
            ++pos_;
            return tokenOf(Token::Kind::GroupEnd);
        }
        if (c == '\\') {
            ++pos_;
            return controlAfterBackslash();
        }
        if (c == '\r' || c == '\n') {
            ++pos_;
            continue;
        }
        const qsizetype start = pos_;
        while (pos_ < bytes_.size()) {
            const char t = bytes_[pos_];
            if (t == '{' || t == '}' || t == '\\' || t == '\r' || t == '\n')
                break;
            ++pos_;
        }
        Token token = tokenOf(Token::Kind::Text);
        token.text = bytes_.sliced(start, pos_ - start);
        return token;
    }
    return tokenOf(Token::Kind::End);
}

Token Tokenizer::controlAfterBackslash()
{
    if (pos_ >= bytes_.size())
        return tokenOf(Token::Kind::End);
    const char c = bytes_[pos_];
    if (isLetter(c))
        return controlWord();
    ++pos_;
    if (c == '\'') {
        const int high = pos_ < bytes_.size() ? hexValue(bytes_[pos_]) : -1;
        const int low = pos_ + 1 < bytes_.size() ? hexValue(bytes_[pos_ + 1]) : -1;
        if (high < 0 || low < 0) {
            // Not a byte: the "\'" and a lone hex digit (a byte cut short) stand for nothing.
            if (high >= 0)
                ++pos_;
            Token token = tokenOf(Token::Kind::ControlSymbol);
            token.symbol = '\'';
            return token;
        }
        pos_ += 2;
        Token token = tokenOf(Token::Kind::HexByte);
        token.byte = static_cast<unsigned char>(high * 16 + low);
        return token;
    }
    if (c == '\r' || c == '\n') {
        // A backslash before a line end is a paragraph end.
        Token token = tokenOf(Token::Kind::ControlWord);
        token.word = "par";
        return token;
    }
    Token token = tokenOf(Token::Kind::ControlSymbol);
    token.symbol = c;
    return token;
}

Token Tokenizer::controlWord()
{
    Token token = tokenOf(Token::Kind::ControlWord);
    const qsizetype start = pos_;
    while (pos_ < bytes_.size() && isLetter(bytes_[pos_]))
        ++pos_;
    token.word = bytes_.sliced(start, std::min<qsizetype>(pos_ - start, kMaxWordLength)).toByteArray();

    bool negative = false;
    if (pos_ + 1 < bytes_.size() && bytes_[pos_] == '-' && isDigit(bytes_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    if (pos_ < bytes_.size() && isDigit(bytes_[pos_])) {
        token.hasParameter = true;
        // Any number of digits is consumed; the value stops growing at the int range.
        constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
        qint64 value = 0;
        while (pos_ < bytes_.size() && isDigit(bytes_[pos_])) {
            if (value < limit)
                value = value * 10 + (bytes_[pos_] - '0');
            ++pos_;
        }
        value = std::min(value, limit);
        if (negative)
            value = -value;
        token.parameter = static_cast<int>(
            std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    }
    if (pos_ < bytes_.size() && bytes_[pos_] == ' ')
        ++pos_;

    // Binary data follows "\binN": N bytes that are not tokens.
    if (token.word == "bin" && token.hasParameter && token.parameter > 0)
        pos_ += std::min<qsizetype>(token.parameter, bytes_.size() - pos_);
    return token;
}

} // namespace ui::rtf
