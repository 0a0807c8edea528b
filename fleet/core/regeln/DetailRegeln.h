#pragma once

namespace fleet {

class TDataModule1;

// Set by the fuel import before it posts a cost record: the cost rules then
// leave the vehicle's odometer alone, and reset the flag.
extern bool ImportSatzBuchen;
// True while the fuel import posts its records: a refused cost record shows
// no message.
extern bool ImportBuchungslauf;

// Tours: the new tour takes driver and cost centre of the vehicle; a tour
// needs a date and driven kilometres (from the two odometer readings when
// both are given); a refused post is explained.
void TourenRegelnBinden(TDataModule1 &dm);

// Variable costs: a receipt needs a date and an amount; year and month are
// derived; the receipt's odometer reading raises the vehicle's; the
// appointment named by the receipt may be rolled forward.
void KostenRegelnBinden(TDataModule1 &dm);

// Tyres (typed tyre types grow the tyre-type list), history and damages
// (a date is needed) and pictures (each gets an order number once).
void WeitereDetailRegelnBinden(TDataModule1 &dm);

// All of the above.
void DetailRegelnBinden(TDataModule1 &dm);

} // namespace fleet
