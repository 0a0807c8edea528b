#pragma once

#include <QString>

namespace tb {

// Gives a finished PDF file a document information with title, author and creator, as an update
// appended to the file (the way PDF amends a document: the earlier bytes stay). False when the file
// has no trailer we can read or cannot be written.
bool setPdfDocumentInfo(const QString &file, const QString &title, const QString &author,
                        const QString &creator);

} // namespace tb
