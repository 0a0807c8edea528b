#pragma once

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>

#include "navigation/dialoge/NavDialogBase.h"

namespace dbe {
class TField;
}

namespace nav {

// A picture field's picture, to view or to edit: zoom from 25 % to 200 %,
// copy and paste through the clipboard, load from and save to a bitmap
// file, remove. View-only hides Cancel.
class TGraphicForm : public NavDialogBase {
    Q_OBJECT
public:
    TGraphicForm(QWidget *owner, bool viewOnly, const TUserButton &userButton, dbe::TField *field);

    const QImage &Picture() const { return picture_; }
    void SetPicture(const QImage &picture);
    double Zoom() const { return zoom_; }
    // Caption, image size and the items that need a picture or a clipboard image.
    void UpdateView();

    void ZoomItemClick(QAction *item);
    void LoadClick();
    void SaveClick();
    void RemoveClick();
    void CopyClick();
    void PasteClick();

    QScrollArea *ScrollBox = nullptr;
    QLabel *Image = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QList<QAction *> ZoomItems;
    QAction *CopyItem = nullptr;
    QAction *PasteItem = nullptr;
    QAction *LoadItem = nullptr;
    QAction *SaveItem = nullptr;
    QAction *RemoveItem = nullptr;
    QPushButton *OKBtn = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool viewOnly_;
    dbe::TField *field_;
    QImage picture_;
    double zoom_ = 1.0;
    QAction *currentZoom_ = nullptr;
};

} // namespace nav
