#include "reportengine/designer/PropertyPanel.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "reportengine/designer/DesignRules.h"
#include "reportengine/designer/DesignerDocument.h"

namespace tb {

namespace {

QDoubleSpinBox *millimetres(QWidget *parent)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(-2000, 2000);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setKeyboardTracking(false);
    return box;
}

const Align kAligns[] = {Align::Left, Align::Center, Align::Right};
const Layer kLayers[] = {Layer::All, Layer::First, Layer::Following};

} // namespace

ColorEdit::ColorEdit(QWidget *parent) : QWidget(parent), edit_(new QLineEdit(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    edit_->setPlaceholderText(QStringLiteral("keine"));
    layout->addWidget(edit_);
    auto *pick = new QToolButton(this);
    pick->setText(QStringLiteral("…"));
    pick->setToolTip(QStringLiteral("Farbe wählen"));
    layout->addWidget(pick);
    connect(edit_, &QLineEdit::editingFinished, this, &ColorEdit::edited);
    connect(pick, &QToolButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(color().isValid() ? color() : Qt::black, this,
                                                     QStringLiteral("Farbe wählen"));
        if (chosen.isValid()) {
            setColor(chosen);
            emit edited();
        }
    });
}

void ColorEdit::setColor(const QColor &color)
{
    edit_->setText(color.isValid() ? color.name().toUpper() : QString());
}

QColor ColorEdit::color() const
{
    const QString text = edit_->text().trimmed();
    return text.isEmpty() ? QColor() : QColor::fromString(text);
}

