#pragma once

#include <QByteArrayView>
#include <QString>

namespace dbe::textfile {

// The single-byte code pages of text files and of the engine's byte strings.
enum class CodePage { Dos850, Windows1252 };

// Bytes in a code page to Unicode (glibc iconv); a byte the code page leaves
// undefined becomes U+FFFD.
QString decode(QByteArrayView bytes, CodePage codePage);
// Unicode to bytes in a code page; a character the code page lacks becomes '?'.
QByteArray encode(const QString &text, CodePage codePage);

} // namespace dbe::textfile
