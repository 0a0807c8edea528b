#include "navigation/ansichten/SingleRecViewForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>

#include "dbe/Field.h"
#include "navigation/daten/DataSetHelpers.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/leiste/DBVNavigator.h"
#include "ui/Connect.h"
#include "ui/DBCheckBox.h"
#include "ui/DBEdit.h"
#include "ui/DBImage.h"
#include "ui/DBLookupComboBox.h"
#include "ui/DBMemo.h"

namespace nav {

namespace {

bool hasProperty(const QObject *object, const char *name)
{
    return object->metaObject()->indexOfProperty(name) >= 0;
}

srv::ControlKind kindOfControl(const QWidget *control)
{
    if (qobject_cast<const ui::DBMemo *>(control))
        return srv::ControlKind::Memo;
    if (qobject_cast<const ui::DBImage *>(control))
        return srv::ControlKind::Image;
    if (qobject_cast<const ui::DBCheckBox *>(control))
        return srv::ControlKind::CheckBox;
    if (qobject_cast<const ui::DBLookupComboBox *>(control))
        return srv::ControlKind::LookupCombo;
    if (qobject_cast<const QLineEdit *>(control) || qobject_cast<const QComboBox *>(control) ||
        qobject_cast<const QLabel *>(control))
        return srv::ControlKind::Edit;
    return srv::ControlKind::None;
}

srv::Layout layoutOf(TSingleRecLayout layout)
{
    switch (layout) {
    case TSingleRecLayout::srlHoriz:
        return srv::Layout::Across;
    case TSingleRecLayout::srlVertTop:
        return srv::Layout::VertTop;
    case TSingleRecLayout::srlVertLeftLeft:
        return srv::Layout::VertLeftLeft;
    case TSingleRecLayout::srlVertLeftRight:
        break;
    }
    return srv::Layout::VertLeftRight;
}

// The default size of a control of the given class, as placed on the view.
template <class Control> QSize referenceSize(QWidget *parent)
{
    auto *probe = new Control;
    probe->hide();
    probe->setParent(parent);
    probe->ensurePolished();
    const QSize size = probe->sizeHint();
    delete probe;
    return size;
}

} // namespace

TSingleRecViewForm::TSingleRecViewForm(QWidget *owner, const TFormEventRec &options, TTableDefs *tableDefs)
    : NavViewForm({"SingleRecViewForm", "SRSource", "SRDBVexarion", "ORStatusPanel", "SRNav"}, sfSingleRecord,
                  options.UserButton, owner, tableDefs),
      Options(options)
{
    setWindowTitle(QStringLiteral("Einzeldatensatzansicht"));
    SRSource = Source();
    SRDBVexarion = Extender();
    SRNav = Navigator();
    ORStatusPanel = StatusPanel();
    ScrollBox = ui::make<QScrollArea>(this, "ScrollBox", this);
    ScrollBox->setWidgetResizable(false);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollContent = ui::make<QWidget>(this, "ScrollContent", this);
    ScrollBox->setWidget(ScrollContent);
    Body()->addWidget(ScrollBox);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    piHoriz = PopupMenu1->addAction(QStringLiteral("Felder nebeneinander"));
    QMenu *vertical = PopupMenu1->addMenu(QStringLiteral("Felder untereinander"));
    piVert = vertical->menuAction();
    piVertTop = vertical->addAction(QStringLiteral("Beschriftung oben"));
    piVertLeftLeft = vertical->addAction(QStringLiteral("Beschriftung links (linksbündig)"));
    piVertLeftRight = vertical->addAction(QStringLiteral("Beschriftung links (rechtsbündig)"));
    for (QAction *item : {piHoriz, piVertTop, piVertLeftLeft, piVertLeftRight}) {
        item->setCheckable(true);
        ui::on(item, &QAction::triggered, this, [this, item] { LayoutItemClick(item); });
    }
    LayoutItem = itemOfLayout(Options.Layout);
    LayoutItem->setChecked(true);
    for (QWidget *w : {static_cast<QWidget *>(ScrollBox->viewport()), ScrollContent}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        ui::on(w, &QWidget::customContextMenuRequested, this,
               [this, w](const QPoint &at) { PopupMenu1->popup(w->mapToGlobal(at)); });
    }
    ui::on(this, &ui::FormBase::formShow, this, &TSingleRecViewForm::formShow);
    resize(520, 420);
}

TSingleRecViewForm::~TSingleRecViewForm()
{
    DropControls();
}

QAction *TSingleRecViewForm::itemOfLayout(TSingleRecLayout layout) const
{
    switch (layout) {
    case TSingleRecLayout::srlHoriz:
        return piHoriz;
    case TSingleRecLayout::srlVertTop:
        return piVertTop;
    case TSingleRecLayout::srlVertLeftLeft:
        return piVertLeftLeft;
    case TSingleRecLayout::srlVertLeftRight:
        break;
    }
    return piVertLeftRight;
}

bool TSingleRecViewForm::EscapeAllowed() const
{
    const dbe::TDataSet *ds = SRSource->DataSet();
    const bool editing =
        ds && (ds->State() == dbe::TDataSetState::dsEdit || ds->State() == dbe::TDataSetState::dsInsert);
    return !editing && NavViewForm::EscapeAllowed();
}

void TSingleRecViewForm::formShow()
{
    LastWidth = width();
    Rebuild();
    SRDBVexarion->CheckPossibilities();
    SRDBVexarion->ShowStatus(SRSource);
    QMetaObject::invokeMethod(
        this,
        [this] {
            ui::guard(this, [this] {
                Ready = true;
                if (TableDefs() && TableDefs()->Host())
                    TableDefs()->Host()->ClearMessage();
            });
        },
        Qt::QueuedConnection);
}

void TSingleRecViewForm::postRebuild()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (Ready && !Rebuilding)
                ui::guard(this, [this] { Rebuild(); });
        },
        Qt::QueuedConnection);
}

