#include "logik/FahrzeugDurchlauf.h"

#include <algorithm>
#include <exception>
#include <memory>

#include "daten/ControlsFrei.h"
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
    DetailsRuhen(dbe::TTable &fahrzeuge, const std::vector<dbe::TDataSet *> &gelesen)
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

// Takes the vehicle table's scroll rules off for the walk: they keep the main
// window on the current vehicle (its monthly sums, its pages), which the walk
// only passes through. When they are back, they run once for the vehicle the
// table stands on, with its details following it again.
class RegelnRuhen {
public:
    explicit RegelnRuhen(dbe::TTable &fahrzeuge)
        : fahrzeuge_(fahrzeuge), vorher_(std::move(fahrzeuge.BeforeScroll)),
          nachher_(std::move(fahrzeuge.AfterScroll))
    {
        fahrzeuge.BeforeScroll = nullptr;
        fahrzeuge.AfterScroll = nullptr;
    }
    ~RegelnRuhen()
    {
        fahrzeuge_.BeforeScroll = std::move(vorher_);
        fahrzeuge_.AfterScroll = std::move(nachher_);
        if (!fahrzeuge_.AfterScroll || !fahrzeuge_.Active())
            return;
        try {
            fahrzeuge_.AfterScroll(fahrzeuge_);
        } catch (...) {
            // As after a move back whose rules fail: the walk's own outcome stands.
        }
    }
    RegelnRuhen(const RegelnRuhen &) = delete;
    RegelnRuhen &operator=(const RegelnRuhen &) = delete;

private:
    dbe::TTable &fahrzeuge_;
    dbe::TDataSet::Event vorher_, nachher_;
};

} // namespace

void FahrzeugeDurchlaufen(dbe::TTable &fahrzeuge, const std::vector<dbe::TDataSet *> &gelesen,
                          const std::function<void()> &jeFahrzeug)
{
    // Undone in reverse: the table returns to its vehicle, the details follow
    // it again, then the rules come back and see it with its details.
    RegelnRuhen regeln(fahrzeuge);
    DetailsRuhen ruhen(fahrzeuge, gelesen);
    PositionHalten halten(fahrzeuge);
    // The details read follow the vehicles; their grids hear of it once at the end.
    std::vector<std::unique_ptr<ControlsFrei>> frei;
    for (dbe::TDataSet *d : gelesen)
        frei.push_back(std::make_unique<ControlsFrei>(*d));
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
