#include "daten/SichtLesen.h"

#include <memory>

#include "dbe/EngineCursor.h"
#include "dbe/Errors.h"
#include "dbe/Field.h"
#include "dbe/Table.h"

namespace fleet {

void SichtLesen(dbe::TTable &tabelle, const QStringList &felder,
                const std::function<void(const std::vector<QVariant> &)> &jeZeile)
{
    std::vector<int> nummern;
    for (const QString &f : felder)
        nummern.push_back(tabelle.FieldByName(f)->FieldNo());
    const std::unique_ptr<dbe::TEngineCursor> klon = tabelle.Handle()->Clone();
    klon->SetToBegin();
    std::vector<QVariant> werte(nummern.size());
    for (;;) {
        try {
            klon->GetNextRecord();
        } catch (const dbe::EDBEngineError &e) {
            if (e.ErrorCode() == dbe::ErrorCode::EndOfTable)
                return;
            throw;
        }
        for (size_t i = 0; i < nummern.size(); ++i) {
            bool leer = false;
            werte[i] = klon->FieldValue(nummern[i], leer);
            if (leer)
                werte[i] = QVariant();
        }
        jeZeile(werte);
    }
}

} // namespace fleet
