#include "logik/BriefLineal.h"

#include <cmath>
#include <limits>

namespace fleet::brief {

namespace {

// trunc(punkte x 4/3), kept within the int range for any indent a file brings.
int zuPixeln(double punkte)
{
    const double pixel = std::trunc(punkte * 4 / 3);
    constexpr double grenze = std::numeric_limits<int>::max() / 2;
    return static_cast<int>(std::clamp(pixel, -grenze, grenze));
}

// trunc(pixel / (4/3)) in whole numbers: the division truncates towards zero.
int zuPunkten(int pixel)
{
    return static_cast<int>(static_cast<long long>(pixel) * 3 / 4);
}

} // namespace

MarkenPositionen MarkenPlatzieren(const ui::ParagraphIndents &einzuege, int linealBreite)
{
    return {zuPixeln(einzuege.first) + 2, zuPixeln(einzuege.left + einzuege.first) + 2,
            linealBreite - zuPixeln(einzuege.right + kLinealRand) - kLinealRand};
}

int ErsterEinzugAusMarke(int markeLinks, int dragOffset)
{
    return zuPunkten(markeLinks + dragOffset - kLinealRand);
}

int LinkerEinzugAusMarke(int markeLinks, int dragOffset, int ersterEinzug)
{
    return zuPunkten(markeLinks + dragOffset - kLinealRand) - ersterEinzug;
}

int RechterEinzugAusMarke(int markeLinks, int dragOffset, int linealBreite)
{
    return zuPunkten(linealBreite - markeLinks + dragOffset - 2) - 12;
}

} // namespace fleet::brief