void TSingleRecViewForm::resizeEvent(QResizeEvent *event)
{
    NavViewForm::resizeEvent(event);
    if (!Ready || Resizing || Rebuilding || !Options.RebuildOnResize || width() == LastWidth)
        return;
    Resizing = true;
    LastWidth = width();
    postRebuild();
    Resizing = false;
}

void TSingleRecViewForm::LayoutItemClick(QAction *item)
{
    if (item == LayoutItem) {
        item->setChecked(true);
        return;
    }
    LayoutItem->setChecked(false);
    LayoutItem = item;
    item->setChecked(true);
    if (item == piHoriz)
        Options.Layout = TSingleRecLayout::srlHoriz;
    else if (item == piVertTop)
        Options.Layout = TSingleRecLayout::srlVertTop;
    else if (item == piVertLeftLeft)
        Options.Layout = TSingleRecLayout::srlVertLeftLeft;
    else
        Options.Layout = TSingleRecLayout::srlVertLeftRight;
    postRebuild();
}

void TSingleRecViewForm::ResyncControls()
{
    DropControls();
    const dbe::TDataSet *ds = SRSource->DataSet();
    if (ds && ds->State() == dbe::TDataSetState::dsBrowse)
        postRebuild();
}

void TSingleRecViewForm::DropControls()
{
    for (QWidget *control : Controls)
        delete control;
    for (QLabel *label : Labels)
        delete label;
    Controls.clear();
    Labels.clear();
    Fields.clear();
    lookupSources_.clear();
    ControlsBuilt = false;
}

void TSingleRecViewForm::measureReferences()
{
    const QSize label = referenceSize<QLabel>(ScrollContent);
    const QSize edit = referenceSize<ui::DBEdit>(ScrollContent);
    memoSize_ = referenceSize<ui::DBMemo>(ScrollContent);
    // A picture control has no size of its own before it shows a picture.
    imageSize_ = referenceSize<ui::DBImage>(ScrollContent).expandedTo(QSize(105, 105));
    checkSize_ = referenceSize<ui::DBCheckBox>(ScrollContent);
    metrics_.labelHeight = label.height();
    metrics_.editHeight = edit.height();
    metrics_.memoWidth = memoSize_.width();
    metrics_.imageWidth = imageSize_.width();
    metrics_.vScrollWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ScrollBox);
    metrics_.clientWidth = ScrollBox->contentsRect().width();
}

