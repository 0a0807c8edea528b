#pragma once

#include <map>

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace ui::rtf {

// The symbol character set of a font ("\fcharset2"): no code page of its own.
constexpr int kSymbolCodePage = -2;

// The code page a font's character set stands for; the document's code page
// ("\ansicpgN") where the set names none.
int codePageOfCharset(int charset, int documentCodePage);

// The decoder name of a Windows code page ("Windows-1252" ...); empty for a
// code page the letters do not know.
QString codePageName(int codePage);

// Decodes bytes of one code page; unknown code pages are read as Windows 1252.
// Keeps one decoder per code page.
class ByteDecoder {
public:
    QString decode(QByteArrayView bytes, int codePage);

private:
    std::map<int, QStringDecoder> decoders_;
};

} // namespace ui::rtf
