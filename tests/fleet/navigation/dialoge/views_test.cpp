// The picture view, the memo view's text, dialogs over stay-on-top forms and
// the read-only blob stream.
#include <functional>
#include <memory>

#include <QApplication>
#include <QBuffer>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include "dbe/EngineCursor.h"
#include "dbe/Field.h"
#include "extender_fixture.h"
#include "modal_helper.h"
#include "navigation/daten/DirectBlobReadStream.h"
#include "navigation/daten/EngineRecordValues.h"
#include "navigation/dialoge/GraphicDialog.h"
#include "navigation/dialoge/MemoDialog.h"
#include "ui/DBMemo.h"
#include "ui/testing/FakeServices.h"

using namespace nav;

namespace {

// A picture with a diagonal, so that copies can be told apart.
QImage picture(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawLine(0, 0, width - 1, height - 1);
    return image;
}

QByteArray bmp(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

void pressKey(QWidget *w, int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(w, &press);
}

class Views : public ExtenderFixture {
protected:
    Views()
    {
        image = ui::make<ui::DBEdit>(form.get(), "EditBild", form.get());
        image->setDataSource(source.get());
        image->setDataField(QStringLiteral("Bild"));
        bild = stamm->FieldByName("Bild");
    }
    ui::DBEdit *image = nullptr;
    dbe::TField *bild = nullptr;
    ui::testing::FakeClipboard clipboard;
};

} // namespace

TEST_F(Views, PictureViewZoomsCopiesAndPastes)
{
    stamm->Edit();
    bild->SetAsBytes(bmp(picture(301, 201, Qt::yellow)));
    stamm->Post();
    focus(image);
    ext->CheckPossibilities();
    EXPECT_TRUE(ext->Possible()[nbMemoView]);
    QString title;
    QSize atHalf;
    bool pasteWithoutImage = true, pasteWithImage = false;
    whenModal<TGraphicForm>(
        [&](TGraphicForm &d) {
            title = d.windowTitle();
            EXPECT_TRUE(d.ZoomItems.at(3)->isChecked());
            pasteWithoutImage = d.PasteItem->isEnabled();
            d.ZoomItems.at(1)->trigger(); // 50%
            atHalf = d.Image->size();
            EXPECT_FALSE(d.ZoomItems.at(3)->isChecked());
            pressKey(&d, Qt::Key_Insert, Qt::ControlModifier);
            d.UpdateView();
            pasteWithImage = d.PasteItem->isEnabled();
            clipboard.setImage(picture(40, 30, Qt::blue));
            pressKey(&d, Qt::Key_Insert, Qt::ShiftModifier);
            EXPECT_EQ(d.Picture().size(), QSize(40, 30));
            d.OKBtn->click();
        },
        "picture_view");
    ext->HandleNBBtn(nbMemoView, 0, 0);
    EXPECT_EQ(title, QStringLiteral("Bearbeite Grafikfeld Bild (301x201)"));
    EXPECT_FALSE(pasteWithoutImage);
    EXPECT_TRUE(pasteWithImage);
    EXPECT_EQ(atHalf, QSize(150, 100));
    // Stored as a bitmap file's bytes.
    EXPECT_TRUE(bild->AsBytes().startsWith("BM"));
    QImage stored;
    ASSERT_TRUE(stored.loadFromData(bild->AsBytes()));
    EXPECT_EQ(stored.size(), QSize(40, 30));
    EXPECT_EQ(stored.pixelColor(20, 5), QColor(Qt::blue));
    stamm->Post();

    whenModal<TGraphicForm>([](TGraphicForm &d) {
        d.RemoveItem->trigger();
        EXPECT_FALSE(d.SaveItem->isEnabled());
        d.OKBtn->click();
    });
    ext->HandleNBBtn(nbMemoView, 0, 0);
    EXPECT_TRUE(bild->IsNull());
    stamm->Post();
}

TEST_F(Views, PictureViewLoadsAndSavesBitmapFiles)
{
    ui::testing::FakeDialogs dialogs;
    const QString in = QString::fromStdString((dir / "in.bmp").string());
    const QString out = QString::fromStdString((dir / "out.bmp").string());
    ASSERT_TRUE(picture(64, 48, Qt::green).save(in, "BMP"));
    dialogs.answerFile(in).answerFile(out);
    focus(image);
    whenModal<TGraphicForm>([](TGraphicForm &d) {
        d.LoadItem->trigger();
        d.SaveItem->trigger();
        d.OKBtn->click();
    });
    ext->HandleNBBtn(nbMemoView, 0, 0);
    ASSERT_EQ(dialogs.fileRequests.size(), 2);
    EXPECT_EQ(dialogs.fileRequests[0].filter, "Windows Bitmaps|*.bmp");
    EXPECT_EQ(dialogs.fileRequests[1].filter, "Windows Bitmap|*.bmp");
    EXPECT_EQ(dialogs.fileRequests[1].defaultExtension, "bmp");
    EXPECT_TRUE(dialogs.fileRequests[1].overwritePrompt);
    EXPECT_EQ(QImage(out).size(), QSize(64, 48));
    EXPECT_EQ(QImage::fromData(bild->AsBytes()).size(), QSize(64, 48));
    stamm->Cancel();
}

TEST_F(Views, AReadOnlyPictureViewChangesNothing)
{
    stamm->Edit();
    bild->SetAsBytes(bmp(picture(20, 10, Qt::red)));
    stamm->Post();
    const QByteArray before = bild->AsBytes();
    image->setProperty("readOnly", true);
    focus(image);
    QString title;
    whenModal<TGraphicForm>([&](TGraphicForm &d) {
        title = d.windowTitle();
        EXPECT_TRUE(d.CancelBtn->isHidden());
        d.RemoveItem->trigger();
        d.OKBtn->click();
    });
    ext->HandleNBBtn(nbMemoView, 0, 0);
    EXPECT_EQ(title, QStringLiteral("Ansicht Grafikfeld Bild (20x10)"));
    EXPECT_EQ(bild->AsBytes(), before);
    EXPECT_EQ(stamm->State(), dbe::TDataSetState::dsBrowse);
}

TEST_F(Views, TheMemoViewShowsTheFocusedMemosUnsavedLines)
{
    auto *memo = ui::make<ui::DBMemo>(form.get(), "MemoBemerkung", form.get());
    memo->setDataSource(source.get());
    memo->setDataField(QStringLiteral("Bemerkung"));
    memo->setPlainText(QStringLiteral("Zeile eins\nZeile zwei, noch nicht gespeichert"));
    focus(memo);
    QString shown;
    whenModal<TMemoForm>([&](TMemoForm &d) { shown = d.Memo->toPlainText(); });
    ext->HandleNBBtn(nbMemoView, 0, 0);
    EXPECT_EQ(shown, QStringLiteral("Zeile eins\nZeile zwei, noch nicht gespeichert"));

    // Another field's memo does not count.
    memo->setDataField(QStringLiteral("Gruppe"));
    auto *edit = ui::make<ui::DBEdit>(form.get(), "EditBemerkung", form.get());
    edit->setDataSource(source.get());
    edit->setDataField(QStringLiteral("Bemerkung"));
    focus(edit);
    whenModal<TMemoForm>([&](TMemoForm &d) { shown = d.Memo->toPlainText(); });
    ext->HandleNBBtn(nbMemoView, 0, 0);
    EXPECT_EQ(shown, stamm->FieldByName("Bemerkung")->AsString());
}

TEST_F(Views, ADialogStaysAboveAStayOnTopForm)
{
    auto *memoEdit = ui::make<ui::DBEdit>(form.get(), "EditBemerkung", form.get());
    memoEdit->setDataSource(source.get());
    memoEdit->setDataField(QStringLiteral("Bemerkung"));
    focus(memoEdit);
    for (bool onTop : {false, true}) {
        form->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        bool dialogOnTop = !onTop;
        QWidget *parent = nullptr;
        whenModal<TMemoForm>([&](TMemoForm &d) {
            dialogOnTop = d.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            parent = d.parentWidget();
        });
        ext->HandleNBBtn(nbMemoView, 0, 0);
        EXPECT_EQ(dialogOnTop, onTop);
        EXPECT_EQ(parent, form.get());
        EXPECT_EQ(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop); // left alone
    }
}

TEST_F(Views, TheBlobStreamReadsInChunksSeeksAndRefusesWrites)
{
    QByteArray blob;
    for (int i = 0; i < 1000; ++i)
        blob.append(static_cast<char>(i % 251));
    stamm->Edit();
    bild->SetAsBytes(blob);
    stamm->Post();
    dbe::TEngineCursor &cursor = *stamm->Handle();
    cursor.GetRecord();
    TDirectBlobReadStream stream(cursor, true, bild->FieldNo());
    EXPECT_EQ(stream.GetSize(), 1000);
    QByteArray read;
    char chunk[300];
    QList<int> results;
    for (;;) {
        const qint64 n = stream.Read(chunk, sizeof chunk);
        read.append(chunk, n);
        results << stream.LastResult();
        if (stream.LastResult() != 0)
            break;
    }
    EXPECT_EQ(read, blob);
    EXPECT_EQ(results, QList<int>({0, 0, 0, 8711}));
    EXPECT_EQ(stream.Seek(-10, 2), 990);
    EXPECT_EQ(stream.Read(chunk, sizeof chunk), 10);
    EXPECT_EQ(stream.Seek(-5, 1), 995);
    EXPECT_EQ(stream.Seek(7, 0), 7);
    try {
        stream.Write(chunk, 1);
        ADD_FAILURE() << "written";
    } catch (const std::exception &e) {
        EXPECT_STREQ(e.what(), "No write access to TDirectBlobReadStream");
    }

    // Record values of a blob field come through the stream.
    auto other = table("Stamm.db", false);
    other->AddField(QStringLiteral("KfzNr"));
    other->AddField(QStringLiteral("Bild"));
    other->Open();
    other->Edit();
    ReadRecordFieldValue(cursor, *other->FieldByName("Bild"));
    EXPECT_EQ(other->FieldByName("Bild")->AsBytes(), blob);
    other->Cancel();
}