PropertyPanel::PropertyPanel(DesignerDocument &document, QWidget *parent)
    : QWidget(parent), document_(document), form_(new QFormLayout(this))
{
    type_ = new QLineEdit(this);
    type_->setReadOnly(true);
    name_ = new QLineEdit(this);
    form_->addRow(QStringLiteral("Art"), type_);
    form_->addRow(QStringLiteral("Name"), name_);
    const char *geometryCaptions[4] = {"Links", "Oben", "Breite", "Höhe"};
    for (int i = 0; i < 4; ++i) {
        geometry_[i] = millimetres(this);
        form_->addRow(QString::fromUtf8(geometryCaptions[i]), geometry_[i]);
        connect(geometry_[i], &QDoubleSpinBox::valueChanged, this, [this, i](double value) {
            if (loading_)
                return;
            commit([&](PageObject &o) {
                QRectF r = o.rectMm;
                if (i == 0)
                    r.moveLeft(value);
                else if (i == 1)
                    r.moveTop(value);
                else if (i == 2)
                    r.setWidth(value);
                else
                    r.setHeight(value);
                o.rectMm = r;
            });
        });
    }
    fontFamily_ = new QFontComboBox(this);
    fontSize_ = new QDoubleSpinBox(this);
    fontSize_->setRange(0, 200);
    fontSize_->setDecimals(1);
    fontSize_->setSuffix(QStringLiteral(" pt"));
    fontSize_->setSpecialValueText(QStringLiteral("Standard"));
    fontSize_->setKeyboardTracking(false);
    bold_ = new QCheckBox(QStringLiteral("Fett"), this);
    italic_ = new QCheckBox(QStringLiteral("Kursiv"), this);
    underline_ = new QCheckBox(QStringLiteral("Unterstrichen"), this);
    auto *styles = new QWidget(this);
    auto *stylesLayout = new QHBoxLayout(styles);
    stylesLayout->setContentsMargins(0, 0, 0, 0);
    stylesLayout->addWidget(bold_);
    stylesLayout->addWidget(italic_);
    stylesLayout->addWidget(underline_);
    form_->addRow(QStringLiteral("Schriftart"), fontFamily_);
    form_->addRow(QStringLiteral("Schriftgröße"), fontSize_);
    form_->addRow(QStringLiteral("Schriftstil"), styles);
    align_ = new QComboBox(this);
    align_->addItems({QStringLiteral("Links"), QStringLiteral("Zentriert"), QStringLiteral("Rechts")});
    form_->addRow(QStringLiteral("Ausrichtung"), align_);
    frame_ = new ColorEdit(this);
    form_->addRow(QStringLiteral("Rahmen"), frame_);
    frameWidth_ = new QDoubleSpinBox(this);
    frameWidth_->setRange(0, 20);
    frameWidth_->setDecimals(2);
    frameWidth_->setSuffix(QStringLiteral(" pt"));
    frameWidth_->setKeyboardTracking(false);
    form_->addRow(QStringLiteral("Linienstärke"), frameWidth_);
    background_ = new ColorEdit(this);
    form_->addRow(QStringLiteral("Hintergrund"), background_);
    layer_ = new QComboBox(this);
    for (Layer layer : kLayers)
        layer_->addItem(designer::layerCaption(layer));
    form_->addRow(QStringLiteral("Ebene"), layer_);
    const auto withEditor = [this](QLineEdit *edit, QString PageObject::*member) {
        auto *row = new QWidget(this);
        auto *layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(edit);
        auto *button = new QToolButton(row);
        button->setText(QStringLiteral("…"));
        button->setToolTip(QStringLiteral("Formel bearbeiten"));
        layout->addWidget(button);
        edit->setProperty("expression", true);
        connect(button, &QToolButton::clicked, this, [this, edit, member] {
            if (index_ < 0 || !editExpression_)
                return;
            QString source = document_.object(index_).*member;
            if (editExpression_(source)) {
                edit->setText(source);
                takeExpression(edit, member);
            }
        });
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, member] {
            if (!loading_)
                takeExpression(edit, member);
        });
        return row;
    };
    condition_ = new QLineEdit(this);
    form_->addRow(QStringLiteral("Darstellungsbedingung"), withEditor(condition_, &PageObject::condition));
    file_ = new QLineEdit(this);
    form_->addRow(QStringLiteral("Bilddatei"), file_);
    fileExpr_ = new QLineEdit(this);
    form_->addRow(QStringLiteral("Bild aus Formel"), withEditor(fileExpr_, &PageObject::fileExpr));
    keepAspect_ = new QCheckBox(QStringLiteral("Seitenverhältnis beibehalten"), this);
    form_->addRow(QString(), keepAspect_);
    paragraphs_ = new QPushButton(QStringLiteral("Absätze bearbeiten…"), this);
    form_->addRow(QString(), paragraphs_);
    columns_ = new QPushButton(QStringLiteral("Spalten bearbeiten…"), this);
    form_->addRow(QString(), columns_);

    connect(name_, &QLineEdit::editingFinished, this, [this] {
        if (!loading_)
            commit([&](PageObject &o) { o.name = name_->text().trimmed(); });
    });
    connect(fontFamily_, &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        if (!loading_)
            commit([&](PageObject &o) { o.font.family = font.family(); });
    });
    connect(fontSize_, &QDoubleSpinBox::valueChanged, this, [this](double size) {
        if (!loading_)
            commit([&](PageObject &o) {
                o.font.sizePt = size > 0 ? std::optional<double>(size) : std::nullopt;
                // A text's own paragraph sizes would hide the object's size.
                for (auto &p : o.paragraphs)
                    p.font.sizePt.reset();
            });
    });
    const auto styleEdit = [this](QCheckBox *box, std::optional<bool> FontSpec::*member) {
        connect(box, &QCheckBox::toggled, this, [this, member](bool on) {
            if (!loading_)
                commit([&](PageObject &o) {
                    o.font.*member = on;
                    for (auto &p : o.paragraphs)
                        (p.font.*member).reset();
                });
        });
    };
    styleEdit(bold_, &FontSpec::bold);
    styleEdit(italic_, &FontSpec::italic);
    styleEdit(underline_, &FontSpec::underline);
    connect(align_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!loading_ && i >= 0)
            commit([&](PageObject &o) {
                for (auto &p : o.paragraphs)
                    p.align = kAligns[i];
            });
    });
    connect(frame_, &ColorEdit::edited, this, [this] {
        if (!loading_)
            commit([&](PageObject &o) {
                if (o.type == PageObject::Type::Line)
                    o.lineColor = frame_->color().isValid() ? frame_->color() : QColor(Qt::black);
                else
                    o.frame = frame_->color();
            });
    });
    connect(frameWidth_, &QDoubleSpinBox::valueChanged, this, [this](double width) {
        if (!loading_)
            commit([&](PageObject &o) {
                if (o.type == PageObject::Type::Line)
                    o.lineWidthPt = width;
                else
                    o.frameWidthPt = width;
            });
    });
    connect(background_, &ColorEdit::edited, this, [this] {
        if (!loading_)
            commit([&](PageObject &o) { o.background = background_->color(); });
    });
    connect(layer_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!loading_ && i >= 0)
            commit([&](PageObject &o) { o.layer = kLayers[i]; });
    });
    connect(file_, &QLineEdit::editingFinished, this, [this] {
        if (!loading_)
            commit([&](PageObject &o) { o.file = file_->text().trimmed(); });
    });
    connect(keepAspect_, &QCheckBox::toggled, this, [this](bool on) {
        if (!loading_)
            commit([&](PageObject &o) { o.keepAspect = on; });
    });
    connect(paragraphs_, &QPushButton::clicked, this, [this] { emit paragraphsRequested(index_); });
    connect(columns_, &QPushButton::clicked, this, [this] { emit columnsRequested(index_); });
    connect(&document_, &DesignerDocument::changed, this, &PropertyPanel::refresh);
    showObject(-1);
}

