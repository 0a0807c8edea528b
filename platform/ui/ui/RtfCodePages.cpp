#include "ui/RtfCodePages.h"

namespace ui::rtf {

int codePageOfCharset(int charset, int documentCodePage)
{
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return kSymbolCodePage;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    default:
        return documentCodePage;
    }
}

QString codePageName(int codePage)
{
    if ((codePage >= 1250 && codePage <= 1258) || codePage == 874)
        return QStringLiteral("Windows-%1").arg(codePage);
    return {};
}

QString ByteDecoder::decode(QByteArrayView bytes, int codePage)
{
    const bool symbol = codePage == kSymbolCodePage;
    const int effective = symbol || codePageName(codePage).isEmpty() ? 1252 : codePage;
    auto it = decoders_.find(effective);
    if (it == decoders_.end()) {
        const QByteArray name = codePageName(effective).toLatin1();
        it = decoders_.emplace(effective, QStringDecoder(name.constData(), QStringDecoder::Flag::Stateless))
                 .first;
    }
    QString text = it->second.isValid() ? QString(it->second.decode(bytes)) : QString::fromLatin1(bytes);
    // The symbol set's bullet is the middle dot's byte.
    if (symbol)
        text.replace(QChar(0x00B7), QChar(0x2022));
    return text;
}

} // namespace ui::rtf
