// Filter-definition files ("*.TFD"): magic, header, nodes and operands as the filter reads them,
// then every operand shown as text.
#include <cstddef>
#include <cstdint>
#include <exception>

#include <QBuffer>

#include "navigation/filter/FilterFile.h"
#include "navigation/filter/FilterValues.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    try {
        if (!nav::isFilterFileMagic(file.read(nav::kFilterFileMagicSize)))
            return 0;
        const auto header = nav::decodeFilterFileHeader(nav::readExactly(file, nav::kFilterFileHeaderSize));
        const nav::FilterTree tree = nav::readFilterFileTree(file, header);
        for (const auto &operand : tree.operands) {
            nav::TFieldType type = nav::TFieldType::ftUnknown;
            QString text;
            std::uint8_t mark = 0;
            nav::OperandToText(operand, type, text, mark);
        }
    } catch (const std::exception &) {
        // a refused file: the sound outcome for damaged input
    }
    return 0;
}
