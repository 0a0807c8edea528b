#include "ui/DocumentPrint.h"

#include <memory>

#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace ui {

void printTextDocument(const QTextDocument &document, QPrinter &printer)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    const double scale = printer.logicalDpiX() / 96.0;
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        format.setLeftMargin(format.leftMargin() * scale);
        format.setTextIndent(format.textIndent() * scale);
        format.setRightMargin(format.rightMargin() * scale);
        QTextCursor(block).setBlockFormat(format);
    }
    copy->print(&printer);
}

} // namespace ui
