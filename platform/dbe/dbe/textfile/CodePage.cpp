#include "dbe/textfile/CodePage.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace dbe::textfile {

namespace {

const char *iconvName(CodePage codePage)
{
    return codePage == CodePage::Dos850 ? "CP850" : "CP1252";
}

size_t utf8SequenceLength(char lead)
{
    const auto c = static_cast<unsigned char>(lead);
    return c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
}

// One iconv conversion; a byte sequence that does not convert is replaced and
// skipped, so a damaged line never stops a read.
QByteArray convert(const char *to, const char *from, QByteArrayView input, QByteArrayView replacement,
                   bool utf8Input)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    QByteArray out;
    out.resize(input.size() * 4 + 16);
    char *in = const_cast<char *>(input.data());
    size_t inLeft = static_cast<size_t>(input.size());
    char *outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            const auto used = outPtr - out.data();
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = static_cast<size_t>(out.size() - used);
            continue;
        }
        // EILSEQ or EINVAL: write the replacement, skip one input unit.
        if (outLeft < static_cast<size_t>(replacement.size())) {
            const auto used = outPtr - out.data();
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = static_cast<size_t>(out.size() - used);
        }
        for (char c : replacement) {
            *outPtr++ = c;
            --outLeft;
        }
        const size_t skip = std::min(inLeft, utf8Input ? utf8SequenceLength(*in) : size_t(1));
        in += skip;
        inLeft -= skip;
    }
    iconv_close(cd);
    out.resize(outPtr - out.data());
    return out;
}

} // namespace

QString decode(QByteArrayView bytes, CodePage codePage)
{
    bool ascii = true;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return QString::fromLatin1(bytes);
    const QByteArray utf8 = convert("UTF-8", iconvName(codePage), bytes, "\xEF\xBF\xBD", false);
    return QString::fromUtf8(utf8);
}

QByteArray encode(const QString &text, CodePage codePage)
{
    const QByteArray utf8 = text.toUtf8();
    return convert(iconvName(codePage), "UTF-8", utf8, "?", true);
}

} // namespace dbe::textfile
