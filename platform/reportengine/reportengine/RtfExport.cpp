#include <cmath>

#include "base/RtfEscape.h"
#include "reportengine/Exporters.h"
#include "reportengine/Spool.h"

namespace tb {

namespace {

constexpr int kMarginTwips = 850; // 15 mm

int twips(double pt)
{
    return int(std::lround(pt * 20));
}

// The export keeps every character outside ASCII as \uN?.
QString escaped(const QString &text)
{
    return base::rtf::escaped(text, base::rtf::NonAscii::Unicode);
}

const char *alignWord(int align)
{
    return align == 2 ? "\\qr" : align == 1 ? "\\qc" : "\\ql";
}

// The head (paper, page texts, pictures) goes to the spool when the writer is made, every line as it
// comes.
class RtfExport : public LineExport {
public:
    explicit RtfExport(const ExportSource &source)
    {
        double pageWidth = 595.3, pageHeight = 841.9;
        if (!source.model.pages.empty()) {
            pageWidth = source.model.pages.front().sizePt.width();
            pageHeight = source.model.pages.front().sizePt.height();
        }
        QString out;
        out += QStringLiteral(
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl{\\f0\\fswiss Liberation Sans;}}\n");
        out += QStringLiteral("\\paperw%1\\paperh%2\\margl%3\\margr%3\\margt%3\\margb%3%4\n")
                   .arg(twips(pageWidth))
                   .arg(twips(pageHeight))
                   .arg(kMarginTwips)
                   .arg(pageWidth > pageHeight ? QStringLiteral("\\landscape") : QString());
        out += QStringLiteral("\\pard\\plain\\f0\\fs18\n");
        if (source.flag("pageObjects", true)) {
            for (const QString &text : source.pageTexts(QStringLiteral("\t")))
                out += QStringLiteral("{\\pard\\plain\\f0\\fs20 %1\\par}\n").arg(escaped(text));
            for (const auto &picture : source.pictures())
                out += QStringLiteral("{\\pard\\plain{\\pict\\pngblip\\picwgoal%1\\pichgoal%2 %3}\\par}\n")
                           .arg(twips(picture.widthPt))
                           .arg(twips(picture.heightPt))
                           .arg(QString::fromLatin1(picture.png.toHex()));
        }
        spool_.write(out.toLatin1());
    }

    void line(const TableLineRecord &line) override
    {
        const bool header = line.kind == TableLineRecord::Kind::Header;
        const bool bold = header || line.kind == TableLineRecord::Kind::Footer;
        QString out = QStringLiteral("\\trowd\\trgaph60\\trleft0%1")
                          .arg(header ? QStringLiteral("\\trhdr") : QString());
        double right = 0;
        for (const auto &cell : line.cells) {
            right += cell.widthPt;
            out +=
                QStringLiteral("\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
                               "\\clbrdrr\\brdrs\\brdrw10\\cellx%1")
                    .arg(twips(right));
        }
        out += u'\n';
        for (const auto &cell : line.cells)
            out += QStringLiteral("\\pard\\intbl%1\\plain\\f0\\fs18%2 %3\\cell\n")
                       .arg(QLatin1String(alignWord(cell.align)), bold ? QStringLiteral("\\b") : QString(),
                            escaped(cell.text));
        out += QStringLiteral("\\row\n");
        spool_.write(out.toLatin1());
    }

    bool finish(QIODevice &out, const QString &) override
    {
        spool_.write(QByteArrayLiteral("\\pard\\par\n}\n"));
        return spool_.copyTo(out);
    }

private:
    Spool spool_;
};

} // namespace

std::unique_ptr<LineExport> makeRtfExport(const ExportSource &head)
{
    return std::make_unique<RtfExport>(head);
}

} // namespace tb
