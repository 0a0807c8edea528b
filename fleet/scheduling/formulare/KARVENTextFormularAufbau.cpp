// The letter editor's components and their wiring.
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "formulare/KARVENTextFormular.h"
#include "formulare/KARVENTextSymbole.h"
#include "logik/BriefLineal.h"
#include "ui/Connect.h"
#include "ui/FindDialog.h"
#include "ui/PopupMenu.h"
#include "ui/RtfReader.h"

namespace fleet {

namespace {

using briefsymbole::Symbol;

// The ruler: a scale with a tick at every default tab stop, the text between
// the gutters.
class Lineal : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QFrame::paintEvent(event);
        QPainter p(this);
        const QRect r = contentsRect();
        p.fillRect(QRect(brief::kLinealRand, 4, r.width() - 2 * brief::kLinealRand, 10), Qt::white);
        p.setPen(QColor(110, 110, 110));
        // Every 9 pt a tick, every 36 pt (a tab stop) a long one.
        for (int punkte = 0;; punkte += 9) {
            const int x = brief::kLinealRand + int(punkte * brief::kLinealMassstab);
            if (x > r.width() - brief::kLinealRand)
                break;
            const bool lang = punkte % 36 == 0;
            p.drawLine(x, lang ? 5 : 9, x, 12);
        }
    }
};

// An indent marker: a small triangle, pointing down for the first line.
QLabel *marke(QWidget *lineal, const char *name, bool nachUnten)
{
    auto *label = ui::make<QLabel>(lineal, name);
    QPixmap bild(9, 7);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(200, 200, 200));
    if (nachUnten)
        p.drawPolygon(QPolygonF({QPointF(0.5, 0.5), QPointF(8.5, 0.5), QPointF(4.5, 6.5)}));
    else
        p.drawPolygon(QPolygonF({QPointF(4.5, 0.5), QPointF(8.5, 6.5), QPointF(0.5, 6.5)}));
    p.end();
    label->setPixmap(bild);
    label->setFixedSize(9, 7);
    label->setCursor(Qt::SizeHorCursor);
    return label;
}

QAction *knopf(QObject *eltern, const char *name, const QString &text, const QIcon &bild,
               const QString &hinweis)
{
    auto *action = ui::make<QAction>(eltern, name, bild, text);
    action->setToolTip(hinweis);
    action->setStatusTip(hinweis);
    return action;
}

} // namespace

