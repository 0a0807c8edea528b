#include "navigation/filter/DBVFilter.h"

#include <functional>

#include <QFile>

#include "navigation/filter/FilterFile.h"
#include "navigation/filter/TableFilterDataSet.h"
#include "navigation/gemeinsam/NavExceptions.h"
#include "ui/Hourglass.h"
#include "ui/Messages.h"

namespace nav {

namespace {

const QString kNoTable = QStringLiteral("Tabelle für Filter undefiniert.");
const QString kNoFilter = QStringLiteral("Kein Filter definiert");

bool isRowOperator(std::int32_t op)
{
    return op >= opBlank && op <= opLe;
}

} // namespace

TDBVFilter::~TDBVFilter()
{
    try {
        ClearTree();
    } catch (...) {
        // The cursor may be gone already; nothing to undo then.
    }
    dataSet_ = nullptr;
}

void TDBVFilter::BindFilterDataSet(dbe::TDataSet *dataSet)
{
    auto *current = dynamic_cast<TableFilterDataSet *>(ownedDataSet_.get());
    if (dataSet && current && current->dataSet() == dataSet)
        return;
    auto adapter = dataSet ? std::make_unique<TableFilterDataSet>(dataSet) : nullptr;
    BindFilterDataSet(adapter.get());
    ownedDataSet_ = std::move(adapter);
}

void TDBVFilter::BindFilterDataSet(FilterDataSet *dataSet)
{
    if (dataSet == dataSet_)
        return;
    if (dataSet_ && added_) {
        if (dataSet_->isDestroying()) {
            try {
                dataSet_->dropFilter(filterHandle_);
            } catch (...) {
            }
            filterHandle_ = 0;
        }
        added_ = false;
        active_ = false;
        ClearTree();
    }
    dataSet_ = dataSet;
    if (ownedDataSet_.get() != dataSet)
        ownedDataSet_.reset();
    state_ = dataSet ? fsBound : fsNoDataSet;
}

void TDBVFilter::requireDataSet() const
{
    if (!dataSet_)
        throw EDBVFilter(kNoTable);
}

// The data set is going away: forget the filter without asking its cursor.
void TDBVFilter::resetAfterLoss()
{
    added_ = false;
    active_ = false;
    filterHandle_ = 0;
    state_ = fsBound;
    ClearTree();
}

void TDBVFilter::SetAdded(bool add)
{
    requireDataSet();
    if (dataSet_->isDestroying()) {
        if (!added_)
            throw EDBVFilter(kNoTable);
        resetAfterLoss();
        return;
    }
    if (added_ == add)
        return;
    if (!add) {
        dataSet_->dropFilter(filterHandle_);
        filterHandle_ = 0;
        added_ = false;
        active_ = false;
        state_ = fsBound;
        ClearTree();
        return;
    }
    // Adding without a tree would hand the engine an expression of nothing.
    if (tree_.root < 0)
        throw EDBVFilter(kNoFilter);
    try {
        if (expression_.isEmpty())
            expression_ = BuildExpression(tree_);
        filterHandle_ = dataSet_->addFilter(expression_);
    } catch (...) {
        added_ = false;
        active_ = false;
        state_ = fsBound;
        ClearTree();
        throw;
    }
    added_ = true;
    state_ = fsAdded;
}

void TDBVFilter::SetActive(bool on)
{
    requireDataSet();
    if (dataSet_->isDestroying()) {
        if (!added_)
            throw EDBVFilter(kNoTable);
        resetAfterLoss();
        return;
    }
    if (active_ == on)
        return;
    if (!on) {
        dataSet_->deactivateFilter(filterHandle_);
        active_ = false;
        state_ = fsAdded;
        return;
    }
    if (!added_)
        SetAdded(true);
    if (added_) {
        if (OnStatus)
            OnStatus(*this, 4);
        dataSet_->activateFilter(filterHandle_);
        active_ = true;
        state_ = fsActive;
    }
}

void TDBVFilter::ClearTree()
{
    if (added_)
        SetAdded(false);
    tree_.clear();
    expression_.clear();
}

void TDBVFilter::checkTreeSlots() const
{
    if (static_cast<int>(tree_.operands.size()) >= kMaxFilterOperands ||
        static_cast<int>(tree_.nodes.size()) >= kMaxFilterNodes)
        throw EDBVFilter(QStringLiteral("Maximale Anzahl Operanden erreicht"));
}

int TDBVFilter::AddConstNode(const FilterFieldInfo &field, const FieldValueBuffer &value, std::uint8_t mark)
{
    checkTreeSlots();
    std::optional<TFilterOperand> operand = NewConstOperand(field, value, mark);
    if (!operand)
        return -1;
    operand->setOffset(tree_.nextOperandOffset());
    const auto operandIndex = static_cast<std::uint16_t>(tree_.operands.size());
    tree_.operands.push_back(*operand);
    tree_.nodes.push_back(TFilterNode::constant(operand->type(), operand->size(), operandIndex));
    return static_cast<int>(tree_.nodes.size()) - 1;
}

int TDBVFilter::AddFieldNode(const QString &fieldName)
{
    checkTreeSlots();
    requireDataSet();
    TFilterOperand operand = NewNameOperand(fieldName);
    const FilterFieldInfo field = dataSet_->fieldByName(fieldName);
    operand.setOffset(tree_.nextOperandOffset());
    const auto operandIndex = static_cast<std::uint16_t>(tree_.operands.size());
    tree_.operands.push_back(operand);
    tree_.nodes.push_back(TFilterNode::field(static_cast<std::uint16_t>(field.fieldNo), operandIndex));
    return static_cast<int>(tree_.nodes.size()) - 1;
}

int TDBVFilter::AddOperatorNode(std::int32_t op, int left, int right)
{
    if ((op < opBlank || op > opOr) && op != opLike)
        return -1;
    if (static_cast<int>(tree_.nodes.size()) >= kMaxFilterNodes)
        throw EDBVFilter(QStringLiteral("Maximale Anzahl Operatoren erreicht"));
    const int count = static_cast<int>(tree_.nodes.size());
    const bool unary = op == opBlank || op == opNotBlank || op == opNot;
    // A child that was never made (a refused constant) gives no node either.
    if (left < 0 || left >= count || (!unary && (right < 0 || right >= count)))
        return -1;

    auto markedConstant = [&](int index) -> const TFilterOperand * {
        const TFilterNode &node = tree_.nodes[static_cast<std::size_t>(index)];
        if (node.nodeClass() != nodeConst)
            return nullptr;
        const TFilterOperand &operand = tree_.operands[node.u16(12)];
        return operand.mark() != markExact ? &operand : nullptr;
    };

    TFilterNode node;
    if (unary) {
        node = TFilterNode::unary(op, static_cast<std::uint16_t>(left));
    } else if (op == opLike || (op == opEq && (markedConstant(left) || markedConstant(right)))) {
        const TFilterOperand *constant = markedConstant(left);
        if (!constant) {
            const TFilterNode &r = tree_.nodes[static_cast<std::size_t>(right)];
            constant = r.nodeClass() == nodeConst ? &tree_.operands[r.u16(12)] : nullptr;
        }
        const auto partial =
            static_cast<std::uint16_t>(constant && constant->size() > 0 ? constant->size() - 1 : 0);
        node = TFilterNode::compare(op, partial, static_cast<std::uint16_t>(left),
                                    static_cast<std::uint16_t>(right));
    } else {
        node = TFilterNode::binary(op, static_cast<std::uint16_t>(left), static_cast<std::uint16_t>(right));
    }
    tree_.nodes.push_back(node);
    return count;
}

void TDBVFilter::ApplyFilterDef(const TFilterDefinition *definition, int anzahl, bool aktivieren)
{
    if (!definition)
        return;
    if (!dataSet_ || dataSet_->isDestroying())
        throw EDBVFilter(kNoTable);
    if (anzahl > kMaxFilterRows)
        throw EDBVFilterDefError(QStringLiteral("Maximale Anzahl Filterzeilen überschritten"));
    try {
        if (added_)
            SetAdded(false);
        else
            ClearTree(); // a tree built earlier without switching it on
        std::array<int, kMaxFilterRows> rowNodes{};
        for (int i = 0; i < anzahl; ++i) {
            const TFilterZeile &row = (*definition)[static_cast<std::size_t>(i)];
            if (!isRowOperator(row.Operator))
                throw EDBVFilter(QStringLiteral("Ungültiger Filteroperator"));
            const FilterFieldInfo field = dataSet_->fieldByName(row.FeldName);
            FieldValueBuffer value{};
            std::uint8_t mark = markExact;
            if (row.Operator != opBlank && row.Operator != opNotBlank) {
                TFieldType type = ftUnknown;
                if (!TextToFieldValue(field, row.Wert, type, mark, value))
                    throw EDBVFilter(QStringLiteral("Eingabe nicht vom erwarteten Typ !"));
            }
            const int c = AddConstNode(field, value, mark);
            const int d = AddFieldNode(row.FeldName);
            rowNodes[static_cast<std::size_t>(i)] = AddOperatorNode(row.Operator, d, c);
        }
        // No rows leave no tree (the root stays -1) and nothing to switch on.
        if (anzahl > 0) {
            int root = rowNodes[0];
            for (int i = 0; i + 1 < anzahl; ++i) {
                const std::int32_t link = (*definition)[static_cast<std::size_t>(i)].Verknuepfung;
                if (link != opAnd && link != opOr)
                    throw EDBVFilter(QStringLiteral("Ungültige Verknüpfung"));
                root = AddOperatorNode(link, root, rowNodes[static_cast<std::size_t>(i) + 1]);
            }
            tree_.root = root;
            if (aktivieren)
                SetActive(true);
        }
    } catch (...) {
        try {
            dataSet_->resync();
        } catch (...) {
        }
        throw;
    }
    dataSet_->resync();
}

void TDBVFilter::TreeToRows(TFilterEditRows &rows, int &count) const
{
    rows = TFilterEditRows{};
    count = 0;
    if (tree_.root < 0)
        return;
    int current = 0;
    std::function<void(int)> walk = [&](int index) {
        if (count < current + 1) {
            count = current + 1;
            if (count > kMaxFilterRows)
                throw EDBVFilterDefError(QStringLiteral("Maximale Anzahl Filterzeilen überschritten"));
        }
        const TFilterNode &node = tree_.nodes.at(static_cast<std::size_t>(index));
        TFilterEditRow &row = rows[static_cast<std::size_t>(current)];
        const std::int32_t op = node.op();
        if (op == opBlank || op == opNotBlank) {
            row.op = op;
            walk(node.u16(8));
        } else if ((op >= opEq && op <= opLe) || op == opLike) {
            row.op = op;
            const bool compare = node.nodeClass() == nodeCompare;
            walk(node.u16(compare ? 12 : 8));
            walk(node.u16(compare ? 14 : 10));
        } else if (op == opAnd || op == opOr) {
            walk(node.u16(8));
            rows[static_cast<std::size_t>(current)].link = op;
            ++current;
            walk(node.u16(10));
        } else if (op == opField) {
            const QString name = readShortString(tree_.operands.at(node.u16(10)).value());
            requireDataSet();
            row.name = dataSet_->fieldByName(name).displayLabel.left(63);
        } else if (op == opConst) {
            TFieldType type = ftUnknown;
            QString text;
            std::uint8_t mark = 0;
            if (!OperandToText(tree_.operands.at(node.u16(12)), type, text, mark))
                throw EDBVFilter(QStringLiteral("Unbekannter Feldtyp"));
            row.dataType = static_cast<std::uint8_t>(type);
            writeShortString(row.value.data(), text);
            row.mark = mark;
        } else {
            throw EDBVFilter(QStringLiteral("Aktueller Filter nicht darstellbar"));
        }
    };
    walk(tree_.root);
}

void TDBVFilter::GetFilterDefinition(TFilterDefinition *definition, int &anzahl) const
{
    anzahl = 0;
    if (!added_)
        return;
    TFilterEditRows rows;
    int count = 0;
    TreeToRows(rows, count);
    anzahl = count;
    if (!definition)
        return;
    for (int i = 0; i < count; ++i) {
        const TFilterEditRow &row = rows[static_cast<std::size_t>(i)];
        TFilterZeile &out = (*definition)[static_cast<std::size_t>(i)];
        out.FeldName = dataSet_->fieldNameOfLabel(row.name);
        out.Operator = row.op;
        out.Verknuepfung = row.link;
        if (row.op == opBlank || row.op == opNotBlank) {
            out.Wert.clear();
            continue;
        }
        // Our native character set is the stored one: transliteration changes nothing.
        QString text = row.valueText();
        if (row.mark & markLeading)
            text.prepend(QStringLiteral(".."));
        if (row.mark & markTrailing)
            text.append(QStringLiteral(".."));
        out.Wert = text;
    }
}

void TDBVFilter::SaveToFile(const QString &fileName) const
{
    if (!added_)
        throw EDBVFilter(kNoFilter);
    const QByteArray bytes = encodeFilterFile(dataSet_->caption(), tree_);
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EStreamError(QStringLiteral("Datei %1 kann nicht erstellt werden").arg(fileName));
    if (file.write(bytes) != bytes.size())
        throw EStreamError(QStringLiteral("Stream-Schreibfehler"));
}

std::optional<QString> TDBVFilter::checkLoadedTree() const
{
    QString fieldName;
    int fieldNo = 0;
    int constantType = -1;
    std::function<std::optional<QString>(int)> check = [&](int index) -> std::optional<QString> {
        const TFilterNode &node = tree_.nodes[static_cast<std::size_t>(index)];
        switch (node.nodeClass()) {
        case nodeUnary:
            return check(node.u16(8));
        case nodeBinary:
        case nodeCompare: {
            const bool compare = node.nodeClass() == nodeCompare;
            if (auto failure = check(node.u16(compare ? 12 : 8)))
                return failure;
            if (auto failure = check(node.u16(compare ? 14 : 10)))
                return failure;
            if (!compare && !(node.op() >= opEq && node.op() <= opLe))
                return std::nullopt;
            const auto field = dataSet_->findField(fieldName);
            if (!field)
                return QStringLiteral("Feld nicht gefunden.");
            if (field->fieldNo != fieldNo)
                return QStringLiteral("Falsche Feldnummer.");
            try {
                if (EngineFieldType(field->dataType) != constantType)
                    return QStringLiteral("Falscher Feldtyp.");
            } catch (const EDBVFilter &) {
                return QStringLiteral("Falscher Feldtyp.");
            }
            return std::nullopt;
        }
        case nodeField:
            fieldName = readShortString(tree_.operands[node.u16(10)].value());
            fieldNo = node.u16(8);
            return std::nullopt;
        case nodeConst:
            constantType = node.u16(8);
            return std::nullopt;
        default:
            return QString(); // invalid node class
        }
    };
    std::optional<QString> failure = check(tree_.root);
    if (!failure)
        return std::nullopt;
    if (failure->isEmpty())
        return kReadPrefix + QStringLiteral("Ungültiger Knotentyp");
    return kReadPrefix + QStringLiteral("Tabellenstruktur wurde geändert:\r\n") +
           QStringLiteral("Feldname: %1, Feldnummer: %2").arg(fieldName).arg(fieldNo) +
           QStringLiteral("\r\n") + *failure;
}

void TDBVFilter::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EStreamError(QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(fileName));
    requireDataSet();
    // The current filter goes before anything is checked.
    if (added_)
        SetAdded(false);
    else
        ClearTree();

    if (!isFilterFileMagic(file.read(kFilterFileMagicSize)))
        throw EDBVFilter(QStringLiteral("Datei %1 ist keine Filterdefinitionsdatei").arg(fileName));
    const FilterFileHeader header = decodeFilterFileHeader(readExactly(file, kFilterFileHeaderSize));
    const QString caption = dataSet_->caption();
    if (header.tableName != caption) {
        const QString question =
            QStringLiteral(
                "Filter wurde für Tabelle %1 definiert!\r\nTrotzdem Anwendung auf Tabelle %2 versuchen ?")
                .arg(header.tableName, caption);
        const bool yes =
            OnConfirmTableMismatch ? OnConfirmTableMismatch(question) : ui::messages().question(question);
        if (!yes)
            return;
    }

    ui::HourglassScope hourglass;

    FilterTree loaded = readFilterFileTree(file, header);
    tree_ = std::move(loaded);
    if (const auto failure = checkLoadedTree()) {
        ClearTree();
        throw EDBVFilter(*failure);
    }
    SetActive(true);
    dataSet_->resync();
}

} // namespace nav
