#include "navigation/daten/DirectBlobReadStream.h"

#include <cstring>
#include <stdexcept>

#include "dbe/EngineCursor.h"
#include "dbe/Errors.h"

namespace nav {

namespace {

// The engine's result for a read that ends a blob read up to its end.
constexpr int kNoMoreData = 9998;

} // namespace

TDirectBlobReadStream::TDirectBlobReadStream(const dbe::TEngineCursor &cursor, bool transliterate,
                                             int fieldNumber)
    : blob_(cursor.OpenBlob(fieldNumber)), opened_(true), transliterate_(transliterate)
{
}

qint64 TDirectBlobReadStream::Read(char *buffer, qint64 count)
{
    lastResult_ = 0;
    if (!opened_ || count <= 0)
        return 0;
    QByteArray bytes;
    try {
        blob_.Seek(position_);
        bytes = blob_.Read(count);
    } catch (const dbe::EDBEngineError &e) {
        if (e.ErrorCode() == kNoMoreData)
            return 0;
        if (e.ErrorCode() != dbe::ErrorCode::EndOfBlob)
            throw;
        lastResult_ = dbe::ErrorCode::EndOfBlob;
    }
    if (bytes.size() < count)
        lastResult_ = dbe::ErrorCode::EndOfBlob;
    // Our storage keeps text as it is: transliteration changes nothing.
    std::memcpy(buffer, bytes.constData(), static_cast<size_t>(bytes.size()));
    position_ += bytes.size();
    return bytes.size();
}

qint64 TDirectBlobReadStream::Write(const char *, qint64)
{
    throw std::runtime_error("No write access to TDirectBlobReadStream");
}

qint64 TDirectBlobReadStream::Seek(qint64 offset, int origin)
{
    switch (origin) {
    case 0:
        position_ = offset;
        break;
    case 1:
        position_ += offset;
        break;
    case 2:
        position_ = GetSize() + offset;
        break;
    default:
        break;
    }
    return position_;
}

qint64 TDirectBlobReadStream::GetSize() const
{
    return opened_ ? blob_.Size() : 0;
}

QByteArray TDirectBlobReadStream::ReadAll()
{
    Seek(0, 0);
    QByteArray all(GetSize(), Qt::Uninitialized);
    const qint64 n = Read(all.data(), all.size());
    all.truncate(n);
    return all;
}

} // namespace nav