void PropertyPanel::setExpressionTools(std::function<QString(const QString &)> check,
                                       std::function<bool(QString &source)> edit)
{
    check_ = std::move(check);
    editExpression_ = std::move(edit);
}

bool PropertyPanel::takeExpression(QLineEdit *edit, QString PageObject::*member)
{
    if (index_ < 0)
        return false;
    const QString source = edit->text().trimmed();
    if (source == document_.object(index_).*member)
        return true;
    const QString why = check_ ? check_(source) : QString();
    if (!why.isEmpty()) {
        // A faulty expression is not taken: it would only show up as a faulty report at print time.
        emit refused(why);
        refresh();
        return false;
    }
    commit([&](PageObject &o) { o.*member = source; });
    return true;
}

QDoubleSpinBox *PropertyPanel::geometryEdit(int part) const
{
    return geometry_[part];
}

void PropertyPanel::showObject(int index)
{
    index_ = index;
    refresh();
}

void PropertyPanel::refresh()
{
    if (index_ >= document_.objectCount())
        index_ = -1;
    loading_ = true;
    const bool has = index_ >= 0;
    setEnabled(has);
    const PageObject object = has ? document_.object(index_) : PageObject();
    const auto type = object.type;
    const bool text = has && type == PageObject::Type::Text;
    const bool image = has && type == PageObject::Type::Image;
    const bool line = has && type == PageObject::Type::Line;
    const bool table = has && type == PageObject::Type::Table;
    type_->setText(has ? designer::typeCaption(type) : QString());
    name_->setText(object.name);
    const double values[4] = {object.rectMm.x(), object.rectMm.y(), object.rectMm.width(),
                              object.rectMm.height()};
    for (int i = 0; i < 4; ++i)
        geometry_[i]->setValue(values[i]);
    const FontSpec font = object.font.over(document_.project().font.over(defaultProjectFont()));
    fontFamily_->setCurrentFont(QFont(font.family.value_or(QStringLiteral("Liberation Sans"))));
    double size = object.font.sizePt.value_or(0);
    if (text && !object.font.sizePt && !object.paragraphs.empty() && object.paragraphs.front().font.sizePt)
        size = *object.paragraphs.front().font.sizePt;
    fontSize_->setValue(size);
    bold_->setChecked(font.bold.value_or(false));
    italic_->setChecked(font.italic.value_or(false));
    underline_->setChecked(font.underline.value_or(false));
    align_->setCurrentIndex(text && !object.paragraphs.empty() ? int(object.paragraphs.front().align) : 0);
    frame_->setColor(line ? object.lineColor : object.frame);
    frameWidth_->setValue(line ? object.lineWidthPt : object.frameWidthPt);
    background_->setColor(object.background);
    layer_->setCurrentIndex(int(object.layer));
    condition_->setText(object.condition);
    file_->setText(object.file);
    fileExpr_->setText(object.fileExpr);
    keepAspect_->setChecked(object.keepAspect);
    const auto show = [this](QWidget *field, bool visible) { form_->setRowVisible(field, visible); };
    show(align_, text);
    show(background_, has && !line);
    show(file_, image);
    show(fileExpr_->parentWidget(), image);
    show(keepAspect_, image);
    show(paragraphs_, text);
    show(columns_, table);
    show(fontFamily_, !line && !image);
    show(fontSize_, !line && !image);
    show(bold_->parentWidget(), !line && !image);
    const bool locked = document_.isLocked(index_);
    for (QWidget *field : findChildren<QWidget *>())
        if (field != paragraphs_ && field != columns_ && field != type_)
            field->setEnabled(!locked);
    loading_ = false;
}

void PropertyPanel::commit(const std::function<void(PageObject &)> &change)
{
    if (index_ < 0)
        return;
    PageObject object = document_.object(index_);
    change(object);
    QString reason;
    if (!document_.replaceObject(index_, object, QStringLiteral("Eigenschaft ändern"), &reason) &&
        !reason.isEmpty())
        emit refused(reason);
}

} // namespace tb
