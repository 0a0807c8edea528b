// Every shipped project printed with the values a real fleet holds: amounts of millions, zero,
// negative and up to 99.999.999,99, empty fields, long names. A reader must find every amount as its
// value (every digit, two decimals, thousands separators) and every text box whole.
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>

#include "StandardProjekte.h"
#include "engine_fixture.h"
#include "projekt_lauf.h"
#include "reportengine/Expression.h"
#include "reportengine/PagePainter.h"
#include "reportengine/Project.h"
#include "reportengine/ProjectStore.h"
#include "temp_dir.h"

using namespace enginetest;

namespace {

const QString kFirma = QStringLiteral("Spedition Bärbel Müllers Güterverkehrsgesellschaft mbH & Co. KG");
const QString kFahrer = QStringLiteral("Hans-Jürgen Maximilian Freiherr von Grolmann-Schönfelden");
const QString kBemerkung =
    QStringLiteral("Rechnungen bitte an die Zentrale in Würzburg, z. Hd. Frau Dr. Bärbel "
                   "Großmann-Özdemir, Abteilung Fuhrparkverwaltung und Controlling");

// An amount as the program hands it over (no thousands separator, as many decimals as it has) and
// as a reader must find it printed.
struct Betrag {
    const char *uebergeben;
    const char *gedruckt;
};
// One run shows the amounts of daily use, one the widest a column must hold (alone, so that sums
// stay within it).
const std::vector<Betrag> kAlltag = {{"1234567,89", "1.234.567,89"},
                                     {"0", "0,00"},
                                     {"-1250,5", "-1.250,50"},
                                     {"", ""},
                                     {"34500,5", "34.500,50"}};
const std::vector<Betrag> kBreiteste = {{"99999999,99", "99.999.999,99"}};

bool istBetrag(const QString &name)
{
    const QString n = name.toLower();
    if (n.startsWith(u"name") || n.startsWith(u"bezeichnung") || n.contains(u"kostenstelle") ||
        n.contains(u"prokm") || n.contains(u"pro100km"))
        return false; // rates per kilometre are no amounts of their own
    for (const char *geld :
         {"kosten", "betrag", "ertrag", "ertraege", "preis", "netto", "brutto", "steuer", "zinsen", "afa",
          "ueberschuss", "anschaffungswert", "restbuchwert", "kfzsonstiges", "freifeldwae"})
        if (n.contains(QLatin1String(geld)))
            return true;
    return false;
}

// Values of every other kind, chosen so that none reads as the start of an amount above.
QString sonstigerWert(const QString &name, int row)
{
    const QString n = name.toLower();
    auto pick = [row](std::initializer_list<const char *> values) {
        return QString::fromUtf8(*(values.begin() + row % int(values.size())));
    };
    if (n == u"aktmandantname1" || n == u"name1")
        return kFirma;
    if (n.contains(u"fahrername") || n == u"fahrer")
        return kFahrer;
    if (n == u"name")
        return QStringLiteral("Freiherr von Grolmann-Schönfelden");
    if (n == u"vorname")
        return QStringLiteral("Hans-Jürgen Maximilian");
    if (n.startsWith(u"bemerkung") || n == u"memo")
        return pick({"", "Ölwechsel fällig", kBemerkung.toUtf8().constData()});
    if (n.startsWith(u"name") || n.startsWith(u"bezeichnung"))
        return pick({"Größe", "Außendienst", ""});
    if (n.contains(u"uhrzeit"))
        return QStringLiteral("08:30");
    if (n.contains(u"monattext"))
        return QStringLiteral("September");
    if (n.contains(u"datum") || n.contains(u"termin") || n.startsWith(u"gueltigbis"))
        return pick({"02.01.2024", "", "15.06.2024"});
    if (n.contains(u"pro100km") || n.contains(u"profil"))
        return QStringLiteral("7,9");
    if (n.contains(u"km") || n.contains(u"kilometer"))
        return pick({"48250", "", "731"});
    if (n.contains(u"liter") || n.contains(u"menge") || n.endsWith(u"verbrauchl"))
        return QStringLiteral("4711,3");
    if (n == u"plz")
        return QStringLiteral("20457");
    if (n.contains(u"telefon") || n == u"fax" || n.contains(u"mobil"))
        return QStringLiteral("040 7654321");
    if (n.contains(u"kfznr") || n.contains(u"kennzeichen"))
        return QStringLiteral("HH-ÄÖ 4711");
    if (n.contains(u"anzahl") || n.contains(u"jahr"))
        return QStringLiteral("2024");
    return pick({"Süd", "", "Größe"});
}

// A fixed place in the amounts for every name, so that the columns of one row differ.
int versatz(const QString &name)
{
    int sum = 0;
    for (const QChar ch : name)
        sum += ch.unicode();
    return sum;
}

projektlauf::Werte werte(const std::vector<Betrag> &betraege)
{
    return [&betraege](const QString &name, int row) {
        if (!istBetrag(name))
            return sonstigerWert(name, row);
        return QString::fromUtf8(betraege[size_t(row + versatz(name)) % betraege.size()].uebergeben);
    };
}

QString digitsOf(const QString &text)
{
    QString digits;
    for (const QChar ch : text)
        if (ch.isDigit())
            digits += ch;
    return digits;
}

// The words of a text layer that are an amount printed wrong: the start of an amount's digits in
// another form than the amount's own (a digit lost, other decimals, no separators), zero in another
// form than "0,00", or a cell that overflowed.
QStringList falscheBetraege(const QString &text, const std::vector<Betrag> &betraege)
{
    QStringList wrong;
    static const QRegularExpression number(QStringLiteral("^[-+]?[\\d.,]*\\d$"));
    for (const QString &word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        if (word.contains(QLatin1String("###"))) {
            wrong << word;
            continue;
        }
        if (!number.match(word).hasMatch())
            continue;
        const QString digits = digitsOf(word);
        bool isAmountStart = false, isAmount = false;
        for (const Betrag &b : betraege) {
            const QString shown = QString::fromUtf8(b.gedruckt);
            if (shown.isEmpty())
                continue;
            isAmount = isAmount || word == shown;
            const QString amountDigits = digitsOf(shown);
            isAmountStart = isAmountStart || (digits.size() >= 4 && amountDigits.startsWith(digits));
        }
        const bool zero = word.contains(u',') && digits.count(u'0') == digits.size();
        if (!isAmount && (isAmountStart || (zero && word != QLatin1String("0,00"))))
            wrong << word;
    }
    return wrong;
}

// The data exports headed by field names are read in spreadsheets, not on paper.
bool nurTabelle(const QString &name)
{
    return name.startsWith(QLatin1String("Export")) && name.endsWith(QLatin1String("Gr.lst"));
}

class ShippedProjectsWithRealData : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(reporting::StandardProjekteKopieren(dir()).isEmpty()); }
    QString dir() const { return QString::fromStdString(dir_.path().string()); }

    testsupport::TempDir dir_;
};

