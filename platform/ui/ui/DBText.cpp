#include "ui/DBText.h"

#include "dbe/Field.h"

namespace ui {

DBText::DBText(QWidget *parent) : QLabel(parent)
{
    link_.onDataChange = [this] { setText(link_.field() ? link_.field()->DisplayText() : QString()); };
}

} // namespace ui