void TKARVENTextFormular::aufbauen()
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    auto *spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(0, 0, 0, 0);
    spalte->setSpacing(0);

    // Main menu.
    MainMenu = ui::make<QMenuBar>(this, "MainMenu");
    spalte->setMenuBar(MainMenu);
    QMenu *datei = MainMenu->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("FileMenu"));
    FileNewItem = ui::make<QAction>(this, "FileNewItem", QStringLiteral("&Neu"));
    FileOpenItem = ui::make<QAction>(this, "FileOpenItem", QStringLiteral("Öffnen..."));
    FileSaveItem = ui::make<QAction>(this, "FileSaveItem", QStringLiteral("&Speichern"));
    FileSaveAsItem = ui::make<QAction>(this, "FileSaveAsItem", QStringLiteral("Speichern &Als..."));
    FilePrintItem = ui::make<QAction>(this, "FilePrintItem", QStringLiteral("&Drucken"));
    FileExitItem = ui::make<QAction>(this, "FileExitItem", QStringLiteral("B&eenden"));
    datei->addActions({FileNewItem, FileOpenItem, FileSaveItem, FileSaveAsItem});
    datei->addSeparator();
    datei->addAction(FilePrintItem);
    datei->addSeparator();
    datei->addAction(FileExitItem);
    EditMenu = MainMenu->addMenu(QStringLiteral("&Bearbeiten"));
    EditMenu->setObjectName(QStringLiteral("EditMenu"));
    EditUndoItem = ui::make<QAction>(this, "EditUndoItem", QStringLiteral("&Zurück"));
    EditUndoItem->setShortcut(QKeySequence::Undo);
    EditCutItem = ui::make<QAction>(this, "EditCutItem", QStringLiteral("Ausschneiden"));
    EditCutItem->setShortcut(QKeySequence::Cut);
    EditCopyItem = ui::make<QAction>(this, "EditCopyItem", QStringLiteral("&Kopieren"));
    EditCopyItem->setShortcut(QKeySequence::Copy);
    EditPasteItem = ui::make<QAction>(this, "EditPasteItem", QStringLiteral("&Einfügen"));
    EditPasteItem->setShortcut(QKeySequence::Paste);
    Suchen1 = ui::make<QAction>(this, "Suchen1", QStringLiteral("&Suchen"));
    Suchen1->setShortcut(QKeySequence::Find);
    EditFontItem = ui::make<QAction>(this, "EditFontItem", QStringLiteral("&Font..."));
    EditMenu->addAction(EditUndoItem);
    EditMenu->addSeparator();
    EditMenu->addActions({EditCutItem, EditCopyItem, EditPasteItem});
    EditMenu->addSeparator();
    EditMenu->addActions({Suchen1, EditFontItem});
    QMenu *hilfe = MainMenu->addMenu(QStringLiteral("Hilfe"));
    hilfe->setObjectName(QStringLiteral("HelpMenu"));
    ErsteSchritte1 = ui::make<QAction>(this, "ErsteSchritte1", QStringLiteral("Erste Schritte"));
    hilfe->addAction(ErsteSchritte1);

    // Toolbar.
    ToolBar = ui::make<QToolBar>(this, "ToolBar");
    ToolBar->setIconSize(QSize(20, 20));
    OpenButton = knopf(this, "OpenButton", QStringLiteral("Öffnen"), briefsymbole::symbol(Symbol::Oeffnen),
                       QStringLiteral("Öffnen"));
    SaveButton = knopf(this, "SaveButton", QStringLiteral("Speichern"),
                       briefsymbole::symbol(Symbol::Speichern), QStringLiteral("Speichern"));
    PrintButton = knopf(this, "PrintButton", QStringLiteral("Drucken"), briefsymbole::symbol(Symbol::Drucken),
                        QStringLiteral("Drucken"));
    UndoButton = knopf(this, "UndoButton", QStringLiteral("Zurück"), briefsymbole::symbol(Symbol::Zurueck),
                       QStringLiteral("Rückgängig"));
    UndoButton->setEnabled(false);
    CutButton = knopf(this, "CutButton", QStringLiteral("Ausschneiden"),
                      briefsymbole::symbol(Symbol::Ausschneiden), QStringLiteral("Ausschneiden"));
    CopyButton = knopf(this, "CopyButton", QStringLiteral("Kopieren"), briefsymbole::symbol(Symbol::Kopieren),
                       QStringLiteral("Kopieren"));
    PasteButton = knopf(this, "PasteButton", QStringLiteral("Einfügen"),
                        briefsymbole::symbol(Symbol::Einfuegen), QStringLiteral("Einfügen"));
    ToolBar->addActions({OpenButton, SaveButton, PrintButton});
    ToolBar->addSeparator();
    ToolBar->addActions({UndoButton, CutButton, CopyButton, PasteButton});
    ToolBar->addSeparator();
    FontName = ui::make<QComboBox>(ToolBar, "FontName");
    FontName->setMinimumContentsLength(18);
    FontName->setToolTip(QStringLiteral("Schriftart"));
    ToolBar->addWidget(FontName);
    ToolBar->addSeparator();
    FontSize = ui::make<QLineEdit>(ToolBar, "FontSize", QStringLiteral("0"));
    FontSize->setFixedWidth(34);
    FontSize->setToolTip(QStringLiteral("Schriftgröße"));
    ToolBar->addWidget(FontSize);
    UpDown1 = ui::make<QWidget>(ToolBar, "UpDown1");
    {
        auto *pfeile = new QVBoxLayout(UpDown1);
        pfeile->setContentsMargins(0, 0, 0, 0);
        pfeile->setSpacing(0);
        for (const auto &[name, richtung, schritt] :
             {std::tuple{"UpDown1Auf", Qt::UpArrow, 1}, std::tuple{"UpDown1Ab", Qt::DownArrow, -1}}) {
            auto *pfeil = ui::make<QToolButton>(UpDown1, name);
            pfeil->setArrowType(richtung);
            pfeil->setFixedSize(16, 11);
            pfeil->setAutoRepeat(true);
            pfeile->addWidget(pfeil);
            const int s = schritt;
            ui::on(pfeil, &QToolButton::clicked, this, [this, s] {
                const int jetzt = FontSize->text().toInt();
                FontSize->setText(QString::number(std::clamp(jetzt + s, 1, 1638)));
            });
        }
    }
    ToolBar->addWidget(UpDown1);
    BoldButton =
        knopf(this, "BoldButton", QStringLiteral("Fett"),
              briefsymbole::buchstabe(QStringLiteral("F"), true, false, false), QStringLiteral("Fett"));
    ItalicButton =
        knopf(this, "ItalicButton", QStringLiteral("Kursiv"),
              briefsymbole::buchstabe(QStringLiteral("K"), false, true, false), QStringLiteral("Kursiv"));
    UnderlineButton = knopf(this, "UnderlineButton", QStringLiteral("Unterstrichen"),
                            briefsymbole::buchstabe(QStringLiteral("U"), false, false, true),
                            QStringLiteral("Unterstrichen"));
    for (QAction *a : {BoldButton, ItalicButton, UnderlineButton})
        a->setCheckable(true);
    ToolBar->addActions({BoldButton, ItalicButton, UnderlineButton});
    ToolBar->addSeparator();
    LeftAlign = knopf(this, "LeftAlign", QStringLiteral("Linksbündig"), briefsymbole::symbol(Symbol::Links),
                      QStringLiteral("Linksbündig"));
    CenterAlign = knopf(this, "CenterAlign", QStringLiteral("Zentriert"), briefsymbole::symbol(Symbol::Mitte),
                        QStringLiteral("Zentriert"));
    RightAlign = knopf(this, "RightAlign", QStringLiteral("Rechtsbündig"),
                       briefsymbole::symbol(Symbol::Rechts), QStringLiteral("Rechtsbündig"));
    LeftAlign->setData(0);
    RightAlign->setData(1);
    CenterAlign->setData(2);
    AlignGroup = new QActionGroup(this);
    AlignGroup->setObjectName(QStringLiteral("AlignGroup"));
    for (QAction *a : {LeftAlign, CenterAlign, RightAlign}) {
        a->setCheckable(true);
        AlignGroup->addAction(a);
    }
    LeftAlign->setChecked(true);
    ToolBar->addActions({LeftAlign, CenterAlign, RightAlign});
    ToolBar->addSeparator();
    BulletsButton = knopf(this, "BulletsButton", QStringLiteral("Aufzählung"),
                          briefsymbole::symbol(Symbol::Aufzaehlung), QStringLiteral("Aufzählung"));
    BulletsButton->setCheckable(true);
    BulletsButton->setVisible(false);
    ToolBar->addAction(BulletsButton);
    spalte->addWidget(ToolBar);

    // The database panel comes between toolbar and ruler (built separately).
    PanDatenbank = ui::make<QFrame>(this, "PanDatenbank");
    spalte->addWidget(PanDatenbank);

    Ruler = ui::make<Lineal>(this, "Ruler");
    Ruler->setFrameShape(QFrame::NoFrame);
    Ruler->setFixedHeight(26);
    RulerLine = ui::make<QFrame>(Ruler, "RulerLine");
    RulerLine->setFrameShape(QFrame::HLine);
    RulerLine->setFrameShadow(QFrame::Sunken);
    RulerLine->setGeometry(4, 14, 100, 2);
    FirstInd = marke(Ruler, "FirstInd", true);
    FirstInd->move(2, 0);
    LeftInd = marke(Ruler, "LeftInd", false);
    LeftInd->move(2, 16);
    RightInd = marke(Ruler, "RightInd", false);
    RightInd->move(100, 16);
    for (QLabel *m : {FirstInd, LeftInd, RightInd})
        m->installEventFilter(this);
    spalte->addWidget(Ruler);

    REditText = ui::make<QTextEdit>(this, "REditText");
    REditText->setAcceptRichText(true);
    REditText->setTabChangesFocus(false);
    REditText->setLineWrapMode(QTextEdit::WidgetWidth);
    REditText->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    REditText->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    REditText->setFrameShape(QFrame::NoFrame);
    // The text lies between the ruler's gutters.
    REditText->document()->setDocumentMargin(brief::kLinealRand);
    ui::setLetterTabStops(*REditText->document());
    spalte->addWidget(REditText, 1);

    StatusBar = ui::make<QStatusBar>(this, "StatusBar");
    StatusBar->setSizeGripEnabled(false);
    const int breiten[] = {120, 60, 50};
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel(StatusBar);
        StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanels[i]->setFixedWidth(breiten[i]);
        StatusPanels[i]->setContentsMargins(3, 0, 3, 0);
        StatusPanels[i]->setFrameShape(QFrame::Panel);
        StatusPanels[i]->setFrameShadow(QFrame::Sunken);
        StatusBar->addWidget(StatusPanels[i]);
    }
    StatusPanels[1]->setAlignment(Qt::AlignCenter);
    // The caret panel and the changed panel are as wide as their longest text
    // in this font (margins and frame beside it), at least their designed width.
    const auto breitFuer = [this](int panel, const QString &text, int mindestens) {
        QLabel *p = StatusPanels[panel];
        p->setFixedWidth(
            std::max(mindestens, p->fontMetrics().horizontalAdvance(text) + 6 + 2 * p->frameWidth() + 4));
    };
    breitFuer(0, QStringLiteral("Zeile: 9999   Spalte: 9999"), breiten[0]);
    breitFuer(1, QStringLiteral("Geändert"), breiten[1]);
    spalte->addWidget(StatusBar);

    PopupMenu1 = ui::make<ui::PopupMenu>(this, "PopupMenu1");
    PopupMenu1->attachTo(REditText);
    FindDialogText = new ui::FindDialog(this);
    FindDialogText->setObjectName(QStringLiteral("FindDialogText"));
    resize(900, 650);
}

