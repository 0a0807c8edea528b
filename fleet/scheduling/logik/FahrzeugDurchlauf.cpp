#include "logik/FahrzeugDurchlauf.h"

#include <exception>

#include "dbe/Field.h"
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

} // namespace

void FahrzeugeDurchlaufen(dbe::TTable &fahrzeuge, const std::function<void()> &jeFahrzeug)
{
    PositionHalten halten(fahrzeuge);
    for (fahrzeuge.First(); !fahrzeuge.Eof(); fahrzeuge.Next())
        jeFahrzeug();
}

} // namespace fleet
