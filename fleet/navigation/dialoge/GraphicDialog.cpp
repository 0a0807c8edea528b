#include "navigation/dialoge/GraphicDialog.h"

#include <QActionGroup>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "dbe/Field.h"
#include "ui/Clipboard.h"
#include "ui/Connect.h"
#include "ui/Dialogs.h"
#include "ui/Guard.h"
#include "ui/Messages.h"

namespace nav {

TGraphicForm::TGraphicForm(QWidget *owner, bool viewOnly, const TUserButton &userButton, dbe::TField *field)
    : NavDialogBase(QStringLiteral("GraphicForm"), sfGraphic, userButton, owner), viewOnly_(viewOnly),
      field_(field)
{
    auto *layout = new QVBoxLayout(this);
    ScrollBox = ui::make<QScrollArea>(this, "ScrollBox", this);
    ScrollBox->setBackgroundRole(QPalette::Base);
    ScrollBox->setStyleSheet(QStringLiteral("QScrollArea { background: white; }"));
    Image = ui::make<QLabel>(this, "Image", this);
    Image->setScaledContents(true);
    Image->setStyleSheet(QStringLiteral("background: white;"));
    ScrollBox->setWidget(Image);
    ScrollBox->setWidgetResizable(false);
    layout->addWidget(ScrollBox, 1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto *zoomGroup = new QActionGroup(this);
    for (int percent = 25; percent <= 200; percent += 25) {
        QAction *item = PopupMenu1->addAction(QStringLiteral("%1%").arg(percent));
        item->setCheckable(true);
        item->setChecked(percent == 100);
        zoomGroup->addAction(item);
        ZoomItems << item;
        ui::on(item, &QAction::triggered, this, [this, item] { ZoomItemClick(item); });
    }
    currentZoom_ = ZoomItems.at(3);
    PopupMenu1->addSeparator();
    CopyItem = PopupMenu1->addAction(QStringLiteral("Kopieren"));
    PasteItem = PopupMenu1->addAction(QStringLiteral("Einfügen"));
    LoadItem = PopupMenu1->addAction(QStringLiteral("Laden"));
    SaveItem = PopupMenu1->addAction(QStringLiteral("Speichern"));
    RemoveItem = PopupMenu1->addAction(QStringLiteral("Entfernen"));
    ui::on(CopyItem, &QAction::triggered, this, [this] { CopyClick(); });
    ui::on(PasteItem, &QAction::triggered, this, [this] { PasteClick(); });
    ui::on(LoadItem, &QAction::triggered, this, [this] { LoadClick(); });
    ui::on(SaveItem, &QAction::triggered, this, [this] { SaveClick(); });
    ui::on(RemoveItem, &QAction::triggered, this, [this] { RemoveClick(); });
    // The clipboard may have changed since the view was last updated.
    ui::on(PopupMenu1, &QMenu::aboutToShow, this,
           [this] { PasteItem->setEnabled(!ui::clipboard().image().isNull()); });
    for (QWidget *w : {static_cast<QWidget *>(ScrollBox), static_cast<QWidget *>(Image)}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        ui::on(w, &QWidget::customContextMenuRequested, this,
               [this, w](const QPoint &at) { PopupMenu1->popup(w->mapToGlobal(at)); });
    }

    OKBtn = ui::make<QPushButton>(this, "OKBtn", QStringLiteral("OK"), this);
    setButtonResult(OKBtn, ui::mrOk);
    CancelBtn->setVisible(!viewOnly);
    addButtonRow(layout, {OKBtn});
    layout->setContentsMargins(4, 4, 4, 4);
    resize(385, 334);
    UpdateView();
}

void TGraphicForm::SetPicture(const QImage &picture)
{
    picture_ = picture;
    UpdateView();
}

void TGraphicForm::UpdateView()
{
    const QString label = field_ ? field_->DisplayLabel() : QString();
    setWindowTitle((viewOnly_ ? QStringLiteral("Ansicht Grafikfeld %1 (%2x%3)")
                              : QStringLiteral("Bearbeite Grafikfeld %1 (%2x%3)"))
                       .arg(label)
                       .arg(picture_.width())
                       .arg(picture_.height()));
    const int width = static_cast<int>(picture_.width() * zoom_);
    const int height = static_cast<int>(picture_.height() * zoom_);
    Image->setPixmap(picture_.isNull() ? QPixmap() : QPixmap::fromImage(picture_));
    Image->setFixedSize(width, height);
    PasteItem->setEnabled(!ui::clipboard().image().isNull());
    const bool hasPicture = !picture_.isNull();
    for (QAction *item : ZoomItems)
        item->setEnabled(hasPicture);
    SaveItem->setEnabled(hasPicture);
    CopyItem->setEnabled(hasPicture);
    RemoveItem->setEnabled(hasPicture);
}

void TGraphicForm::ZoomItemClick(QAction *item)
{
    if (currentZoom_)
        currentZoom_->setChecked(false);
    item->setChecked(true);
    currentZoom_ = item;
    zoom_ = item->text().chopped(1).toInt() / 100.0;
    UpdateView();
}

void TGraphicForm::LoadClick()
{
    ui::FileDialogOptions options;
    options.filter = QStringLiteral("Windows Bitmaps|*.bmp");
    const std::optional<QString> path = ui::dialogs().openFile(options);
    if (!path)
        return;
    QImage loaded;
    if (!loaded.load(*path)) {
        ui::messages().error(QStringLiteral("Die Datei %1 enthält kein lesbares Bild.").arg(*path));
        return;
    }
    SetPicture(loaded);
}

void TGraphicForm::SaveClick()
{
    if (picture_.isNull())
        return;
    ui::FileDialogOptions options;
    options.filter = QStringLiteral("Windows Bitmap|*.bmp");
    options.defaultExtension = QStringLiteral("bmp");
    options.overwritePrompt = true;
    const std::optional<QString> path = ui::dialogs().saveFile(options);
    if (path && !picture_.save(*path, "BMP"))
        ui::messages().error(QStringLiteral("Das Bild konnte nicht als %1 gespeichert werden.").arg(*path));
}

void TGraphicForm::RemoveClick()
{
    SetPicture(QImage());
}

void TGraphicForm::CopyClick()
{
    if (!picture_.isNull())
        ui::clipboard().setImage(picture_);
}

void TGraphicForm::PasteClick()
{
    const QImage image = ui::clipboard().image();
    if (!image.isNull())
        SetPicture(image);
}

void TGraphicForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ControlModifier) {
        ui::guard(this, [this] { CopyClick(); });
        return;
    }
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier) {
        ui::guard(this, [this] { PasteClick(); });
        return;
    }
    NavDialogBase::keyPressEvent(event);
}

} // namespace nav