void TKARVENTextFormular::verbinden()
{
    ui::on(FileNewItem, &QAction::triggered, this, [this] { FileNew(); });
    for (QAction *a : {FileOpenItem, OpenButton})
        ui::on(a, &QAction::triggered, this, [this] { FileOpen(); });
    for (QAction *a : {FileSaveItem, SaveButton})
        ui::on(a, &QAction::triggered, this, [this] { FileSave(); });
    ui::on(FileSaveAsItem, &QAction::triggered, this, [this] { FileSaveAs(); });
    for (QAction *a : {FilePrintItem, PrintButton})
        ui::on(a, &QAction::triggered, this, [this] { FilePrint(); });
    ui::on(FileExitItem, &QAction::triggered, this, [this] { FileExit(); });
    for (QAction *a : {EditUndoItem, UndoButton})
        ui::on(a, &QAction::triggered, this, [this] { EditUndo(); });
    for (QAction *a : {EditCutItem, CutButton})
        ui::on(a, &QAction::triggered, this, [this] { EditCut(); });
    for (QAction *a : {EditCopyItem, CopyButton})
        ui::on(a, &QAction::triggered, this, [this] { EditCopy(); });
    for (QAction *a : {EditPasteItem, PasteButton})
        ui::on(a, &QAction::triggered, this, [this] { EditPaste(); });
    ui::on(EditMenu, &QMenu::aboutToShow, this, [this] { EditMenuClick(); });
    ui::on(Suchen1, &QAction::triggered, this, [this] { Suchen1Click(); });
    ui::on(EditFontItem, &QAction::triggered, this, [this] { SelectFont(); });
    ui::on(ErsteSchritte1, &QAction::triggered, this, [this] { ErsteSchritte1Click(); });
    ui::on(FindDialogText, &ui::FindDialog::find, this, [this] { FindDialogTextFind(); });
    ui::on(REditText, &QTextEdit::cursorPositionChanged, this, [this] { SelectionChange(); });
    ui::on(REditText, &QTextEdit::selectionChanged, this, [this] { SelectionChange(); });
    ui::on(REditText, &QTextEdit::textChanged, this, [this] { RichEditChange(); });
    ui::on(REditText->document(), &QTextDocument::modificationChanged, this, [this] { RichEditChange(); });
    ui::on(BoldButton, &QAction::triggered, this, [this] { BoldButtonClick(); });
    ui::on(ItalicButton, &QAction::triggered, this, [this] { ItalicButtonClick(); });
    ui::on(UnderlineButton, &QAction::triggered, this, [this] { UnderlineButtonClick(); });
    ui::on(FontSize, &QLineEdit::textChanged, this, [this] { FontSizeChange(); });
    ui::on(FontName, &QComboBox::textActivated, this, [this] { FontNameChange(); });
    ui::on(AlignGroup, &QActionGroup::triggered, this, [this](QAction *a) { AlignButtonClick(a); });
    ui::on(BulletsButton, &QAction::triggered, this, [this] { BulletsButtonClick(); });
    ui::on(this, &ui::FormBase::formShow, this, [this] { FormShow(); });
    ui::on(this, &ui::FormBase::formCloseQuery, this, [this](bool &canClose) { FormCloseQuery(canClose); });
    ui::on(this, &ui::FormBase::formClose, this, [this](ui::CloseAction &action) { FormClose(action); });
}

} // namespace fleet
