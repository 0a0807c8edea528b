#pragma once

#include "ui/ParagraphIndents.h"

// The letter editor's ruler: where its three indent markers stand for a
// paragraph's indents (in points), and which indents a released marker gives.
namespace fleet::brief {

// Ruler pixels per point, and the gutter left and right of the text.
constexpr double kLinealMassstab = 4.0 / 3.0;
constexpr int kLinealRand = 6;

struct MarkenPositionen {
    int ersterEinzug = 0;  // left edge of FirstInd
    int linkerEinzug = 0;  // left edge of LeftInd
    int rechterEinzug = 0; // left edge of RightInd
    bool operator==(const MarkenPositionen &) const = default;
};

MarkenPositionen MarkenPlatzieren(const ui::ParagraphIndents &einzuege, int linealBreite);

// Releases; `dragOffset` is half the width of the dragged marker.
int ErsterEinzugAusMarke(int markeLinks, int dragOffset);
int LinkerEinzugAusMarke(int markeLinks, int dragOffset, int ersterEinzug);
int RechterEinzugAusMarke(int markeLinks, int dragOffset, int linealBreite);

} // namespace fleet::brief