void TSingleRecViewForm::Rebuild()
{
    if (Rebuilding)
        return;
    Rebuilding = true;
    ++rebuildCount_;
    setUpdatesEnabled(false);
    struct Afterwards {
        TSingleRecViewForm &view;
        ~Afterwards()
        {
            QApplication::processEvents();
            view.setUpdatesEnabled(true);
            view.Rebuilding = false;
        }
    } afterwards{*this};
    measureReferences();
    if (ControlsBuilt) {
        FocusFieldName.clear();
        ControlField focused;
        QWidget *focus = QApplication::focusWidget();
        if (focus && ScrollContent->isAncestorOf(focus) && SRDBVexarion->GetControlField(focus, focused) &&
            focused.field)
            FocusFieldName = focused.field->FieldName();
    } else {
        BuildControls();
    }
    layoutControls();
    if (!Controls.isEmpty())
        ScrollContent->resize(metrics_.clientWidth, ContentHeight + 8);
    dbe::TDataSet *ds = SRSource->DataSet();
    if (!FocusFieldName.isEmpty() && ds)
        if (dbe::TField *field = ds->FindField(FocusFieldName))
            FocusField(field);
}

const QMetaObject *TSingleRecViewForm::ControlClassForField(dbe::TField *field) const
{
    switch (srv::ControlKindForField(field->DataType(), field->FieldKind() == dbe::TFieldKind::fkLookup,
                                     Options.UseCBOnBoolean, Options.UseDBLUComboBox)) {
    case srv::ControlKind::Edit:
        return &ui::DBEdit::staticMetaObject;
    case srv::ControlKind::LookupCombo:
        return &ui::DBLookupComboBox::staticMetaObject;
    case srv::ControlKind::CheckBox:
        return &ui::DBCheckBox::staticMetaObject;
    case srv::ControlKind::Memo:
        return &ui::DBMemo::staticMetaObject;
    case srv::ControlKind::Image:
        return &ui::DBImage::staticMetaObject;
    case srv::ControlKind::None:
        break;
    }
    return nullptr;
}

QWidget *TSingleRecViewForm::createControl(const QMetaObject *cls, dbe::TField *field)
{
    QWidget *control = nullptr;
    QSize size;
    if (cls == &ui::DBEdit::staticMetaObject) {
        control = new ui::DBEdit;
        size = QSize(120, metrics_.editHeight);
    } else if (cls == &ui::DBLookupComboBox::staticMetaObject) {
        auto *combo = new ui::DBLookupComboBox;
        auto source = std::make_unique<dbe::TDataSource>();
        source->SetDataSet(field->LookupDataSet());
        combo->setListSource(source.get());
        combo->setKeyField(field->LookupKeyFields());
        combo->setListField(field->LookupResultField());
        lookupSources_.push_back(std::move(source));
        control = combo;
        size = QSize(120, combo->sizeHint().height());
    } else if (cls == &ui::DBCheckBox::staticMetaObject) {
        auto *check = new ui::DBCheckBox;
        check->setAllowGrayed(!field->Required());
        control = check;
        size = QSize(checkSize_.height(), checkSize_.height());
    } else if (cls == &ui::DBMemo::staticMetaObject) {
        control = new ui::DBMemo;
        size = memoSize_;
    } else if (cls == &ui::DBImage::staticMetaObject) {
        control = new ui::DBImage;
        size = imageSize_;
    } else if (QObject *made = cls->newInstance()) {
        control = qobject_cast<QWidget *>(made);
        if (!control)
            delete made;
        else
            size = control->sizeHint();
    }
    if (!control)
        return nullptr;
    control->setParent(ScrollContent);
    control->setObjectName(QStringLiteral("SR_%1").arg(field->FieldName()));
    control->resize(size);
    return control;
}

void TSingleRecViewForm::InitControl(QWidget *control, dbe::TField *field)
{
    dbe::TDataSource *source = SRSource;
    if (hasProperty(control, "dataSource"))
        control->setProperty("dataSource", QVariant::fromValue(source));
    else if (SRDBVexarion->ComponentDS)
        SRDBVexarion->ComponentDS(control, source, false);
    // A lookup combo box writes the key field its list is looked up by.
    QString dataField = field->FieldName();
    if (qobject_cast<ui::DBLookupComboBox *>(control))
        dataField = field->KeyFields().section(QLatin1Char(';'), 0, 0);
    if (hasProperty(control, "dataField"))
        control->setProperty("dataField", dataField);
    else if (SRDBVexarion->ComponentFld)
        SRDBVexarion->ComponentFld(control, field, false);
    if (Options.ReadOnly && !Options.ManageGlobalEdit) {
        bool readOnly = true;
        if (hasProperty(control, "readOnly"))
            control->setProperty("readOnly", true);
        else if (SRDBVexarion->ComponentRO)
            SRDBVexarion->ComponentRO(control, readOnly, false);
    }
}

