#include "logik/BriefEditorRegeln.h"

#include <QFileInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace fleet::brief {

namespace {
// The largest size a letter's font takes.
constexpr int kGroessteSchrift = 1638;
} // namespace

QString Titel(const QString &dateiName)
{
    return QStringLiteral("%1 - %2").arg(QStringLiteral("KARVEN Text"), QFileInfo(dateiName).fileName());
}

QString StatusZeile(const QTextDocument &dokument, int position)
{
    int zeile = 0;
    int zeilenAnfang = 0;
    const QTextBlock block = dokument.findBlock(position);
    for (QTextBlock b = dokument.begin(); b.isValid() && b != block; b = b.next())
        zeile += b.layout() && b.layout()->lineCount() > 0 ? b.layout()->lineCount() : 1;
    if (block.isValid()) {
        zeilenAnfang = block.position();
        const QTextLayout *layout = block.layout();
        if (layout && layout->lineCount() > 0) {
            const QTextLine line = layout->lineForTextPosition(position - block.position());
            if (line.isValid()) {
                zeile += line.lineNumber();
                zeilenAnfang = block.position() + line.textStart();
            }
        }
    }
    return QString::asprintf("Zeile: %3d   Spalte: %3d", zeile + 1, position - zeilenAnfang + 1);
}

std::optional<int> Suchschritt(const QString &text, const QString &suchtext, int auswahlStart,
                               int auswahlLaenge)
{
    if (suchtext.isEmpty())
        return std::nullopt;
    const int start = auswahlLaenge > 0 ? auswahlStart + auswahlLaenge : 0;
    const qsizetype fund = text.indexOf(suchtext, start, Qt::CaseSensitive);
    if (fund < 0)
        return std::nullopt;
    return static_cast<int>(fund);
}

std::optional<int> Schriftgroesse(const QString &text)
{
    bool ok = false;
    const int groesse = text.trimmed().toInt(&ok);
    if (!ok || groesse <= 0 || groesse > kGroessteSchrift)
        return std::nullopt;
    return groesse;
}

bool NachSpeicherfrageWeiter(ui::Answer antwort, bool gespeichert)
{
    switch (antwort) {
    case ui::Answer::Yes:
        return gespeichert;
    case ui::Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace fleet::brief