TEST_F(ShippedProjectsWithRealData, EveryAmountReadsAsItsValueInThePdf)
{
    constexpr int kRows = 10; // every column sees every amount twice
    struct Lauf {
        QString projekt;
        const std::vector<Betrag> *betraege;
        QString pdf;
        bool mitBetraegen = false;
    };
    std::vector<Lauf> laeufe;
    for (const QString &name : reporting::StandardProjektNamen()) {
        if (nurTabelle(name))
            continue;
        const QStringList names = projektlauf::namenDesProjekts(QDir(dir()).filePath(name));
        const bool mitBetraegen = std::any_of(names.begin(), names.end(), istBetrag);
        for (const auto *betraege : {&kAlltag, &kBreiteste}) {
            const QString pdf = QDir(dir()).filePath(
                name + (betraege == &kAlltag ? QStringLiteral(".betraege.pdf") : QStringLiteral(".max.pdf")));
            tb::PageModel unused;
            SCOPED_TRACE(name.toStdString());
            ASSERT_TRUE(projektlauf::drucken(QDir(dir()).filePath(name), werte(*betraege), dir(), unused,
                                             betraege == &kAlltag ? kRows : 1, pdf));
            laeufe.push_back({name, betraege, pdf, mitBetraegen});
        }
    }
    const QByteArray keep = qgetenv("KARVEN_RENDER_DIR"); // to look at the pages
    for (const Lauf &lauf : laeufe) {
        SCOPED_TRACE(QFileInfo(lauf.pdf).fileName().toStdString());
        const QString text = pdfPages(lauf.pdf).join(u'\n');
        ASSERT_FALSE(text.trimmed().isEmpty());
        if (!keep.isEmpty())
            QFile::copy(lauf.pdf,
                        QDir(QString::fromLocal8Bit(keep)).filePath(QFileInfo(lauf.pdf).fileName()));
        EXPECT_EQ(falscheBetraege(text, *lauf.betraege).join(u' ').toStdString(), "");
        if (!lauf.mitBetraegen)
            continue;
        const auto shown = std::count_if(lauf.betraege->begin(), lauf.betraege->end(), [&](const Betrag &b) {
            return *b.gedruckt && text.contains(QString::fromUtf8(b.gedruckt));
        });
        EXPECT_GT(shown, 0) << "no amount printed";
    }
}