void TSingleRecViewForm::BuildControls()
{
    DropControls();
    dbe::TDataSet *ds = SRSource->DataSet();
    if (!ds)
        return;
    measureReferences();
    for (int i = 0; i < ds->FieldCount(); ++i) {
        dbe::TField *field = ds->Fields(i);
        if (!field->Visible() && !SRDBVexarion->UseNonVisFields)
            continue;
        const QMetaObject *cls = ControlClassForField(field);
        if (SRDBVexarion->SRVClassForField)
            SRDBVexarion->SRVClassForField(field, cls);
        if (!cls)
            continue;
        auto *label = new QLabel(field->DisplayLabel(), ScrollContent);
        QWidget *control = createControl(cls, field);
        if (!control) {
            delete label;
            continue;
        }
        Fields << field;
        Labels << label;
        Controls << control;
        InitControl(control, field);
        // Also a control that takes no focus: the label shows its accelerator then.
        label->setBuddy(control);
        label->show();
        control->show();
        if (SRDBVexarion->SRVInitControl)
            SRDBVexarion->SRVInitControl(field, control);
    }
    if (Options.GenAccelChars)
        AssignAccelerators();
    ControlsBuilt = true;
}

void TSingleRecViewForm::AssignAccelerators()
{
    QStringList captions;
    for (QLabel *label : Labels)
        captions << label->text();
    const QStringList result = srv::AssignAccelerators(captions);
    for (int i = 0; i < Labels.size(); ++i)
        Labels[i]->setText(result[i]);
}

void TSingleRecViewForm::layoutControls()
{
    std::vector<srv::Item> items;
    for (int i = 0; i < Controls.size(); ++i) {
        QLabel *label = Labels[i];
        QWidget *control = Controls[i];
        label->adjustSize();
        srv::Item item;
        item.kind = kindOfControl(control);
        item.labelWidth = label->width();
        item.labelHeight = label->height();
        item.controlWidth = control->width();
        item.controlHeight = control->height();
        item.chars = Fields[i]->DisplayWidth();
        item.maxCharWidth = QFontMetrics(control->font()).maxWidth();
        items.push_back(item);
    }
    srv::SizeHook hook;
    if (SRDBVexarion->SRVSetControlSize)
        hook = [this](int index, int room, int &width, int &height, bool &forceLineBreak) {
            QWidget *control = Controls[index];
            control->resize(width, height);
            SRDBVexarion->SRVSetControlSize(Fields[index], control, room, forceLineBreak);
            width = control->width();
            height = control->height();
        };
    const srv::Layout layout = layoutOf(Options.Layout);
    const srv::Result result = layout == srv::Layout::Across
                                   ? srv::LayoutAcross(items, metrics_, Options.MemoMaxWidth, hook)
                                   : srv::LayoutDown(items, metrics_, layout, Options.MemoMaxWidth, hook);
    for (int i = 0; i < Controls.size(); ++i) {
        const srv::Placement &p = result.placements[static_cast<std::size_t>(i)];
        Labels[i]->setGeometry(p.label);
        Labels[i]->setAlignment((p.labelRightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        Controls[i]->setGeometry(p.control);
    }
    ContentHeight = result.contentHeight;
}

void TSingleRecViewForm::FocusField(dbe::TField *field)
{
    for (QWidget *control : Controls) {
        QString name;
        if (hasProperty(control, "dataField")) {
            name = control->property("dataField").toString();
        } else if (SRDBVexarion->ComponentFld) {
            dbe::TField *shown = nullptr;
            SRDBVexarion->ComponentFld(control, shown, true);
            name = shown ? shown->FieldName() : QString();
        }
        if (name.compare(field->FieldName(), Qt::CaseInsensitive) == 0) {
            control->setFocus();
            ScrollBox->ensureWidgetVisible(control);
            return;
        }
    }
}

} // namespace nav
