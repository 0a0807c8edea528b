#include "ui/RtfWriter.h"

#include <cmath>

#include <QColor>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include "base/RtfEscape.h"
#include "ui/ParagraphIndents.h"

namespace ui {

namespace {

constexpr double kDefaultPointSize = 12;
const QString kBulletFont = QStringLiteral("Symbol");

QString text(const QString &plain)
{
    return base::rtf::escaped(plain, base::rtf::NonAscii::Windows1252);
}

class Writer {
public:
    explicit Writer(const QTextDocument &document) : document_(document)
    {
        fonts_.append(document.defaultFont().family());
    }

    QByteArray write()
    {
        QString body;
        bool bullets = false;
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            if (block != document_.begin())
                body += QStringLiteral("\\par\r\n");
            body += paragraph(block, bullets);
        }
        QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031");
        out += fontTable(bullets);
        out += colorTable();
        out += QStringLiteral("\\viewkind4\\uc1");
        out += body;
        out += QStringLiteral("}\r\n");
        return out.toLatin1();
    }

private:
    QString paragraph(const QTextBlock &block, bool &bullets)
    {
        const QTextBlockFormat format = block.blockFormat();
        QString out = QStringLiteral("\\pard");
        const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
        if (alignment & Qt::AlignHCenter)
            out += QStringLiteral("\\qc");
        else if (alignment & Qt::AlignJustify)
            out += QStringLiteral("\\qj");
        else if (alignment & Qt::AlignRight)
            out += QStringLiteral("\\qr");
        const TwipIndents indents = toTwips(indentsOf(format));
        if (indents.firstLine != 0)
            out += QStringLiteral("\\fi%1").arg(indents.firstLine);
        if (indents.left != 0)
            out += QStringLiteral("\\li%1").arg(indents.left);
        if (indents.right != 0)
            out += QStringLiteral("\\ri%1").arg(indents.right);
        if (block.textList()) {
            bullets = true;
            const int symbol = fontIndex(kBulletFont);
            out += QStringLiteral(
                       "{\\pntext\\f%1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf%1\\pnindent0{\\pntxtb\\'b7}}")
                       .arg(symbol);
        }
        bool empty = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            QString plain = fragment.text();
            plain.remove(QChar::ObjectReplacementCharacter);
            if (plain.isEmpty())
                continue;
            out += run(fragment.charFormat()) + text(plain);
            empty = false;
        }
        // An empty paragraph keeps the size of its line.
        if (empty)
            out += run(block.charFormat());
        return out;
    }

    QString run(const QTextCharFormat &format)
    {
        const QStringList families = format.fontFamilies().toStringList();
        const int font = families.isEmpty() || families.first().isEmpty() ? 0 : fontIndex(families.first());
        double size = format.fontPointSize();
        if (size <= 0)
            size = document_.defaultFont().pointSizeF();
        if (size <= 0)
            size = kDefaultPointSize;
        QString out = QStringLiteral("\\plain\\f%1\\fs%2").arg(font).arg(std::lround(size * 2));
        if (format.fontWeight() >= QFont::DemiBold)
            out += QStringLiteral("\\b");
        if (format.fontItalic())
            out += QStringLiteral("\\i");
        if (format.fontUnderline())
            out += QStringLiteral("\\ul");
        if (format.fontStrikeOut())
            out += QStringLiteral("\\strike");
        if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
            out += QStringLiteral("\\cf%1").arg(colorIndex(format.foreground().color()));
        return out + u' ';
    }

    int fontIndex(const QString &family)
    {
        qsizetype index = fonts_.indexOf(family);
        if (index < 0) {
            fonts_.append(family);
            index = fonts_.size() - 1;
        }
        return int(index);
    }

    int colorIndex(const QColor &color)
    {
        const QRgb rgb = color.rgb();
        qsizetype index = colors_.indexOf(rgb);
        if (index < 0) {
            colors_.append(rgb);
            index = colors_.size() - 1;
        }
        return int(index) + 1; // entry 0 is the automatic colour
    }

    QString fontTable(bool bullets)
    {
        if (bullets)
            fontIndex(kBulletFont);
        QString out = QStringLiteral("{\\fonttbl");
        for (qsizetype i = 0; i < fonts_.size(); ++i) {
            const int charset = bullets && fonts_[i] == kBulletFont ? 2 : 0;
            out += QStringLiteral("{\\f%1\\fnil\\fcharset%2 %3;}").arg(i).arg(charset).arg(text(fonts_[i]));
        }
        return out + QStringLiteral("}\r\n");
    }

    QString colorTable() const
    {
        if (colors_.isEmpty())
            return {};
        QString out = QStringLiteral("{\\colortbl ;");
        for (const QRgb rgb : colors_)
            out +=
                QStringLiteral("\\red%1\\green%2\\blue%3;").arg(qRed(rgb)).arg(qGreen(rgb)).arg(qBlue(rgb));
        return out + QStringLiteral("}\r\n");
    }

    const QTextDocument &document_;
    QStringList fonts_;
    QList<QRgb> colors_;
};

} // namespace

QByteArray writeRtf(const QTextDocument &document)
{
    return Writer(document).write();
}

} // namespace ui