// The text a page object shows on the first page, every paragraph joined, without white space.
QString ohneLeerraum(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s+")));
}

TEST_F(ShippedProjectsWithRealData, NoTextBoxLosesCharacters)
{
    for (const QString &name : reporting::StandardProjektNamen()) {
        if (nurTabelle(name))
            continue;
        SCOPED_TRACE(name.toStdString());
        const QString file = QDir(dir()).filePath(name);
        tb::Project project;
        ASSERT_TRUE(tb::JsonProjectStore().load(file, project, nullptr));
        for (int row : {0, 2}) { // row 2 holds the long remarks
            const auto werteDerZeile = [row, w = werte(kAlltag)](const QString &n, int) { return w(n, row); };
            tb::PageModel model;
            ASSERT_TRUE(projektlauf::drucken(file, werteDerZeile, dir(), model, 1));
            ASSERT_FALSE(model.pages.empty());
            QHash<QString, QString> gedruckt;
            for (const auto &item : model.pages.front().items)
                if (item.kind == tb::Primitive::Kind::Text && !item.tableItem)
                    gedruckt[item.object] += item.text;
            tb::EvalContext context;
            context.lookup = [&](const QString &n) -> std::optional<tb::Value> {
                return tb::Value::ofText(werteDerZeile(n, 0));
            };
            context.page = 1;
            context.now = 45293;
            for (const auto &object : project.objects) {
                if (object.type != tb::PageObject::Type::Text || object.layer == tb::Layer::Following ||
                    !object.condition.isEmpty())
                    continue;
                QString erwartet;
                for (const auto &paragraph : object.paragraphs)
                    if (const auto expression = tb::Expression::parse(paragraph.expr))
                        erwartet += expression->evaluate(context).toText();
                EXPECT_EQ(ohneLeerraum(gedruckt.value(object.name)).toStdString(),
                          ohneLeerraum(erwartet).toStdString())
                    << object.name.toStdString() << " row " << row;
            }
        }
    }
}

// An empty yes/no field prints as nothing on paper too, as the data exports leave it; a set one as
// its answer.
TEST_F(ShippedProjectsWithRealData, EmptyYesNoFieldStaysEmpty)
{
    const QString pdf = QDir(dir()).filePath(QStringLiteral("touren.pdf"));
    tb::PageModel unused;
    const auto mitJaNein = [](const QString &name, int row) {
        if (name == QLatin1String("Reserve7"))
            return QString();
        if (name == QLatin1String("Reserve8"))
            return QStringLiteral("Wahr");
        return sonstigerWert(name, row);
    };
    ASSERT_TRUE(projektlauf::drucken(QDir(dir()).filePath(QStringLiteral("ExportTouren.lst")), mitJaNein,
                                     dir(), unused, 1, pdf));
    const QString text = pdfPages(pdf).join(u'\n');
    EXPECT_FALSE(text.contains(QStringLiteral("Nein")));
    EXPECT_TRUE(text.contains(QStringLiteral("Ja")));
}

} // namespace
