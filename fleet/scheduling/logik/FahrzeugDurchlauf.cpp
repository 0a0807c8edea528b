#include "logik/FahrzeugDurchlauf.h"

#include <algorithm>
#include <exception>
#include <memory>

#include "dbe/Field.h"
#include "dbe/ReadScope.h"
#include "dbe/Table.h"

namespace fleet {

namespace {

// Puts the vehicle table back on its vehicle when the walk ends in any way.
class PositionHalten {
public:
    explicit PositionHalten(dbe::TTable &fahrzeuge) : fahrzeuge_(fahrzeuge)
    {
        if (!fahrzeuge.IsEmpty())
            kfzNr_ = fahrzeuge.FieldByName(QStringLiteral("KfzNr"))->AsString();
    }
    ~PositionHalten()
    {
        if (kfzNr_.isNull())
            return;
        try {
            fahrzeuge_.Locate(QStringLiteral("KfzNr"), kfzNr_);
        } catch (const std::exception &) {
            // The vehicle went meanwhile: the table stays where the walk ended.
        }
    }
    PositionHalten(const PositionHalten &) = delete;
    PositionHalten &operator=(const PositionHalten &) = delete;

private:
    dbe::TTable &fahrzeuge_;
    QString kfzNr_;
};

// Unlinks the details the walk does not read and links them again when the
// walk ends in any way; their controls hear of it only then.
class DetailsRuhen {
public:
    DetailsRuhen(dbe::TTable &fahrzeuge, const std::vector<const dbe::TDataSet *> &gelesen)
    {
        for (dbe::TTable *d : dbe::TTable::DetailsOf(fahrzeuge)) {
            if (std::find(gelesen.begin(), gelesen.end(), d) != gelesen.end())
                continue;
            d->DisableControls();
            ruhend_.push_back({d, d->MasterSource()});
            try {
                d->SetMasterSource(nullptr);
            } catch (...) {
                wiederVerbinden();
                throw;
            }
        }
    }
    ~DetailsRuhen() { wiederVerbinden(); }
    DetailsRuhen(const DetailsRuhen &) = delete;
    DetailsRuhen &operator=(const DetailsRuhen &) = delete;

private:
    void wiederVerbinden()
    {
        for (auto it = ruhend_.rbegin(); it != ruhend_.rend(); ++it) {
            try {
                it->detail->SetMasterSource(it->quelle);
            } catch (const std::exception &) {
                // Linked again; it follows the vehicle table at its next move.
            }
            it->detail->EnableControls();
        }
        ruhend_.clear();
    }
    struct Ruhend {
        dbe::TTable *detail;
        dbe::TDataSource *quelle;
    };
    std::vector<Ruhend> ruhend_;
};

} // namespace

void FahrzeugeDurchlaufen(dbe::TTable &fahrzeuge, const std::vector<const dbe::TDataSet *> &gelesen,
                          const std::function<void()> &jeFahrzeug)
{
    DetailsRuhen ruhen(fahrzeuge, gelesen);
    PositionHalten halten(fahrzeuge);
    // The vehicles and the details read share one read transaction of their storage, renewed
    // every few milliseconds so that other workstations' writes go through meanwhile.
    std::vector<std::unique_ptr<dbe::TReadScope>> lesen;
    lesen.push_back(std::make_unique<dbe::TReadScope>(fahrzeuge));
    for (const dbe::TDataSet *d : gelesen)
        if (const auto *t = dynamic_cast<const dbe::TTable *>(d))
            lesen.push_back(std::make_unique<dbe::TReadScope>(*t));
    for (fahrzeuge.First(); !fahrzeuge.Eof(); fahrzeuge.Next())
        jeFahrzeug();
}

} // namespace fleet
