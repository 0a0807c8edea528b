#pragma once

#include <exception>

#include <QByteArray>
#include <QList>
#include <QString>

namespace dbe {

// Error codes of the engine as callers test them.
namespace ErrorCode {
constexpr int BeginningOfTable = 8705;
constexpr int EndOfTable = 8706;
constexpr int RecordNotFound = 8710;
constexpr int EndOfBlob = 8711;
constexpr int RecordChanged = 8712; // another workstation changed the row since it was read
constexpr int KeyViolation = 9729;
constexpr int MinValue = 9730;
constexpr int MaxValue = 9731;
constexpr int RequiredField = 9732;
constexpr int TableNotFound = 10024;
constexpr int FieldNotFound = 10025;
constexpr int IndexNotFound = 10026;
constexpr int Locked = 10241;     // table locked by another user
constexpr int TableInUse = 10243; // exclusive open refused
constexpr int ReadOnly = 10253;   // cursor or table cannot be modified
constexpr int InvalidFilter = 10266;
constexpr int Schema = 10270; // text-file schema missing or malformed
constexpr int NotSupported = 12289;
constexpr int OutOfRange = 9986; // an ordinal past the last entry
constexpr int General = 12545;   // storage failure (the storage's message follows)
} // namespace ErrorCode

// The German texts that callers compare.
namespace Msg {
inline const QString KeyViolation = QStringLiteral("Indexfehler");
inline const QString RecordNotFound = QStringLiteral("Datensatz nicht gefunden");
inline const QString DataSetClosed =
    QStringLiteral("Operation bei geschlossener Datenmenge nicht ausführbar");
} // namespace Msg

// A database error of the dataset layer: one message.
class EDatabaseError : public std::exception {
public:
    explicit EDatabaseError(const QString &message);
    const QString &Message() const { return message_; }
    const char *what() const noexcept override { return utf8_.constData(); }

protected:
    void setMessage(const QString &message);

private:
    QString message_;
    QByteArray utf8_;
};

struct TDBError {
    int ErrorCode = 0;
    QString Message;
};

// An engine error: an ordered list of code and message; the exception's
// message is that of the first entry.
class EDBEngineError : public EDatabaseError {
public:
    EDBEngineError(int code, const QString &message);
    explicit EDBEngineError(const QList<TDBError> &errors);
    int ErrorCount() const { return static_cast<int>(errors_.size()); }
    const TDBError &Errors(int index) const { return errors_.at(index); }
    int ErrorCode() const { return errors_.isEmpty() ? 0 : errors_.first().ErrorCode; }

private:
    QList<TDBError> errors_;
};

[[noreturn]] void databaseError(const QString &message);
[[noreturn]] void engineError(int code, const QString &message);

} // namespace dbe
