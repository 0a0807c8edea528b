#pragma once

#include <memory>

#include <QString>
#include <QStringList>

#include "dbe/DataSet.h"

namespace dbe {

// A read-only data set over the result of one SELECT statement, run on the
// storage of a database (alias or directory). The result is read when the
// query opens; its fields take the types of the table columns they come from
// (else the storage's type of the values). RequestLive is accepted, but the
// result stays read-only: editing raises the layer's "not modifiable" error.
class TQuery : public TDataSet {
public:
    explicit TQuery(TSession *session = nullptr);
    ~TQuery() override;

    QString DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const QString &name);
    // The statement, one line per entry.
    const QStringList &SQL() const { return sql_; }
    void SetSQL(const QStringList &lines);
    bool RequestLive() const { return requestLive_; }
    void SetRequestLive(bool live) { requestLive_ = live; }

protected:
    std::unique_ptr<detail::Cursor> openCursor() override;

private:
    QString databaseName_;
    QStringList sql_;
    bool requestLive_ = false;
};

// A table or field name as it stands in a statement of SetSQL: quoted, so
// that any name, also one with spaces or quotes, is read as that name.
QString QuotedName(const QString &name);
// The stored table of a table file name ("KfzStamm.db"), as a statement names it.
QString QuotedTableName(const QString &tableName);
// A text as a literal of a statement: quoted, with its quotes doubled.
QString QuotedText(const QString &text);

} // namespace dbe
