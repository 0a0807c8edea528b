#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace ui::rtf {

// One piece of a rich-text file.
struct Token {
    enum class Kind {
        GroupStart,    // "{"
        GroupEnd,      // "}"
        ControlWord,   // "\word" with an optional signed number
        ControlSymbol, // "\" and one character that is not a letter
        HexByte,       // "\'hh"
        Text,          // a run of text bytes, line ends left out
        End
    };
    Kind kind = Kind::End;
    QByteArray word; // control word, at most kMaxWordLength letters
    bool hasParameter = false;
    int parameter = 0; // clamped to the int range
    char symbol = 0;
    unsigned char byte = 0;
    QByteArrayView text;
};

// Splits rich-text bytes into tokens. It never reads past the end and always
// comes to an end: malformed input gives the tokens it can make sense of.
class Tokenizer {
public:
    static constexpr int kMaxWordLength = 32;

    explicit Tokenizer(QByteArrayView bytes);
    Token next();

private:
    Token controlAfterBackslash();
    Token controlWord();

    QByteArrayView bytes_;
    qsizetype pos_ = 0;
};

} // namespace ui::rtf
