#include "dbe/BlobStream.h"

#include <algorithm>

#include "dbe/Errors.h"
#include "dbe/Field.h"

namespace dbe {

TBlobStream::TBlobStream(const TField &field) : data_(field.AsBytes()) {}

void TBlobStream::Seek(qint64 position)
{
    position_ = std::clamp<qint64>(position, 0, data_.size());
}

QByteArray TBlobStream::Read(qint64 count)
{
    if (count <= 0)
        return QByteArray();
    if (position_ >= data_.size())
        engineError(ErrorCode::EndOfBlob, QStringLiteral("Ende des Blob erreicht"));
    const qint64 n = std::min(count, data_.size() - position_);
    const QByteArray out = data_.mid(position_, n);
    position_ += n;
    return out;
}

} // namespace dbe
