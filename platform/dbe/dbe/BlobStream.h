#pragma once

#include <QByteArray>

namespace dbe {

class TField;

// A read-only stream over the value of a blob or memo field (memo text as
// UTF-8). Reading at or after the end is the engine's "end of blob" (8711).
class TBlobStream {
public:
    explicit TBlobStream(const TField &field);
    explicit TBlobStream(QByteArray data) : data_(std::move(data)) {}

    qint64 Size() const { return data_.size(); }
    qint64 Position() const { return position_; }
    void Seek(qint64 position);
    // Up to count bytes from the position, which moves past them.
    QByteArray Read(qint64 count);
    QByteArray ReadAll() { return Read(Size() - position_); }

private:
    QByteArray data_;
    qint64 position_ = 0;
};

} // namespace dbe
